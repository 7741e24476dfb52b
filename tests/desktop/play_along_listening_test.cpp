// SPDX-License-Identifier: MIT
// Play along hears the recording FRETLUX_INPUT_FILE names, played in real time in the
// microphone's place: each onset reaches the window on the player's clock, heard soon after it
// and then whole, and its sound is judged against the column's notes, chords included.
#include "desktop/play_along_listening.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "playback/wave_file.h"
#include "plucked_strings.h"

namespace fretlux {
namespace {

// Writes take into directory and lets it stand in for the microphone.
void UseAsInput(const MonoAudio& take, const QTemporaryDir& directory) {
    const QString path = directory.filePath(QStringLiteral("input.wav"));
    std::string bytes = WaveHeader(take.sampleRate, take.samples.size());
    AppendPcmFrames(bytes, take.samples, take.samples);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    qputenv("FRETLUX_INPUT_FILE", path.toLocal8Bit());
}

TEST(PlayAlongListening, JudgesEachOnsetOfTheInputFileAgainstTheNotesExpectedThere) {
    const int rate = 44100;
    // The open A string at 0.3 s, then an open G chord strummed at 0.9 s.
    const std::vector<int> gMajor{43, 47, 50, 55, 59, 67};
    std::vector<testing::Pluck> plucks{{0.3, 45, 0.0, 5}};
    for (std::size_t s = 0; s < gMajor.size(); ++s) {
        plucks.push_back(
            {0.9 + 0.006 * static_cast<double>(s), gMajor[s], 0.0, 6 - static_cast<int>(s), 0.12});
    }
    const MonoAudio take = testing::PluckedTake(plucks, {rate, 1.6});
    const QTemporaryDir directory;
    UseAsInput(take, directory);

    std::vector<HeardOnset> heard;
    const auto start = std::chrono::steady_clock::now();
    // The latency measured for a microphone is no part of a file's time.
    const InputChoice microphone{InputKind::Audio, "", 500};
    PlayAlongListening listening(
        microphone, start, PlayAlongMode::Score,
        [&](const HeardOnset& onset) { heard.push_back(onset); }, nullptr);
    qunsetenv("FRETLUX_INPUT_FILE");
    ASSERT_EQ(listening.Error(), "");
    // A file hears what it holds, not the speakers: play along may sound the music beside it.
    EXPECT_FALSE(listening.HearsSpeakers());
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 2 * kHearingSeconds.size(); }, 5000));

    const std::vector<std::vector<int>> expected{{45}, gMajor};
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const std::size_t onset = i / kHearingSeconds.size();
        const HeardOnset& hearing = heard[i];
        // On the player's clock: the onsets lie as far apart as in the input, and as far from
        // the start as the file input, which starts when the machine lets it, allows.
        const double played = 1000 * plucks[onset == 0 ? 0 : 1].seconds;
        EXPECT_NEAR(hearing.milliseconds - heard.front().milliseconds, played - 300.0, 15.0);
        EXPECT_NEAR(hearing.milliseconds, played, 100.0);
        EXPECT_EQ(hearing.Whole(), (i + 1) % kHearingSeconds.size() == 0);
        if (hearing.Whole()) {
            EXPECT_EQ(hearing.NotesAgainst(expected[onset]), expected[onset]);
        }
    }
    // G major played where E minor is expected is not right.
    const std::vector<int> eMinor{40, 47, 52, 55, 59, 64};
    EXPECT_NE(heard.back().NotesAgainst(eMinor), eMinor);
}

// A microphone turned low: the input's first pluck comes 40 dB below the level takes are rendered
// at, where a listener starting at no gain misses it. The gain rises to such playing as it is
// heard, and the next listener on the same input starts where the last one left it.
TEST(PlayAlongListening, AListenerStartsAtThePlayingLevelTheLastOneHeardOnTheInput) {
    const int rate = 44100;
    MonoAudio take =
        testing::PluckedTake({{0.3, 45, 0.0, 5}, {1.1, 50, 0.0, 4}}, {rate, 1.6, -60.0});
    for (float& sample : take.samples) sample *= 0.01f;
    const QTemporaryDir directory;
    UseAsInput(take, directory);

    // Whether a listener over the whole input hears the open A string begin at 0.3 s.
    const auto hearsTheFirstPluck = [] {
        bool heard = false;
        PlayAlongListening listening(
            InputChoice{InputKind::Audio, "quiet input"}, std::chrono::steady_clock::now(),
            PlayAlongMode::Score,
            [&](const HeardOnset& onset) {
                heard = heard || (onset.Whole() && std::abs(onset.milliseconds - 300.0) < 100.0 &&
                                  onset.NotesAgainst({45}) == std::vector<int>{45});
            },
            nullptr);
        QTest::qWait(1900);
        return heard;
    };
    EXPECT_FALSE(hearsTheFirstPluck());
    EXPECT_TRUE(hearsTheFirstPluck());
    qunsetenv("FRETLUX_INPUT_FILE");
}

// Notes plucked with the thumb in a noisy room, which the onset detectors miss: told when they
// should come, the listener finds them by their partials, on the player's clock.
TEST(PlayAlongListening, FindsExpectedNotesThatTheDetectorsMissOnThePlayersClock) {
    const int rate = 44100;
    const std::vector<testing::Pluck> plucks{testing::ThumbPluck(0.3, 57, 3),
                                             testing::ThumbPluck(0.63, 59, 3),
                                             testing::ThumbPluck(0.96, 55, 3)};
    const QTemporaryDir directory;
    UseAsInput(testing::PluckedTake(plucks, {rate, 1.6, -40.0}), directory);
    std::vector<HeardOnset> heard;
    PlayAlongListening listening(
        InputChoice{}, std::chrono::steady_clock::now(), PlayAlongMode::Score,
        [&](const HeardOnset& onset) {
            if (onset.Whole()) heard.push_back(onset);
        },
        nullptr);
    qunsetenv("FRETLUX_INPUT_FILE");
    ASSERT_EQ(listening.Error(), "");
    // Once the input runs, as playback's columns are sounded.
    QTest::qWait(100);
    for (const testing::Pluck& pluck : plucks) {
        listening.ExpectNotes(1000 * pluck.seconds, {pluck.midi}, 0.0);
    }
    QTest::qWait(1900);
    for (const testing::Pluck& pluck : plucks) {
        const bool found = std::any_of(heard.begin(), heard.end(), [&](const HeardOnset& onset) {
            return std::abs(onset.milliseconds - 1000 * pluck.seconds) < 100.0 &&
                   onset.NotesAgainst({pluck.midi}) == std::vector<int>{pluck.midi};
        });
        EXPECT_TRUE(found) << pluck.midi;
    }
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(),
                            [](const HeardOnset& onset) { return onset.Faint(); }));
}

}  // namespace
}  // namespace fretlux
