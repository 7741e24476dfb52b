// SPDX-License-Identifier: MIT
// Play along as the window runs it: Play ▸ Play Along starts listening in Wait or Score mode,
// the player asks at each column with notes, and what was heard is shown on the fretboard and
// in the TAB view. Ends when playback stops, or in Score mode once the music's last columns have
// been heard; the Score summary is shown then.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/control_models.h"
#include "app/host.h"
#include "app/listening_host.h"
#include "app/tab_columns.h"
#include "playalong/play_along_session.h"

namespace fretlux {

// The notes a column sounds, where the TAB puts them.
std::vector<FretPosition> SoundingPositions(const TabColumn& cells);

class PlayAlong {
public:
    PlayAlong(Host& host, ListeningHost& listening);
    PlayAlong(const PlayAlong&) = delete;
    PlayAlong& operator=(const PlayAlong&) = delete;

    // Starts listening for the document at file; false, after saying why, when nothing can be
    // heard.
    bool Begin(PlayAlongMode mode, const std::string& file);
    // Stops listening; in Score mode the last pass is judged and its summary shown.
    void End();
    // The music has played to its end. The student's last notes reach the listener only after
    // the input latency and a moment's hearing, so in Score mode listening goes on until the
    // hearing timer's tick, and ends then; otherwise it ends at once.
    void EndOnceHeard();
    TimerModel& HearingTimer() { return hearingTimer_; }
    void HearingTick();
    // Playback starts again while the music's end is still being heard out: that play along is
    // over now.
    void EndIfHearingOut();
    bool Active() const { return session_.has_value(); }
    std::optional<PlayAlongMode> Mode() const;
    // Playing along with a microphone and no headphones: the player shows each column but
    // leaves its sound to the student, and plays no metronome, as the microphone would take
    // what the speakers play for the student's notes. (Wait mode sounds no column anyway.)
    bool LeavesSoundToStudent() const { return session_ && listening_.HearsSpeakers(); }

    // Wait mode: the player stands at a column with notes; true when it may go past it.
    bool MayPass(int tab, int column, const TabColumn& cells);
    // Score mode: the player sounded a column with notes.
    void Sounded(int tab, int column, const TabColumn& cells);
    // A loop starts again: the pass is judged once its last columns have been heard.
    void EndPass();
    // Judges what has been heard; run on every tick of the play timer. Returns the summary of a
    // loop's pass once it is judged, for the help line.
    std::string Advance();

    // What the fretboard shows in Wait mode: the expected notes, those heard wrong, and whether
    // the column was played right.
    std::vector<FretPosition> ExpectedNotes() const;
    std::vector<FretPosition> WrongNotes() const;
    bool ColumnRight() const;
    // What the TAB view marks in Score mode: the judged columns of the TAB, those of the pass
    // that ended last until the next one judges its first.
    std::vector<ColumnJudgement> MarksOf(int tab) const;

private:
    std::int64_t SessionMs();
    double HeardUntilMs();
    std::string JudgeLastPass();

    Host& host_;
    ListeningHost& listening_;
    BestScores best_;
    std::optional<PlayAlongSession> session_;
    std::vector<ColumnJudgement> lastMarks_;
    std::int64_t startMs_ = 0;
    TimerModel hearingTimer_;
};

}  // namespace fretlux
