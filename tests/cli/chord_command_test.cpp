// SPDX-License-Identifier: MIT
// fretlux-cli chord, run as a separate process: the six strings of a chord read out of a chord
// file as JSON, null where the file has no such chord, and the failures.
#include <gtest/gtest.h>

#include <string>

#include "cli_fixture.h"

namespace fretlux::testing {
namespace {

// A block of six records whose left half, variation 2 (characters 97..100), holds the given
// note contents, high E string first.
std::string Block(const std::string (&notes)[6]) {
    std::string block = "Chords\n";
    for (const std::string& note : notes) {
        std::string record(395, '-');
        // A shorter note content is a record that ends after it.
        if (note.size() < 4)
            record = record.substr(0, 96) + note;
        else
            record.replace(96, 4, note);
        block += record + "\n";
    }
    return block;
}

TEST_F(CliTest, ChordPrintsTheSixStringsOfTheChordLowStringFirst) {
    const std::string file =
        Write("chords.txt", Block({"AH  ", "BI  ", "CJ  ", "CK  ", "AH  ", "x"}) +
                                Block({"\xE9M  ", "DJ", "", "EL  ", "FI  ", "GJ  "}));
    const CliRun first = Run({"chord", file, "0", "1"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "[\"x\", \"AH  \", \"CK  \", \"CJ  \", \"BI  \", \"AH  \"]\n");
    const CliRun second = Run({"chord", file, "2", "1"});
    EXPECT_EQ(second.out, "[\"GJ  \", \"FI  \", \"EL  \", \"\", \"DJ\", \"\xC3\xA9M  \"]\n");
    const CliRun missing = Run({"chord", file, "4", "1"});
    EXPECT_EQ(missing.out, "[null, null, null, null, null, null]\n");
    EXPECT_EQ(missing.exitCode, 0);

    const CliRun shipped = Run({"chord", std::string(FRETLUX_DATA_DIR) + "/ChordE.flx", "26", "0"});
    EXPECT_EQ(shipped.out, "[\"AH  \", \"CJ  \", \"CK  \", \"BI  \", \"AH  \", \"AH  \"]\n");
}

TEST_F(CliTest, ChordReportsAFileItCannotReadAndRejectsNumbersOutOfRange) {
    ExpectFailure({"chord", Path("none.flx"), "0", "0"},
                  "Error 'No such file or directory' encountered while trying to open file, "
                  "please retry.\n");
    // The document reader's limits hold: an endless line, or lines without end and no chord.
    ExpectFailure({"chord", "/dev/zero", "0", "0"},
                  "Error 'a line longer than 1 MB' encountered while trying to open file, "
                  "please retry.\n");
    ExpectFailure({"chord", Write("blank.flx", std::string(600, '\n')), "0", "0"},
                  "Error 'more than 501 lines before a TAB is complete' encountered while trying "
                  "to open file, please retry.\n");
    for (const auto& [type, variation] :
         {std::pair{"33", "0"}, {"0", "3"}, {"-1", "0"}, {"x", "0"}, {"1 ", "0"}}) {
        const CliRun run = Run({"chord", Path("none.flx"), type, variation});
        EXPECT_EQ(run.exitCode, 2) << type << " " << variation;
        EXPECT_NE(run.err.find("fretlux-cli chord FILE TYPE VARIATION"), std::string::npos);
    }
}

}  // namespace
}  // namespace fretlux::testing
