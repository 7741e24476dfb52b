// SPDX-License-Identifier: MIT
#include "playback/patch_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fretlux::testing {
namespace {

namespace fs = std::filesystem;

TEST(PatchList, FindsKeysOfItsSectionWhateverTheBlanksAndCaseAndTheFirstKeyWins) {
    const std::string text =
        "; instruments\n"
        "[Drum Kits]\n"
        "26=Room Kit\n"
        "[ general MIDI ]\n"
        "; 24=Commented Out\n"
        "just some words\n"
        "[unclosed\n"
        "  25   =Acoustic Guitar (steel)\n"
        "26=  Electric Guitar (jazz)  \n"
        "\t27\t=\tElectric Guitar (clean)\n"
        "27=Second\n";
    const PatchList list = PatchList::Parse(text + "1=" + std::string(300, 'x') + "\n");
    EXPECT_EQ(list.PatchName(24), "");
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.PatchName(26), "Electric Guitar (jazz)");
    EXPECT_EQ(list.PatchName(27), "Electric Guitar (clean)");
    // A name is cut to what the lookup buffer holds.
    EXPECT_EQ(list.PatchName(1), std::string(254, 'x'));
    EXPECT_EQ(list.Lookup("General MIDI", " 25 "), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.Lookup("General MIDI", "just some words"), "");
    EXPECT_EQ(list.Lookup("drum kits", "26"), "Room Kit");
    EXPECT_EQ(list.Lookup("GS Extras", "26"), "");
    // Keys before any section belong to none.
    EXPECT_EQ(PatchList::Parse("25=Acoustic Guitar (steel)\n").PatchName(25), "");
    EXPECT_EQ(PatchList().PatchName(25), "");
}

TEST(PatchList, ReadsAFileWithWindowsLineEndsOnceAndAMissingOneAsEmpty) {
    const fs::path directory =
        fs::temp_directory_path() / ("fretlux-patches-" + std::to_string(::getpid()));
    fs::create_directories(directory);
    const fs::path path = directory / kPatchListFileName;
    std::ofstream(path, std::ios::binary) << "[General MIDI]\r\n 25 = Steel\r\n26=Jazz\r\n";
    const PatchList list = PatchList::Read(path);
    std::ofstream(path, std::ios::binary) << "[General MIDI]\n25=After\n";
    EXPECT_EQ(list.PatchName(25), "Steel");
    EXPECT_EQ(list.PatchName(26), "Jazz");
    EXPECT_EQ(PatchList::Read(directory / "missing.lst").PatchName(25), "");
    EXPECT_EQ(PatchList::Read(directory).PatchName(25), "");  // a directory is no file
    fs::remove_all(directory);
}

TEST(ShippedPatchList, NamesAll128GeneralMidiPatches) {
    const PatchList list = PatchList::Read(fs::path(FRETLUX_DATA_DIR) / kPatchListFileName);
    for (int patch = 0; patch < 128; ++patch) EXPECT_FALSE(list.PatchName(patch).empty()) << patch;
    EXPECT_EQ(list.PatchName(128), "");
    EXPECT_EQ(list.PatchName(0), "Acoustic Grand Piano");
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.PatchName(127), "Gunshot");
}

}  // namespace
}  // namespace fretlux::testing
