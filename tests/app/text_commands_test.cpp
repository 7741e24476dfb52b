// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "player_fixture.h"

namespace fretlux::testing {
namespace {

class TabTextCommands : public PlayerTest {
protected:
    void SetUp() override { OpenTabs({{{"1:0", "1:1"}, {41, 100, 25}, "Old"}}); }

    // Opens the TAB's text window, replaces its text and picks File item 0 (Save) or 1 (Close);
    // without an item the window is closed with its own close button.
    void Edit(const std::string& typed, std::optional<int> item) {
        host.onTextEditor = [typed, item](TextEditorForm& editor) {
            EXPECT_EQ(editor.caption, "Text Editor");
            editor.text = typed;
            if (item) editor.RunFileItem(*item);
        };
        form.Run(Command::EditTabText);
    }
};

// What the text window hands back is stored; its own Save and Close rules are its model's tests'.
TEST_F(TabTextCommands, WhatTheWindowHandsBackIsStoredAndTheButtonShowsWhetherThereIsText) {
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEditUp);
    Edit("Typed but not saved", std::nullopt);
    EXPECT_EQ(form.Document().tabTexts[0], "Old\r\n");
    host.answers = {MessageAnswer::Discard, MessageAnswer::Save};
    Edit("New", 1);
    EXPECT_EQ(form.Document().tabTexts[0], "Old\r\n");
    EXPECT_EQ(host.Asked(),
              std::vector<std::string>{"Save changes? [SaveDiscardCancel Question Save]"});
    Edit("Newer", 1);
    EXPECT_EQ(form.Document().tabTexts[0], "Newer");
    Edit("***EXIT***", 0);
    EXPECT_EQ(form.Document().tabTexts[0], "***EXIT***");
    Edit("", 0);
    EXPECT_EQ(form.Document().tabTexts[0], "");
    EXPECT_EQ(form.Controls().imgEdit, EditPicture::imgEdit2Up);
    // Without a TAB no window opens.
    form.Run(Command::DeleteTab);
    form.Run(Command::EditTabText);
    EXPECT_EQ(host.textEditorShown, 5);
}

using ExternalEditor = PlayerTest;

TEST_F(ExternalEditor, WithoutAPathOnlyTheNoticeShows) {
    form.Run(Command::EditInOutsideEditor);
    EXPECT_EQ(host.Asked(), std::vector<std::string>{
                                "The external text editor does not support enhanced Fretlux "
                                "files.\rUse this only for standard TAB files or printing [Ok "
                                "None Ok]"});
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_TRUE(host.openedWithProgram.empty());
}

TEST_F(ExternalEditor, SavesAsTabStoppingPlaybackAndOpensTheTabFile) {
    OpenTabs({{{"1:0", "1:1", "1:2"}}});
    form.Run(Command::StartPlayback);
    host.chosenPaths = {PathOf("song.tab")};
    form.Run(Command::EditInOutsideEditor);
    EXPECT_EQ(form.Playback().PlayTimer().Interval(), 0);
    EXPECT_NE(ReadFile("song.tab").find("012\r\n"), std::string::npos);
    // With the save dialog cancelled only the last three characters of the path are swapped.
    OpenTabs({{{"1:0", "1:1"}}});
    host.chosenPaths = {std::nullopt};
    form.Run(Command::EditInOutsideEditor);
    EXPECT_EQ(host.openedWithProgram,
              (std::vector<std::string>{PathOf("song.tab"), PathOf("piece.tab")}));
}

class TextToTab : public PlayerTest {
protected:
    // Opens Text to TAB on the given column, types into the boxes and saves.
    void Type(int column, const std::array<std::string, 6>& typed) {
        form.SelectColumns(column, 0);
        host.onTextToTab = [typed](TextToTabForm& dialog) {
            for (int i = 0; i < 6; ++i) {
                if (typed[i] == dialog.txtTAB[i]) continue;
                dialog.txtTAB[i] = typed[i];
                dialog.BoxChanged(i);
            }
            dialog.Save();
        };
        form.Run(Command::OpenTextToTab);
    }

    std::string Symbols(int column) const {
        std::string symbols;
        for (int line = 1; line <= 6; ++line) symbols += Line(1, line)[5 * column + 5];
        return symbols;
    }
};

TEST_F(TextToTab, TheBoxesShowTheColumnsSymbolsTopLineFirst) {
    form.Run(Command::OpenTextToTab);  // without a TAB nothing opens
    EXPECT_EQ(host.textToTabShown, 0);
    OpenTabs({{{"1:3 6:12", "-"}}});
    std::string shown;
    host.onTextToTab = [&](TextToTabForm& dialog) {
        for (const auto& box : dialog.txtTAB) shown += box;
    };
    form.Run(Command::OpenTextToTab);
    EXPECT_EQ(shown, "3----1");
}

TEST_F(TextToTab, LettersStandDigitsGiveWayAndSoundingNotesKeepTheirFret) {
    OpenTabs({{{"1:3", "-", "-"}}});
    Type(0, {"h", "h", "7", "", "x", "/"});
    EXPECT_EQ(Symbols(0), "3h--x/");
    EXPECT_EQ(form.Columns().SelectionLength(), 1);
    EXPECT_EQ(form.Controls().lblTAB[2].caption.substr(1, 1), "h");
}

TEST_F(TextToTab, CloseLeavesTheTabUntouched) {
    OpenTabs({{{"1:3", "-"}}});
    const TabBlock before = form.Document().tabLines[0];
    host.onTextToTab = [](TextToTabForm& dialog) {
        dialog.txtTAB[1] = "q";
        dialog.Close();
    };
    form.SelectColumns(1, 0);
    form.Run(Command::OpenTextToTab);
    EXPECT_EQ(form.Document().tabLines[0], before);
    EXPECT_EQ(form.Columns().SelectionLength(), 0);
}

}  // namespace
}  // namespace fretlux::testing
