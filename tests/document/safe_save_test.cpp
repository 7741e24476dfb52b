// SPDX-License-Identifier: MIT
// Saving through a temporary file: a save either replaces the file whole or leaves it alone.
#include "document/safe_save.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace fretlux {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(SafeSaveTest, WritesANewFileAndLeavesNothingElse) {
    test::TempDir dir;
    const std::string bytes = std::string("Intro\r\n\0E----\r\n", 16);
    EXPECT_FALSE(SaveFileReplacing(dir.File("song.flx"), bytes));
    EXPECT_EQ(test::ReadBytes(dir.File("song.flx")), bytes);
    EXPECT_EQ(dir.Entries(), Names{"song.flx"});

    EXPECT_FALSE(SaveFileReplacing(dir.File("empty.tab"), ""));
    EXPECT_TRUE(fs::is_regular_file(dir.File("empty.tab")));
    EXPECT_EQ(fs::file_size(dir.File("empty.tab")), 0u);
}

TEST(SafeSaveTest, ReplacesAnExistingFileWholeAndKeepsItsPermissions) {
    test::TempDir dir;
    const std::string path = dir.File("song.tab");
    test::WriteBytes(path, "a much longer old content\r\n");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec |
                           fs::perms::others_read;
    fs::permissions(path, mode);
    EXPECT_FALSE(SaveFileReplacing(path, "new\r\n"));
    EXPECT_EQ(test::ReadBytes(path), "new\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, mode);
    EXPECT_EQ(dir.Entries(), Names{"song.tab"});
}

TEST(SafeSaveTest, SavingOverADirectoryFailsAndLeavesIt) {
    test::TempDir dir;
    const std::string path = dir.File("song.flx");
    fs::create_directory(path);
    test::WriteBytes(path + "/inside.txt", "keep");
    const auto failure = SaveFileReplacing(path, "E----\r\n");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(test::ReadBytes(path + "/inside.txt"), "keep");
    EXPECT_EQ(dir.Entries(), Names{"song.flx"});
}

TEST(SafeSaveTest, AMissingDirectoryFailsWithoutCreatingAnything) {
    test::TempDir dir;
    const auto failure = SaveFileReplacing(dir.File("no/such/song.flx"), "E----\r\n");
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(dir.Entries(), Names{});
}

TEST(SafeSaveTest, AWriteThatFailsHalfwayLeavesTheOldFileAsItWas) {
    test::TempDir dir;
    const std::string path = dir.File("song.flx");
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

    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
    EXPECT_EQ(dir.Entries(), Names{"song.flx"});
}

TEST(SafeSaveTest, AReadOnlyDirectoryFailsAndLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not keep root from writing";
    test::TempDir dir;
    const std::string path = dir.File("song.flx");
    test::WriteBytes(path, "old content\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto failure = SaveFileReplacing(path, "new\r\n");
    fs::permissions(dir.Path(), fs::perms::owner_all);
    ASSERT_TRUE(failure);
    EXPECT_EQ(test::ReadBytes(path), "old content\r\n");
    EXPECT_EQ(dir.Entries(), Names{"song.flx"});
}

TEST(SafeSaveTest, APathWithoutADirectoryIsSavedInTheCurrentOne) {
    test::TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    const auto failure = SaveFileReplacing("plain.tab", "E---\r\n");
    fs::current_path(previous);
    EXPECT_FALSE(failure);
    EXPECT_EQ(test::ReadBytes(dir.File("plain.tab")), "E---\r\n");
    EXPECT_EQ(dir.Entries(), Names{"plain.tab"});
}

}  // namespace
}  // namespace fretlux
