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

// tabfiles under the program directory, else a Fretlux folder of the documents when the program
// directory cannot hold it (here a file stands where it should be), is made and entered.
TEST(TabFilesDirectory, TabfilesUnderTheProgramDirectoryElseInTheDocumentsIsMadeAndEntered) {
    QTemporaryDir temporary;
    const QString documents = temporary.filePath(QStringLiteral("Documents"));
    const QString notADirectory = temporary.filePath(QStringLiteral("file"));
    QFile(notADirectory).open(QIODevice::WriteOnly);
    const std::pair<QString, QString> rows[] = {
        {temporary.path(), temporary.filePath(QStringLiteral("tabfiles"))},
        {notADirectory, QDir(documents).filePath(QStringLiteral("Fretlux"))},
    };
    for (const auto& [program, expected] : rows) {
        const QString entered = EnterTabFilesDirectory(program, documents);
        EXPECT_TRUE(QFileInfo(expected).isDir()) << expected.toStdString();
        EXPECT_EQ(Canonical(entered), Canonical(expected));
        EXPECT_EQ(Canonical(QDir::currentPath()), Canonical(expected));
    }
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
