// SPDX-License-Identifier: MIT
#include "fretboard/column_transfer.h"

#include <optional>

#include "document/strings.h"
#include "document/tab_cell.h"
#include "fretboard/finger_text.h"

namespace fretlux {

namespace {

inline constexpr std::string_view kEmptySlot = "  ";

// The first four characters of a note content, blanks standing in for missing ones.
std::string NoteContent(std::string_view c) {
    return Left(PadRight(c, kNoteContentLength), kNoteContentLength);
}

// Note slot k (1 or 2) of a four-character note content.
std::string_view NoteSlot(std::string_view content, int k) {
    return content.substr(static_cast<size_t>(2 * (k - 1)), 2);
}

bool SlotIsEmpty(std::string_view slot) { return !DecodeSlot(slot); }

// The position that shows a slot's fret. A hand-edited file can hold fret letters past "Y",
// which the board has no place for; those slots have no position either.
std::optional<int> SlotPosition(std::string_view slot, const Orientation& orientation) {
    const std::optional<SlotNote> note = DecodeSlot(slot);
    if (!note || note->fret > kHighestFret) return std::nullopt;
    return orientation.PositionOfFret(note->fret);
}

}  // namespace

NoteAttribute ReadAttributeLetter(char attribute) {
    const bool playable = AttributeSounds(attribute);
    const int finger = CharCode(attribute) - '@' - (playable ? 8 : 0);
    return {playable, FingerText(finger)};
}

void ReadFretboardColumn(Fretboard& board, const Orientation& orientation, WorkColumn& workColumn) {
    for (int s = 1; s <= kStrings; ++s) workColumn[s] = "-";
    std::array<int, kRows + 1> marksRead{};
    for (int fret = kHighestFret; fret >= 0; --fret) {
        const int i = orientation.PositionOfFret(fret);
        for (int r = kRows; r >= 1; --r) {
            FretMark& mark = board.At(r, i);
            if (!mark.marked) continue;
            // A string sounds one fret at a time: of two marks the lower one is never playable,
            // and the board is made to agree with the cell.
            if (++marksRead[r] == 2) mark.red = false;
            // Filed by string number, so a column reads the same however the board is turned.
            std::string& cell = workColumn[orientation.StringOfRow(r)];
            cell += FretLetter(fret);
            cell += AttributeLetter(FingerNumber(mark.finger), mark.red);
        }
    }
    for (int s = 1; s <= kStrings; ++s) {
        workColumn[s] = Left(PadRight(workColumn[s], kCellWidth), kCellWidth);
    }
}

void ShowCellOnFretboard(const CellDisplay& display, int s, std::string_view c) {
    Fretboard& board = display.fretboard;
    const int r = display.orientation.RowOfString(s);
    std::string content = NoteContent(c);
    if (content == kBlankNotes) {
        if (display.playbackRunning) {
            ClearShownNotes(board, display.orientation, display.shownNotes, r);
        }
        return;
    }
    std::string previous(kBlankNotes);
    if (display.playbackRunning && display.shownNotes[r].size() == kNoteContentLength) {
        previous = display.shownNotes[r];
    }
    display.shownNotes[r] = content;
    // When the row loses its second note, slot 1 is shown again in place of slot 2, which takes
    // the old second note off the board.
    if (NoteSlot(previous, 2) != kEmptySlot && NoteSlot(content, 2) == kEmptySlot) {
        content = std::string(NoteSlot(content, 1)) + std::string(NoteSlot(content, 1));
    }
    for (int k = 1; k <= 2; ++k) {
        const std::string_view newSlot = NoteSlot(content, k);
        if (SlotIsEmpty(newSlot)) return;
        const std::optional<int> newPosition = SlotPosition(newSlot, display.orientation);
        if (!newPosition) continue;
        const std::optional<int> oldPosition =
            SlotPosition(NoteSlot(previous, k), display.orientation);
        const NoteAttribute attribute = ReadAttributeLetter(newSlot[1]);
        FretMark& mark = board.At(r, *newPosition);
        mark.red = attribute.playable;
        mark.finger = attribute.finger;
        if (newPosition != oldPosition) {
            mark.marked = true;
            if (oldPosition) board.ClearMark(r, *oldPosition);
        }
        if (attribute.playable && display.play) display.play(*newPosition, r);
    }
}

void ClearShownNotes(Fretboard& board, const Orientation& orientation, ShownNotes& shownNotes,
                     int r) {
    const std::string shown = shownNotes[r];
    if (shown.size() != kNoteContentLength) return;
    shownNotes[r] = kBlankNotes;
    for (int k = 1; k <= 2; ++k) {
        const std::string_view slot = NoteSlot(shown, k);
        if (SlotIsEmpty(slot)) return;
        if (const std::optional<int> position = SlotPosition(slot, orientation)) {
            board.ClearMark(r, *position);
        }
    }
}

}  // namespace fretlux
