// SPDX-License-Identifier: MIT
// The directory and file name a Save command proposes from the document's path.
#include "document/file_names.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(FileNamesTest, DirectoryAndNameSplitAtTheLastSeparator) {
    EXPECT_EQ(DirectoryPart("/home/ann/songs/Blues.tab"), "/home/ann/songs");
    EXPECT_EQ(NamePart("/home/ann/songs/Blues.tab"), "Blues.tab");
    EXPECT_EQ(DirectoryPart("UNTITLED.FLX"), "");
    EXPECT_EQ(NamePart("UNTITLED.FLX"), "UNTITLED.FLX");
    EXPECT_EQ(DirectoryPart("/Blues.tab"), "");
    EXPECT_EQ(DirectoryPart("songs/"), "songs");
    EXPECT_EQ(NamePart("songs/"), "");
}

TEST(FileNamesTest, ProposedNameKeepsTheBaseNameAndTakesTheNewExtension) {
    EXPECT_EQ(ProposedFileName("/home/ann/songs/Blues.TAB", ".flx"), "Blues.flx");
    EXPECT_EQ(ProposedFileName("/home/ann/songs/BLUES.flx", ".tab"), "BLUES.tab");
    EXPECT_EQ(ProposedFileName("UNTITLED.FLX", ".tab"), "UNTITLED.tab");
    EXPECT_EQ(ProposedFileName("/songs/SONG", ".flx"), "SONG.flx");
    EXPECT_EQ(ProposedFileName("/songs/live.2024.tab", ".flx"), "live.2024.flx");
    // Only the name part's dots count.
    EXPECT_EQ(ProposedFileName("/songs.old/Riff", ".tab"), "Riff.tab");
    EXPECT_EQ(ProposedFileName("/songs/.hidden", ".flx"), ".flx");
    EXPECT_EQ(ProposedFileName("", ".flx"), ".flx");
}

}  // namespace
}  // namespace fretlux
