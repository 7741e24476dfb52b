// SPDX-License-Identifier: MIT
// Damaged and lying files end in the failed-open message, naming the problem, never in a crash,
// a hang or memory without bound.
#include <gtest/gtest.h>

#include "guitar_pro_builder.h"
#include "import/guitar_pro_reader.h"
#include "import_test_support.h"

namespace fretlux::test {
namespace {

TEST(HostileImport, TheBuiltFileReadsAsWritten) {
    ScratchDir dir;
    const OpenedDocument opened = Open(dir.Write("eighths.gp5", GuitarProBuilder().Build({})));
    ASSERT_FALSE(opened.error) << *opened.error;
    EXPECT_EQ(Shown(opened.document, 0, 6), "0-1-2-3-4-5-6-7-|");
}

TEST(HostileImport, LyingGuitarProFilesAreRefusedWithTheReason) {
    struct Case {
        const char* name;
        GuitarProSketch sketch;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"a bar count of two billion", {.statedBars = 2000000000}, "count of 2000000000"},
        {"a beat count past the end", {.statedBeats = 1000000}, "count of 1000000"},
        {"a hundred strings", {.strings = 100}, "with 100 strings in track 1"},
        {"a time signature of nothing", {.numerator = 0}, "time signature of 0/4"},
        {"a tuplet of a thousand", {.tuplet = 1000}, "tuplet of 1000 in bar 1 of track 1"},
    };
    ScratchDir dir;
    for (const Case& entry : cases) {
        const OpenedDocument opened =
            Open(dir.Write("lying.gp5", GuitarProBuilder().Build(entry.sketch)));
        ASSERT_TRUE(opened.error) << entry.name;
        EXPECT_NE(opened.error->find(entry.reason), std::string::npos)
            << entry.name << ": " << *opened.error;
        EXPECT_EQ(opened.document.tabCount, 0) << entry.name;
    }
}

TEST(HostileImport, AFileCutAnywhereSaysWhereItEnds) {
    const std::string whole = GuitarProBuilder().Build({.bars = 3});
    ScratchDir dir;
    for (size_t length = 31; length + 1 < whole.size(); ++length) {
        try {
            ReadGuitarPro(std::string_view(whole).substr(0, length));
            ADD_FAILURE() << "a file cut after " << length << " bytes was read";
        } catch (const ImportError& error) {
            EXPECT_EQ(std::string_view(error.what()).rfind("a Guitar Pro 5 file ", 0), 0u)
                << error.what();
        }
    }
    const OpenedDocument opened = Open(dir.Write("cut.gp5", whole.substr(0, whole.size() - 40)));
    EXPECT_EQ(*opened.error, "a Guitar Pro 5 file that ends in the middle of bar 3 of track 1");
}

TEST(HostileImport, DamagedArchivesAndScoresAndBinaryFiles) {
    ScratchDir dir;
    struct Case {
        const char* name;
        std::string path;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"a zip that inflates past 64 MB",
         std::string(FRETLUX_IMPORT_SAMPLES) + "/../hostile/bomb.mxl", "inflates past 64 MB"},
        {"a damaged zip",
         dir.Write("damaged.mxl", std::string("PK\x03\x04", 4) + std::string(200, 'x')),
         "damaged zip"},
        {"a score cut short",
         dir.Write("cut.xml", "<score-partwise><part-list><score-part id=\"P1\">"),
         "not well-formed"},
        {"a Guitar Pro 6 container that claims 2 GB",
         dir.Write("big.gpx", std::string("BCFZ\xff\xff\xff\x7f\0\0", 10)), "unpacks past 64 MB"},
        {"binary bytes", dir.Write("photo.tab", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)),
         "neither a TAB file nor a Guitar Pro or MusicXML file"},
    };
    for (const Case& entry : cases) {
        const OpenedDocument opened = Open(entry.path);
        ASSERT_TRUE(opened.error) << entry.name;
        EXPECT_NE(opened.error->find(entry.reason), std::string::npos)
            << entry.name << ": " << *opened.error;
    }
}

TEST(HostileImport, TenThousandNotesOnOneStringInOneBarStopAtTheLastTab) {
    ScratchDir dir;
    const OpenedDocument opened =
        Open(dir.Write("crowded.gp5", GuitarProBuilder().Build({.beatsPerBar = 10000})));
    ASSERT_FALSE(opened.error) << *opened.error;
    EXPECT_EQ(opened.document.tabCount, 101);
    EXPECT_FALSE(opened.notice.empty());
}

TEST(HostileImport, TextWithoutATabStillOpensEmpty) {
    ScratchDir dir;
    for (const std::string text : {"just a note to myself\n", "<html><body>---</body></html>\n"}) {
        const OpenedDocument opened = Open(dir.Write("note.txt", text));
        EXPECT_FALSE(opened.error) << text;
        EXPECT_EQ(opened.document.tabCount, 0);
    }
}

}  // namespace
}  // namespace fretlux::test
