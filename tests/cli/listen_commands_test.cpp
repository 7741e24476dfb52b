// SPDX-License-Identifier: MIT
// fretlux-cli listen and tune as a separate process: a TAB rendered through the built-in
// synthesiser is judged all right, a take with a wrong and a missing note is judged so, the tuner
// names a detuned string, and a take that cannot be read fails with its reason.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "playback/wave_file.h"

namespace fretlux::testing {
namespace {

const std::string kArpeggio =
    "Arpeggio\n"
    "e|---------------0-|\n"
    "B|-----------1-----|\n"
    "G|-------0---------|\n"
    "D|-----2-----------|\n"
    "A|-3---------------|\n"
    "E|-----------------|\n"
    "\n"
    "Chord\n"
    "e|-0---|\n"
    "B|-0---|\n"
    "G|-1---|\n"
    "D|-2---|\n"
    "A|-2---|\n"
    "E|-0---|\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// A 16-bit stereo WAVE of plucks: each a decaying string with its partials, at (seconds, Hz).
std::string PluckedWave(const std::vector<std::pair<double, double>>& plucks, double seconds) {
    const int rate = 44100;
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate), 0.0f);
    for (const auto& [start, hertz] : plucks) {
        for (std::size_t i = static_cast<std::size_t>(start * rate); i < samples.size(); ++i) {
            const double t = static_cast<double>(i) / rate - start;
            for (int n = 1; n <= 8; ++n) {
                samples[i] += static_cast<float>(0.2 / n * std::exp(-t * (1.0 + n)) *
                                                 std::sin(2 * std::numbers::pi * n * hertz * t));
            }
        }
    }
    std::string bytes = WaveHeader(rate, samples.size());
    AppendPcmFrames(bytes, samples, samples);
    return bytes;
}

class ListenCommands : public CliTest {};

TEST_F(ListenCommands, ARenderedTabIsJudgedAllRightColumnByColumn) {
    const std::string in = Write("arpeggio.tab", kArpeggio);
    const CliRun render = Run({"render", in, Path("take.wav")});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const CliRun run = Run({"listen", in, Path("take.wav")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out;
    // The columns' times are those of play --log: 123 ms a column from the first tick on.
    EXPECT_EQ(lines[0].rfind("{\"tab\": 1, \"column\": 2, \"time_ms\": 369, \"expected\": [48], "
                             "\"heard\": [48], \"verdict\": \"right\", \"offset_ms\": ",
                             0),
              0u);
    EXPECT_NE(lines[5].find("\"tab\": 2, \"column\": 2, \"time_ms\": "), std::string::npos);
    EXPECT_NE(lines[5].find("\"expected\": [40, 47, 52, 56, 59, 64], \"heard\": [40, 47, 52, "
                            "56, 59, 64], \"verdict\": \"right\""),
              std::string::npos);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_NE(lines[i].find("\"verdict\": \"right\", \"offset_ms\": "), std::string::npos)
            << lines[i];
    }
    EXPECT_EQ(lines[6].rfind("{\"summary\": {\"columns\": 6, \"right\": 6, \"wrong\": 0, "
                             "\"missed\": 0, \"timing_ms\": {\"mean\": ",
                             0),
              0u);
}

TEST_F(ListenCommands, AWrongNoteAndALeftOutColumnAreJudgedSo) {
    const std::string in = Write("arpeggio.tab", kArpeggio);
    // C3 right, E3 played a semitone flat, G3 left out, then nothing more.
    const std::string take =
        Write("take.wav", PluckedWave({{0.372, 130.81}, {0.861 + 0.01, 155.56}}, 1.6));
    const CliRun run = Run({"listen", in, take});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 7u) << run.out;
    EXPECT_NE(lines[0].find("\"verdict\": \"right\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\"verdict\": \"wrong\""), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("\"heard\": [], \"verdict\": \"missed\", \"offset_ms\": null}"),
              std::string::npos)
        << lines[2];
    EXPECT_NE(lines[6].find("\"right\": 1, \"wrong\": 1, \"missed\": 4"), std::string::npos);
}

TEST_F(ListenCommands, TuneNamesTheStringTheNoteAndItsCents) {
    // The A string 12 cents flat, then the G string 7 cents sharp.
    const std::string take = Write("take.wav", PluckedWave({{0.5, 110.0 * std::exp2(-0.12 / 12)},
                                                            {1.5, 196.0 * std::exp2(0.07 / 12)}},
                                                           2.5));
    const CliRun run = Run({"tune", take});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    // Each line is {"time_ms": T, ...} with T within a hop or two of the pluck.
    const auto time = [](const std::string& line) { return std::stoi(line.substr(12)); };
    EXPECT_NEAR(time(lines[0]), 500, 12);
    EXPECT_NEAR(time(lines[1]), 1500, 12);
    EXPECT_EQ(lines[0].substr(lines[0].find(", ") + 2),
              "\"string\": 5, \"note\": \"A2\", \"midi\": 45, \"cents\": -12.0}");
    EXPECT_EQ(lines[1].substr(lines[1].find(", ") + 2),
              "\"string\": 3, \"note\": \"G3\", \"midi\": 55, \"cents\": 7.0}");
}

TEST_F(ListenCommands, ATakeThatCannotBeReadFailsNamingWhy) {
    const std::string in = Write("arpeggio.tab", kArpeggio);
    const std::string take = Write("take.wav", "RIFF....WAVEjunk");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"tune", take}, {"listen", in, take}}) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "fretlux-cli: " + take +
                               ": not a usable take: it has no format chunk before its samples\n");
    }
    const CliRun missing = Run({"tune", Path("none.wav")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "fretlux-cli: " + Path("none.wav") + ": no such file\n");
}

}  // namespace
}  // namespace fretlux::testing
