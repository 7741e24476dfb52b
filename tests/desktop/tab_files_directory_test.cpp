// SPDX-License-Identifier: MIT
#include "desktop/tab_files_directory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "desktop/program_directory.h"

namespace fretlux {
namespace {

QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

TEST(TabFilesDirectory, TabfilesUnderTheProgramDirectoryIsMadeAndEntered) {
    QTemporaryDir program;
    QTemporaryDir documents;
    const QString entered = EnterTabFilesDirectory(program.path(), documents.path());
    const QString expected = QDir(program.path()).filePath(QStringLiteral("tabfiles"));
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(Canonical(entered), Canonical(expected));
    EXPECT_EQ(Canonical(QDir::currentPath()), Canonical(expected));
}

TEST(TabFilesDirectory, DocumentsFolderIsUsedWhenTheProgramDirectoryCannotHoldIt) {
    QTemporaryDir temporary;
    // A file where the program directory should be: nothing can be made under it.
    const QString notADirectory = temporary.filePath(QStringLiteral("program"));
    QFile file(notADirectory);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString documents = temporary.filePath(QStringLiteral("Documents"));
    const QString entered = EnterTabFilesDirectory(notADirectory, documents);
    const QString expected = QDir(documents).filePath(QStringLiteral("Fretlux"));
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(Canonical(entered), Canonical(expected));
    EXPECT_EQ(Canonical(QDir::currentPath()), Canonical(expected));
}

TEST(ProgramDirectory, EnvironmentBeatsInstalledDataBeatsBuiltInDataBeatsTheExecutablesDirectory) {
    QTemporaryDir data;
    QTemporaryDir executable;
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/fretlux")));
    EXPECT_EQ(
        ChooseProgramDirectory(QString(), data.path(), prefix.filePath(QStringLiteral("bin"))),
        QDir::cleanPath(prefix.filePath(QStringLiteral("share/fretlux"))));
    EXPECT_EQ(
        ChooseProgramDirectory(QStringLiteral("/opt/fretlux/"), data.path(), executable.path()),
        QStringLiteral("/opt/fretlux"));
    EXPECT_EQ(ChooseProgramDirectory(QString(), data.path(), executable.path()),
              QDir::cleanPath(data.path()));
    EXPECT_EQ(ChooseProgramDirectory(QString(), QString(), executable.path()),
              QDir::cleanPath(executable.path()));
    EXPECT_EQ(ChooseProgramDirectory(QString(), data.filePath(QStringLiteral("missing")),
                                     executable.path()),
              QDir::cleanPath(executable.path()));
}

}  // namespace
}  // namespace fretlux
