// SPDX-License-Identifier: MIT
// Saving through a temporary file: a save either replaces the file whole or leaves it alone.
#include "document/safe_save.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "test_support.h"

namespace fretlux {
namespace {

namespace fs = std::filesystem;
using test::Lines;

class SafeSaveTest : public ::testing::Test {
protected:
    // Saving over the old content must fail, leaving that content and nothing beside it.
    void ExpectFailureKeepsOldFile(const std::optional<std::string>& failure) {
        ASSERT_TRUE(failure);
        EXPECT_FALSE(failure->empty());
        EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
        EXPECT_EQ(dir.Entries(), Lines{"song.flx"});
    }

    test::TempDir dir;
    const std::string path = dir.File("song.flx");
};

TEST_F(SafeSaveTest, WritesNewFilesAndReplacesOldOnesWholeKeepingTheirPermissions) {
    const std::string bytes = std::string("Intro\r\n\0E----\r\n", 16);
    EXPECT_FALSE(SaveFileReplacing(path, bytes));
    EXPECT_EQ(test::ReadBytes(path), bytes);
    EXPECT_FALSE(SaveFileReplacing(dir.File("empty.tab"), ""));
    EXPECT_TRUE(fs::is_regular_file(dir.File("empty.tab")));
    EXPECT_EQ(fs::file_size(dir.File("empty.tab")), 0u);

    const fs::perms mode = fs::perms::owner_all | fs::perms::others_read;
    fs::permissions(path, mode);
    EXPECT_FALSE(SaveFileReplacing(path, "new\r\n"));
    EXPECT_EQ(test::ReadBytes(path), "new\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, mode);
    EXPECT_EQ(dir.Entries(), (Lines{"empty.tab", "song.flx"}));
}

TEST_F(SafeSaveTest, SavingOverADirectoryFailsAndLeavesIt) {
    fs::create_directory(path);
    test::WriteBytes(path + "/inside.txt", "keep");
    const auto failure = SaveFileReplacing(path, "E----\r\n");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(test::ReadBytes(path + "/inside.txt"), "keep");
    EXPECT_EQ(dir.Entries(), Lines{"song.flx"});
}

TEST_F(SafeSaveTest, AMissingDirectoryFailsWithoutCreatingAnything) {
    const auto failure = SaveFileReplacing(dir.File("no/such/song.flx"), "E----\r\n");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(dir.Entries(), Lines{});
}

TEST_F(SafeSaveTest, AWriteThatFailsHalfwayLeavesTheOldFileAsItWas) {
    test::WriteBytes(path, "old content\r\n");
    // Files may grow to 100 bytes only, so writing 10000 fails partway through.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failure = SaveFileReplacing(path, std::string(10000, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    ExpectFailureKeepsOldFile(failure);
}

TEST_F(SafeSaveTest, AReadOnlyDirectoryFailsAndLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not keep root from writing";
    test::WriteBytes(path, "old content\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto failure = SaveFileReplacing(path, "new\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_all);
    ExpectFailureKeepsOldFile(failure);
}

TEST_F(SafeSaveTest, APathWithoutADirectoryIsSavedInTheCurrentOne) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    const auto failure = SaveFileReplacing("plain.tab", "E---\r\n");
    fs::current_path(previous);
    EXPECT_FALSE(failure);
    EXPECT_EQ(test::ReadBytes(dir.File("plain.tab")), "E---\r\n");
    EXPECT_EQ(dir.Entries(), Lines{"plain.tab"});
}

}  // namespace
}  // namespace fretlux
