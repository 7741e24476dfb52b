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

class PatchListFile : public ::testing::Test {
protected:
    PatchListFile() : directory_(fs::temp_directory_path() / ("fretlux-patch-list-" + Unique())) {
        fs::create_directories(directory_);
    }
    ~PatchListFile() override { fs::remove_all(directory_); }

    fs::path Write(const std::string& name, const std::string& text) {
        const fs::path path = directory_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path directory_;

private:
    static std::string Unique() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->name()) + "-" + std::to_string(::getpid());
    }
};

TEST(PatchList, FindsTheNameOfAPatchWhoseKeyHasBlanksAround) {
    const PatchList list = PatchList::Parse(
        "[General MIDI]\n"
        "  25   =Acoustic Guitar (steel)\n"
        "26=  Electric Guitar (jazz)  \n"
        "\t27\t=\tElectric Guitar (clean)\n");
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.PatchName(26), "Electric Guitar (jazz)");
    EXPECT_EQ(list.PatchName(27), "Electric Guitar (clean)");
    EXPECT_EQ(list.Lookup("General MIDI", " 25"), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.Lookup("General MIDI", "25 "), "Acoustic Guitar (steel)");
}

TEST(PatchList, SectionNamesIgnoreBlanksAndCase) {
    const PatchList list = PatchList::Parse("[ general midi ]\n0=Acoustic Grand Piano\n");
    EXPECT_EQ(list.PatchName(0), "Acoustic Grand Piano");
}

TEST(PatchList, AMissingSectionOrKeyGivesAnEmptyName) {
    const PatchList list = PatchList::Parse(
        "[Drum Kits]\n"
        "25=Room Kit\n"
        "[General MIDI]\n"
        "24=Acoustic Guitar (nylon)\n");
    EXPECT_EQ(list.PatchName(25), "");
    EXPECT_EQ(list.PatchName(24), "Acoustic Guitar (nylon)");
    EXPECT_EQ(list.Lookup("Drum Kits", "25"), "Room Kit");
    EXPECT_EQ(list.Lookup("GS Extras", "25"), "");
    EXPECT_EQ(PatchList::Parse("25=Acoustic Guitar (steel)\n").PatchName(25), "");
    EXPECT_EQ(PatchList().PatchName(25), "");
}

TEST(PatchList, SkipsCommentsAndLinesThatAreNeitherSectionNorKey) {
    const PatchList list = PatchList::Parse(
        "; instruments\n"
        "[General MIDI]\n"
        "; 25=Commented Out\n"
        "just some words\n"
        "[unclosed\n"
        "25=Acoustic Guitar (steel)\n");
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.Lookup("General MIDI", "just some words"), "");
}

TEST(PatchList, TheFirstLineGivingAKeyWins) {
    const PatchList list = PatchList::Parse("[General MIDI]\n25=First\n25=Second\n");
    EXPECT_EQ(list.PatchName(25), "First");
}

TEST(PatchList, ANameIsCutToWhatTheLookupBufferHolds) {
    const PatchList list = PatchList::Parse("[General MIDI]\n1=" + std::string(300, 'x') + "\n");
    EXPECT_EQ(list.PatchName(1), std::string(254, 'x'));
}

TEST_F(PatchListFile, ReadsAFileWithWindowsLineEnds) {
    const fs::path path =
        Write("GSGMMIDI.LST", "[General MIDI]\r\n 25 = Acoustic Guitar (steel)\r\n26=Jazz\r\n");
    const PatchList list = PatchList::Read(path);
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.PatchName(26), "Jazz");
}

TEST_F(PatchListFile, KeepsWhatItReadWhenTheFileChangesLater) {
    const fs::path path = Write("GSGMMIDI.LST", "[General MIDI]\n25=Before\n");
    const PatchList list = PatchList::Read(path);
    Write("GSGMMIDI.LST", "[General MIDI]\n25=After\n");
    EXPECT_EQ(list.PatchName(25), "Before");
}

TEST_F(PatchListFile, AMissingFileGivesEmptyNames) {
    const PatchList list = PatchList::Read(directory_ / "GSGMMIDI.LST");
    EXPECT_EQ(list.PatchName(25), "");
    EXPECT_EQ(PatchList::Read(directory_).PatchName(25), "");  // a directory is no file
}

TEST(ShippedPatchList, NamesAll128GeneralMidiPatches) {
    const PatchList list = PatchList::Read(fs::path(FRETLUX_DATA_DIR) / kPatchListFileName);
    for (int patch = 0; patch < 128; ++patch) {
        EXPECT_FALSE(list.PatchName(patch).empty()) << patch;
    }
    EXPECT_EQ(list.PatchName(128), "");
    EXPECT_EQ(list.PatchName(0), "Acoustic Grand Piano");
    EXPECT_EQ(list.PatchName(24), "Acoustic Guitar (nylon)");
    EXPECT_EQ(list.PatchName(25), "Acoustic Guitar (steel)");
    EXPECT_EQ(list.PatchName(127), "Gunshot");
}

}  // namespace
}  // namespace fretlux::testing
