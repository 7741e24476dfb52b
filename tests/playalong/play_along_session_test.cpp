// SPDX-License-Identifier: MIT
#include "playalong/play_along_session.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>

#include "listening/analysis_thread.h"
#include "plucked_strings.h"

namespace fretlux {
namespace {

TEST(PlayAlongSession, WaitHoldsAtAColumnUntilItIsPlayedThenShowsItGreenBeforeGoingOn) {
    BestScores best;
    PlayAlongSession session(PlayAlongMode::Wait, "riff.tab", best);
    const PlayAlongColumn g{1, 2, 0, {{1, 3}}};  // G2 on the low E string
    EXPECT_FALSE(session.MayPass(g, 0));
    EXPECT_EQ(session.Waiting().Expected(), g.positions);
    session.Hear({0.0, {44}}, 400);
    EXPECT_EQ(session.Waiting().WrongNotes(), (std::vector<FretPosition>{{1, 4}}));
    EXPECT_FALSE(session.MayPass(g, 500));
    session.Hear({0.0, {43}}, 1000);
    EXPECT_EQ(session.Waiting().Current(), WaitingPlayAlong::State::Right);
    EXPECT_FALSE(session.MayPass(g, 1000 + PlayAlongSession::kGreenMs - 1));
    EXPECT_TRUE(session.MayPass(g, 1000 + PlayAlongSession::kGreenMs));
    // The same column again, as a loop comes back to it: it must be played again.
    EXPECT_FALSE(session.MayPass(g, 2000));
}

TEST(PlayAlongSession, ScoreSummarisesAPassOnceItsLastColumnIsHeardAndNamesTheTabsWithANewBest) {
    BestScores best;
    PlayAlongSession session(PlayAlongMode::Score, "riff.tab", best);
    // A looped selection of three open A strings half a second apart, starting again at 1500.
    const auto sound = [&](std::int64_t start) {
        for (int i = 0; i < 3; ++i) session.Sounded({1, 2 * i, start + 500 * i, {{2, 0}}});
        session.EndPass();
    };
    sound(0);
    session.Hear({10.0, {45}}, 0);
    session.Hear({530.0, {45}}, 0);
    // At the loop's start the last column's sound has not been heard yet: the pass waits for it.
    EXPECT_EQ(session.Advance(900.0), "");
    EXPECT_EQ(session.Marks().size(), 2u);
    // It comes late, yet nearer its own column than the next pass's first, played early.
    session.Hear({1090.0, {45}}, 0);
    session.Hear({1480.0, {45}}, 0);
    EXPECT_EQ(session.Advance(1150.0),
              "3 of 3 columns right, 0 wrong, 0 missed. Timing: 43 ms late on average, "
              "spread 34 ms.\nA new best for TAB 1.");
    EXPECT_TRUE(session.Marks().empty());
    EXPECT_EQ(session.LastPass().size(), 3u);

    sound(1500);
    EXPECT_EQ(session.Finish(),
              "1 of 3 columns right, 0 wrong, 2 missed. Timing: 20 ms early on average, spread 0 "
              "ms.");
    EXPECT_EQ(best.Best("riff.tab", 1)->right, 3);
    EXPECT_EQ(session.Finish(), "");
}

// The open A string plucked at 0.2 s, heard as the live listener hears that onset: soon after it
// (not whole), or whole. The D string may be struck by mistake 0.1 s later, too late for the
// first hearing; the sound may be silence where an onset was found.
enum class Played { A, AThenD, Nothing };

HeardOnset HeardPluck(double afterSeconds, bool whole, Played played = Played::A,
                      bool faint = false) {
    const int rate = 44100;
    std::vector<testing::Pluck> plucks{{0.2, 45, 0.0, 5}};
    if (played == Played::AThenD) plucks.push_back({0.3, 50, 0.0, 4});
    const MonoAudio take = testing::PluckedTake(plucks, {rate, 0.2 + afterSeconds});
    auto sound = std::make_shared<OnsetSound>();
    sound->sampleRate = rate;
    sound->samples =
        played == Played::Nothing ? std::vector<float>(take.samples.size()) : take.samples;
    const auto onset = static_cast<std::size_t>(0.2 * rate);
    sound->onsetSample = static_cast<std::int64_t>(onset);
    sound->onsets = {0, onset, onset, take.samples.size(), faint};
    sound->whole = whole;
    return {203.0, std::move(sound)};
}

TEST(PlayAlongSession, WaitJudgesEveryHearingOfAnOnsetAndTakesBackAGreenThatProvesFalse) {
    BestScores best;
    PlayAlongSession wait(PlayAlongMode::Wait, "riff.tab", best);
    const PlayAlongColumn b{1, 0, 200, {{2, 2}}};  // B2 on the A string
    EXPECT_FALSE(wait.MayPass(b, 200));
    wait.Hear(HeardPluck(kHearingSeconds.front(), false), 250);
    EXPECT_EQ(wait.Waiting().WrongNotes(), (std::vector<FretPosition>{{2, 0}}));

    const PlayAlongColumn a{1, 1, 200, {{2, 0}}};
    EXPECT_FALSE(wait.MayPass(a, 300));
    wait.Hear(HeardPluck(kHearingSeconds.front(), false, Played::AThenD), 350);
    EXPECT_EQ(wait.Waiting().Current(), WaitingPlayAlong::State::Right);
    wait.Hear(HeardPluck(kHearingSeconds.back(), true, Played::AThenD), 480);
    EXPECT_EQ(wait.Waiting().Current(), WaitingPlayAlong::State::Holding);
    // D3 is shown where a slip of the hand on the A string would play it.
    EXPECT_EQ(wait.Waiting().WrongNotes(), (std::vector<FretPosition>{{2, 5}}));
    EXPECT_FALSE(wait.MayPass(a, 350 + PlayAlongSession::kGreenMs));
    wait.Hear(HeardPluck(kHearingSeconds.front(), false), 900);
    wait.Hear(HeardPluck(kHearingSeconds.back(), true), 1030);
    EXPECT_FALSE(wait.MayPass(a, 900 + PlayAlongSession::kGreenMs - 1));
    EXPECT_TRUE(wait.MayPass(a, 900 + PlayAlongSession::kGreenMs));

    // A green goes back, too, when the whole hearing finds that nothing began after all.
    const PlayAlongColumn again{1, 2, 1400, {{2, 0}}};
    EXPECT_FALSE(wait.MayPass(again, 1400));
    wait.Hear(HeardPluck(kHearingSeconds.front(), false), 1450);
    EXPECT_EQ(wait.Waiting().Current(), WaitingPlayAlong::State::Right);
    wait.Hear(HeardPluck(kHearingSeconds.back(), true, Played::Nothing), 1580);
    EXPECT_EQ(wait.Waiting().Current(), WaitingPlayAlong::State::Holding);
    EXPECT_TRUE(wait.Waiting().WrongNotes().empty());
}

// A column of the A string reached at 300 ms, and the open A plucked at 203 ms, just before: an
// onset that the ordinary ear heard counts, as a student may play ahead; one that only the keen
// ear found does not, for such are the swells and release of the string played before. From the
// moment the column was reached, the keen ear's onsets count too.
TEST(PlayAlongSession, WaitTakesAnOnsetOnlyAKeenEarFoundFromWhenTheColumnWasReached) {
    struct Case {
        double heardMs;
        bool faint;
        WaitingPlayAlong::State state;
    };
    for (const Case& c : {Case{203, false, WaitingPlayAlong::State::Right},
                          Case{203, true, WaitingPlayAlong::State::Holding},
                          Case{300, true, WaitingPlayAlong::State::Right}}) {
        BestScores best;
        PlayAlongSession wait(PlayAlongMode::Wait, "riff.tab", best);
        EXPECT_FALSE(wait.MayPass({1, 1, 300, {{2, 0}}}, 300));
        HeardOnset heard = HeardPluck(kHearingSeconds.back(), true, Played::A, c.faint);
        heard.milliseconds = c.heardMs;
        wait.Hear(heard, 500);
        EXPECT_EQ(wait.Waiting().Current(), c.state) << c.heardMs << (c.faint ? " faint" : "");
    }
}

TEST(PlayAlongSession, ScoreJudgesTheWholeHearingOfAnOnsetOnlyAndAFaintOnsetWhereNoOtherCame) {
    BestScores best;
    const auto pass = [&](const std::vector<HeardOnset>& heard) {
        PlayAlongSession score(PlayAlongMode::Score, "riff.tab", best);
        score.Sounded({1, 1, 200, {{2, 0}}});
        for (const HeardOnset& onset : heard) score.Hear(onset, 0);
        return score.Finish().substr(0, 40);
    };
    EXPECT_EQ(pass({HeardPluck(kHearingSeconds.front(), false)}),
              "0 of 1 columns right, 0 wrong, 1 missed.");
    EXPECT_EQ(pass({HeardPluck(kHearingSeconds.back(), true, Played::Nothing)}),
              "0 of 1 columns right, 0 wrong, 1 missed.");
    EXPECT_EQ(pass({HeardPluck(kHearingSeconds.front(), false),
                    HeardPluck(kHearingSeconds.back(), true, Played::AThenD)}),
              "0 of 1 columns right, 1 wrong, 0 missed.");
    EXPECT_EQ(pass({HeardPluck(kHearingSeconds.front(), false),
                    HeardPluck(kHearingSeconds.back(), true)}),
              "1 of 1 columns right, 0 wrong, 0 missed.");
    // An onset only a keen ear found counts only where no other onset came.
    const HeardOnset faint = HeardPluck(kHearingSeconds.back(), true, Played::A, true);
    EXPECT_EQ(pass({faint}), "1 of 1 columns right, 0 wrong, 0 missed.");
    EXPECT_EQ(pass({HeardPluck(kHearingSeconds.back(), true, Played::Nothing), faint}),
              "0 of 1 columns right, 0 wrong, 1 missed.");
}

// A student's guitar 45 cents flat, every string alike: single notes, two chords and a note a
// semitone sharp, which lies only 55 cents above the one expected. One column every 600 ms from
// 300 ms on, each note on the string whose open note lies nearest below it.
struct FlatColumn {
    std::vector<int> expected;
    std::vector<int> played;
};
const std::vector<FlatColumn> kOnAFlatGuitar = {
    {{40}, {40}}, {{45}, {45}}, {{48, 52, 55, 60, 64}, {48, 52, 55, 60, 64}},
    {{57}, {58}}, {{50}, {50}}, {{43, 47, 50, 55, 59, 67}, {43, 47, 50, 55, 59, 67}},
    {{59}, {59}},
};
constexpr double kFlatCents = -45.0;

PlayAlongColumn ColumnAt(std::size_t c) {
    PlayAlongColumn column{1, static_cast<int>(c), 300 + 600 * static_cast<std::int64_t>(c), {}};
    for (const int note : kOnAFlatGuitar[c].expected) {
        column.positions.push_back(*PlaceHeardNote(note, {}));
    }
    return column;
}

// Every hearing of every onset of the take, as the live listener reports them.
std::vector<HeardOnset> HearingsOfTheFlatGuitar() {
    const int rate = 44100;
    std::vector<testing::Pluck> plucks;
    for (std::size_t c = 0; c < kOnAFlatGuitar.size(); ++c) {
        double strum = 0.3 + 0.6 * static_cast<double>(c);
        for (const int note : kOnAFlatGuitar[c].played) {
            plucks.push_back({strum, note, kFlatCents, testing::StringFor(note)});
            strum += 0.008;
        }
    }
    const MonoAudio take =
        testing::PluckedTake(plucks, {rate, 0.3 + 0.6 * kOnAFlatGuitar.size() + 0.3});
    std::mutex mutex;
    std::vector<HeardOnset> hearings;
    ListeningReports reports;
    reports.sound = [&](std::shared_ptr<const OnsetSound> sound) {
        const std::lock_guard lock(mutex);
        const double ms = 1000.0 * static_cast<double>(sound->onsetSample) / rate;
        hearings.push_back({ms, std::move(sound)});
    };
    AnalysisThread thread(rate, std::move(reports), 6.0);
    thread.Push(take.samples);
    thread.Stop();
    return hearings;
}

TEST(PlayAlongSession, BothModesFollowAGuitarThatLiesNearlyAQuarterToneFlat) {
    const auto hearings = HearingsOfTheFlatGuitar();
    BestScores best;

    PlayAlongSession score(PlayAlongMode::Score, "flat.tab", best);
    for (std::size_t c = 0; c < kOnAFlatGuitar.size(); ++c) score.Sounded(ColumnAt(c));
    for (const HeardOnset& hearing : hearings) {
        if (hearing.Whole()) score.Hear(hearing, 0);
    }
    const std::string summary = score.Finish();
    EXPECT_EQ(summary.substr(0, 40), "6 of 7 columns right, 1 wrong, 0 missed.");
    EXPECT_NEAR(score.TuningOffsetCents(), kFlatCents, 2.0);
    EXPECT_NE(summary.find("\nYour guitar sounds 4"), std::string::npos) << summary;
    EXPECT_NE(summary.find(" cents flat: tune it with Play ▸ Tuner."), std::string::npos);
    // A guitar in tune is not asked to be tuned.
    PlayAlongSession inTune(PlayAlongMode::Score, "riff.tab", best);
    inTune.Sounded({1, 1, 200, {{2, 0}}});
    inTune.Hear(HeardPluck(kHearingSeconds.back(), true), 0);
    const std::string inTuneSummary = inTune.Finish();
    EXPECT_EQ(inTuneSummary.substr(0, 40), "1 of 1 columns right, 0 wrong, 0 missed.");
    EXPECT_EQ(inTuneSummary.find("Your guitar"), std::string::npos);

    PlayAlongSession wait(PlayAlongMode::Wait, "flat.tab", best);
    for (std::size_t c = 0; c < kOnAFlatGuitar.size(); ++c) {
        const PlayAlongColumn column = ColumnAt(c);
        const std::int64_t now = column.milliseconds;
        EXPECT_FALSE(wait.MayPass(column, now));
        for (const HeardOnset& hearing : hearings) {
            if (std::abs(hearing.milliseconds - static_cast<double>(now)) <= 100.0) {
                wait.Hear(hearing, now);
            }
        }
        const bool right = kOnAFlatGuitar[c].played == kOnAFlatGuitar[c].expected;
        EXPECT_EQ(wait.MayPass(column, now + PlayAlongSession::kGreenMs), right) << "column " << c;
    }
}

}  // namespace
}  // namespace fretlux
