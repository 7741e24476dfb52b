// SPDX-License-Identifier: MIT
// fretlux-cli, run as a separate process on files in a scratch directory: convert in both
// directions, the JSON of dump, and one case per kind of failure to read (usage, open, out of
// range), each with the window's message, its exit code, and an existing output left alone. The
// kinds of output target are tried in output_targets_test.cpp.
// The reader's rules and limits themselves are checked by the document tests.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace fretlux::testing {
namespace {

std::string CrLfLines(std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string Times(std::string_view cell, int count) {
    std::string cells;
    for (int i = 0; i < count; ++i) cells += cell;
    return cells;
}

std::string Blocks(int count) {
    std::string file;
    for (int i = 1; i <= count; ++i) {
        file += "Part " + std::to_string(i) +
                "\ne|---0---|\nB|-------|\nG|-------|\nD|-------|\nA|-------|\nE|-------|\n";
    }
    return file;
}

std::string FileMessage(std::string_view description, std::string_view action) {
    return "Error '" + std::string(description) + "' encountered while trying to " +
           std::string(action) + " file, please retry.\n";
}

// One string line of the riff: a bar, three empty positions, the note, three more, the second
// note (or an empty position), three more and a bar.
std::string RiffLine(char letter, std::string_view first, std::string_view second = "-    ") {
    return std::string(1, letter) + "----|    " + Times("-    ", 3) + std::string(first) +
           Times("-    ", 3) + std::string(second) + Times("-    ", 3) + "|    ";
}

TEST_F(CliTest, PlainRiffBecomesCellsAndComesBackAsWritten) {
    const std::string riff =
        "Intro riff\ne|---0---3---|\nB|---1-------|\nG|---0-------|\n"
        "D|---2-------|\nA|---3-------|\nE|-----------|\n";
    const std::string cells = Convert(Write("riff.tab", riff), Path("riff.flx"));
    EXPECT_EQ(cells,
              CrLfLines({"Intro riff", RiffLine('E', "0AH  ", "3DH  "), RiffLine('B', "1BH  "),
                         RiffLine('G', "0AH  "), RiffLine('D', "2CH  "), RiffLine('A', "3DH  "),
                         RiffLine('E', "-    ")}));
    // Back to the plain form: the symbols again, the string letter now in upper case.
    EXPECT_EQ(Convert(Path("riff.flx"), Path("back.tab")),
              CrLfLines({"Intro riff", "E|---0---3---|", "B|---1-------|", "G|---0-------|",
                         "D|---2-------|", "A|---3-------|", "E|-----------|"}));
}

TEST_F(CliTest, EnhancedFileIsWrittenBackInTheFormItsNameSelects) {
    const std::string header1 = "Intro" + std::string(75, ' ') + "041100025";
    const std::string header2 = "Verse" + std::string(74, ' ');
    const std::string text = "Intro, play slowly\r\n";
    const std::string tabs = CrLfLines(
        {"", header1, "E----3DH  -    |    ", "B----1BH  -    |    ", "G----0AH  -    |    ",
         "D----2CH  -    |    ", "A----3DH  -    |    ", "E-----    -    |    ", header2,
         "E----1MH  2    -    ", "B-----    -    -    ", "G-----    -    -    ",
         "D-----    -    -    ", "A-----    -    -    ", "E-----    -    -    "});
    const std::string song = Write("song.Flx", text + tabs);
    // The empty line after the text is read as part of the text, and is not written twice.
    EXPECT_EQ(Convert(song, Path("copy.fLX")), text + tabs);
    const std::string plain =
        CrLfLines({"Intro, play slowly", "", header1.substr(0, 79), "E3-|", "B1-|", "G0-|", "D2-|",
                   "A3-|", "E--|", header2, "E12-", "B---", "G---", "D---", "A---", "E---"});
    EXPECT_EQ(Convert(song, Path("song.flx.tab")), plain);
    // The same bytes under a name not ending in "flx" are read as a plain file.
    const std::string asPlain = Convert(Write("song.txt", text + tabs), Path("as-plain.flx"));
    EXPECT_NE(asPlain.find("\r\nE----" + Times("-    ", 4) + "3DH  D    H    "), std::string::npos);
    // A file without a TAB block replaces the output with an empty file.
    EXPECT_EQ(Convert(Write("notes.tab", "Only words here\nand no block\n"), Path("copy.fLX")), "");
}

TEST_F(CliTest, DumpListsCellsAndDecodedNotes) {
    const std::string file = Write("tiny.flx",
                                   "Say \"hi\"\tnow\r\nRiff \\ 1\r\nE----3DHFJ-    \r\nB----\r\n"
                                   "G----0A@  \r\nD----\r\nA----\r\nE----|    -MB  \r\n");
    const CliRun run = Run({"dump", file});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        run.out,
        R"({"tabCount": 1, "tabs": [{"number": 1, "header": "Riff \\ 1", )"
        R"("text": "Say \"hi\"\u0009now\u000d\u000a", "lines": [)"
        R"({"string": "E", "line": 1, "cells": [{"column": 0, "symbol": "3", "notes": [)"
        R"({"string": 6, "fret": 3, "finger": 0, "sounding": true}, )"
        R"({"string": 6, "fret": 5, "finger": 2, "sounding": true}]}, )"
        R"({"column": 1, "symbol": "-", "notes": []}]}, )"
        R"({"string": "B", "line": 2, "cells": []}, )"
        R"({"string": "G", "line": 3, "cells": [{"column": 0, "symbol": "0", "notes": [)"
        R"({"string": 4, "fret": 0, "finger": 0, "sounding": false}]}]}, )"
        R"({"string": "D", "line": 4, "cells": []}, {"string": "A", "line": 5, "cells": []}, )"
        R"({"string": "E", "line": 6, "cells": [{"column": 0, "symbol": "|", "notes": []}, )"
        R"({"column": 1, "symbol": "-", "notes": [)"
        R"({"string": 1, "fret": 12, "finger": 2, "sounding": false}]}]}]}]})"
        "\n");
    EXPECT_EQ(Run({"dump", Write("empty.tab", "")}).out, "{\"tabCount\": 0, \"tabs\": []}\n");
}

TEST_F(CliTest, DumpGivesUtf8WhenValidElseLatin1) {
    const struct {
        std::string bytes;
        std::string json;
    } cases[] = {
        {"Hdr: \xC3\x9Cmlaut", "Hdr: \xC3\x9Cmlaut"},                        // valid UTF-8 as is
        {"Hdr: \xF0\x9F\x8E\xB8", "Hdr: \xF0\x9F\x8E\xB8"},                  // four-byte form
        {"Hdr: \xDCmlaut", "Hdr: \xC3\x9Cmlaut"},                            // Latin-1
        {"Hdr: \xC0\x80", "Hdr: \xC3\x80\xC2\x80"},                          // overlong NUL
        {"Hdr: \xE0\x9F\xBF", "Hdr: \xC3\xA0\xC2\x9F\xC2\xBF"},              // overlong U+07FF
        {"Hdr: \xF0\x8F\xBF\xBF", "Hdr: \xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"},  // overlong U+FFFF
        {"Hdr: \xED\xA0\x80", "Hdr: \xC3\xAD\xC2\xA0\xC2\x80"},              // surrogate
        {"Hdr: \xF4\x90\x80\x80", "Hdr: \xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},  // above U+10FFFF
        {"Hdr: \xE2\x82", "Hdr: \xC3\xA2\xC2\x82"},                          // cut short
        {"Hdr: \xC3\x9C\xFF", "Hdr: \xC3\x83\xC2\x9C\xC3\xBF"},              // one bad byte: all
        {"Hdr: \x01\x1F\x7F", "Hdr: \\u0001\\u001f\x7F"},                    // controls
    };
    std::string file;
    for (const auto& c : cases) {
        file += c.bytes + "\nE----\xE9    \nB----\nG----\nD----\nA----\nE----\n";
    }
    file += "caf\xE9\n\xC3\xA9t\xC3\xA9\nLast TAB\nE----\nB----\nG----\nD----\nA----\nE----\n";
    const CliRun run = Run({"dump", Write("bytes.flx", file)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const auto& c : cases) {
        EXPECT_NE(run.out.find("\"header\": \"" + c.json + "\""), std::string::npos) << c.json;
    }
    EXPECT_NE(run.out.find("\"symbol\": \"\xC3\xA9\""), std::string::npos);
    // A text is one string: its valid line does not save the other from the Latin-1 reading.
    EXPECT_NE(run.out.find(
                  "\"number\": 12, \"header\": \"Last TAB\", \"text\": "
                  "\"caf\xC3\xA9\\u000d\\u000a\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9\\u000d\\u000a\""),
              std::string::npos);
}

TEST_F(CliTest, WrongArgumentsPrintUsageAndExit2) {
    const std::string song = Write("song.tab", Blocks(1));
    const std::vector<Names> wrong = {Names{}, Names{"convert", song},
                                      Names{"convert", song, song, song}, Names{"dump", song, song},
                                      Names{"CONVERT", song, song}};
    for (const auto& args : wrong) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2) << args.size() << " arguments";
        EXPECT_EQ(run.err.rfind("usage: fretlux-cli convert IN OUT\n", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Entries(), Names{"song.tab"});
    const CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("fretlux-cli dump IN"), std::string::npos);
}

TEST_F(CliTest, UnreadableOrOversizedInputGivesTheOpenMessageAndLeavesTheOutput) {
    const std::string out = Write("out.flx", "keep me\r\n");
    fs::create_directory(Path("folder.tab"));
    ExpectFailure({"dump", Path("missing.tab")}, FileMessage(std::strerror(ENOENT), "open"));
    ExpectFailure({"convert", Path("folder.tab"), out}, FileMessage(std::strerror(EISDIR), "open"));
    // 102 TABs are one more than fit.
    ExpectFailure({"convert", Write("102.tab", Blocks(102)), out},
                  FileMessage("more than 101 TABs", "open"));
    EXPECT_EQ(ReadBytes(out), "keep me\r\n");
    EXPECT_EQ(Entries(), (Names{"102.tab", "folder.tab", "out.flx"}));
}

// What no command may do with any input: abort, take memory without bound, write MIDI or WAVE
// bytes over the TAB being read, or fail to write its output without a word.
TEST_F(CliTest, HostileInputsAndOutputsFailCleanly) {
    // A file without line ends is refused after its first megabyte, in little memory.
    Write("no-line-ends.tab", std::string(20'000'000, '-'));
    for (const char* command : {"dump", "play"}) {
        Names args = {command, Path("no-line-ends.tab")};
        if (args[0] == "play") args.push_back("--log");
        const CliRun run = Run(args, "ulimit -v 60000");
        EXPECT_EQ(run.err, FileMessage("a line longer than 1 MB", "open")) << command;
    }
    // The listing of 100 TABs of 2,000 columns is some 70 MB; it is written as it is made.
    std::string wide;
    for (int t = 0; t < 100; ++t) {
        wide += "Part\n";
        for (const char string : std::string("eBGDAE")) wide += string + Times("---1|", 400) + "\n";
    }
    const CliRun dump = Run({"dump", Write("wide.tab", wide)}, "ulimit -v 150000");
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_GT(dump.out.size(), 50'000'000u);

    const std::string song = Write("song.tab", Blocks(1));
    for (const char* command : {"export", "render"}) {
        const CliRun run = Run({command, song, song});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_NE(run.err.find("is the file being read"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadBytes(song), Blocks(1));
    // convert IN IN rewrites the file in place, as Save over the open file does.
    EXPECT_EQ(Convert(song, song).substr(0, 6), "Part 1");

    for (const Names& args : {Names{"--help"}, Names{"dump", song}, Names{"play", song, "--log"},
                              Names{"convert", song, "/dev/stdout"}}) {
        std::string command = "exec '" + std::string(FRETLUX_CLI_PATH) + "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        const int status = std::system((command + " >/dev/full 2>/dev/null").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << args[0];
    }
}

}  // namespace
}  // namespace fretlux::testing
