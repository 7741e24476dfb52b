// SPDX-License-Identifier: MIT
#include "desktop/program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The build defines FRETLUX_DATA_DIR as the source tree's data/; a packaged build may define it
// empty so that the executable's directory is used.
#ifndef FRETLUX_DATA_DIR
#define FRETLUX_DATA_DIR ""
#endif

namespace fretlux {

namespace {

QString Clean(const QString& directory) { return QDir::cleanPath(QDir(directory).absolutePath()); }

}  // namespace

QString ChooseProgramDirectory(const QString& environmentOverride, const QString& builtInDataDir,
                               const QString& executableDir) {
    if (!environmentOverride.isEmpty()) return Clean(environmentOverride);
    // An installed program keeps its data beside its bin/ folder, under share/fretlux.
    const QString installed = QDir(executableDir).filePath(QStringLiteral("../share/fretlux"));
    if (QFileInfo(installed).isDir()) return Clean(installed);
    if (!builtInDataDir.isEmpty() && QFileInfo(builtInDataDir).isDir())
        return Clean(builtInDataDir);
    return Clean(executableDir);
}

QString ProgramDirectory() {
    return ChooseProgramDirectory(qEnvironmentVariable("FRETLUX_PROGRAM_DIR"),
                                  QString::fromUtf8(FRETLUX_DATA_DIR),
                                  QCoreApplication::applicationDirPath());
}

}  // namespace fretlux
