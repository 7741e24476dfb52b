// SPDX-License-Identifier: MIT
// fretlux-cli's playing commands run as a separate process: the log of play --log against what
// the player must send, export against the same events, render's sound and length.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli_fixture.h"
#include "playback/standard_midi_file.h"
#include "two_tab_piece.h"
#include "wave_reader.h"

namespace fretlux::testing {
namespace {

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
    // (milliseconds, note, velocity) of every note switched on.
    std::vector<std::tuple<std::int64_t, int, int>> notesOn;
    for (const auto& e : events) {
        if (e.Status() == 0x90 && e.Data2() > 0)
            notesOn.emplace_back(e.milliseconds, e.Data1(), e.Data2());
    }
    // A plain line's first "|" is a bar column of its own: the ticks play the bar, the rest,
    // then the chord on the third tick, the B string's note before the high e's. The tick that
    // passes the closing bar moves to the second TAB, which brings program 30 and volume 90 in
    // and plays a column every 300 ms from then on: its note is its fifth column.
    const std::vector<std::tuple<std::int64_t, int, int>> expected = {
        {3 * 123, 60, 100}, {3 * 123, 64, 100}, {5 * 123, 67, 100}, {10 * 123 + 5 * 300, 64, 90}};
    EXPECT_EQ(notesOn, expected);
    const auto programChange = std::find_if(events.begin(), events.end(),
                                            [](const auto& e) { return e.Status() == 0xC0; });
    ASSERT_NE(programChange, events.end());
    EXPECT_EQ(programChange->Data1(), 30);
    EXPECT_EQ(programChange->milliseconds, 10 * 123);
    // Playback halts after the last column; the notes are left sounding.
    EXPECT_EQ(events.back().milliseconds, 10 * 123 + 5 * 300);
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

TEST_F(PlayCommands, RenderMakesSoundAsLongAsTheEventsAndTheirRingingOut) {
    const std::string in = Write("piece.tab", kPiece);
    const auto events = Log(in);
    ASSERT_FALSE(events.empty());
    const CliRun run = Run({"render", in, Path("piece.wav")});
    if (run.exitCode == 1 && run.err.find("no sound to render") != std::string::npos) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const ReadWave wave = ReadWaveBytes(ReadBytes(work_ / "piece.wav"));
    ASSERT_EQ(wave.error, "");
    const double seconds = (events.back().milliseconds + 2000) / 1000.0;
    EXPECT_NEAR(double(wave.left.size()), seconds * 44100, 1);
    int peak = 0;
    for (const std::int16_t sample : wave.left) peak = std::max(peak, std::abs(int(sample)));
    EXPECT_GT(peak, 1000);
    EXPECT_EQ(Entries(), (Names{"piece.tab", "piece.wav"}));
}

}  // namespace
}  // namespace fretlux::testing
