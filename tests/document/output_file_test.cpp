// SPDX-License-Identifier: MIT
// The one way files are written: a write replaces its target whole or leaves it alone, keeps
// permissions and group, and leaves nothing behind when it fails or is interrupted. Links,
// devices, FIFOs and standard output are tried end to end through fretlux-cli.
#include "document/output_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "document/safe_save.h"
#include "test_support.h"

namespace fretlux {
namespace {

namespace fs = std::filesystem;
using test::Lines;

class OutputFileTest : public ::testing::Test {
protected:
    // A write over the old content that must fail, leaving that content and nothing beside it.
    void ExpectFailureKeepsOldFile(const std::optional<std::string>& failure) {
        ASSERT_TRUE(failure);
        EXPECT_FALSE(failure->empty());
        EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
        EXPECT_EQ(dir.Entries(), Lines{"song.flx"});
    }

    test::TempDir dir;
    const std::string path = dir.File("song.flx");
};

TEST_F(OutputFileTest, NewAndReplacedFilesAndTheLongestNames) {
    const std::string bytes = std::string("Intro\r\n\0E----\r\n", 16);
    EXPECT_FALSE(SaveFileReplacing(path, bytes));
    EXPECT_EQ(test::ReadBytes(path), bytes);
    EXPECT_FALSE(SaveFileReplacing(dir.File("empty.tab"), ""));
    EXPECT_EQ(fs::file_size(dir.File("empty.tab")), 0u);

    // A replaced file keeps its permissions, a private one stays private.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(SaveFileReplacing(path, "new\r\n"));
    EXPECT_EQ(test::ReadBytes(path), "new\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);

    // A name of 255 bytes, the most a directory entry holds, still has room for the new file.
    const std::string longest = std::string(251, 'n') + ".tab";
    EXPECT_FALSE(SaveFileReplacing(dir.File(longest), "E---\r\n"));
    EXPECT_FALSE(SaveFileReplacing(dir.File(longest), "A---\r\n"));
    EXPECT_EQ(test::ReadBytes(dir.File(longest)), "A---\r\n");

    // A path without a directory is written in the current one.
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    EXPECT_FALSE(SaveFileReplacing("plain.tab", "E---\r\n"));
    fs::current_path(previous);
    EXPECT_EQ(dir.Entries(), (Lines{"empty.tab", longest, "plain.tab", "song.flx"}));
}

TEST_F(OutputFileTest, AWriteThatFailsHalfwayLeavesTheOldFileAsItWas) {
    test::WriteBytes(path, "old content\r\n");
    // Files may grow to 100 bytes only, so writing 100000 fails partway through.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failure = SaveFileReplacing(path, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    ExpectFailureKeepsOldFile(failure);
}

TEST_F(OutputFileTest, AReadOnlyDirectoryFailsAndLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not keep root from writing";
    test::WriteBytes(path, "old content\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto failure = SaveFileReplacing(path, "new\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_all);
    ExpectFailureKeepsOldFile(failure);
}

// A file is in place only once committed, and a header can be completed after the body.
TEST_F(OutputFileTest, NothingReplacesTheTargetBeforeCommit) {
    test::WriteBytes(path, "old content\r\n");
    {
        OutputFile file;
        ASSERT_FALSE(file.Open(path));
        ASSERT_FALSE(file.Write("size ?\r\n" + std::string(200000, 'x')));
        EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
        EXPECT_EQ(dir.Entries(), Lines{"song.flx"});
    }
    EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
    OutputFile file;
    ASSERT_FALSE(file.Open(path));
    ASSERT_FALSE(file.Write("size ?\r\nbody"));
    ASSERT_FALSE(file.WriteAt(5, "9"));
    ASSERT_FALSE(file.Commit());
    EXPECT_EQ(test::ReadBytes(path), "size 9\r\nbody");
}

// A run ended by a signal while writing leaves the old file and nothing else.
TEST_F(OutputFileTest, AnInterruptedWriteLeavesNothingBehind) {
    test::WriteBytes(path, "old content\r\n");
    for (const int signal : {SIGINT, SIGTERM}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            OutputFile file;
            if (file.Open(path) || file.Write(std::string(300000, 'x'))) ::_exit(3);
            ::raise(signal);
            ::_exit(4);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        ExpectFailureKeepsOldFile("interrupted");
    }
}

// Someone not root who belongs to a shared group rewrites a file of that group, mode 0660: the
// group keeps its access.
TEST_F(OutputFileTest, AReplacedFileKeepsTheGroupItsWriterBelongsTo) {
    if (::geteuid() != 0) GTEST_SKIP() << "root is needed to act as a user with an extra group";
    constexpr uid_t kUser = 54321;
    constexpr gid_t kOwnGroup = 54321;
    constexpr gid_t kSharedGroup = 54322;
    test::WriteBytes(path, "old content\r\n");
    ASSERT_EQ(::chown(path.c_str(), kUser, kSharedGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);
    ASSERT_EQ(::chown(dir.Path().c_str(), kUser, kOwnGroup), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(1, &kSharedGroup) != 0 || ::setgid(kOwnGroup) != 0 ||
            ::setuid(kUser) != 0) {
            ::_exit(3);
        }
        ::_exit(SaveFileReplacing(path, "new\r\n") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    struct stat written {};
    ASSERT_EQ(::stat(path.c_str(), &written), 0);
    EXPECT_EQ(test::ReadBytes(path), "new\r\n");
    EXPECT_EQ(written.st_gid, kSharedGroup);
    EXPECT_EQ(written.st_mode & 07777, 0660u);
}

// A staged file left by a writer killed where no handler runs bears its process id; the next
// write into the directory removes it, and leaves those of writers still running.
TEST_F(OutputFileTest, StagedFilesOfWritersThatNoLongerRunAreRemoved) {
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string abandoned = ".fretlux-" + std::to_string(gone) + "-abcd1234";
    const std::string running = ".fretlux-" + std::to_string(::getppid()) + "-abcd1234";
    test::WriteBytes(dir.File(abandoned), "half a file");
    test::WriteBytes(dir.File(running), "half a file");
    EXPECT_FALSE(SaveFileReplacing(path, "E---\r\n"));
    EXPECT_EQ(dir.Entries(), (Lines{running, "song.flx"}));
}

}  // namespace
}  // namespace fretlux
