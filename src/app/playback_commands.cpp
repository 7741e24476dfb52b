// SPDX-License-Identifier: MIT
// The Play menu: playing the shown TAB column by column on playTimer's ticks, stepping from note to
// note, moving between TABs, and the tuning aid on tuneTimer's ticks.
#include <algorithm>

#include "app/fretlux_form.h"
#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

constexpr int kTuneIntervalMs = 2000;
// One open string, playable, without a finger.
constexpr std::string_view kOpenStringNote = "AH  ";

}  // namespace

bool FretluxForm::ColumnHoldsNote(int column) const {
    const auto& cells = columnCells[column];
    return std::any_of(cells.begin() + 1, cells.end(),
                       [](const std::string& cell) { return CellHoldsNote(cell); });
}

bool FretluxForm::IsBarColumn(int column) const {
    const auto& cells = columnCells[column];
    return cells[6].starts_with('|') && cells[1].starts_with('|');
}

// In a lesson, Start on a step not yet reached opens its text instead, and the music waits.
void FretluxForm::StartPlayback() { BeginPlayback(); }

void FretluxForm::BeginPlayback() {
    if (lessonMode && tutor_.StartAt(hscTAB.Value())) return;
    PlayFromCursor();
}

void FretluxForm::PlayFromCursor() {
    board_.Clear();
    board_.ForgetShownNotes();
    if (selectionLength < 2) selectionLength = 0;
    playStart = cursorColumn;
    if (lastColumn <= 0) return;
    tuneTimer.SetInterval(0);
    playTimer.SetInterval(hscTempo.Value() * kTempoUnitMs);
}

void FretluxForm::ApplyTempo() {
    if (Playing()) playTimer.SetInterval(hscTempo.Value() * kTempoUnitMs);
    lblTempo.caption = std::to_string(201 - hscTempo.Value());
}

void FretluxForm::PlayTick() {
    if (playTimer.Interval() >= 1) AdvancePlayback(0);
}

void FretluxForm::AdvancePlayback(int step) {
    if (step != 0) {
        const bool sound = SearchNote(step);
        UpdateColumnCursor();
        if (sound) ShowPlayColumn();
        return;
    }
    const bool holdsNote = ColumnHoldsNote(cursorColumn);
    UpdateColumnCursor();
    // A looped selection ends at a column, not after a count of ticks: the bar skipped after its
    // last column, or the end of the TAB, must not carry playback on past it.
    const bool looping = selectionLength > 0;
    const int loopEnd = cursorColumn + selectionLength;
    if (holdsNote) ShowPlayColumn();
    ++cursorColumn;
    // A bar costs no tick.
    if (IsBarColumn(cursorColumn)) ++cursorColumn;
    if (looping) {
        if (cursorColumn >= loopEnd) cursorColumn = playStart;
        selectionLength = loopEnd - cursorColumn;
        return;
    }
    if (cursorColumn > lastColumn) {
        const bool lastTab = hscTAB.Value() >= hscTAB.Max();
        AdvanceToNextTab();
        if (lessonMode && lastTab) {
            tutor_.PlayedToEnd();
        } else if (lessonMode) {
            tutor_.PlayedInto(hscTAB.Value());
        }
    }
}

// Searching past the end of the last TAB makes Next stop and rewind to its column 0; a second
// time there means no note is left anywhere, and the search ends on column 0 without a sound.
bool FretluxForm::SearchNote(int step) {
    playStart = cursorColumn;
    bool rewoundAtLastTab = false;
    cursorColumn += step;
    while (true) {
        if (cursorColumn > lastColumn) {
            cursorColumn = playStart + 1;
            if (cursorColumn <= lastColumn) return false;
            if (rewoundAtLastTab) {
                cursorColumn = 0;
                return false;
            }
            const bool lastTab = hscTAB.Value() >= hscTAB.Max();
            AdvanceToNextTab();
            rewoundAtLastTab = lastTab;
        }
        if (cursorColumn < 0) {
            cursorColumn = 0;
            return false;
        }
        if (ColumnHoldsNote(cursorColumn)) return true;
        cursorColumn += step;
    }
}

void FretluxForm::ShowPlayColumn() {
    if (!Playing()) board_.Clear();
    for (int line = 6; line >= 1; --line)
        ShowCell(7 - line, Right(columnCells[cursorColumn][line], 4));
}

void FretluxForm::StepForward() {
    if (!ShowsTab()) return;
    selectionLength = 1;
    tuneTimer.SetInterval(0);
    playTimer.SetInterval(0);
    AdvancePlayback(+1);
}

void FretluxForm::StepBack() {
    selectionLength = 1;
    tuneTimer.SetInterval(0);
    AdvancePlayback(-1);
}

// A lesson stays a lesson: Start goes on with its explanations.
void FretluxForm::StopPlayback() { HaltPlayback(); }

void FretluxForm::HaltPlayback() {
    board_.BlankColumn();
    tuneTimer.SetInterval(0);
    if (Playing()) {
        playTimer.SetInterval(0);
        return;
    }
    midi.SilenceAllNotes();
    cursorColumn = 0;
    selectionLength = 0;
    UpdateColumnCursor();
}

// In a lesson Next and Previous move between steps.
void FretluxForm::GoToNextTab() {
    if (lessonMode && ShowsTab()) {
        tutor_.NextStepAfter(hscTAB.Value());
    } else {
        AdvanceToNextTab();
    }
}

void FretluxForm::AdvanceToNextTab() {
    tuneTimer.SetInterval(0);
    if (hscTAB.Value() < hscTAB.Max()) {
        hscTAB.SetValue(hscTAB.Value() + 1);
        cursorColumn = 0;
        ShowCurrentTab();
    } else {
        HaltPlayback();
    }
}

void FretluxForm::GoToPreviousTab() {
    if (lessonMode && ShowsTab()) {
        tutor_.PreviousStepBefore(hscTAB.Value());
        return;
    }
    tuneTimer.SetInterval(0);
    if (hscTAB.Value() > 1) {
        hscTAB.SetValue(hscTAB.Value() - 1);
        ShowCurrentTab();
    }
}

void FretluxForm::PlayFretboard() {
    board_.ReadColumn();
    board_.ShowColumn(Playing());
}

void FretluxForm::TuneGuitar() {
    HaltPlayback();
    board_.Clear();
    tuneTimer.SetInterval(1);
}

void FretluxForm::TuneTick() {
    ++tuneString;
    if (tuneTimer.Interval() == 0) tuneString = 7;
    if (tuneString > kStrings) {
        tuneString = 0;
        tuneTimer.SetInterval(0);
        board_.Clear();
        return;
    }
    tuneTimer.SetInterval(kTuneIntervalMs);
    ShowCell(tuneString, kOpenStringNote);
}

}  // namespace fretlux
