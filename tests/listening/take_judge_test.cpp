// SPDX-License-Identifier: MIT
// Takes of plucked strings made in the test, judged against the columns they should play: right,
// wrong (a semitone or a few off, a chord with a note missing) and missed columns, the onsets'
// columns at the edge of their reach, and the summary's timing.
#include "listening/take_judge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "listening/column_hearing.h"
#include "listening/onset_sound.h"
#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

struct Played {
    std::vector<int> expected;
    std::vector<int> played;  // nothing: the column is left out
    double lateMs = 0.0;      // the student's timing
    Verdict verdict;
};

struct StudentTake {
    MonoAudio take;
    std::vector<ExpectedColumn> expected;
};

// One column every 400 ms from 300 ms on; a chord's strings strummed 8 ms apart, low to high,
// each note on the string whose open note lies nearest below it, on a guitar tuned guitarCents
// from concert pitch.
StudentTake Play(const std::vector<Played>& columns, double noiseDb = -200.0,
                 double speakerHertz = 0.0, double guitarCents = 0.0) {
    std::vector<ExpectedColumn> expected;
    std::vector<Pluck> plucks;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const double seconds = 0.3 + 0.4 * static_cast<double>(c);
        expected.push_back(
            {1, static_cast<int>(2 * c), std::llround(seconds * 1000), columns[c].expected});
        double strum = 0.0;
        for (const int note : columns[c].played) {
            plucks.push_back(
                {seconds + columns[c].lateMs / 1000.0 + strum, note, guitarCents, StringFor(note)});
            strum += 0.008;
        }
    }
    return {
        PluckedTake(plucks, {44100, 0.3 + 0.4 * columns.size() + 0.5, noiseDb, 1, speakerHertz}),
        expected};
}

// The columns played and judged, the whole take scaled by gain.
std::vector<ColumnJudgement> Judge(const std::vector<Played>& columns, double noiseDb = -200.0,
                                   float gain = 1.0f, double speakerHertz = 0.0) {
    StudentTake played = Play(columns, noiseDb, speakerHertz);
    for (float& sample : played.take.samples) sample *= gain;
    return JudgeTake(played.take, played.expected);
}

// Single notes and chords played right, wrong and not at all.
const std::vector<Played> kMixedColumns = {
    {{40}, {40}, 12, Verdict::Right},
    {{52}, {53}, -20, Verdict::Wrong},  // a semitone sharp
    {{57}, {}, 0, Verdict::Missed},
    {{64}, {61}, 25, Verdict::Wrong},  // three semitones flat
    {{45}, {45}, -8, Verdict::Right},
    {{48, 52, 55, 60, 64}, {48, 52, 55, 60, 64}, 5, Verdict::Right},
    {{40, 47, 52, 56, 59, 64}, {40, 47, 52, 59, 64}, 0, Verdict::Wrong},      // G sharp left out
    {{43, 47, 50, 55, 59, 67}, {43, 47, 50, 56, 59, 67}, 0, Verdict::Wrong},  // one fret off
    {{45, 52, 57, 60, 64}, {}, 0, Verdict::Missed},
    {{50, 57, 62, 66}, {50, 57, 62, 66}, -15, Verdict::Right},
    {{57}, {45}, 0, Verdict::Wrong},  // an octave down
};

TEST(TakeJudge, RightWrongAndMissedColumnsOfSingleNotesAndChords) {
    const std::vector<Played>& columns = kMixedColumns;
    const auto judgements = Judge(columns);
    ASSERT_EQ(judgements.size(), columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnJudgement& j = judgements[c];
        EXPECT_EQ(j.verdict, columns[c].verdict) << "column " << c;
        if (j.verdict == Verdict::Right) {
            EXPECT_EQ(j.heard, columns[c].expected);
            ASSERT_TRUE(j.offsetMs);
            EXPECT_NEAR(static_cast<double>(*j.offsetMs), columns[c].lateMs, 6.0) << c;
        }
        if (j.verdict == Verdict::Missed) {
            EXPECT_TRUE(j.heard.empty());
            EXPECT_FALSE(j.offsetMs);
        }
    }
    // A single wrong note is among the notes heard.
    EXPECT_TRUE(std::ranges::count(judgements[1].heard, 53) == 1);
    EXPECT_TRUE(std::ranges::count(judgements[3].heard, 61) == 1);
}

// A guitar that nobody tuned lies flat or sharp, every string alike. What the student plays on it
// is heard as the notes meant, and a note a semitone off, which may then lie only 55 cents from the
// expected note, as wrong.
TEST(TakeJudge, AGuitarNearlyAQuarterToneOutOfTuneIsHeardAsTheNotesPlayedOnIt) {
    const std::vector<Played> columns = {
        {{40}, {40}, 0, Verdict::Right},
        {{52}, {53}, 0, Verdict::Wrong},
        {{57}, {56}, 0, Verdict::Wrong},
        {{45}, {}, 0, Verdict::Missed},
        {{48, 52, 55, 60, 64}, {48, 52, 55, 60, 64}, 0, Verdict::Right},
        {{43, 47, 50, 55, 59, 67}, {43, 47, 50, 56, 59, 67}, 0, Verdict::Wrong},
        {{50, 57, 62, 66}, {50, 57, 62, 66}, 0, Verdict::Right},
        {{64}, {64}, 0, Verdict::Right},
    };
    for (const double cents : {-45.0, -30.0, 30.0, 45.0}) {
        const StudentTake played = Play(columns, -200.0, 0.0, cents);
        const auto judgements = JudgeTake(played.take, played.expected);
        ASSERT_EQ(judgements.size(), columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            EXPECT_EQ(judgements[c].verdict, columns[c].verdict) << cents << " cents, column " << c;
        }
    }
}

// A string struck by mistake whose partials, but for its fundamental, are all partials of the
// chord's notes: G2 under D3, G3 and B3 strings that sound no partial above 650 Hz.
TEST(TakeJudge, AStrayStringHiddenBehindTheChordIsHeardByItsFundamental) {
    constexpr int rate = 44100;
    const std::vector<int> chord = {50, 55, 59};
    std::vector<Pluck> plucks;
    for (const double seconds : {0.3, 1.3}) {
        for (std::size_t s = 0; s < chord.size(); ++s) {
            plucks.push_back({seconds + 0.008 * (s + 1), chord[s], 0.0, static_cast<int>(4 - s),
                              0.25, 1e-4, 650.0});
        }
    }
    plucks.push_back({1.3, 43, 0.0, 6, 0.25, 1e-4, 650.0});
    const auto judgements =
        JudgeTake(PluckedTake(plucks, {rate, 2.3}), {{1, 0, 300, chord}, {1, 2, 1300, chord}});
    ASSERT_EQ(judgements.size(), 2u);
    EXPECT_EQ(judgements[0].verdict, Verdict::Right);
    EXPECT_EQ(judgements[1].verdict, Verdict::Wrong);
    EXPECT_EQ(judgements[1].heard, (std::vector<int>{43, 50, 55, 59}));
}

// Through a small speaker that loses the lowest partials, a wrong string's fundamental is faint;
// its odd partials still tell it from the note an octave up.
TEST(TakeJudge, AWrongStringIsNamedAtItsOwnPitchThroughASmallSpeaker) {
    const std::vector<Played> columns = {
        {{45, 52, 57, 60, 64}, {45, 52, 57, 60, 64}, 0, Verdict::Right},
        {{45, 52, 57, 60, 64}, {45, 52, 58, 60, 64}, 0, Verdict::Wrong},  // A#3 for A3
    };
    const auto judgements = Judge(columns, -200.0, 1.0f, 400.0);
    ASSERT_EQ(judgements.size(), columns.size());
    EXPECT_EQ(judgements[0].verdict, Verdict::Right);
    EXPECT_EQ(judgements[1].verdict, Verdict::Wrong);
    EXPECT_EQ(judgements[1].heard, (std::vector<int>{45, 52, 58, 60, 64}));
}

TEST(TakeJudge, RoomNoiseTwentyDecibelsBelowThePlayingChangesNoVerdict) {
    const std::vector<Played> columns = {
        {{45}, {45}, 0, Verdict::Right},  {{55}, {56}, 0, Verdict::Wrong},
        {{50}, {}, 0, Verdict::Missed},   {{48, 52, 55, 60}, {48, 52, 55, 60}, 0, Verdict::Right},
        {{64}, {64}, 10, Verdict::Right},
    };
    const auto judgements = Judge(columns, -40.0);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(judgements[c].verdict, columns[c].verdict) << "column " << c;
    }
}

// A microphone turned low: the same playing 30 and 40 dB quieter is heard as it is at full level.
TEST(TakeJudge, AQuietTakeIsHeardAsALoudOne) {
    const auto loud = Judge(kMixedColumns);
    for (const float gain : {0.03f, 0.01f}) {
        const auto quiet = Judge(kMixedColumns, -200.0, gain);
        ASSERT_EQ(quiet.size(), loud.size());
        for (std::size_t c = 0; c < loud.size(); ++c) {
            EXPECT_EQ(quiet[c].verdict, kMixedColumns[c].verdict)
                << "column " << c << " at " << gain;
            EXPECT_EQ(quiet[c].heard, loud[c].heard) << "column " << c << " at " << gain;
        }
    }
}

// A string plucked again, softly, while it still rings: its partials do not rise, and only the
// broken phase of its vibration tells of the new pluck. That is trusted at an ordinary onset, but
// not at one only a keen ear found, where a fading string's phase may wander without a pluck.
TEST(TakeJudge, ARingingStringPluckedAgainSoftlyIsHeardOnlyAtAnOrdinaryOnset) {
    const int rate = 44100;
    const MonoAudio take =
        PluckedTake({{0.3, 55, 0.0, 3, 0.25}, {0.8, 55, 0.0, 3, 0.11}}, {rate, 1.3});
    OnsetGroup group{static_cast<std::size_t>(0.3 * rate), static_cast<std::size_t>(0.8 * rate),
                     static_cast<std::size_t>(0.8 * rate), take.samples.size()};
    EXPECT_EQ(NotesBegun(take.samples, rate, group, {55}), std::vector<int>{55});
    group.faint = true;
    EXPECT_EQ(NotesBegun(take.samples, rate, group, {55}), std::vector<int>{});
}

// A string plucked again no louder than it still rings, and the guitar's body knocked by the pick:
// its air and top resonate for a moment near 104 and 212 Hz. Next to nothing rose at the onset,
// and the knock is most of it; yet it is a faint part of what sounds, and names no note.
TEST(TakeJudge, TheBodysKnockBesideAStringPluckedAgainNamesNoNote) {
    const int rate = 44100;
    for (const int note : {52, 59, 60, 64}) {
        MonoAudio take =
            PluckedTake({{0.3, note, 0.0, 3, 0.25}, {1.0, note, 0.0, 3, 0.1}}, {rate, 2.0, -70.0});
        for (std::size_t i = rate; i < take.samples.size(); ++i) {
            const double t = static_cast<double>(i) / rate - 1.0;
            const double knock = 0.02 * std::exp(-t / 0.08);
            take.samples[i] +=
                static_cast<float>(knock * (std::sin(2.0 * std::numbers::pi * 104.0 * t) +
                                            0.7 * std::sin(2.0 * std::numbers::pi * 212.0 * t)));
        }
        const std::vector<ColumnJudgement> judged =
            JudgeTake(take, {{1, 0, 300, {note}}, {1, 1, 1000, {note}}});
        EXPECT_EQ(judged[1].heard, std::vector<int>{note}) << note << " plucked again";
    }
}

// A chord strummed again through an amplifier driven hard adds little to the level the amplifier
// holds, so only a keen ear hears the onset, and its strings' partials barely rise; yet much of
// what sounds after it is new, and every string's phase broke.
TEST(TakeJudge, AChordStrummedAgainThroughAnOverdriveIsHeardWholeAtAFaintOnset) {
    const int rate = 44100;
    const std::vector<std::vector<int>> chords = {{45, 52, 55, 61, 64},
                                                  {50, 57, 60, 66},
                                                  {48, 52, 55, 60, 64},
                                                  {43, 47, 50, 55, 59, 67},
                                                  {40, 47, 52, 55, 59, 64}};
    for (const double drive : {30.0, 100.0}) {
        for (const std::vector<int>& chord : chords) {
            std::vector<Pluck> plucks;
            for (const double seconds : {0.3, 0.9}) {
                double strum = 0.0;
                for (const int note : chord) {
                    plucks.push_back({seconds + strum, note, 0.0, StringFor(note)});
                    strum += 0.008;
                }
            }
            MonoAudio take = PluckedTake(plucks, {rate, 1.6});
            Overdrive(take, drive);
            const auto again = static_cast<std::size_t>(0.9 * rate);
            const OnsetGroup faint{static_cast<std::size_t>(0.3 * rate), again, again,
                                   take.samples.size(), true};
            EXPECT_EQ(NotesBegun(take.samples, rate, faint, chord), chord) << "at " << drive;
        }
    }
}

// Through an amplifier driven hard, a note picked while the one before rings on, on another
// string, makes the sound no louder, so that only the keen ear hears its onset; and the new note is
// not yet nearly all that sounds. Much of what sounds is new, though. A note a semitone off is no
// right note, nor is the string before ringing on where none was picked.
TEST(TakeJudge, ANewNotePickedThroughAnOverdriveWhileTheLastRingsOnIsHeardAtAFaintOnset) {
    const int rate = 44100;
    struct Case {
        int ringing;
        std::optional<int> picked;
        int expected;
    };
    const std::vector<Case> cases = {
        {55, 60, 60},            // G3 rings on, C4 picked
        {59, 64, 64},            // B3, then E4
        {50, 55, 55},            // D3, then G3
        {45, 50, 50},            // A2, then D3
        {55, 61, 60},            // C sharp for C
        {59, 63, 64},            // E flat for E
        {55, std::nullopt, 60},  // C left out
        {50, std::nullopt, 55},  // G left out
    };
    for (const double drive : {30.0, 100.0}) {
        for (const Case& c : cases) {
            std::vector<Pluck> plucks = {{0.3, c.ringing, 0.0, StringFor(c.ringing)}};
            if (c.picked) plucks.push_back({0.9, *c.picked, 0.0, StringFor(c.ringing) - 1});
            MonoAudio take = PluckedTake(plucks, {rate, 1.6});
            Overdrive(take, drive);
            const auto at = static_cast<std::size_t>(0.9 * rate);
            const OnsetGroup unswelled{
                static_cast<std::size_t>(0.3 * rate), at, at, take.samples.size(), true, false};
            const std::vector<int> heard = NotesBegun(take.samples, rate, unswelled, {c.expected});
            const std::string how = std::to_string(c.ringing) + " then " +
                                    (c.picked ? std::to_string(*c.picked) : "nothing") +
                                    " at drive " + std::to_string(drive);
            if (c.picked == c.expected) {
                EXPECT_EQ(heard, std::vector<int>{c.expected}) << how;
            } else {
                EXPECT_NE(heard, std::vector<int>{c.expected}) << how;
            }
        }
    }
}

// A synthesiser strikes a note again as a new voice while the old one rings on: the chord's
// lowest string struck softly in the second of two strums. Its lower partials are the old
// vibration's or the chord's other notes'; its higher ones, which had died away, rise afresh.
TEST(TakeJudge, AStringStruckAgainSoftlyUnderItsOldVibrationIsHeardInAChord) {
    struct Case {
        std::vector<int> chord;
        double gapSeconds;
        double softly;  // the second pluck's amplitude, the first's being 0.25
        unsigned seed;
    };
    const std::vector<Case> cases = {
        {{43, 47, 50, 55, 59, 67}, 1.0, 0.15, 1},
        {{48, 52, 55, 60, 64}, 0.5, 0.1, 2},
        {{48, 52, 55, 60, 64}, 0.5, 0.15, 2},
    };
    const int rate = 44100;
    for (const Case& c : cases) {
        std::vector<Pluck> plucks;
        for (const double seconds : {0.3, 0.3 + c.gapSeconds}) {
            for (std::size_t s = 0; s < c.chord.size(); ++s) {
                const bool again = seconds > 0.3 && s == 0;
                plucks.push_back({seconds + 0.008 * static_cast<double>(s), c.chord[s], 0.0,
                                  static_cast<int>(again ? 7 : 6 - s), again ? c.softly : 0.25,
                                  1e-4, 8000.0, 0.12});
            }
        }
        const MonoAudio take = PluckedTake(plucks, {rate, 1.3 + c.gapSeconds, -200.0, c.seed});
        const auto strum = static_cast<std::size_t>((0.3 + c.gapSeconds) * rate);
        const OnsetGroup group{static_cast<std::size_t>(0.3 * rate), strum, strum,
                               take.samples.size()};
        EXPECT_EQ(NotesBegun(take.samples, rate, group, c.chord), c.chord)
            << c.chord.front() << " struck again at " << c.softly;
    }
}

// A chord strummed twice, its second string the second time either struck again by a
// synthesiser's new voice that starts in step with the old one, softer than it still rings, its
// partials building up as the attack sounds; or left ringing. Only the swell tells them apart.
TEST(TakeJudge, AStringStruckAgainInStepWithItsOldVibrationIsHeardByItsSwell) {
    struct Case {
        std::vector<int> chord;
        bool struckAgain;
    };
    const int rate = 44100;
    for (const Case& c : {Case{{45, 52, 57}, true}, Case{{45, 52, 57}, false},
                          Case{{48, 55, 60, 64}, true}, Case{{48, 55, 60, 64}, false}}) {
        std::vector<Pluck> plucks;
        for (const double seconds : {0.3, 0.9}) {
            for (std::size_t s = 0; s < c.chord.size(); ++s) {
                Pluck pluck{seconds + 0.008 * static_cast<double>(s), c.chord[s], 0.0,
                            static_cast<int>(5 - s)};
                if (seconds > 0.3 && s == 1) {
                    if (!c.struckAgain) continue;
                    pluck.amplitude = 0.08;
                    pluck.inStep = true;
                    pluck.swellSeconds = 0.06;
                }
                plucks.push_back(pluck);
            }
        }
        const MonoAudio take = PluckedTake(plucks, {rate, 1.6});
        const auto strum = static_cast<std::size_t>(0.9 * rate);
        const OnsetGroup group{static_cast<std::size_t>(0.3 * rate), strum, strum,
                               take.samples.size()};
        const std::vector<int> heard = NotesBegun(take.samples, rate, group, c.chord);
        EXPECT_EQ(std::ranges::count(heard, c.chord[1]), c.struckAgain ? 1 : 0)
            << c.chord[1] << (c.struckAgain ? " struck again" : " left ringing");
    }
}

// A chord strummed again more softly than it still rings, some strings with a quarter of the
// energy they rang with or less: no partial rises, and each string tells of the new pluck only by
// the broken phase of its vibration. A string an octave above another of the chord has no
// partials of its own to tell it, yet the chord was played right.
TEST(TakeJudge, AChordStrummedAgainSoftlyIsHeardWholeWithItsOctaves) {
    struct Case {
        std::vector<int> chord;
        double softly;  // the second strum's amplitude, the first's being 0.25
        unsigned seed;
    };
    const int rate = 44100;
    for (const Case& c :
         {Case{{45, 52, 57, 61, 64}, 0.1, 2}, Case{{45, 52, 57, 61, 64}, 0.1, 4},
          Case{{40, 47, 52, 55, 59, 64}, 0.12, 3}, Case{{45, 52, 57, 61, 64}, 0.08, 4},
          Case{{40, 47, 52, 55, 59, 64}, 0.08, 3}}) {
        std::vector<Pluck> plucks;
        for (const double seconds : {0.3, 0.8}) {
            for (std::size_t s = 0; s < c.chord.size(); ++s) {
                plucks.push_back({seconds + 0.008 * static_cast<double>(s), c.chord[s], 0.0,
                                  static_cast<int>(6 - s), seconds > 0.3 ? c.softly : 0.25});
            }
        }
        const MonoAudio take = PluckedTake(plucks, {rate, 1.5, -200.0, c.seed});
        const auto strum = static_cast<std::size_t>(0.8 * rate);
        const OnsetGroup group{static_cast<std::size_t>(0.3 * rate), strum, strum,
                               take.samples.size()};
        EXPECT_EQ(NotesBegun(take.samples, rate, group, c.chord), c.chord)
            << c.chord.front() << " strummed again at " << c.softly;
    }
}

// A3, then A#3 on the next string, then A#3 again where A3 was asked for: the A3 string still
// rings faintly from the first column, its phase disturbed by the room's noise and the louder
// A#3 beside it. That is no new pluck of it, and the column is not right.
TEST(TakeJudge, ANoteStruckAgainInPlaceOfTheNextIsNotTakenForAFaintStringRingingOn) {
    struct Case {
        double firstAmplitude;
        unsigned seed;
    };
    for (const Case& c : {Case{0.08, 2}, Case{0.08, 3}, Case{0.15, 3}}) {
        const MonoAudio take =
            PluckedTake({{0.3, 57, 0.0, 4, c.firstAmplitude}, {0.7, 58, 0.0, 3}, {1.1, 58, 0.0, 3}},
                        {44100, 1.8, -40.0, c.seed});
        const auto judgements =
            JudgeTake(take, {{1, 0, 300, {57}}, {1, 1, 700, {58}}, {1, 2, 1100, {57}}});
        ASSERT_EQ(judgements.size(), 3u);
        EXPECT_EQ(judgements[1].verdict, Verdict::Right) << c.firstAmplitude << " " << c.seed;
        EXPECT_NE(judgements[2].verdict, Verdict::Right) << c.firstAmplitude << " " << c.seed;
    }
}

// A lone partial a quarter tone off the notes, louder than any one partial of a stray string,
// rises with a power chord (a sympathetic ring, or a partial beating up by chance): no note
// explains it, and it does not hide the stray D#4 behind it.
TEST(TakeJudge, APartialNoNoteExplainsDoesNotHideAStrayString) {
    struct Case {
        double strayAmplitude;
        double loneAmplitude;
    };
    const int rate = 44100;
    const std::vector<int> chord = {48, 55};
    for (const Case& c : {Case{0.15, 0.2}, Case{0.15, 0.4}, Case{0.25, 0.4}}) {
        const MonoAudio take = PluckedTake({{0.3, 48, 0.0, 5},
                                            {0.308, 55, 0.0, 3},
                                            {0.316, 63, 0.0, 2, c.strayAmplitude},
                                            {0.3, 68, 50.0, 1, c.loneAmplitude, 1e-4, 500.0}},
                                           {rate, 1.0});
        const OnsetGroup group{0, static_cast<std::size_t>(0.3 * rate),
                               static_cast<std::size_t>(0.316 * rate), take.samples.size()};
        EXPECT_EQ(NotesBegun(take.samples, rate, group, chord), (std::vector<int>{48, 55, 63}))
            << c.strayAmplitude << " under " << c.loneAmplitude;
    }
}

// A string a fret or two off, struck more softly than the rest of the chord, holds little of
// the new energy; a note that near an expected one is still heard by its fundamental and another
// partial, and nothing else is heard with it.
TEST(TakeJudge, ASoftStringAFretOrTwoOffIsHeardInAChord) {
    struct Case {
        std::vector<int> chord;
        int meant;
        int played;
        double amplitude;
    };
    const int rate = 44100;
    for (const Case& c :
         {Case{{48, 52, 55, 60, 64}, 55, 57, 0.12}, Case{{45, 52, 57, 61, 64}, 61, 60, 0.1},
          Case{{40, 47, 52, 55, 59, 64}, 47, 49, 0.1}, Case{{48, 52, 55, 60, 64}, 64, 63, 0.12}}) {
        std::vector<Pluck> plucks;
        for (std::size_t s = 0; s < c.chord.size(); ++s) {
            const bool wrong = c.chord[s] == c.meant;
            plucks.push_back({0.3 + 0.008 * static_cast<double>(s), wrong ? c.played : c.chord[s],
                              0.0, static_cast<int>(6 - s), wrong ? c.amplitude : 0.25});
        }
        const MonoAudio take = PluckedTake(plucks, {rate, 1.0});
        const OnsetGroup group{0, static_cast<std::size_t>(0.3 * rate),
                               static_cast<std::size_t>(plucks.back().seconds * rate),
                               take.samples.size()};
        const std::vector<int> heard = NotesBegun(take.samples, rate, group, c.chord);
        EXPECT_EQ(std::ranges::count(heard, c.played), 1) << c.played << " for " << c.meant;
        EXPECT_TRUE(std::ranges::all_of(
            heard,
            [&](int note) { return note == c.played || std::ranges::count(c.chord, note) == 1; }))
            << c.played << " for " << c.meant;
    }
}

// B3 for A3 and G3 for F3 through a speaker that passes little below 1,400 Hz: the wrong note's
// seventh partial lies 31 cents below the expected note's eighth, and is no partial of it.
TEST(TakeJudge, AWholeToneHighIsNotHeardAsTheExpectedNoteByItsUpperPartials) {
    const std::vector<Played> columns = {
        {{57}, {59}, 0, Verdict::Wrong},
        {{53}, {55}, 0, Verdict::Wrong},
    };
    const auto judgements = Judge(columns, -200.0, 1.0f, 1400.0);
    ASSERT_EQ(judgements.size(), columns.size());
    for (std::size_t c = 0; c < columns.size(); ++c) {
        EXPECT_NE(judgements[c].verdict, Verdict::Right) << "column " << c;
    }
}

// Each column gets its verdict, and a wrong one names exactly the notes played.
void ExpectVerdictsNamingWrongNotes(const std::vector<ColumnJudgement>& judgements,
                                    const std::vector<Played>& columns, const std::string& how) {
    ASSERT_EQ(judgements.size(), columns.size()) << how;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(judgements[c].verdict, columns[c].verdict) << "column " << c << ", " << how;
        if (columns[c].verdict == Verdict::Wrong) {
            EXPECT_EQ(judgements[c].heard, columns[c].played) << "column " << c << ", " << how;
        }
    }
}

// Each column played right is judged right, and each fault is caught: judged wrong or missed.
void ExpectFaultsCaught(const std::vector<ColumnJudgement>& judgements,
                        const std::vector<Played>& columns, const std::string& how) {
    ASSERT_EQ(judgements.size(), columns.size()) << how;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(judgements[c].verdict == Verdict::Right, columns[c].verdict == Verdict::Right)
            << "column " << c << ", " << how;
    }
}

// Every partial of a note an octave, a twelfth or two octaves up is a partial of the note expected
// too; the expected note's own partials tell them apart, also after it rang right, and through a
// small speaker that loses the lowest partials.
TEST(TakeJudge, ASingleNoteAnOctaveATwelfthOrTwoOctavesUpIsWrong) {
    const std::vector<Played> columns = {
        {{45}, {57}, 0, Verdict::Wrong}, {{40}, {52}, 0, Verdict::Wrong},
        {{50}, {62}, 0, Verdict::Wrong}, {{48}, {67}, 0, Verdict::Wrong},
        {{55}, {55}, 0, Verdict::Right}, {{55}, {67}, 0, Verdict::Wrong},
        {{52}, {52}, 0, Verdict::Right}, {{40}, {64}, 0, Verdict::Wrong},
    };
    for (const double speakerHertz : {0.0, 400.0}) {
        ExpectVerdictsNamingWrongNotes(Judge(columns, -200.0, 1.0f, speakerHertz), columns,
                                       "through " + std::to_string(speakerHertz) + " Hz");
    }
}

// A student whose finger sits on the wrong fret plays the same wrong note again and again, no
// louder than it rang. It is wrong each time, and named as the note played, though the string of
// the note expected may still ring from before, and in a noisy room too.
TEST(TakeJudge, AWrongNotePlayedAgainIsWrongAgain) {
    const std::vector<Played> columns = {
        {{59}, {59}, 0, Verdict::Right}, {{59}, {56}, 0, Verdict::Wrong},
        {{59}, {56}, 0, Verdict::Wrong}, {{59}, {56}, 0, Verdict::Wrong},
        {{57}, {58}, 0, Verdict::Wrong}, {{57}, {58}, 0, Verdict::Wrong},
        {{52}, {50}, 0, Verdict::Wrong}, {{52}, {50}, 0, Verdict::Wrong},
        {{64}, {65}, 0, Verdict::Wrong}, {{64}, {65}, 0, Verdict::Wrong},
        {{64}, {64}, 0, Verdict::Right},
    };
    for (const double noiseDb : {-200.0, -40.0}) {
        ExpectVerdictsNamingWrongNotes(Judge(columns, noiseDb), columns,
                                       "noise at " + std::to_string(noiseDb) + " dB");
    }
}

// Wait mode hears each onset again and again, from 40 ms after it on, and shows the column green
// as soon as a hearing finds the note expected. A wrong note, the first time or struck again, is
// never heard as the note expected; struck again, it is named at every hearing.
TEST(TakeJudge, AWrongNoteIsNeverHeardAsTheNoteExpectedAtAnyHearingOfItsOnset) {
    struct Slip {
        int expected;
        int played;
    };
    const std::vector<Slip> slips = {{59, 56}, {57, 58}, {52, 50}, {64, 65}, {45, 47}, {50, 48}};
    constexpr int kRate = 44100;
    for (const double noiseDb : {-200.0, -40.0}) {
        for (const Slip& slip : slips) {
            // The right note, then the wrong one twice, on one string.
            const int string = StringFor(std::min(slip.expected, slip.played));
            const MonoAudio take = PluckedTake({{0.2, slip.expected, 0.0, string},
                                                {0.53, slip.played, 0.0, string},
                                                {0.86, slip.played, 0.0, string}},
                                               {kRate, 1.3, noiseDb});
            for (const double onsetSeconds : {0.53, 0.86}) {
                const auto onset = static_cast<std::size_t>(onsetSeconds * kRate);
                const auto since = static_cast<std::size_t>((onsetSeconds - 0.33) * kRate);
                for (const double hearing : kHearingSeconds) {
                    const std::size_t end = onset + static_cast<std::size_t>(hearing * kRate);
                    const std::vector<int> heard =
                        NotesBegun(std::span<const float>(take.samples).first(end), kRate,
                                   {since, onset, onset, end}, {slip.expected});
                    const std::string where =
                        std::to_string(slip.played) + " for " + std::to_string(slip.expected) +
                        " at " + std::to_string(onsetSeconds) + " s, heard after " +
                        std::to_string(hearing) + " s, " + std::to_string(noiseDb) + " dB";
                    EXPECT_NE(heard, std::vector<int>{slip.expected}) << where;
                    if (onsetSeconds > 0.8) {
                        EXPECT_EQ(heard, std::vector<int>{slip.played}) << where;
                    }
                }
            }
        }
    }
}

// A wrong note is named as the one note played, where the student will see it on the fretboard:
// not also as its own upper partials, strong on a string picked near the bridge or through a small
// speaker that loses the lowest ones, nor as the expected note an octave or two up, one of whose
// partials lies beside a partial of a note a whole tone from the expected one, nor as the expected
// note itself, a fret away, over whose fundamental the played note's spreads.
TEST(TakeJudge, AWrongNoteIsNamedAloneNotByItsPartialsNorByTheExpectedNote) {
    struct Slip {
        int expected;
        int played;
        double pickedAt;  // a share of the string's length from the bridge
        double speakerHertz;
        double noiseDb;
    };
    const std::vector<Slip> slips = {
        {55, 57, 0.18, 0.0, -200.0},   {55, 57, 0.18, 0.0, -40.0},    {60, 62, 0.05, 0.0, -200.0},
        {60, 62, 0.05, 0.0, -40.0},    {45, 43, 0.18, 450.0, -200.0}, {47, 44, 0.18, 450.0, -200.0},
        {50, 48, 0.05, 450.0, -200.0}, {46, 43, 0.02, 300.0, -200.0}, {55, 56, 0.18, 0.0, -200.0},
        {57, 56, 0.18, 0.0, -40.0},
    };
    for (const Slip& slip : slips) {
        Pluck pluck{0.3, slip.played, 0.0, StringFor(slip.played)};
        pluck.pickedAt = slip.pickedAt;
        const MonoAudio take =
            PluckedTake({pluck}, {44100, 1.0, slip.noiseDb, 1, slip.speakerHertz});
        const std::vector<ColumnJudgement> judged = JudgeTake(take, {{1, 0, 300, {slip.expected}}});
        EXPECT_EQ(judged.front().heard, std::vector<int>{slip.played})
            << slip.played << " for " << slip.expected << ", picked at " << slip.pickedAt
            << ", through " << slip.speakerHertz << " Hz, noise at " << slip.noiseDb << " dB";
    }
}

// A wrong string in a chord, a fret or two off, is named as the note played, where the student
// will see it on the fretboard. Through a small speaker its fundamental is faint beside its upper
// partials, and one of those, the strongest thing the chord does not explain, must not name it.
TEST(TakeJudge, AWrongStringInAChordIsNamedAtItsFundamentalNotByAnUpperPartial) {
    const std::vector<Played> columns = {
        {{45, 52, 57, 60, 64}, {45, 52, 57, 62, 64}, 0, Verdict::Wrong},
        {{40, 47, 52, 55, 59, 64}, {40, 47, 52, 55, 61, 64}, 0, Verdict::Wrong},
        {{48, 52, 55, 60, 64}, {48, 52, 55, 62, 64}, 0, Verdict::Wrong},
    };
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::vector<ColumnJudgement> judged = Judge({columns[c]}, -200.0, 1.0f, 450.0);
        const std::vector<int>& heard = judged.front().heard;
        const std::vector<int>& played = columns[c].played;
        const std::vector<int>& expected = columns[c].expected;
        EXPECT_EQ(judged.front().verdict, Verdict::Wrong) << "chord " << c;
        for (const int note : played) {
            if (std::find(expected.begin(), expected.end(), note) == expected.end()) {
                EXPECT_NE(std::find(heard.begin(), heard.end(), note), heard.end())
                    << "chord " << c << ": wrong string " << note << " not named";
            }
        }
        for (const int note : heard) {
            EXPECT_TRUE(std::find(played.begin(), played.end(), note) != played.end() ||
                        std::find(expected.begin(), expected.end(), note) != expected.end())
                << "chord " << c << ": " << note << " named, neither played nor expected";
        }
    }
}

// Plucked with the thumb, which makes no click, each note swelling in over some hundredths of a
// second, in a room whose noise is 20 dB below the playing: the onset detectors miss most of the
// notes, which their own partials still find. Through an amplifier driven hard, which holds every
// note at one level, too. A note a semitone off, or none at all, is still no right note.
TEST(TakeJudge, ThumbPluckedNotesInANoisyRoomAreFoundByTheirPartials) {
    const std::vector<Played> columns = {
        {{57}, {57}, 0, Verdict::Right}, {{59}, {59}, 0, Verdict::Right},
        {{57}, {57}, 0, Verdict::Right}, {{59}, {60}, 0, Verdict::Wrong},
        {{55}, {55}, 0, Verdict::Right}, {{57}, {}, 0, Verdict::Missed},
        {{59}, {59}, 0, Verdict::Right}, {{62}, {62}, 0, Verdict::Right},
        {{60}, {61}, 0, Verdict::Wrong}, {{59}, {59}, 0, Verdict::Right},
        {{57}, {57}, 0, Verdict::Right}, {{55}, {55}, 0, Verdict::Right},
    };
    for (const double drive : {1.0, 10.0}) {
        std::vector<Pluck> plucks;
        std::vector<ExpectedColumn> expected;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const double seconds = 0.3 + 0.33 * static_cast<double>(c);
            expected.push_back(
                {1, static_cast<int>(c), std::llround(seconds * 1000), columns[c].expected});
            for (const int note : columns[c].played) {
                plucks.push_back(ThumbPluck(seconds, note, 3));
            }
        }
        MonoAudio take = PluckedTake(plucks, {44100, 0.3 + 0.33 * columns.size() + 0.5, -40.0});
        Overdrive(take, drive);
        ExpectFaultsCaught(JudgeTake(take, expected), columns, "drive " + std::to_string(drive));
    }
}

// Through an amplifier driven hard, a note struck again more softly than it rang makes the sound
// no louder, and its partials barely rise; yet its phase breaks, and it is nearly all that sounds.
// Where the student leaves a note out, the string only rings on; where a finger slips, another
// note sounds. The strings are dull and struck without a click, so that the amplifier makes their
// highest partials.
TEST(TakeJudge, ANoteStruckAgainSoftlyThroughAnOverdriveIsHeard) {
    struct Column {
        Played played;
        double amplitude;
    };
    const double kFirm = 0.25;
    const double kSoft = 0.1;
    const std::vector<Column> columns = {
        {{{64}, {64}, 0, Verdict::Right}, kFirm},   {{{64}, {64}, 10, Verdict::Right}, kSoft},
        {{{64}, {}, 0, Verdict::Missed}, 0.0},      {{{64}, {64}, -15, Verdict::Right}, kSoft},
        {{{59}, {59}, 0, Verdict::Right}, kFirm},   {{{59}, {59}, 20, Verdict::Right}, kSoft},
        {{{59}, {60}, 0, Verdict::Wrong}, kFirm},   {{{55}, {55}, 0, Verdict::Right}, kFirm},
        {{{55}, {55}, -10, Verdict::Right}, kSoft}, {{{55}, {}, 0, Verdict::Missed}, 0.0},
        {{{55}, {55}, 0, Verdict::Right}, kSoft},   {{{48}, {48}, 0, Verdict::Right}, kFirm},
        {{{48}, {48}, 0, Verdict::Right}, kSoft},   {{{48}, {46}, 0, Verdict::Wrong}, kFirm},
    };
    std::vector<Played> played;
    std::vector<ExpectedColumn> expected;
    std::vector<Pluck> plucks;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const Played& column = columns[c].played;
        const double seconds = 0.3 + 0.33 * static_cast<double>(c);
        played.push_back(column);
        expected.push_back({1, static_cast<int>(c), std::llround(seconds * 1000), column.expected});
        for (const int note : column.played) {
            Pluck pluck{seconds + column.lateMs / 1000.0, note, 0.0, 3, columns[c].amplitude};
            pluck.highestHertz = 1500.0;
            pluck.click = 0.0;
            plucks.push_back(pluck);
        }
    }
    for (const double drive : {30.0, 100.0}) {
        MonoAudio take = PluckedTake(plucks, {44100, 0.3 + 0.33 * columns.size() + 0.5});
        Overdrive(take, drive);
        ExpectFaultsCaught(JudgeTake(take, expected), played, "drive " + std::to_string(drive));
    }
}

// An amplifier with its treble turned up ahead of a hard overdrive: the sums and differences of
// every string's many partials fill the spectrum between them.
void BrightOverdrive(MonoAudio& take, double drive) {
    float previous = 0.0f;
    for (float& sample : take.samples) {
        const float plain = sample;
        sample = plain - 0.95f * previous;
        previous = plain;
    }
    Overdrive(take, drive);
}

// Chords struck after a rest through a bright overdrive: the middle of the spectrum after the
// strum lies far above the room's noise, and a soft string's partials barely stand out of it.
// They are partials all the same, the room being as quiet as before the strum.
TEST(TakeJudge, ChordsThroughABrightOverdriveAreHeardWhole) {
    const std::vector<Played> chords = {
        {{45, 52, 55, 61, 64}, {45, 52, 55, 61, 64}, 0, Verdict::Right},
        {{50, 57, 62, 66}, {50, 57, 62, 66}, 0, Verdict::Right},
        {{48, 52, 55, 60, 64}, {48, 52, 55, 60, 64}, 0, Verdict::Right},
        {{43, 47, 50, 55, 59, 67}, {43, 47, 50, 55, 59, 67}, 0, Verdict::Right},
        {{45, 52, 57, 60, 64}, {45, 52, 57, 60, 64}, 0, Verdict::Right},
        {{40, 47, 52, 55, 59, 64}, {40, 47, 52, 55, 59, 64}, 0, Verdict::Right},
        {{50, 57, 62, 65}, {50, 57, 62, 66}, 0, Verdict::Wrong},  // F sharp for F
    };
    for (const double drive : {30.0, 100.0}) {
        for (const Played& chord : chords) {
            StudentTake played = Play({chord}, -70.0);
            BrightOverdrive(played.take, drive);
            const auto judgements = JudgeTake(played.take, played.expected);
            ASSERT_EQ(judgements.size(), 1u);
            const std::string label = ::testing::PrintToString(chord.expected) + " at " +
                                      std::to_string(static_cast<int>(drive)) + " heard " +
                                      ::testing::PrintToString(judgements[0].heard);
            EXPECT_EQ(judgements[0].verdict, chord.verdict) << label;
        }
    }
}

// A7's C sharp has only its fundamental to itself among its first eight partials; the chord's
// other notes sound all the rest. Struck softly through an amplifier whose hiss fills the spectrum
// before and after the strum nearly as high, it is heard when the chord is strummed again, and
// missed when it is left out of the second strum.
TEST(TakeJudge, ASoftChordNoteWithOnlyItsFundamentalToItselfIsHeardThroughAHissingAmplifier) {
    constexpr int rate = 44100;
    const std::vector<int> chord = {45, 52, 55, 61, 64};
    const std::vector<int> withoutCSharp = {45, 52, 55, 64};
    for (const unsigned seed : {1u, 2u, 3u}) {
        for (const bool leftOut : {false, true}) {
            std::vector<Pluck> plucks;
            for (const double seconds : {0.3, 0.9}) {
                double strum = 0.0;
                for (const int note : chord) {
                    if (!(leftOut && seconds > 0.3 && note == 61)) {
                        plucks.push_back({seconds + strum, note, 0.0, StringFor(note),
                                          note == 61 ? 0.03 : 0.25});
                    }
                    strum += 0.008;
                }
            }
            const auto judgements = JudgeTake(PluckedTake(plucks, {rate, 1.6, -24.0, seed}),
                                              {{1, 0, 300, chord}, {1, 2, 900, chord}});
            ASSERT_EQ(judgements.size(), 2u);
            EXPECT_EQ(judgements[0].heard, chord) << "seed " << seed;
            EXPECT_EQ(judgements[1].heard, leftOut ? withoutCSharp : chord)
                << "seed " << seed << (leftOut ? ", left out" : ", struck");
        }
    }
}

TEST(TakeJudge, AnOnsetBelongsToTheNearestColumnWithinAHundredMilliseconds) {
    const std::vector<ExpectedColumn> columns = {
        {1, 0, 1000, {40}}, {1, 4, 1150, {45}}, {2, 1, 2000, {50}}};
    const std::vector<double> onsets = {899.0,  900.0,  1075.0, 1076.0,
                                        1250.0, 1251.0, 2100.0, 2100.5};
    const std::vector<std::optional<std::size_t>> owners = {std::nullopt, 0, 0,           1, 1,
                                                            std::nullopt, 2, std::nullopt};
    EXPECT_EQ(AssignOnsets(onsets, columns), owners);
}

TEST(TakeJudge, TheSummaryCountsVerdictsAndTimesTheRightColumns) {
    const auto column = [](Verdict verdict, std::optional<std::int64_t> offset) {
        return ColumnJudgement{{}, {}, verdict, offset};
    };
    const TakeSummary summary = Summarise(
        {column(Verdict::Right, -10), column(Verdict::Wrong, 40), column(Verdict::Right, 20),
         column(Verdict::Missed, std::nullopt), column(Verdict::Right, 5)});
    EXPECT_EQ(summary.columns, 5);
    EXPECT_EQ(summary.right, 3);
    EXPECT_EQ(summary.wrong, 1);
    EXPECT_EQ(summary.missed, 1);
    ASSERT_TRUE(summary.timing);
    EXPECT_DOUBLE_EQ(summary.timing->mean, 5.0);
    EXPECT_DOUBLE_EQ(summary.timing->standardDeviation, std::sqrt(150.0));
    EXPECT_FALSE(Summarise({column(Verdict::Missed, std::nullopt)}).timing);
}

}  // namespace
}  // namespace fretlux::testing
