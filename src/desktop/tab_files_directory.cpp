// SPDX-License-Identifier: MIT
#include "desktop/tab_files_directory.h"

#include <QDir>
#include <QFileInfo>

namespace fretlux {

namespace {

bool IsUsableDirectory(const QString& directory) {
    if (directory.isEmpty() || !QDir().mkpath(directory)) return false;
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString EnterTabFilesDirectory(const QString& programDirectory, const QString& documentsDirectory) {
    for (const QString& candidate :
         {QDir(programDirectory).filePath(QStringLiteral("tabfiles")),
          documentsDirectory.isEmpty()
              ? QString()
              : QDir(documentsDirectory).filePath(QStringLiteral("Fretlux"))}) {
        if (IsUsableDirectory(candidate) && QDir::setCurrent(candidate)) {
            return QDir::cleanPath(QDir(candidate).absolutePath());
        }
    }
    return QDir::currentPath();
}

}  // namespace fretlux
