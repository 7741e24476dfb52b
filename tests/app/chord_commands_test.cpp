// SPDX-License-Identifier: MIT
// The Chords menu: browsing a root's chord file, and the Fast Finder showing and sounding a chord
// of the shipped library on the fretboard with its fingers.
#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"

namespace fretlux::testing {
namespace {

constexpr const char* kChordsTitle = "Fretlux  (Ver 1.10)  Chords";

std::string ChordBlocks(int count) {
    std::string file;
    for (int b = 1; b <= count; ++b) {
        file += "Block " + std::to_string(b) + "\r\n";
        for (const char* letter : {"E", "B", "G", "D", "A", "E"}) {
            file += std::string(letter) + "----" + "-    -    -AH  -    " + "\r\n";
        }
    }
    return file;
}

class ChordCommands : public FormTest {
protected:
    // Each marked position as row:fret(finger), low E row first.
    std::string Board() const {
        std::string marks;
        for (int row = 1; row <= 6; ++row) {
            for (int i = 0; i <= 24; ++i) {
                const FretMark& mark = form.Board().Marks().At(row, i);
                if (!mark.marked) continue;
                marks += std::to_string(row) + ":" + std::to_string(i) + "(" + mark.finger + ") ";
            }
        }
        return marks;
    }
    // The user picks a root and a type of the second list (9 Major, 15 aug) in the finder, and
    // Find.
    void Find(int root, int secondListType) {
        host.onFastFind = [root, secondListType](FastFindForm& finder) {
            finder.lstChord.listIndex = root;
            finder.ChooseRoot();
            finder.lstType2.listIndex = secondListType;
            finder.ChooseSecondListType();
            finder.Find();
        };
        form.Run(Command::FindChord);
    }
    // The notes sounded since the last call, in order.
    std::string Sounded() {
        std::string notes;
        for (const int note : host.midiOut.NotesOn()) notes += std::to_string(note) + " ";
        host.midiOut.messages.clear();
        return notes;
    }
};

TEST_F(ChordCommands, BrowsingOpensTheRootsFileAtTabFourteenWhenItHasOneAndTitlesItChords) {
    host.programDirectory = directory.string();
    WriteFile("ChordC#.flx", ChordBlocks(15));
    WriteFile("ChordD.flx", ChordBlocks(14));
    form.Run(MenuList::Chords, 4);
    EXPECT_EQ(form.DocumentPath(), PathOf("ChordC#.flx"));
    EXPECT_EQ(form.Controls().caption, kChordsTitle);
    EXPECT_EQ(View(), "TAB 14/15 column 0+0 of 3");
    EXPECT_EQ(form.Controls().txtTAB.Text(), "Block 14");
    form.Run(MenuList::Chords, 5);
    EXPECT_EQ(View(), "TAB 1/14 column 0+0 of 3");
    EXPECT_TRUE(host.messages.empty());

    // A missing chord file is reported by the reader in its own words, and the shown one stays.
    form.Run(MenuList::Chords, 0);
    EXPECT_EQ(host.Asked().back(),
              "Error 'No such file or directory' encountered while trying to open file, please "
              "retry. [Ok Exclamation Ok]");
    EXPECT_EQ(form.DocumentPath(), PathOf("ChordD.flx"));
    EXPECT_EQ(View(), "TAB 1/14 column 0+0 of 3");
}

TEST_F(ChordCommands, FindShowsTheChordWithItsFingersAndSoundsItFromTheLowString) {
    host.programDirectory = FRETLUX_DATA_DIR;
    form.Board().Press(3, 7, 1);
    Sounded();
    // Find at once on first use: A major, first variation, x 0 2 2 2 0.
    host.onFastFind = [](FastFindForm& finder) { finder.Find(); };
    form.Run(Command::FindChord);
    EXPECT_EQ(host.fastFindShown, 1);
    EXPECT_EQ(Board(), "2:0() 3:2(1) 4:2(2) 5:2(3) 6:0() ");
    EXPECT_EQ(Sounded(), "45 52 57 61 64 ");

    // C, minor after m7, variation 2, shown string by string.
    host.onFastFind = [](FastFindForm& finder) {
        finder.lstChord.listIndex = 3;
        finder.lstType2.listIndex = 4;
        finder.ChooseSecondListType();
        finder.lstType.listIndex = 16;
        finder.ChooseFirstListType();
        finder.lstVariat.listIndex = 1;
        finder.Find();
    };
    form.Run(Command::FindChord);
    EXPECT_EQ(Board(), "1:8(1) 2:10(3) 3:10(4) 4:8(1) 5:8(1) 6:8(1) ");
    EXPECT_EQ(Sounded(), "48 55 60 63 67 72 ");
}

TEST_F(ChordCommands, CloseLeavesTheBoardClearedAndTheWindowsCloseButtonKeepsTheChoice) {
    host.programDirectory = FRETLUX_DATA_DIR;
    Find(7, 9);  // E major
    form.Board().Press(3, 7, 1);
    Sounded();
    host.onFastFind = [](FastFindForm& finder) { finder.Close(); };
    form.Run(Command::FindChord);
    EXPECT_EQ(Board(), "");
    EXPECT_EQ(Sounded(), "");
    // Close gave up the choice: the finder opens again without a root.
    int shownRoot = 0;
    host.onFastFind = [&shownRoot](FastFindForm& finder) { shownRoot = finder.lstChord.listIndex; };
    form.Run(Command::FindChord);
    EXPECT_EQ(shownRoot, -1);

    // Closed by its own close button the finder changes nothing, and the chord of the choice as
    // it stands is shown: E major, open.
    Find(7, 9);
    host.onFastFind = nullptr;
    form.Run(Command::FindChord);
    EXPECT_EQ(Board(), "1:0() 2:2(2) 3:2(3) 4:1(1) 5:0() 6:0() ");

    // Without the chord's block, or without the file, the column keeps what it held; a missing
    // file is reported first.
    host.programDirectory = directory.string();
    WriteFile("ChordE.flx", ChordBlocks(16));
    Find(7, 15);  // E aug
    EXPECT_EQ(Board(), "1:0() 2:2(2) 3:2(3) 4:1(1) 5:0() 6:0() ");
    Find(0, 9);  // A major
    EXPECT_EQ(host.Asked().back(),
              "Error 'No such file or directory' encountered while trying to open file, please "
              "retry. [Ok Exclamation Ok]");
    EXPECT_EQ(Board(), "1:0() 2:2(2) 3:2(3) 4:1(1) 5:0() 6:0() ");
}

}  // namespace
}  // namespace fretlux::testing
