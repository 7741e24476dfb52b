// SPDX-License-Identifier: MIT
// The keys on the TAB lines at and near the ends of a TAB: where the cursor and the selection
// end up, and which TAB is shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/key_codes.h"
#include "document/tab_cell.h"
#include "form_fixture.h"

namespace fretlux::testing {
namespace {

struct Key {
    int code;
    int shift;
};

constexpr Key kLeft{kKeyLeft, 0}, kRight{kKeyRight, 0}, kHome{kKeyHome, 0}, kEnd{kKeyEnd, 0};
constexpr Key kShiftLeft{kKeyLeft, kShiftMask}, kShiftRight{kKeyRight, kShiftMask};
constexpr Key kShiftHome{kKeyHome, kShiftMask}, kShiftEnd{kKeyEnd, kShiftMask};
constexpr Key kPageUp{kKeyPageUp, 0}, kPageDown{kKeyPageDown, 0}, kDelete{kKeyDelete, 0};
constexpr Key kCtrlX{kKeyX, kCtrlMask}, kCtrlV{kKeyV, kCtrlMask}, kCtrlLeft{kKeyLeft, kCtrlMask};

struct KeyCase {
    int column;
    int length;
    std::vector<Key> keys;
    const char* view;
};

class TabKeysTest : public FormTest {};

// TAB 1 has columns 0..9: the bar, a to f and three hyphens; TAB 2 has columns 0..8.
const std::string kTwoTabs = PlainBlock("count", "abcdef") + PlainBlock("Chorus", "0-3-5");

TEST_F(TabKeysTest, KeysMoveTheCursorAndTheSelectionUpToTheEndsOfTheTab) {
    const std::vector<KeyCase> cases = {
        {0, 0, {kLeft}, "TAB 1/2 column 0+0 of 9"},
        {9, 0, {kRight}, "TAB 1/2 column 9+0 of 9"},
        {5, 0, {kHome}, "TAB 1/2 column 0+0 of 9"},
        {5, 0, {kEnd}, "TAB 1/2 column 9+0 of 9"},
        {9, 0, {kShiftRight, kShiftRight}, "TAB 1/2 column 9+1 of 9"},
        {0, 0, {kShiftLeft}, "TAB 1/2 column 0+0 of 9"},
        {3, 0, {kShiftLeft, kShiftLeft}, "TAB 1/2 column 1+2 of 9"},
        {3, 0, {kShiftLeft, kShiftLeft, kShiftRight}, "TAB 1/2 column 2+1 of 9"},
        {3, 0, {kShiftLeft, kShiftRight, kShiftRight}, "TAB 1/2 column 3+1 of 9"},
        {3, 0, {kShiftEnd}, "TAB 1/2 column 3+7 of 9"},
        {3, 0, {kShiftHome}, "TAB 1/2 column 0+3 of 9"},
        // A selection made with the mouse shrinks at its right end.
        {2, 3, {kShiftLeft}, "TAB 1/2 column 2+2 of 9"},
        {2, 3, {kLeft}, "TAB 1/2 column 2+0 of 9"},
        {2, 3, {kRight}, "TAB 1/2 column 5+0 of 9"},
        {7, 3, {kRight}, "TAB 1/2 column 9+0 of 9"},
        {4, 0, {kCtrlLeft}, "TAB 1/2 column 4+0 of 9"},
        {4, 2, {kPageUp}, "TAB 1/2 column 4+2 of 9"},
        {4, 2, {kPageDown, kPageDown}, "TAB 2/2 column 0+0 of 8"},
        {4, 0, {kPageDown, kEnd, kPageUp}, "TAB 1/2 column 0+0 of 9"},
        {9, 0, {kDelete}, "TAB 1/2 column 8+0 of 8"},
        {7, 3, {kDelete}, "TAB 1/2 column 6+0 of 6"},
        {1, 2, {kCtrlX, kEnd, kCtrlV}, "TAB 1/2 column 7+1 of 9"},
        // Deleting every column deletes the TAB.
        {0, 10, {kDelete}, "TAB 1/1 column 0+0 of 8"},
    };
    for (const KeyCase& c : cases) {
        OpenText("two.tab", kTwoTabs);
        Select(c.column, c.length);
        for (const Key& key : c.keys) form.PressKeyOnTabLines(key.code, key.shift);
        EXPECT_EQ(View(), c.view) << "from column " << c.column << "+" << c.length;
    }
}

TEST_F(TabKeysTest, DeleteLeavesTheClipboardAndMovingOntoANoteSoundsIt) {
    OpenText("two.tab", kTwoTabs);
    Select(1, 2);
    form.Run(Command::CopyColumns);
    const std::string copied = Line(1, 1).substr(2 * kCellWidth, 2 * kCellWidth);
    form.PressKeyOnTabLines(kKeyDelete, 0);
    EXPECT_EQ(form.Controls().lblTAB[1].caption, "E|cdef---");
    form.Run(Command::PasteColumns);
    EXPECT_EQ(Line(1, 1).substr(2 * kCellWidth, 2 * kCellWidth), copied);
    form.Run(Command::Undo);

    form.PressKeyOnTabLines(kKeyPageDown, 0);
    host.midiOut.messages.clear();
    form.PressKeyOnTabLines(kKeyRight, 0);
    ASSERT_EQ(form.Columns().CursorColumn(), 1);
    EXPECT_TRUE(std::any_of(host.midiOut.messages.begin(), host.midiOut.messages.end(),
                            [](const RecordedMessage& m) {
                                return m.Status() == 0x90 && m.Data1() == 64 && m.Data2() > 0;
                            }));
}

}  // namespace
}  // namespace fretlux::testing
