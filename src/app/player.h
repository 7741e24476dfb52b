// SPDX-License-Identifier: MIT
// The player: plays the shown TAB column by column on the play timer's ticks, loops a selection,
// steps from note to note, moves between TABs, sounds the open strings for tuning on the tune
// timer's ticks, and in a lesson moves as the lesson's tutor asks.
#pragma once

#include <functional>

#include "app/control_models.h"
#include "app/fretboard_panel.h"
#include "app/host.h"
#include "app/lesson_tutor.h"
#include "app/play_along.h"
#include "app/tab_columns.h"
#include "app/window_controls.h"
#include "document/tab_document.h"
#include "playback/midi_state.h"
#include "playback/practice_session.h"

namespace fretlux {

class Player final : private LessonStage {
public:
    // showTab shows the TAB the TAB bar stands on, as the window shows a TAB it moves to.
    Player(Host& host, const TabDocument& document, WindowControls& controls, TabColumns& columns,
           FretboardPanel& board, MidiState& midi, std::function<void()> showTab);
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // The timers the window runs: the play timer plays one column per tick, the tune timer sounds
    // one open string per tick.
    TimerModel& PlayTimer() { return playTimer_; }
    TimerModel& TuneTimer() { return tuneTimer_; }
    const TimerModel& PlayTimer() const { return playTimer_; }
    const TimerModel& TuneTimer() const { return tuneTimer_; }
    void PlayTick();
    void TuneTick();
    // The click timer: a metronome or count-in click ends on its tick, kClickLengthMs after it
    // began, unless the next play tick has ended it first.
    TimerModel& ClickTimer() { return clickTimer_; }
    void ClickTick();
    // The hearing timer: once the music has played to its end, Score mode's listening ends on
    // its tick, when the last columns have been heard.
    TimerModel& HearingTimer() { return playAlong_.HearingTimer(); }
    void HearingTick() { playAlong_.HearingTick(); }
    // Playback runs while the play timer has an interval.
    bool Playing() const override { return playTimer_.Interval() >= 1; }

    // Start plays from the cursor; in a lesson, Start on a step not yet reached opens its text
    // instead, and the music waits.
    void Start();
    // Stop halts playback; stopped already, it also silences every note and puts the cursor back
    // on the first column. A lesson stays a lesson: Start goes on with its explanations.
    void Stop();
    void StepForward();
    void StepBack();
    // In a lesson Next and Previous move between steps.
    void NextTab();
    void PreviousTab();
    void TuneGuitar();
    // Shows the fretboard's column on the board, sounding it.
    void PlayFretboard();
    // Sounds the cursor's column on the fretboard, as a click on a column does.
    void SoundCursorColumn();
    // The Tempo bar moved: playback goes on at its speed at once.
    void ApplyTempo();
    // The tempo beside the Tempo bar in beats per minute of the shown TAB's beats, and in percent
    // of the TAB's own tempo.
    void ShowBeatsPerMinute();

    // Count-in, metronome, speed and speed trainer; a change takes effect at once, also while
    // playing.
    const PracticeSettings& Practice() const { return practice_.Settings(); }
    void ChangePractice(const PracticeSettings& settings);
    // Playback of a looped selection halts after this many passes; 0, as in the window, never.
    void EndLoopAfter(int passes) { passLimit_ = passes; }

    // Play ▸ Play Along: listens in the mode given and plays from the cursor; the document at
    // file keeps the best scores. Stopping ends it.
    void PlayAlongFromCursor(PlayAlongMode mode, const std::string& file);
    const PlayAlong& PlayingAlong() const { return playAlong_; }

    // The document is a lesson from now on, or is none any more.
    void EnterLesson() { lessonMode_ = true; }
    void LeaveLesson();
    bool InLesson() const { return lessonMode_; }
    LessonTutor& Tutor() { return tutor_; }

private:
    // Start without a lesson's steps: plays from the cursor.
    void PlayFromCursor();
    // One timed tick (step 0), or the note search of Step Forward (+1) and Step Back (-1).
    void Advance(int step);
    // The note search of a step; true when it ended on a column to sound.
    bool SearchNote(int step);
    // The next TAB from its first column, or at the last TAB a stop.
    void AdvanceToNextTab();
    bool ShowsTab() const { return controls_.hscTAB.Value() > 0; }
    // Shows the TAB with the cursor on its first column.
    void ShowTabFromStart(int tab);
    void WaitAtTab(int tab) override;
    void PlayFromTab(int tab) override;
    void PlayAlongFromTab(int tab) override;
    void EndLesson() override;
    // A pass of a looped selection was judged while playing along: the help line shows its
    // score.
    void ShowPassSummary(std::string summary);
    // Playback halts where it is, the play along aside.
    void Halt();
    // The play timer's interval: the Tempo bar's milliseconds at the speed practice asks for.
    int ColumnInterval() const;
    BeatGrid ShownBeatGrid() const;
    void EndClick();
    void ArmClickTimer();
    // The looped selection went round.
    void BeginNextPass();
    // The first tick of a pass plays at the pass's speed.
    void ApplyPassSpeed();
    // The help line says the trained pass and its speed.
    void ShowTrainedPass();

    const TabDocument& document_;
    WindowControls& controls_;
    TabColumns& columns_;
    FretboardPanel& board_;
    MidiState& midi_;
    std::function<void()> showTab_;
    TimerModel playTimer_;
    TimerModel tuneTimer_;
    TimerModel clickTimer_;
    // The open string Tune Guitar sounded last, 1..6; 0 once the sequence has ended.
    int tuneString_ = 0;
    // Where Start began: a looped selection starts there again.
    int playStart_ = 0;
    bool lessonMode_ = false;
    LessonTutor tutor_;
    PlayAlong playAlong_;
    PracticeSession practice_{midi_};
    // The pass of a looped selection has ended and the next one begins with the next tick.
    bool passStarting_ = false;
    int passLimit_ = 0;
};

}  // namespace fretlux
