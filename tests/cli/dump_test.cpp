// SPDX-License-Identifier: MIT
// fretlux-cli dump: the JSON listing of a document, its escaping, and UTF-8 whatever the bytes.
#include <string>

#include "cli_process.h"

namespace fretlux {
namespace {

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
}

TEST_F(CliTest, DumpOfEmptyFileAndOfCellsPastTheShownColumns) {
    const CliRun empty = Run({"dump", Write("empty.tab", "")});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, "{\"tabCount\": 0, \"tabs\": []}\n");

    std::string wide = "Wide\n";
    for (const char letter : std::string("EBGDAE")) wide += letter + std::string(120, '-') + "7\n";
    const CliRun run = Run({"dump", Write("wide.tab", wide)});
    EXPECT_EQ(run.exitCode, 0);
    // Position 122 of each line is column 120, beyond the 79 columns the window shows.
    EXPECT_NE(run.out.find(R"({"column": 120, "symbol": "7", "notes": [{"string": 1, "fret": 7, )"
                           R"("finger": 0, "sounding": true}]}]})"),
              std::string::npos);
    EXPECT_EQ(run.out.find("\"column\": 121"), std::string::npos);
}

struct TextCase {
    std::string bytes;
    std::string json;
};

TEST_F(CliTest, DumpGivesUtf8WhenValidElseLatin1) {
    const TextCase cases[] = {
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
        {std::string("Hdr: \0\x1F\x7F", 8), "Hdr: \\u0000\\u001f\x7F"},      // controls
    };
    std::string file;
    for (const TextCase& c : cases) {
        file += c.bytes + "\nE----\xE9    \nB----\nG----\nD----\nA----\nE----\n";
    }
    file += "caf\xE9\n\xC3\xA9t\xC3\xA9\nLast TAB\nE----\nB----\nG----\nD----\nA----\nE----\n";
    const CliRun run = Run({"dump", Write("bytes.flx", file)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(IsStrictUtf8(run.out));
    for (const TextCase& c : cases) {
        EXPECT_NE(run.out.find("\"header\": \"" + c.json + "\""), std::string::npos) << c.json;
    }
    EXPECT_NE(run.out.find("\"symbol\": \"\xC3\xA9\""), std::string::npos);
    // A text is one string: its valid line does not save the other from the Latin-1 reading.
    EXPECT_NE(run.out.find(
                  "\"number\": 12, \"header\": \"Last TAB\", \"text\": "
                  "\"caf\xC3\xA9\\u000d\\u000a\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9\\u000d\\u000a\""),
              std::string::npos);
}

}  // namespace
}  // namespace fretlux
