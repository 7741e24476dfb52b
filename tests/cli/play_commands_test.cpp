// SPDX-License-Identifier: MIT
// fretlux-cli's playing commands run as a separate process: the log of play --log against what
// the player must send, export against the same events, render's sound and length.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli/standard_midi_file.h"
#include "cli_fixture.h"

namespace fretlux::testing {
namespace {

// Two TABs: the first at the start-up tempo (41, 123 ms a column) with a chord, a rest and a
// note; the second with tempo 100 (300 ms), volume 90 and patch 30, one note after a rest.
// Written in the plain form, so the second TAB's settings are given in its header.
const std::string kPiece =
    "Verse\n"
    "e|-0-3-----|\n"
    "B|-1-------|\n"
    "G|---------|\n"
    "D|---------|\n"
    "A|---------|\n"
    "E|---------|\n"
    "\n"
    "Chorus" + std::string(74, ' ') + "100 90 30\n"
    "e|---------|\n"
    "B|---5-----|\n"
    "G|---------|\n"
    "D|---------|\n"
    "A|---------|\n"
    "E|---------|\n";

std::vector<TimedMidiMessage> ParseLog(const std::string& log) {
    std::vector<TimedMidiMessage> events;
    std::istringstream lines(log);
    std::int64_t ms = 0;
    unsigned status = 0, data1 = 0, data2 = 0;
    while (lines >> ms >> status >> data1 >> data2) {
        events.push_back({ms, status + 256 * data1 + 65536 * data2});
    }
    return events;
}

class PlayCommands : public CliTest {
protected:
    std::vector<TimedMidiMessage> Log(const std::string& in) {
        const CliRun run = Run({"play", in, "--log"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return ParseLog(run.out);
    }
};

TEST_F(PlayCommands, TheLogHasEveryMessageFromStartOnWithItsTime) {
    const auto events = Log(Write("piece.tab", kPiece));
    std::vector<TimedMidiMessage> notesOn;
    for (const auto& e : events) {
        if (e.Status() == 0x90 && e.Data2() > 0) notesOn.push_back(e);
    }
    // A plain line's first "|" is a bar column of its own: the ticks play the bar, the rest,
    // then the chord on the third tick, low string first.
    ASSERT_EQ(notesOn.size(), 4u);
    EXPECT_EQ(notesOn[0].milliseconds, 3 * 123);
    EXPECT_EQ(notesOn[0].Data1(), 60);  // B string fret 1 sounds before the high e
    EXPECT_EQ(notesOn[1].milliseconds, 3 * 123);
    EXPECT_EQ(notesOn[1].Data1(), 64);
    EXPECT_EQ(notesOn[2].milliseconds, 5 * 123);
    EXPECT_EQ(notesOn[2].Data1(), 67);
    // The tick that passes the closing bar moves to the second TAB, which brings program 30 and
    // volume 90 in and plays a column every 300 ms from then on: its note is its fifth column.
    const auto programChange = std::find_if(events.begin(), events.end(), [](const auto& e) {
        return e.Status() == 0xC0;
    });
    ASSERT_NE(programChange, events.end());
    EXPECT_EQ(programChange->Data1(), 30);
    EXPECT_EQ(programChange->milliseconds, 10 * 123);
    EXPECT_EQ(notesOn[3].Data1(), 64);
    EXPECT_EQ(notesOn[3].Data2(), 90);
    EXPECT_EQ(notesOn[3].milliseconds - programChange->milliseconds, 5 * 300);
    // Playback halts after the last column; the notes are left sounding.
    EXPECT_EQ(events.back().milliseconds, notesOn[3].milliseconds);
}

TEST_F(PlayCommands, AFileThatCannotBeOpenedFailsWithTheWindowsMessage) {
    const CliRun run = Run({"play", Path("missing.tab"), "--log"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("encountered while trying to open file"), std::string::npos);
}

TEST_F(PlayCommands, ExportWritesTheLoggedEventsAsAMidiFile) {
    const std::string in = Write("piece.tab", kPiece);
    const auto events = Log(in);
    const CliRun run = Run({"export", in, Path("piece.mid")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(work_ / "piece.mid"), StandardMidiFileBytes(events));
}

// The frames and the loudest sample of a 16-bit stereo WAVE file.
struct WaveSummary {
    std::uint32_t frames = 0;
    int peak = 0;
};

WaveSummary Summarise(const std::string& bytes) {
    WaveSummary summary;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes.data() + at + 4, 4);
        if (bytes.compare(at, 4, "data") == 0) {
            summary.frames = size / 4;
            for (std::size_t i = at + 8; i + 2 <= at + 8 + size && i + 2 <= bytes.size(); i += 2) {
                std::int16_t sample = 0;
                std::memcpy(&sample, bytes.data() + i, 2);
                summary.peak = std::max(summary.peak, std::abs(static_cast<int>(sample)));
            }
        }
        at += 8 + size;
    }
    return summary;
}

TEST_F(PlayCommands, RenderMakesSoundAsLongAsTheEventsAndTheirRingingOut) {
    const std::string in = Write("piece.tab", kPiece);
    const auto events = Log(in);
    ASSERT_FALSE(events.empty());
    const CliRun run = Run({"render", in, Path("piece.wav")});
    if (run.exitCode == 1 && run.err.find("no sound to render") != std::string::npos) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const WaveSummary wave = Summarise(ReadBytes(work_ / "piece.wav"));
    const double seconds = (events.back().milliseconds + 2000) / 1000.0;
    EXPECT_NEAR(wave.frames, seconds * 44100, 1);
    EXPECT_GT(wave.peak, 1000);
    EXPECT_EQ(Entries(), (Names{"piece.tab", "piece.wav"}));
}

}  // namespace
}  // namespace fretlux::testing
