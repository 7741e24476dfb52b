// SPDX-License-Identifier: MIT
#include "platform/first_run_marker.h"

#include <QDir>
#include <QFile>

namespace fretlux {

FirstRunMarker::FirstRunMarker(const QString& configDirectory) : directory_(configDirectory) {}

bool FirstRunMarker::IsFirstRun() {
    const QString path = QDir(directory_).filePath(QStringLiteral("first-run-done"));
    if (QFile::exists(path)) return false;
    QDir().mkpath(directory_);
    QFile marker(path);
    // When the marker cannot be written the next start counts as a first run again, which
    // costs the user one Introduction lesson and nothing else.
    if (marker.open(QIODevice::WriteOnly)) marker.close();
    return true;
}

}  // namespace fretlux
