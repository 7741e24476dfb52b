// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "board_test_support.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

constexpr int kProgramChange = 0xC0;

class FretboardCommands : public FormTest {
protected:
    void ForgetMessages() { host.midiOut.messages.clear(); }
    const std::vector<RecordedMessage>& Sent() const { return host.midiOut.messages; }
    void Press(int row, int position, int button = kLeftButton) {
        form.Board().Press(row, position, button);
    }
};

TEST_F(FretboardCommands, StartUpOpensTheOutputSetsChannelPatchAndVolumeAndNamesThePatch) {
    ScriptedHost freshHost;
    freshHost.programDirectory = directory.string();
    WriteFile("GSGMMIDI.LST", "[General MIDI]\n 25 = Steel strings\n26=Jazz\n");
    FretluxForm fresh(freshHost);
    ASSERT_TRUE(fresh.StartUp());
    EXPECT_EQ(freshHost.midiOut.openCount, 1);
    const auto& sent = freshHost.midiOut.messages;
    // Channel 0 brings both bars to 0 (a sweep and program 0), then patch 25 (another sweep).
    ASSERT_EQ(sent.size(), 49u + 1u + 49u + 1u);
    EXPECT_EQ(sent[49].message, PackShortMessage(kProgramChange, 0, 0));
    EXPECT_EQ(sent[99].message, PackShortMessage(kProgramChange, 25, 0));
    EXPECT_EQ(fresh.Midi().gVolume, 100);
    EXPECT_EQ(fresh.Controls().lblPatch.caption, "Steel strings");
    fresh.Controls().HScrollPatch.SetValue(26);
    EXPECT_EQ(fresh.Controls().lblPatch.caption, "Jazz");
    fresh.Controls().HScrollPatch.SetValue(27);
    EXPECT_EQ(fresh.Controls().lblPatch.caption, "");
}

TEST_F(FretboardCommands, ThePointerOverAControlShowsItsHintInBlueAndOverTheWindowTheTab) {
    const std::pair<std::function<void()>, std::string> hints[] = {
        {[&] { form.HintControl(PointedControl::Fretboard); }, kFretboardHint},
        {[&] { form.HintFinger(2); },
         "HELP: Allocate finger number 3 to the last note selected (or press [3] key)"},
        {[&] { form.HintFinger(4); },
         "HELP: Allocate finger number T to the last note selected (press [T] or [5])"},
        {[&] { form.HintButton(HintedButton::imgNoSound); },
         "HELP: Make last selected note not playable (black) or press [-] key"},
        {[&] { form.HintButton(HintedButton::imgBack); }, "HELP: Step to previous tab note"},
        {[&] { form.HintButton(HintedButton::imgUpDown); }, kUpDownHint},
    };
    for (const auto& [move, hint] : hints) {
        move();
        EXPECT_EQ(form.Controls().lblHelp.caption, hint);
        EXPECT_EQ(form.Controls().lblHelp.colour, kHintBlue);
    }
    form.HintControl(PointedControl::Background);
    EXPECT_EQ(form.Controls().lblHelp.caption, "TAB: 0 of 0");
    EXPECT_EQ(form.Controls().lblHelp.colour, kBlack);
}

// Each paste puts its column after the one before, whichever way it was made: Enter, the paste
// button, Paste TAB Bar, or Enter after a chord from the finder.
TEST_F(FretboardCommands, ConsecutivePastesComeOutInTheOrderTheyWereMade) {
    host.programDirectory = FRETLUX_DATA_DIR;
    host.onFastFind = [](FastFindForm& finder) { finder.Find(); };  // A major
    const auto note = [&](int fret) {
        return [this, fret] {
            form.Run(Command::ClearFretboard);
            Press(1, fret);
            form.TypeCharacter(13);
        };
    };
    const auto bar = [&] { form.Run(Command::PasteBarLine); };
    const auto chord = [&] {
        form.Run(Command::FindChord);
        form.TypeCharacter(13);
    };
    const auto button = [&] {
        form.Run(Command::ClearFretboard);
        Press(2, 2);
        form.Buttons().Run(HintedButton::imgclip2tab);
    };
    const struct {
        std::vector<std::function<void()>> pastes;
        std::string lowE;
        std::string a;
    } cases[] = {
        {{note(8), note(3), note(5)}, "E835-", "A----"},
        {{note(3), bar, button}, "E3|--", "A-|2-"},
        {{chord, note(3), bar}, "E-3|-", "A0-|-"},
    };
    for (const auto& c : cases) {
        form.Run(Command::NewDocument);
        for (const auto& paste : c.pastes) paste();
        EXPECT_EQ(form.Controls().lblTAB[6].caption.substr(0, 5), c.lowE);
        EXPECT_EQ(form.Controls().lblTAB[5].caption.substr(0, 5), c.a);
        EXPECT_EQ(View(), "TAB 1/1 column 3+0 of 77");
    }
    // The TAB's last column has nothing after it: the cursor stays on what was pasted there.
    Select(77, 0);
    bar();
    EXPECT_EQ(form.Controls().lblTAB[6].caption.back(), '|');
    EXPECT_EQ(View(), "TAB 1/1 column 77+0 of 77");
}

TEST_F(FretboardCommands, PasteFretboardReplacesTheSelectedColumns) {
    form.Run(Command::NewDocument);
    Select(2, 3);
    Press(6, 12);  // high E, fret 12
    form.Run(Command::PasteFretboard);
    EXPECT_EQ(Line(1, 1).size(), 395u - 2 * 5);
    EXPECT_EQ(form.Controls().lblTAB[1].caption.substr(0, 6), "E--12-");
    EXPECT_EQ(form.Columns().LastColumn(), 75);
}

TEST_F(FretboardCommands, PlayFretboardSoundsEveryPlayableMarkLowStringFirst) {
    Press(6, 0);
    Press(1, 3);
    Press(3, 2, kRightButton);  // a black mark does not sound
    ForgetMessages();
    form.Run(Command::PlayFretboard);
    EXPECT_EQ(host.midiOut.NotesOn(), (std::vector<int>{43, 64}));
}

TEST_F(FretboardCommands, ClickingATabColumnWithNotesShowsAndSoundsIt) {
    OpenText("chord.tab", PlainBlock("chord tab", "-0-"));
    Press(2, 7);
    ForgetMessages();
    form.PressOnTabLines(23 + form.Columns().CharWidth() * 3);
    form.ReleaseOnTabLines(23 + form.Columns().CharWidth() * 3);
    ASSERT_EQ(form.Columns().CursorColumn(), 2);
    // The fretboard is cleared first, then the column's high E open string is shown.
    EXPECT_FALSE(form.Board().Marks().At(2, 7).marked);
    EXPECT_TRUE(form.Board().Marks().At(6, 0).marked);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].Data1(), 64);
}

TEST_F(FretboardCommands, RotatingKeepsTheMarksMusicallyAndSoundsNothing) {
    Press(1, 0);
    form.TypeCharacter('5');
    ForgetMessages();
    form.Run(Command::RotateLeftRight);
    EXPECT_TRUE(form.Board().Marks().At(1, 24).marked);
    EXPECT_EQ(form.Board().Marks().At(1, 24).finger, "T");
    EXPECT_FALSE(form.Board().Marks().At(1, 0).marked);
    form.Run(Command::RotateUpDown);
    EXPECT_TRUE(form.Board().Marks().At(6, 24).marked);
    EXPECT_EQ(form.Board().StringNames().lblStrgR[1], "B");
    EXPECT_EQ(form.Board().StringNames().lblStrgL[0], "");
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(form.Midi().soundOn);
    // The redrawn note passes through the note history all the same.
    EXPECT_EQ(form.Midi().lblNote, ", E ");
}

TEST_F(FretboardCommands, TurningTwiceGivesBackTheMarksButTheLowerOfTwoOnAStringIsBlack) {
    for (const auto& [row, position, presses] : {std::tuple{2, 5, 2}, {2, 7, 4}, {4, 9, 1}}) {
        for (int press = 0; press < presses; ++press) Press(row, position);
    }
    form.TypeCharacter('5');
    Press(4, 9, kRightButton);
    const auto state = [&](int row, int i) { return Describe(form.Board().Marks(), row, i); };
    for (const Command turn : {Command::RotateLeftRight, Command::RotateUpDown}) {
        form.Run(turn);
        form.Run(turn);
        EXPECT_EQ(state(2, 5), "black 1");
        EXPECT_EQ(state(2, 7), "red 3");
        EXPECT_EQ(state(4, 9), "black T");
        EXPECT_EQ(MarkCount(form.Board().Marks()), 3);
    }
}

TEST_F(FretboardCommands, SoundOffSilencesPressesAndClearKeepsOnlyTheColours) {
    form.Run(Command::ToggleSound);
    ForgetMessages();
    Press(2, 4);
    Press(2, 4, kRightButton);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(form.Midi().lblNote, ", C#");
    form.Run(Command::ClearFretboard);
    EXPECT_FALSE(form.Board().Marks().At(2, 4).marked);
    EXPECT_FALSE(form.Board().Marks().At(2, 4).red);
    EXPECT_EQ(form.Midi().lblNote, "");
    form.Run(Command::ToggleSound);
    Press(1, 1);
    EXPECT_FALSE(Sent().empty());
}

TEST_F(FretboardCommands, TheMidiSettingsWindowSwitchesChannels) {
    host.onMidiSettings = [](MidiSettingsForm& window) {
        EXPECT_EQ(window.lblMIDICh.caption, " 1");  // the window start-up loaded, shown now
        window.HScrollMIDIChannel.SetValue(3);
    };
    ForgetMessages();
    form.Run(Command::ShowMidiSettings);
    EXPECT_EQ(form.Midi().gMidiChannel, 3);
    EXPECT_EQ(form.Controls().HScrollPatch.Value(), 0);
    EXPECT_EQ(form.Controls().hscVolume.Value(), 0);
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent().back().Status(), kProgramChange + 3);

    host.onMidiSettings = [](MidiSettingsForm& window) {
        // Loaded anew: the bar's design position and no label until it moves.
        EXPECT_EQ(window.HScrollMIDIChannel.Value(), 1);
        EXPECT_EQ(window.lblMIDICh.caption, "");
        EXPECT_EQ(window.outputStatus, "Recording output: messages are kept, not sounded");
    };
    form.Run(Command::ShowMidiSettings);
    EXPECT_EQ(form.Midi().gMidiChannel, 3);
    EXPECT_EQ(host.midiSettingsShown, 2);
}

}  // namespace
}  // namespace fretlux::testing
