// SPDX-License-Identifier: MIT
// fretlux-cli on files other programs write: every command reads them, --track picks one track,
// tracks lists them, and a file that is no known format is refused as the window refuses it.
#include <gtest/gtest.h>

#include "cli_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kSamples = FRETLUX_IMPORT_SAMPLES;

std::string TwoParts() {
    const auto part = [](const std::string& id, const std::string& step) {
        return "<part id=\"" + id +
               "\"><measure number=\"1\"><attributes><divisions>1</divisions></attributes>"
               "<note><pitch><step>" +
               step +
               "</step><octave>3</octave></pitch><duration>4</duration></note>"
               "</measure></part>";
    };
    return "<score-partwise><part-list><score-part "
           "id=\"P1\"><part-name>Lead</part-name></score-part>"
           "<score-part id=\"P2\"><part-name>Rhythm</part-name></score-part></part-list>" +
           part("P1", "C") + part("P2", "G") + "</score-partwise>";
}

TEST_F(CliTest, TracksListsEveryTrackOfAFileAsJsonLines) {
    const CliRun run = Run({"tracks", Write("band.musicxml", TwoParts())});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "{\"track\": 1, \"name\": \"Lead\", \"strings\": 6, \"tuning\": [40, 45, 50, 55, 59, 64], "
        "\"capo\": 0, \"notes\": 1}\n"
        "{\"track\": 2, \"name\": \"Rhythm\", \"strings\": 6, \"tuning\": [40, 45, 50, 55, 59, "
        "64], "
        "\"capo\": 0, \"notes\": 1}\n");
}

TEST_F(CliTest, TrackPicksTheTrackEveryCommandReads) {
    const std::string in = Write("band.musicxml", TwoParts());
    const CliRun first = Run({"play", in, "--log"});
    const CliRun second = Run({"play", in, "--log", "--track", "2"});
    ASSERT_EQ(first.exitCode, 0) << first.err;
    ASSERT_EQ(second.exitCode, 0) << second.err;
    // C3 and G3 struck: note-on on channel 1 with the pitch.
    EXPECT_NE(first.out.find(" 144 48 "), std::string::npos) << first.out;
    EXPECT_NE(second.out.find(" 144 55 "), std::string::npos) << second.out;
    ExpectFailure(
        {"dump", in, "--track", "3"},
        "Error 'there is no track 3; the file has 2 tracks' encountered while trying to open "
        "file, please retry.\n");
    ExpectFailure(
        {"convert",
         Write("riff.tab",
               "e|---0---|\nB|-------|\nG|-------|\nD|-------|\nA|-------|\nE|-------|\n"),
         Path("out.tab"), "--track", "2"},
        "Error 'there is no track 2; the file has 1 track' encountered while trying to open file, "
        "please retry.\n");
}

TEST_F(CliTest, GuitarProFilesPlayAndConvert) {
    const CliRun run = Run({"play", kSamples + "/hammer.gp4", "--log"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(" 144 "), std::string::npos);
    const std::string tab = Convert(kSamples + "/hammer.gp4", Path("hammer.tab"));
    EXPECT_NE(tab.find("G3h--4---9h--10--|13h-14h-15--19h-20|"), std::string::npos) << tab;
}

TEST_F(CliTest, ABinaryFileOfNoKnownFormatIsRefused) {
    ExpectFailure(
        {"play", Write("photo.tab", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)), "--log"},
        "Error 'a file that is neither a TAB file nor a Guitar Pro or MusicXML file' "
        "encountered while trying to open file, please retry.\n");
}

}  // namespace
}  // namespace fretlux::testing
