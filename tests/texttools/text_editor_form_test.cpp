// SPDX-License-Identifier: MIT
#include "texttools/text_editor_form.h"

#include <gtest/gtest.h>

#include <string>

namespace fretlux {
namespace {

class ScriptedServices final : public TextEditorServices {
public:
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override {
        clipboard = text;
        ++clipboardWrites;
    }
    bool AskSaveChanges() override {
        ++questions;
        return answerYes;
    }

    std::string clipboard;
    int clipboardWrites = 0;
    int questions = 0;
    bool answerYes = false;
};

class TextEditorFormTest : public ::testing::Test {
protected:
    // Loads the window over the given text in the editor (not the tutor) mode.
    TextEditorForm& Load(const std::string& text) {
        dialogText = text;
        form.Form_Load();
        return form;
    }

    // Selects length bytes from start, as the window reports a selection.
    void Select(std::size_t start, std::size_t length) {
        form.selStart = start;
        form.selLength = length;
    }

    ScriptedServices services;
    std::string dialogText;
    TextEditorForm form{dialogText, false, services};
};

TEST_F(TextEditorFormTest, LoadsTheTextWithTheCaretAtTheStartAndBothMenus) {
    Load("Verse one\r\nVerse two\r\n");
    EXPECT_EQ(form.caption, "Text Editor");
    EXPECT_FALSE(form.locked);
    EXPECT_TRUE(form.menusVisible);
    EXPECT_EQ(form.text, "Verse one\r\nVerse two\r\n");
    EXPECT_EQ(form.selStart, 0u);
    EXPECT_EQ(form.selLength, 0u);
    EXPECT_FALSE(form.closeRequested);
}

TEST_F(TextEditorFormTest, InALessonTheWindowIsTheReadOnlyTutorWithoutMenus) {
    dialogText = "Place your first finger\r\non the third fret.";
    TextEditorForm tutor(dialogText, true, services);
    tutor.Form_Load();
    EXPECT_EQ(tutor.caption, "Fretlux Tutor");
    EXPECT_TRUE(tutor.locked);
    EXPECT_FALSE(tutor.menusVisible);
    EXPECT_EQ(tutor.text, "Place your first finger\r\non the third fret.");
}

TEST_F(TextEditorFormTest, UntilSaveOrCloseTheTextPassedInStays) {
    Load("Old");
    form.text = "Typed but never saved";
    form.mnuEdit_Click();
    EXPECT_EQ(dialogText, "Old");
    EXPECT_FALSE(form.closeRequested);
}

TEST_F(TextEditorFormTest, SaveHandsBackTheTextAsItIsWithoutAsking) {
    Load("Old");
    form.text = "Line 1\r\nLine 2";
    form.mnuFileItem_Click(0);
    EXPECT_EQ(dialogText, "Line 1\r\nLine 2");
    EXPECT_TRUE(form.closeRequested);
    EXPECT_EQ(services.questions, 0);
}

TEST_F(TextEditorFormTest, SaveOfAnEmptiedBoxHandsBackTheEmptyText) {
    Load("Old");
    form.text.clear();
    form.mnuFileItem_Click(0);
    EXPECT_EQ(dialogText, "");
    EXPECT_TRUE(form.closeRequested);
}

TEST_F(TextEditorFormTest, SavingTheKeepMarkerHandsBackTheMarkerItself) {
    Load("Old");
    form.text = kKeepTextMarker;
    form.mnuFileItem_Click(0);
    // The caller reads this as "keep the old text": the marker cannot become a TAB's text.
    EXPECT_EQ(dialogText, "***EXIT***");
}

TEST_F(TextEditorFormTest, CloseAnsweredNoHandsBackTheKeepMarker) {
    Load("Old");
    form.text = "Edited";
    services.answerYes = false;
    form.mnuFileItem_Click(1);
    EXPECT_EQ(services.questions, 1);
    EXPECT_EQ(dialogText, "***EXIT***");
    EXPECT_TRUE(form.closeRequested);
}

TEST_F(TextEditorFormTest, CloseAnsweredYesHandsBackTheEditedText) {
    Load("Old");
    form.text = "Edited";
    services.answerYes = true;
    form.mnuFileItem_Click(1);
    EXPECT_EQ(services.questions, 1);
    EXPECT_EQ(dialogText, "Edited");
    EXPECT_TRUE(form.closeRequested);
}

TEST_F(TextEditorFormTest, AFileItemThatDoesNotExistDoesNothing) {
    Load("Old");
    form.mnuFileItem_Click(2);
    EXPECT_FALSE(form.closeRequested);
    EXPECT_EQ(dialogText, "Old");
    EXPECT_EQ(services.questions, 0);
}

TEST_F(TextEditorFormTest, CutAndCopyAreGreyedOutWithoutASelectionAndPasteNever) {
    Load("abc");
    form.mnuEdit_Click();
    EXPECT_FALSE(form.mnuEditItem[0].enabled);
    EXPECT_FALSE(form.mnuEditItem[1].enabled);
    EXPECT_TRUE(form.mnuEditItem[2].enabled);

    Select(1, 1);
    form.mnuEdit_Click();
    EXPECT_TRUE(form.mnuEditItem[0].enabled);
    EXPECT_TRUE(form.mnuEditItem[1].enabled);
    EXPECT_TRUE(form.mnuEditItem[2].enabled);

    // The enabling follows the selection each time the menu opens, both ways.
    Select(2, 0);
    form.mnuEdit_Click();
    EXPECT_FALSE(form.mnuEditItem[0].enabled);
    EXPECT_FALSE(form.mnuEditItem[1].enabled);
}

TEST_F(TextEditorFormTest, CopyPutsTheSelectionOnTheClipboardAndLeavesTheText) {
    Load("Am\r\nC G");
    services.clipboard = "earlier";
    Select(1, 4);
    form.mnuEditItem_Click(1);
    EXPECT_EQ(services.clipboard, "m\r\nC");
    EXPECT_EQ(form.text, "Am\r\nC G");
    EXPECT_EQ(form.selStart, 1u);
    EXPECT_EQ(form.selLength, 4u);
}

TEST_F(TextEditorFormTest, CutMovesTheSelectionToTheClipboardAndLeavesTheCaretInItsPlace) {
    Load("Intro\r\nVerse\r\nChorus");
    Select(5, 7);
    form.mnuEditItem_Click(0);
    EXPECT_EQ(services.clipboard, "\r\nVerse");
    EXPECT_EQ(form.text, "Intro\r\nChorus");
    EXPECT_EQ(form.selStart, 5u);
    EXPECT_EQ(form.selLength, 0u);
}

TEST_F(TextEditorFormTest, CutWithoutASelectionEmptiesTheClipboardAndKeepsTheText) {
    Load("abc");
    services.clipboard = "earlier";
    Select(1, 0);
    form.mnuEditItem_Click(0);
    EXPECT_EQ(services.clipboard, "");
    EXPECT_EQ(services.clipboardWrites, 1);
    EXPECT_EQ(form.text, "abc");
}

TEST_F(TextEditorFormTest, PasteReplacesTheSelectionAndPutsTheCaretAfterIt) {
    Load("play slowly");
    services.clipboard = "very\r\nfast";
    Select(5, 6);
    form.mnuEditItem_Click(2);
    EXPECT_EQ(form.text, "play very\r\nfast");
    EXPECT_EQ(form.selStart, 15u);
    EXPECT_EQ(form.selLength, 0u);
    EXPECT_EQ(services.clipboardWrites, 0);
}

TEST_F(TextEditorFormTest, PasteWithoutASelectionInsertsAtTheCaret) {
    Load("AD");
    services.clipboard = "BC";
    Select(1, 0);
    form.mnuEditItem_Click(2);
    EXPECT_EQ(form.text, "ABCD");
    EXPECT_EQ(form.selStart, 3u);
}

TEST_F(TextEditorFormTest, ASelectionReachingPastTheEndIsCutToTheText) {
    Load("abc");
    Select(1, 10);
    form.mnuEditItem_Click(0);
    EXPECT_EQ(services.clipboard, "bc");
    EXPECT_EQ(form.text, "a");

    services.clipboard = "Z";
    Select(7, 2);
    form.mnuEditItem_Click(2);
    EXPECT_EQ(form.text, "aZ");
    EXPECT_EQ(form.selStart, 2u);
}

TEST_F(TextEditorFormTest, CutThenPasteElsewhereMovesTheBytesUnchanged) {
    // Latin-1 bytes stay bytes: the form never decodes the text.
    Load("caf\xE9 au lait");
    Select(0, 5);
    form.mnuEditItem_Click(0);
    Select(form.text.size(), 0);
    form.mnuEditItem_Click(2);
    EXPECT_EQ(form.text, "au laitcaf\xE9 ");
}

}  // namespace
}  // namespace fretlux
