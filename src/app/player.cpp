// SPDX-License-Identifier: MIT
#include "app/player.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "document/strings.h"
#include "document/tab_header.h"
#include "playback/tempo_scale.h"

namespace fretlux {

namespace {

constexpr int kTuneIntervalMs = 2000;
// One open string, playable, without a finger.
constexpr std::string_view kOpenStringNote = "AH  ";
constexpr const char* kLessonEndHint =
    "HELP: This is the end of the lesson. The Lessons menu holds the next one";

}  // namespace

Player::Player(Host& host, const TabDocument& document, WindowControls& controls,
               TabColumns& columns, FretboardPanel& board, MidiState& midi,
               std::function<void()> showTab)
    : document_(document),
      controls_(controls),
      columns_(columns),
      board_(board),
      midi_(midi),
      showTab_(std::move(showTab)),
      tutor_(host, document, *this),
      playAlong_(host, host.Listening()) {}

void Player::Start() {
    if (lessonMode_ && tutor_.StartAt(controls_.hscTAB.Value())) return;
    PlayFromCursor();
}

void Player::PlayFromCursor() {
    playAlong_.EndIfHearingOut();
    board_.Clear();
    board_.ForgetShownNotes();
    const int selection = columns_.SelectionLength();
    if (selection < 2) columns_.Place(columns_.CursorColumn(), 0);
    playStart_ = columns_.CursorColumn();
    if (columns_.LastColumn() <= 0) return;
    tuneTimer_.SetInterval(0);
    // A lesson's steps follow their explanations at once.
    practice_.Begin(columns_.SelectionLength() > 0, !lessonMode_, ShownBeatGrid());
    passStarting_ = false;
    playTimer_.SetInterval(ColumnInterval());
    ShowBeatsPerMinute();
    ShowTrainedPass();
}

void Player::ApplyTempo() {
    if (Playing()) playTimer_.SetInterval(ColumnInterval());
    controls_.lblTempo.caption = std::to_string(201 - controls_.hscTempo.Value());
    ShowBeatsPerMinute();
}

void Player::PlayAlongFromCursor(PlayAlongMode mode, const std::string& file) {
    if (Playing()) Stop();
    // A run to the end leaves the cursor past the last column: playing along again starts the
    // TAB over rather than ending at once.
    if (columns_.CursorColumn() > columns_.LastColumn()) columns_.Select(0, 0);
    if (playAlong_.Begin(mode, file)) Start();
}

int Player::ColumnInterval() const {
    return ScaledColumnMs(controls_.hscTempo.Value() * kTempoUnitMs, practice_.Percent());
}

void Player::ShowBeatsPerMinute() {
    const int tab = controls_.hscTAB.Value();
    const auto stored = tab > 0 ? ReadHeaderSettings(document_.tabLines[tab - 1][0]) : std::nullopt;
    const int ownMs = (stored ? stored->tempo : controls_.hscTempo.Value()) * kTempoUnitMs;
    const int interval = ColumnInterval();
    controls_.lblBeatsPerMinute.caption =
        std::to_string(BeatsPerMinute(interval, ShownBeatGrid().ColumnsPerBeat())) + " bpm  " +
        std::to_string(PercentOfTempo(ownMs, interval)) + " %";
}

BeatGrid Player::ShownBeatGrid() const {
    return BeatGrid(columns_.BarColumns(), practice_.Settings().beats);
}

void Player::ChangePractice(const PracticeSettings& settings) {
    practice_.ChangeSettings(settings);
    if (Playing()) playTimer_.SetInterval(ColumnInterval());
    ShowBeatsPerMinute();
}

// A tick first ends the click still sounding; a tick of the count-in plays no column.
void Player::PlayTick() {
    if (!Playing()) return;
    EndClick();
    ShowPassSummary(playAlong_.Advance());
    if (practice_.CountInTick()) {
        ArmClickTimer();
        return;
    }
    if (passStarting_) ApplyPassSpeed();
    Advance(0);
}

void Player::ClickTick() { EndClick(); }

void Player::EndClick() {
    practice_.EndClick();
    clickTimer_.SetInterval(0);
}

void Player::ArmClickTimer() {
    if (practice_.ClickSounding()) clickTimer_.SetInterval(kClickLengthMs);
}

void Player::BeginNextPass() {
    practice_.NextPass();
    if (passLimit_ > 0 && practice_.Pass() > passLimit_) {
        playTimer_.SetInterval(0);
        return;
    }
    passStarting_ = true;
}

// Every column of a pass lasts as long as the pass's speed says, its last one too.
void Player::ApplyPassSpeed() {
    passStarting_ = false;
    playTimer_.SetInterval(ColumnInterval());
    ShowBeatsPerMinute();
    ShowTrainedPass();
}

void Player::ShowTrainedPass() {
    const int pass = practice_.TrainedPass();
    if (pass == 0) return;
    controls_.lblHelp = {"Speed Trainer: pass " + std::to_string(pass) + " at " +
                             std::to_string(practice_.Percent()) + " %",
                         kHelpDarkBlue};
}

void Player::Advance(int step) {
    if (step != 0) {
        const bool sound = SearchNote(step);
        columns_.ShowCursor();
        if (sound) SoundCursorColumn();
        return;
    }
    const bool holdsNote = columns_.HoldsNote(columns_.CursorColumn());
    columns_.ShowCursor();
    const int tab = controls_.hscTAB.Value();
    const TabColumn& cells = columns_.Column(columns_.CursorColumn());
    if (holdsNote && !playAlong_.MayPass(tab, columns_.CursorColumn(), cells)) return;
    // The click comes before the column's notes.
    if (practice_.Settings().metronome && !playAlong_.LeavesSoundToStudent()) {
        practice_.ClickForColumn(ShownBeatGrid(), columns_.CursorColumn());
        ArmClickTimer();
    }
    // A looped selection ends at a column, not after a count of ticks: the bar skipped after its
    // last column, or the end of the TAB, must not carry playback on past it.
    const int selection = columns_.SelectionLength();
    const bool looping = selection > 0;
    const int loopEnd = columns_.CursorColumn() + selection;
    // In Wait mode the student has just played the column.
    if (holdsNote && playAlong_.Mode() != PlayAlongMode::Wait) {
        std::optional<SilentMidi> silent;
        if (playAlong_.LeavesSoundToStudent()) silent.emplace(midi_);
        SoundCursorColumn();
        playAlong_.Sounded(tab, columns_.CursorColumn(), cells);
    }
    int next = columns_.CursorColumn() + 1;
    // A bar costs no tick.
    if (columns_.IsBar(next)) ++next;
    if (looping) {
        if (next >= loopEnd) {
            next = playStart_;
            BeginNextPass();
            playAlong_.EndPass();
        }
        columns_.Place(next, loopEnd - next);
        return;
    }
    columns_.Place(next, selection);
    if (next > columns_.LastColumn()) {
        const bool lastTab = controls_.hscTAB.Value() >= controls_.hscTAB.Max();
        AdvanceToNextTab();
        if (lessonMode_ && lastTab) {
            tutor_.PlayedToEnd();
        } else if (lessonMode_) {
            tutor_.PlayedInto(controls_.hscTAB.Value());
        }
    }
}

// Searching past the end of the last TAB makes Next stop and rewind to its column 0; a second
// time there means no note is left anywhere, and the search ends on column 0 without a sound.
bool Player::SearchNote(int step) {
    const int selection = columns_.SelectionLength();
    playStart_ = columns_.CursorColumn();
    bool rewoundAtLastTab = false;
    int column = columns_.CursorColumn() + step;
    const auto stopAt = [this](int at) {
        columns_.Place(at, columns_.SelectionLength());
        return false;
    };
    columns_.Place(column, selection);
    while (true) {
        if (column > columns_.LastColumn()) {
            column = playStart_ + 1;
            if (column <= columns_.LastColumn()) return stopAt(column);
            if (rewoundAtLastTab) return stopAt(0);
            const bool lastTab = controls_.hscTAB.Value() >= controls_.hscTAB.Max();
            columns_.Place(column, columns_.SelectionLength());
            AdvanceToNextTab();
            column = columns_.CursorColumn();
            rewoundAtLastTab = lastTab;
        }
        if (column < 0) return stopAt(0);
        columns_.Place(column, columns_.SelectionLength());
        if (columns_.HoldsNote(column)) return true;
        column += step;
    }
}

void Player::SoundCursorColumn() {
    if (!Playing()) board_.Clear();
    const TabColumn& cells = columns_.Column(columns_.CursorColumn());
    for (int line = 6; line >= 1; --line)
        board_.ShowCell(7 - line, Right(cells[line], 4), Playing());
}

void Player::StepForward() {
    if (!ShowsTab()) return;
    columns_.Place(columns_.CursorColumn(), 1);
    tuneTimer_.SetInterval(0);
    playTimer_.SetInterval(0);
    Advance(+1);
}

void Player::StepBack() {
    columns_.Place(columns_.CursorColumn(), 1);
    tuneTimer_.SetInterval(0);
    Advance(-1);
}

void Player::Stop() {
    const bool wasPlaying = Playing();
    Halt();
    // Once the music has halted: the summary's message box must not find it still playing.
    playAlong_.End();
    if (wasPlaying) return;
    midi_.SilenceAllNotes();
    columns_.Select(0, 0);
}

void Player::NextTab() {
    if (lessonMode_ && ShowsTab()) {
        tutor_.NextStepAfter(controls_.hscTAB.Value());
    } else {
        AdvanceToNextTab();
    }
}

void Player::AdvanceToNextTab() {
    tuneTimer_.SetInterval(0);
    ScrollBarModel& tabBar = controls_.hscTAB;
    if (tabBar.Value() < tabBar.Max()) {
        tabBar.SetValue(tabBar.Value() + 1);
        columns_.Place(0, columns_.SelectionLength());
        showTab_();
    } else if (Playing()) {
        Halt();
        playAlong_.EndOnceHeard();
    } else {
        Stop();
    }
}

void Player::Halt() {
    board_.BlankColumn();
    tuneTimer_.SetInterval(0);
    playTimer_.SetInterval(0);
}

void Player::PreviousTab() {
    if (lessonMode_ && ShowsTab()) {
        tutor_.PreviousStepBefore(controls_.hscTAB.Value());
        return;
    }
    tuneTimer_.SetInterval(0);
    ScrollBarModel& tabBar = controls_.hscTAB;
    if (tabBar.Value() > 1) {
        tabBar.SetValue(tabBar.Value() - 1);
        showTab_();
    }
}

void Player::PlayFretboard() {
    board_.ReadColumn();
    board_.ShowColumn(Playing());
}

void Player::TuneGuitar() {
    Stop();
    board_.Clear();
    tuneTimer_.SetInterval(1);
}

void Player::TuneTick() {
    ++tuneString_;
    if (tuneTimer_.Interval() == 0) tuneString_ = 7;
    if (tuneString_ > kStrings) {
        tuneString_ = 0;
        tuneTimer_.SetInterval(0);
        board_.Clear();
        return;
    }
    tuneTimer_.SetInterval(kTuneIntervalMs);
    board_.ShowCell(tuneString_, kOpenStringNote, Playing());
}

void Player::LeaveLesson() {
    lessonMode_ = false;
    tutor_.Forget();
}

// A step's music waits in silence, so that nothing rings on under the reading.
void Player::WaitAtTab(int tab) {
    playAlong_.End();
    playTimer_.SetInterval(0);
    tuneTimer_.SetInterval(0);
    midi_.SilenceAllNotes();
    board_.Clear();
    ShowTabFromStart(tab);
}

void Player::PlayFromTab(int tab) {
    ShowTabFromStart(tab);
    PlayFromCursor();
}

void Player::PlayAlongFromTab(int tab) {
    playAlong_.End();
    ShowTabFromStart(tab);
    if (playAlong_.Begin(PlayAlongMode::Wait, "")) PlayFromCursor();
}

void Player::ShowPassSummary(std::string summary) {
    std::replace(summary.begin(), summary.end(), '\n', ' ');
    if (!summary.empty()) controls_.lblHelp.caption = summary;
}

void Player::ShowTabFromStart(int tab) {
    controls_.hscTAB.SetValue(tab);
    columns_.Select(0, 0);
}

void Player::EndLesson() {
    playTimer_.SetInterval(0);
    tuneTimer_.SetInterval(0);
    controls_.lblHelp = {kLessonEndHint, kHelpDarkBlue};
}

}  // namespace fretlux
