// SPDX-License-Identifier: MIT
// fretlux-cli convert: both forms in both directions, the form chosen by the names' last three
// characters, and the exact bytes written.
#include <string>

#include "cli_process.h"

namespace fretlux {
namespace {

std::string Times(std::string_view cell, int count) {
    std::string cells;
    for (int i = 0; i < count; ++i) cells += cell;
    return cells;
}

std::string CrLfLines(std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

const std::string kIntroRiff =
    "Intro riff\ne|---0---3---|\nB|---1-------|\nG|---0-------|\nD|---2-------|\n"
    "A|---3-------|\nE|-----------|\n";

// One string line of the riff: a bar, three empty positions, the note (or a fourth empty
// position), then seven more cells, which hold the fret-3 note on the high E line.
std::string RiffLine(char letter, std::string_view first, std::string_view second = "-    ") {
    return std::string(1, letter) + "----|    " + Times("-    ", 3) + std::string(first) +
           Times("-    ", 3) + std::string(second) + Times("-    ", 3) + "|    ";
}

TEST_F(CliTest, PlainRiffBecomesCellsAndComesBackAsWritten) {
    const std::string cells = Convert(Write("riff.tab", kIntroRiff), Path("riff.flx"));
    EXPECT_EQ(cells,
              CrLfLines({"Intro riff", RiffLine('E', "0AH  ", "3DH  "), RiffLine('B', "1BH  "),
                         RiffLine('G', "0AH  "), RiffLine('D', "2CH  "), RiffLine('A', "3DH  "),
                         RiffLine('E', "-    ")}));
    EXPECT_EQ(RiffLine('E', "0AH  ").size(), 70u);

    // Back to the plain form: the symbols again, the string letter now in upper case.
    EXPECT_EQ(Convert(Path("riff.flx"), Path("back.tab")),
              CrLfLines({"Intro riff", "E|---0---3---|", "B|---1-------|", "G|---0-------|",
                         "D|---2-------|", "A|---3-------|", "E|-----------|"}));

    // CR LF line ends read as LF ones do.
    std::string crlf;
    for (const char ch : kIntroRiff) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    EXPECT_EQ(Convert(Write("crlf.tab", crlf), Path("crlf.flx")), cells);
}

TEST_F(CliTest, TwoDigitFretsAndLeadingZerosInPlainLines) {
    const std::string plain =
        "Frets\ne|---12---25---|\nB|---05---|\nG-----\nD-----\nA-----\nE-----\n";
    const std::string cells = Convert(Write("frets.tab", plain), Path("frets.flx"));
    // 12 is one note whose second digit stays a symbol; 25 is too high, so it is fret 2.
    const std::string high = "E----|    " + Times("-    ", 3) + "1MH  2    " + Times("-    ", 3) +
                             "2CH  5    " + Times("-    ", 3) + "|    ";
    // A zero before a digit is no first digit: 05 gives two fret-5 notes.
    const std::string second =
        "B----|    " + Times("-    ", 3) + "0FH  5FH  " + Times("-    ", 3) + "|    ";
    EXPECT_EQ(cells, CrLfLines({"Frets", high, second, "G----" + Times("-    ", 5),
                                "D----" + Times("-    ", 5), "A----" + Times("-    ", 5),
                                "E----" + Times("-    ", 5)}));
}

// Two TABs as the window saves them: TAB 1 with a text and stamped settings, TAB 2 with the
// 79-character label of the shown TAB.
const std::string kHeader1 = "Intro" + std::string(75, ' ') + "041100025";
const std::string kHeader2 = "Verse" + std::string(74, ' ');
const std::string kText = "Intro, play slowly\r\n";
const std::string kTwoTabs =
    kText +
    CrLfLines({"", kHeader1, "E----3DH  -    |    ", "B----1BH  -    |    ", "G----0AH  -    |    ",
               "D----2CH  -    |    ", "A----3DH  -    |    ", "E-----    -    |    ", kHeader2,
               "E----1MH  2    -    ", "B-----    -    -    ", "G-----    -    -    ",
               "D-----    -    -    ", "A-----    -    -    ", "E-----    -    -    "});

TEST_F(CliTest, EnhancedFileIsWrittenBackWithHeadersAsRead) {
    const std::string song = Write("song.flx", kTwoTabs);
    // The empty line after the text is read as part of the text, so it gains one more.
    EXPECT_EQ(Convert(song, Path("copy.flx")), kText + "\r\n" + kTwoTabs.substr(kText.size()));

    EXPECT_EQ(Convert(song, Path("song.tab")),
              CrLfLines({"Intro, play slowly", "", "", kHeader1.substr(1, 79), "E3-|", "B1-|",
                         "G0-|", "D2-|", "A3-|", "E--|", kHeader2, "E12-", "B---", "G---", "D---",
                         "A---", "E---"}));
}

TEST_F(CliTest, FormFollowsLastThreeCharactersInAnyCase) {
    const std::string tab = CrLfLines({"Chord", "E----3DHFJ", "B----1BH  ", "G-----    ",
                                       "D-----    ", "A-----    ", "E-----    "});
    const std::string mixed = Write("chord.Flx", tab);
    EXPECT_EQ(Convert(mixed, Path("upper.FLX")), tab);
    EXPECT_EQ(Convert(mixed, Path("dotless-flx")), tab);
    EXPECT_EQ(Convert(Path("upper.FLX"), Path("again.fLx")), tab);
    const std::string plain = CrLfLines({"Chord", "E3", "B1", "G-", "D-", "A-", "E-"});
    EXPECT_EQ(Convert(mixed, Path("chord.flx.tab")), plain);
    EXPECT_EQ(Convert(mixed, Path("chord.fl")), plain);

    // The same bytes under another name are read as a plain file: every character is a position.
    const std::string asPlain = Convert(Write("chord.txt", tab), Path("as-plain.flx"));
    EXPECT_EQ(asPlain.substr(0, asPlain.find("B----")),
              "Chord\r\nE----" + Times("-    ", 4) + "3DH  D    H    F    J    \r\n");
}

TEST_F(CliTest, FileWithoutTabBlockGivesEmptyOutput) {
    const std::string empty = Write("empty.flx", "");
    EXPECT_EQ(Convert(empty, Path("empty-out.flx")), "");
    EXPECT_TRUE(std::filesystem::exists(Path("empty-out.flx")));
    Write("old.tab", "previous content");
    EXPECT_EQ(Convert(Write("notes.tab", "Only words here\nand no block\n"), Path("old.tab")), "");
    EXPECT_EQ(std::filesystem::file_size(Path("old.tab")), 0u);
}

}  // namespace
}  // namespace fretlux
