// SPDX-License-Identifier: MIT
// The live path without a device: samples pushed as an audio callback would push them come out
// of the analysis thread as tuner readings, onsets and the sound that judges what began at each;
// the ring drops what does not fit.
#include "listening/analysis_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "listening/sample_ring.h"
#include "plucked_strings.h"

namespace fretlux::testing {
namespace {

TEST(SampleRing, PassesSamplesInOrderAcrossItsEndAndCountsWhatDidNotFit) {
    SampleRing ring(8);
    std::vector<float> out(8);
    float next = 0.0f, expected = 0.0f;
    for (int round = 0; round < 5; ++round) {
        std::vector<float> block(5);
        for (float& s : block) s = next++;
        EXPECT_EQ(ring.Push(block), 5u);
        const std::size_t count = ring.Pop(out);
        ASSERT_EQ(count, 5u);
        for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(out[i], expected++);
    }
    const std::vector<float> tooMany(11, 1.0f);
    EXPECT_EQ(ring.Push(tooMany), 8u);
    EXPECT_EQ(ring.Dropped(), 3u);
}

TEST(AnalysisThread, ReportsReadingsOnsetsAndTheSoundThatJudgesEachOnsetSoonAfterIt) {
    const int rate = 44100;
    const std::vector<int> aMajor{45, 52, 57, 61, 64};
    std::vector<Pluck> plucks{{0.3, 40, 6.0, 6}, {1.0, 59, -9.0, 2}};
    for (std::size_t i = 0; i < aMajor.size(); ++i) {
        // Strummed downwards, the strings 8 ms apart.
        plucks.push_back(
            {1.6 + 0.008 * static_cast<double>(i), aMajor[i], 0.0, 5 - static_cast<int>(i), 0.15});
    }
    const MonoAudio take = PluckedTake(plucks, {rate, 2.3});
    std::mutex mutex;
    std::vector<TunerReading> readings;
    std::vector<std::int64_t> onsets;
    std::vector<std::shared_ptr<const OnsetSound>> sounds;
    {
        AnalysisThread thread(rate,
                              {[&](const TunerReading& r) {
                                   std::lock_guard lock(mutex);
                                   readings.push_back(r);
                               },
                               [&](std::int64_t onset) {
                                   std::lock_guard lock(mutex);
                                   onsets.push_back(onset);
                               },
                               [&](std::shared_ptr<const OnsetSound> sound) {
                                   std::lock_guard lock(mutex);
                                   sounds.push_back(std::move(sound));
                               }},
                              // The test pushes faster than real time: room for the whole take.
                              3.0);
        // Blocks of 256 samples, as a callback delivers them.
        const std::span<const float> samples(take.samples);
        for (std::size_t at = 0; at < samples.size(); at += 256) {
            thread.Push(samples.subspan(at, std::min<std::size_t>(256, samples.size() - at)));
        }
        thread.Stop();
        EXPECT_EQ(thread.DroppedSamples(), 0u);
    }
    EXPECT_GE(readings.size(), 2.3 * 10);
    ASSERT_EQ(onsets.size(), 3u);
    // Each onset is heard soon after it, again later, and last whole.
    const std::size_t hearings = kHearingSeconds.size();
    ASSERT_EQ(sounds.size(), onsets.size() * hearings);
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        const OnsetSound& sound = *sounds[i];
        EXPECT_EQ(sound.onsetSample, onsets[i / hearings]);
        EXPECT_EQ(sound.whole, i % hearings == hearings - 1);
        EXPECT_EQ(sound.samples.size() - sound.onsets.last,
                  static_cast<std::size_t>(kHearingSeconds[i % hearings] * rate));
    }
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(onsets[i]) / rate, plucks[i].seconds, 0.015);
    }
    for (std::size_t i = 0; i < hearings; ++i) {
        EXPECT_EQ(NotesBegun(*sounds[i], {40}), std::vector<int>{40});
        EXPECT_EQ(NotesBegun(*sounds[hearings + i], {59}), std::vector<int>{59});
        // Where C4 is expected, the B3 played is heard, and the C4 not.
        const std::vector<int> heard = NotesBegun(*sounds[hearings + i], {60});
        EXPECT_TRUE(std::ranges::count(heard, 59) == 1 && std::ranges::count(heard, 60) == 0)
            << ::testing::PrintToString(heard);
    }
    const OnsetSound& chord = *sounds.back();
    EXPECT_EQ(NotesBegun(chord, aMajor), aMajor);
    // A major played where A minor is expected is not right.
    const std::vector<int> aMinor{45, 52, 57, 60, 64};
    EXPECT_NE(NotesBegun(chord, aMinor), aMinor);
}

// The whole sounds an analysis thread reports over take, pushed as an audio callback would, and
// the loudest playing it heard.
struct QuietListening {
    std::vector<std::shared_ptr<const OnsetSound>> whole;
    double loudestPlaying = 0.0;
};

QuietListening ListenTo(const MonoAudio& take, double playedBefore) {
    std::mutex mutex;
    QuietListening heard;
    AnalysisThread thread(take.sampleRate,
                          {nullptr, nullptr,
                           [&](std::shared_ptr<const OnsetSound> sound) {
                               std::lock_guard lock(mutex);
                               if (sound->whole) heard.whole.push_back(std::move(sound));
                           }},
                          5.0, playedBefore);
    const std::span<const float> samples(take.samples);
    for (std::size_t at = 0; at < samples.size(); at += 256) {
        thread.Push(samples.subspan(at, std::min<std::size_t>(256, samples.size() - at)));
    }
    thread.Stop();
    heard.loudestPlaying = thread.LoudestPlaying();
    return heard;
}

// A microphone turned low: playing 40 dB below the level a take is rendered at. Once the gain
// has risen to it, within a second or so, each pluck is found and its note heard; a second
// listener on the same input starts at that gain and hears the first plucks too.
TEST(AnalysisThread, HearsQuietPlayingOnceTheGainHasRisenToItAndFromTheStartNextTime) {
    const int rate = 44100;
    const std::vector<int> notes{45, 50, 55, 59, 64, 52, 57, 62};
    std::vector<Pluck> plucks;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        plucks.push_back({0.3 + 0.5 * static_cast<double>(i), notes[i], 0.0, 1});
    }
    MonoAudio take = PluckedTake(plucks, {rate, 4.5, -60.0});
    for (float& sample : take.samples) sample *= 0.01f;
    const auto expectHeard = [&](const QuietListening& heard, std::size_t from) {
        for (std::size_t i = from; i < plucks.size(); ++i) {
            const auto sound = std::ranges::find_if(heard.whole, [&](const auto& s) {
                return std::abs(static_cast<double>(s->onsetSample) / rate - plucks[i].seconds) <
                       0.015;
            });
            ASSERT_NE(sound, heard.whole.end()) << "pluck at " << plucks[i].seconds << " s";
            EXPECT_EQ(NotesBegun(**sound, {notes[i]}), std::vector<int>{notes[i]}) << i;
        }
    };
    const QuietListening first = ListenTo(take, 0.0);
    expectHeard(first, 3);
    expectHeard(ListenTo(take, first.loudestPlaying), 0);
}

// A note that swells in over 60 ms, as a soft pluck in a room may: the ordinary ear finds no
// onset there, a keen one does, and its sound is reported once, whole and faint, so that a
// column that no other onset reached can still be judged.
TEST(AnalysisThread, ReportsANoteThatOnlyAKeenEarFindsOnceWholeAndFaint) {
    const int rate = 44100;
    MonoAudio take = PluckedTake({{0.3, 45, 0.0, 5, 0.25}}, {rate, 1.6, -60.0});
    const MonoAudio swell = PluckedTake({{1.0, 52, 0.0, 4, 0.05}}, {rate, 1.6});
    for (std::size_t i = 0; i < take.samples.size(); ++i) {
        const double fadeIn = std::clamp((static_cast<double>(i) / rate - 1.0) / 0.06, 0.0, 1.0);
        take.samples[i] += static_cast<float>(fadeIn * swell.samples[i]);
    }
    std::mutex mutex;
    std::vector<std::shared_ptr<const OnsetSound>> sounds;
    {
        AnalysisThread thread(rate,
                              {{},
                               {},
                               [&](std::shared_ptr<const OnsetSound> sound) {
                                   std::lock_guard lock(mutex);
                                   sounds.push_back(std::move(sound));
                               }},
                              2.0);
        thread.Push(take.samples);
        thread.Stop();
    }
    // The loud pluck's hearings, then the swell's one.
    ASSERT_EQ(sounds.size(), kHearingSeconds.size() + 1);
    EXPECT_TRUE(std::none_of(sounds.begin(), sounds.end() - 1,
                             [](const auto& sound) { return sound->onsets.faint; }));
    const OnsetSound& faint = *sounds.back();
    EXPECT_TRUE(faint.onsets.faint);
    EXPECT_TRUE(faint.whole);
    EXPECT_NEAR(static_cast<double>(faint.onsetSample) / rate, 1.0, 0.03);
    EXPECT_EQ(NotesBegun(faint, {52}), std::vector<int>{52});
}

// Notes plucked with the thumb in a room whose noise is 20 dB below the playing: the onset
// detectors miss most of them. Expected, each is found by its partials and reported once, whole
// and faint; where nothing or a note a fret off was played, nothing is heard right.
TEST(AnalysisThread, FindsTheOnsetOfExpectedNotesThatTheDetectorsMissed) {
    const int rate = 44100;
    struct Column {
        int expected;
        int played;  // 0: none
    };
    const std::vector<Column> columns = {{57, 57}, {59, 59}, {55, 55}, {57, 0},
                                         {59, 60}, {62, 62}, {60, 60}, {57, 57}};
    std::vector<Pluck> plucks;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].played != 0) {
            plucks.push_back(ThumbPluck(0.3 + 0.33 * static_cast<double>(c), columns[c].played, 3));
        }
    }
    const MonoAudio take = PluckedTake(plucks, {rate, 3.3, -40.0});
    const auto sampleOf = [&](std::size_t c) {
        return static_cast<std::int64_t>((0.3 + 0.33 * static_cast<double>(c)) * rate);
    };
    std::mutex mutex;
    std::vector<std::shared_ptr<const OnsetSound>> sounds;
    {
        AnalysisThread thread(rate,
                              {{},
                               {},
                               [&](std::shared_ptr<const OnsetSound> sound) {
                                   std::lock_guard lock(mutex);
                                   if (sound->whole) sounds.push_back(std::move(sound));
                               }},
                              4.0);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            thread.ExpectNotes(sampleOf(c), {columns[c].expected}, 0.0);
        }
        thread.Push(take.samples);
        thread.Stop();
    }
    int faint = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::vector<std::vector<int>> heard;
        for (const auto& sound : sounds) {
            if (std::abs(sound->onsetSample - sampleOf(c)) > rate / 10) continue;
            heard.push_back(NotesBegun(*sound, {columns[c].expected}));
            if (sound->onsets.faint) ++faint;
        }
        const bool heardRight =
            std::ranges::count(heard, std::vector<int>{columns[c].expected}) > 0;
        EXPECT_EQ(heardRight, columns[c].played == columns[c].expected) << "column " << c;
    }
    EXPECT_GE(faint, 3);
}

// The whole hearings of every onset in take, by a listener that waits for notes or not.
std::vector<std::shared_ptr<const OnsetSound>> WholeHearings(const MonoAudio& take, bool waits) {
    std::mutex mutex;
    std::vector<std::shared_ptr<const OnsetSound>> sounds;
    ListeningReports reports{{}, {}, [&](std::shared_ptr<const OnsetSound> sound) {
                                 std::lock_guard lock(mutex);
                                 if (sound->whole) sounds.push_back(std::move(sound));
                             }};
    reports.unswelled = waits;
    AnalysisThread thread(take.sampleRate, std::move(reports), 4.0);
    thread.Push(take.samples);
    thread.Stop();
    return sounds;
}

// Notes picked firmly and then again softly through a hard overdrive, as a student picks them
// through a distortion pedal while Wait mode holds at each: the amplifier holds the sound at one
// level, so only the keen ear hears a soft repeat begin, and the sound grew no louder there. A
// listener that waits for notes has such onsets reported, marked so, and hears each soft repeat
// as its note struck again. Other listeners have such onsets reported only for notes expected
// near them.
TEST(AnalysisThread, ReportsANotePickedAgainThroughAnOverdriveToAListenerThatWaits) {
    const int rate = 44100;
    struct Note {
        double seconds;
        int midi;
        bool soft;
    };
    const std::vector<Note> notes = {{0.3, 64, false}, {0.63, 64, true},  {0.96, 59, false},
                                     {1.29, 59, true}, {1.62, 55, false}, {1.95, 55, true}};
    std::vector<Pluck> plucks;
    for (const Note& note : notes) {
        Pluck pluck{note.seconds, note.midi, 0.0, 3, note.soft ? 0.1 : 0.25};
        pluck.highestHertz = 1500.0;
        pluck.click = 0.0;
        plucks.push_back(pluck);
    }
    for (const double drive : {30.0, 100.0}) {
        MonoAudio take = PluckedTake(plucks, {rate, 2.6});
        Overdrive(take, drive);
        for (const bool waits : {true, false}) {
            const auto sounds = WholeHearings(take, waits);
            for (const Note& note : notes) {
                if (!note.soft) continue;
                const auto unswelled = std::find_if(sounds.begin(), sounds.end(), [&](auto& s) {
                    const double seconds = static_cast<double>(s->onsetSample) / rate;
                    return !s->onsets.louder && std::abs(seconds - note.seconds) < 0.03;
                });
                const std::string where = "drive " + std::to_string(drive) +
                                          (waits ? ", waiting, " : ", ") +
                                          std::to_string(note.seconds) + " s";
                ASSERT_EQ(unswelled != sounds.end(), waits) << where;
                if (waits) {
                    EXPECT_EQ(NotesBegun(**unswelled, {note.midi}), std::vector<int>{note.midi})
                        << where;
                }
            }
        }
    }
}

// While Wait mode holds at a column that repeats what still rings, a ringing string may swell, as
// its two planes of vibration trade energy, and a sampled chord may swell as a whole: only the keen
// ear hears an onset there, and nothing must pass for played again. A note plucked again softly
// with the thumb must.
TEST(AnalysisThread, TellsRingingNotesThatSwellFromANotePluckedAgainSoftly) {
    const int rate = 44100;
    const double again = 1.0;
    struct Case {
        std::vector<int> notes;  // one string each, strummed upwards
        double swellTo;          // the ringing notes' level once swollen, against before
        double swellSeconds;     // how long the swell takes from `again` on
        double pluckedAgain;     // the thumb's pluck at `again`, 0 for none
    };
    const std::vector<int> chord{57, 60, 64};
    for (const Case& c :
         {Case{{57}, 1.7, 0.06, 0.0}, Case{{57}, 1.8, 0.06, 0.0}, Case{{57}, 1.0, 0.06, 0.04},
          Case{chord, 1.2, 0.01, 0.0}, Case{chord, 1.25, 0.01, 0.0}}) {
        std::vector<Pluck> plucks;
        for (std::size_t s = 0; s < c.notes.size(); ++s) {
            plucks.push_back({0.3 + 0.008 * static_cast<double>(s), c.notes[s], 0.0,
                              3 - static_cast<int>(s), 0.25});
        }
        if (c.pluckedAgain > 0.0) plucks.push_back(ThumbPluck(again, 57, 3, c.pluckedAgain));
        MonoAudio take = PluckedTake(plucks, {rate, 2.0, -70.0});
        for (std::size_t i = 0; i < take.samples.size(); ++i) {
            const double rise =
                std::clamp((static_cast<double>(i) / rate - again) / c.swellSeconds, 0.0, 1.0);
            take.samples[i] *= static_cast<float>(1.0 + rise * (c.swellTo - 1.0));
        }
        const auto sounds = WholeHearings(take, true);
        const auto there = std::find_if(sounds.begin(), sounds.end(), [&](const auto& sound) {
            return std::abs(static_cast<double>(sound->onsetSample) / rate - again) < 0.03;
        });
        const std::string what = std::to_string(c.notes.size()) + " strings, swell to " +
                                 std::to_string(c.swellTo) + ", plucked again at " +
                                 std::to_string(c.pluckedAgain);
        ASSERT_NE(there, sounds.end()) << what;
        EXPECT_TRUE((*there)->onsets.faint) << what;
        EXPECT_EQ(NotesBegun(**there, c.notes) == c.notes, c.pluckedAgain > 0.0) << what;
    }
}

}  // namespace
}  // namespace fretlux::testing
