// SPDX-License-Identifier: MIT
// The Play menu: playing the shown TAB column by column on Timer1's ticks, stepping from note to
// note, moving between TABs, and the tuning aid on Timer2's ticks.
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
void FretluxForm::mnuPlayStart_Click() {
    if (gLessonMode && tutor_.StartAt(hscTAB.Value())) return;
    StartPlayback();
}

void FretluxForm::StartPlayback() {
    mnuEditClearFB_Click();
    shownNotes.fill(std::string(kBlankNotes));
    if (selLength < 2) selLength = 0;
    playStart = curColumn;
    if (lastColumn <= 0) return;
    Timer2.SetInterval(0);
    Timer1.SetInterval(hscTempo.Value() * kTempoUnitMs);
}

void FretluxForm::hscTempo_Change() {
    if (Playing()) Timer1.SetInterval(hscTempo.Value() * kTempoUnitMs);
    lblTempo.caption = std::to_string(201 - hscTempo.Value());
}

void FretluxForm::Timer1_Timer() {
    if (Timer1.Interval() >= 1) AdvancePlayback(0);
}

void FretluxForm::AdvancePlayback(int step) {
    if (step != 0) {
        const bool sound = SearchNote(step);
        UpdateColumnCursor();
        if (sound) ShowPlayColumn();
        return;
    }
    const bool holdsNote = ColumnHoldsNote(curColumn);
    UpdateColumnCursor();
    // A looped selection ends at a column, not after a count of ticks: the bar skipped after its
    // last column, or the end of the TAB, must not carry playback on past it.
    const bool looping = selLength > 0;
    const int loopEnd = curColumn + selLength;
    if (holdsNote) ShowPlayColumn();
    ++curColumn;
    // A bar costs no tick.
    if (IsBarColumn(curColumn)) ++curColumn;
    if (looping) {
        if (curColumn >= loopEnd) curColumn = playStart;
        selLength = loopEnd - curColumn;
        return;
    }
    if (curColumn > lastColumn) {
        const bool lastTab = hscTAB.Value() >= hscTAB.Max();
        ShowNextTab();
        if (gLessonMode && lastTab) {
            tutor_.PlayedToEnd();
        } else if (gLessonMode) {
            tutor_.PlayedInto(hscTAB.Value());
        }
    }
}

// Searching past the end of the last TAB makes Next stop and rewind to its column 0; a second
// time there means no note is left anywhere, and the search ends on column 0 without a sound.
bool FretluxForm::SearchNote(int step) {
    playStart = curColumn;
    bool rewoundAtLastTab = false;
    curColumn += step;
    while (true) {
        if (curColumn > lastColumn) {
            curColumn = playStart + 1;
            if (curColumn <= lastColumn) return false;
            if (rewoundAtLastTab) {
                curColumn = 0;
                return false;
            }
            const bool lastTab = hscTAB.Value() >= hscTAB.Max();
            ShowNextTab();
            rewoundAtLastTab = lastTab;
        }
        if (curColumn < 0) {
            curColumn = 0;
            return false;
        }
        if (ColumnHoldsNote(curColumn)) return true;
        curColumn += step;
    }
}

void FretluxForm::ShowPlayColumn() {
    if (!Playing()) mnuEditClearFB_Click();
    for (int line = 6; line >= 1; --line) ShowCell(7 - line, Right(columnCells[curColumn][line], 4));
}

void FretluxForm::mnuPlayStepForward_Click() {
    if (!ShowsTab()) return;
    selLength = 1;
    Timer2.SetInterval(0);
    Timer1.SetInterval(0);
    AdvancePlayback(+1);
}

void FretluxForm::mnuPlayStepBack_Click() {
    selLength = 1;
    Timer2.SetInterval(0);
    AdvancePlayback(-1);
}

// A lesson stays a lesson: Start goes on with its explanations.
void FretluxForm::mnuPlayStop_Click() {
    for (int s = 1; s <= kStrings; ++s) workColumn[s] = std::string(kBlankNotes);
    Timer2.SetInterval(0);
    if (Playing()) {
        Timer1.SetInterval(0);
        return;
    }
    midi.SilenceAllNotes();
    curColumn = 0;
    selLength = 0;
    UpdateColumnCursor();
}

// In a lesson Next and Previous move between steps.
void FretluxForm::mnuPlayNext_Click() {
    if (gLessonMode && ShowsTab()) {
        tutor_.NextStepAfter(hscTAB.Value());
    } else {
        ShowNextTab();
    }
}

void FretluxForm::ShowNextTab() {
    Timer2.SetInterval(0);
    if (hscTAB.Value() < hscTAB.Max()) {
        hscTAB.SetValue(hscTAB.Value() + 1);
        curColumn = 0;
        ShowCurrentTab();
    } else {
        mnuPlayStop_Click();
    }
}

void FretluxForm::mnuPlayPrevious_Click() {
    if (gLessonMode && ShowsTab()) {
        tutor_.PreviousStepBefore(hscTAB.Value());
        return;
    }
    Timer2.SetInterval(0);
    if (hscTAB.Value() > 1) {
        hscTAB.SetValue(hscTAB.Value() - 1);
        ShowCurrentTab();
    }
}

void FretluxForm::mnuPlayFret_Click() {
    ReadFretboardColumn(fretboard, orientation, workColumn);
    for (int s = 1; s <= kStrings; ++s) ShowCell(s, Right(workColumn[s], 4));
}

void FretluxForm::mnuPlayTune_Click() {
    mnuPlayStop_Click();
    mnuEditClearFB_Click();
    Timer2.SetInterval(1);
}

void FretluxForm::Timer2_Timer() {
    ++tuneString;
    if (Timer2.Interval() == 0) tuneString = 7;
    if (tuneString > kStrings) {
        tuneString = 0;
        Timer2.SetInterval(0);
        mnuEditClearFB_Click();
        return;
    }
    Timer2.SetInterval(kTuneIntervalMs);
    ShowCell(tuneString, kOpenStringNote);
}

}  // namespace fretlux
