// SPDX-License-Identifier: MIT
// fretlux-cli's playing commands run as a separate process: the log of play --log against what
// the player must send, export against the same events, render's sound and length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
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
    std::vector<TimedMidiMessage> Log(const std::string& in,
                                      const std::vector<std::string>& options = {}) {
        std::vector<std::string> args = {"play", in, "--log"};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return ParseLog(run.out);
    }
};

bool IsClick(const TimedMidiMessage& m) { return (m.Status() & 0x0F) == 9; }

// The messages with their times moved by shift and stretched by stretch.
std::vector<TimedMidiMessage> Retimed(std::vector<TimedMidiMessage> events, int shift,
                                      int stretch) {
    for (auto& e : events) e.milliseconds = e.milliseconds * stretch + shift;
    return events;
}

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

TEST_F(PlayCommands, ACountInAndTheMetronomeClickTheBeatsOfEachTabAtItsTempo) {
    const std::string in = Write("piece.tab", kPiece);
    const auto events = Log(in, {"--count-in", "1", "--metronome"});
    // (milliseconds, note, velocity) of every click, and when each click ended.
    std::vector<std::tuple<std::int64_t, int, int>> clicks;
    std::vector<std::int64_t> ends;
    for (const auto& e : events) {
        if (e.Status() == 0x99) clicks.emplace_back(e.milliseconds, e.Data1(), e.Data2());
        if (e.Status() == 0x89) ends.push_back(e.milliseconds);
    }
    // Each TAB's bar of nine columns makes beats of two columns, counted from the column after
    // its opening bar line, whose tick is silent. The count-in's four beats of 246 ms start one
    // column after Start; the first TAB follows a beat after the last. The second TAB counts
    // its own bar anew at 300 ms a column.
    const std::vector<std::tuple<std::int64_t, int, int>> expected = {
        {123, 76, 100}, {369, 77, 80},  {615, 77, 80},  {861, 77, 80},   {1230, 76, 100},
        {1476, 77, 80}, {1722, 77, 80}, {1968, 77, 80}, {2214, 76, 100}, {2814, 76, 100},
        {3414, 77, 80}, {4014, 77, 80}, {4614, 77, 80}, {5214, 76, 100}};
    EXPECT_EQ(clicks, expected);
    ASSERT_EQ(ends.size(), clicks.size());
    for (std::size_t i = 0; i < ends.size(); ++i) EXPECT_EQ(ends[i], std::get<0>(clicks[i]) + 30);
    // Everything else is what plays without them, later by the count-in's length.
    std::vector<TimedMidiMessage> music;
    std::copy_if(events.begin(), events.end(), std::back_inserter(music),
                 [](const auto& e) { return !IsClick(e); });
    EXPECT_EQ(music, Retimed(Log(in), 4 * 246, 1));
}

TEST_F(PlayCommands, HalfSpeedPlaysEveryMessageAtTwiceItsTime) {
    const std::string in = Write("piece.tab", kPiece);
    EXPECT_EQ(Log(in, {"--speed", "50"}), Retimed(Log(in), 0, 2));
}

TEST_F(PlayCommands, TheSpeedTrainerPlaysEachPassAtItsSpeedThenHalts) {
    const std::string in = Write("piece.tab", kPiece);
    const auto events = Log(in, {"--loop", "1:2-9", "--passes", "5", "--trainer", "50:25:2:100"});
    // The loop's first column holds the chord: when it sounds, a pass begins.
    std::vector<std::int64_t> passes;
    for (const auto& e : events) {
        if (e.Status() == 0x90 && e.Data1() == 64 && e.Data2() > 0)
            passes.push_back(e.milliseconds);
    }
    // Eight columns a pass: two passes at 50 % (246 ms), two at 75 % (164 ms), one at 100 %.
    EXPECT_EQ(passes, (std::vector<std::int64_t>{246, 2214, 4182, 5494, 6806}));
    // The last pass's last note, two columns after its chord, is the last message.
    EXPECT_EQ(events.back().milliseconds, 6806 + 2 * 123);
}

TEST_F(PlayCommands, PracticeOptionsOutsideTheDocumentOrCommandAreUsageErrors) {
    const std::string in = Write("piece.tab", kPiece);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"play", in, "--log", "--loop", "3:0-2", "--passes", "1"},
             {"play", in, "--log", "--loop", "1:2-11", "--passes", "1"},
             {"dump", in, "--metronome"},
             {"export", in, Path("piece.musicxml"), "--speed", "50"}}) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Entries(), (Names{"piece.tab"}));
}

}  // namespace
}  // namespace fretlux::testing
