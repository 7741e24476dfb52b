// SPDX-License-Identifier: MIT
#include "desktop/first_run_marker.h"

#include <QDir>
#include <QFile>

namespace fretlux {

FirstRunMarker::FirstRunMarker(const QString& configDirectory) : directory_(configDirectory) {}

// Builds before the Introduction lesson existed wrote a marker of another name at their first
// start; this name lets those machines be greeted by the Introduction once all the same.
QString FirstRunMarker::Path() const {
    return QDir(directory_).filePath(QStringLiteral("introduction-opened"));
}

bool FirstRunMarker::IsFirstRun() const { return !QFile::exists(Path()); }

void FirstRunMarker::Record() {
    QDir().mkpath(directory_);
    QFile marker(Path());
    // When the marker cannot be written the next start counts as a first run again, which
    // costs the user one Introduction lesson and nothing else.
    if (marker.open(QIODevice::WriteOnly)) marker.close();
}

}  // namespace fretlux
