// SPDX-License-Identifier: MIT
#include "desktop/single_instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

namespace fretlux {
namespace {

TEST(SingleInstanceLock, ASecondCopyOfTheSameDirectoryIsToldAboutTheFirstUntilItEnds) {
    QTemporaryDir directory;
    QTemporaryDir other;
    {
        SingleInstanceLock first(directory.path());
        SingleInstanceLock second(directory.path());
        EXPECT_FALSE(first.AnotherCopyRunning());
        EXPECT_TRUE(second.AnotherCopyRunning());
        // The first copy asking again is not told about itself.
        EXPECT_FALSE(first.AnotherCopyRunning());
        EXPECT_FALSE(SingleInstanceLock(other.path()).AnotherCopyRunning());
    }
    EXPECT_FALSE(SingleInstanceLock(directory.path()).AnotherCopyRunning());
}

TEST(SingleInstanceLock, LockLeftByACopyThatDiedDoesNotBlock) {
    QTemporaryDir directory;
    const QString path = QDir(directory.path()).filePath(QStringLiteral("fretlux.lock"));
    // A child process takes the lock and dies without releasing it, as a crashed copy would.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(path);
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(path));

    SingleInstanceLock next(directory.path());
    EXPECT_FALSE(next.AnotherCopyRunning());
    EXPECT_TRUE(SingleInstanceLock(directory.path()).AnotherCopyRunning());
}

}  // namespace
}  // namespace fretlux
