// SPDX-License-Identifier: MIT
// Undo and Redo over the document: every kind of change goes back and comes again byte for
// byte, with the TAB shown, the cursor and the selection; loading forgets the history; the
// history holds a bounded number of steps.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/key_codes.h"
#include "document/tab_file_writer.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kSong =
    PlainBlock("Verse", "abcdef") + PlainBlock("Chorus", "0-3-5") + PlainBlock("Bridge", "7");

class UndoTest : public FormTest {
protected:
    // The document as Save as Fretlux writes it, the label box, and where the view stands.
    std::string State() const {
        return WriteEnhancedForm(form.Document()) + "[" + form.Controls().txtTAB.Text() + "] " +
               View();
    }
    bool CanUndo() const { return form.Controls().mnuEditUndo.enabled; }
    bool CanRedo() const { return form.Controls().mnuEditRedo.enabled; }
};

struct Change {
    const char* name;
    // What the user does first, which is no change of its own: selecting, moving, marking notes.
    std::function<void()> prepare;
    std::function<void()> change;
};

TEST_F(UndoTest, EveryKindOfChangeGoesBackAndComesAgainByteForByte) {
    OpenText("song.tab", kSong);
    const auto none = [] {};
    const std::vector<Change> changes = {
        {"Cut", [&] { Select(1, 2); }, [&] { form.Run(Command::CutColumns); }},
        {"Paste", [&] { Select(4, 0); }, [&] { form.Run(Command::PasteColumns); }},
        {"Paste TAB Bar", [&] { Select(2, 1); }, [&] { form.Run(Command::PasteBarLine); }},
        {"Paste Fretboard by Enter",
         [&] {
             form.Board().Press(2, 5, 1);
             Select(3, 0);
         },
         [&] { form.TypeCharacter(13); }},
        {"Text to TAB",
         [&] {
             Select(6, 0);
             host.onTextToTab = [](TextToTabForm& dialog) {
                 dialog.txtTAB[2] = "h";
                 dialog.Save();
             };
         },
         [&] { form.Run(Command::OpenTextToTab); }},
        // Longer than the 79 characters the box shows of a header.
        {"label typed key by key", none,
         [&] {
             const std::string typed[] = {"V", "Ve", "Ve" + std::string(80, '!')};
             for (const std::string& text : typed) form.Controls().txtTAB.SetText(text);
         }},
        {"TAB text saved",
         [&] {
             host.onTextEditor = [](TextEditorForm& editor) {
                 editor.text = "Softly\r\n";
                 editor.RunFileItem(0);
             };
         },
         [&] { form.Run(Command::EditTabText); }},
        {"Delete key", [&] { Select(2, 3); }, [&] { form.PressKeyOnTabLines(kKeyDelete, 0); }},
        {"Insert TAB", [&] { form.PressKeyOnTabLines(kKeyPageDown, 0); },
         [&] { form.Run(Command::InsertTab); }},
        {"Delete TAB", none, [&] { form.Run(Command::DeleteTab); }},
        {"a TAB that goes with its last column",
         [&] {
             form.PressKeyOnTabLines(kKeyPageDown, 0);
             Select(0, form.Columns().LastColumn() + 1);
         },
         [&] { form.Run(Command::CutColumns); }},
        {"Delete TAB of the first", [&] { form.PressKeyOnTabLines(kKeyPageUp, 0); },
         [&] { form.Run(Command::DeleteTab); }},
        {"Delete TAB of the only TAB", none, [&] { form.Run(Command::DeleteTab); }},
    };

    std::vector<std::string> before, after;
    for (const Change& change : changes) {
        change.prepare();
        before.push_back(State());
        change.change();
        after.push_back(State());
        EXPECT_NE(after.back(), before.back()) << change.name << " changed nothing";
        EXPECT_TRUE(CanUndo());
        EXPECT_FALSE(CanRedo());
    }
    EXPECT_EQ(form.Controls().hscTAB.Max(), 0);
    for (size_t i = changes.size(); i-- > 0;) {
        form.Run(Command::Undo);
        EXPECT_EQ(State(), before[i]) << "undo of " << changes[i].name;
    }
    // Redo comes back to where the next change began: moving between TABs in between stamped
    // the settings into the header of the TAB left.
    for (size_t i = 0; i < changes.size(); ++i) {
        form.Run(Command::Redo);
        EXPECT_EQ(State(), i + 1 < changes.size() ? before[i + 1] : after[i])
            << "redo of " << changes[i].name;
    }
    EXPECT_FALSE(CanRedo());
}

TEST_F(UndoTest, ATabComesBackWithTheSettingsOfTheBarsItWasShownWith) {
    OpenText("song.tab", kSong);
    form.PressKeyOnTabLines(kKeyPageDown, 0);
    form.PressKeyOnTabLines(kKeyPageDown, 0);
    form.Controls().hscTempo.SetValue(90);
    form.Run(Command::DeleteTab);
    ASSERT_EQ(View(), "TAB 2/2 column 0+0 of 8");
    form.Run(Command::Undo);
    EXPECT_EQ(View(), "TAB 3/3 column 0+0 of 4");
    EXPECT_EQ(form.Controls().hscTempo.Value(), 90);
    // Leaving it stamps its header with them, as if it had never gone.
    form.PressKeyOnTabLines(kKeyPageUp, 0);
    EXPECT_EQ(Line(3, 0).substr(80), "090100025");
}

TEST_F(UndoTest, LoadingForgetsTheHistoryAndACancelledLoadKeepsIt) {
    OpenText("song.tab", kSong);
    form.Run(Command::PasteBarLine);
    ASSERT_TRUE(CanUndo());
    host.chosenPaths.push_back(PathOf("song.tab"));
    host.answers.push_back(MessageAnswer::Cancel);
    form.Run(Command::OpenFile);
    EXPECT_TRUE(CanUndo());

    OpenText("song.tab", kSong);
    EXPECT_FALSE(CanUndo());
    const std::string opened = State();
    form.Run(Command::Undo);
    EXPECT_EQ(State(), opened);

    form.Run(Command::PasteBarLine);
    form.Run(Command::Undo);
    ASSERT_TRUE(CanRedo());
    host.answers.push_back(MessageAnswer::No);
    form.Run(Command::NewDocument);
    EXPECT_FALSE(CanUndo());
    EXPECT_FALSE(CanRedo());
}

TEST_F(UndoTest, KeepsTheLastTwoHundredChangesAndOnlyChanges) {
    form.Run(Command::NewDocument);
    form.Run(Command::CutColumns);
    EXPECT_FALSE(CanUndo()) << "nothing was selected, nothing changed";
    for (int n = 1; n <= 205; ++n) {
        form.Controls().txtTAB.SetText("take " + std::to_string(n));
        form.EndLabelEdit();
    }
    int undone = 0;
    while (CanUndo()) {
        form.Run(Command::Undo);
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(form.Controls().txtTAB.Text(), "take 5");
}

}  // namespace
}  // namespace fretlux::testing
