// SPDX-License-Identifier: MIT
// A later start of the real program hands what it was given to the window that runs (here the
// test's own, holding the lock) and ends without a word.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "desktop/instance_hand_over.h"
#include "desktop/single_instance_lock.h"
#include "window_fixture.h"

namespace fretlux {
namespace {

class HandOverTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_FALSE(lock.AnotherCopyRunning());
        ASSERT_TRUE(
            handOver.Listen([this](const std::string& path) { window.TakeHandedOverFile(path); }));
    }

    // Starts the program again with args, with the lock's directory as its runtime directory;
    // the test's event loop turns until it ends. Its exit code, -1 when it did not end in time.
    int StartAgain(const QStringList& args) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        QEventLoop loop;
        QObject::connect(&program, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&program, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        program.start(QStringLiteral(FRETLUX_PROGRAM_PATH), args);
        loop.exec();
        said = program.readAllStandardOutput() + program.readAllStandardError();
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    QTemporaryDir runtime;
    QTemporaryDir home;
    SingleInstanceLock lock{runtime.path()};
    InstanceHandOver handOver{runtime.path()};
    QByteArray said;
};

TEST_F(HandOverTest, ASecondStartOpensItsFileInTheWindowThatRunsOrBringsItToTheFront) {
    const QString song = QDir(home.path()).filePath(QStringLiteral("song.tab"));
    QFile file(song);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Riff\ne|---0---|\nB|---1---|\nG|-------|\nD|-------|\nA|-------|\nE|-------|\n");
    file.close();

    window.showMinimized();
    EXPECT_EQ(StartAgain({song}), 0);
    EXPECT_EQ(said, "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.DocumentPath() == song.toStdString(); }, 5000));
    EXPECT_EQ(form.Document().tabCount, 1);
    EXPECT_FALSE(window.isMinimized());

    window.showMinimized();
    EXPECT_EQ(StartAgain({}), 0);
    EXPECT_EQ(said, "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }, 5000));
    EXPECT_EQ(form.DocumentPath(), song.toStdString());
}

}  // namespace
}  // namespace fretlux
