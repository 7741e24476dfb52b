// SPDX-License-Identifier: MIT
// Reading TAB files of both forms: finding blocks, headers and texts, converting string lines,
// and rejecting files that hold more than fits.
#include "document/tab_file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "document/plain_tab_line.h"
#include "document/tab_cell.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Join;
using test::Lines;
using test::PlainBlock;

TabDocument ReadPlain(const std::vector<Lines>& parts) {
    const TabReadResult read = ReadTabBytes(Join(parts), TabForm::Plain);
    EXPECT_FALSE(read.error) << *read.error;
    return read.document;
}

std::optional<std::string> ErrorOf(const std::vector<Lines>& parts) {
    return ReadTabBytes(Join(parts), TabForm::Plain).error;
}

Lines Filler(int count) {
    Lines lines;
    for (int i = 1; i <= count; ++i) lines.push_back("text line " + std::to_string(i));
    return lines;
}

std::string Cells(const std::string& cell, int count) {
    std::string out;
    while (count-- > 0) out += cell;
    return out;
}

const Lines kIntroRiff = {"Intro riff",     "e|---0---3---|", "B|---1-------|", "G|---0-------|",
                          "D|---2-------|", "A|---3-------|", "E|-----------|"};

TEST(TabFileReaderTest, IntroRiffGivesOneTabCellForCell) {
    const TabDocument doc = ReadPlain({kIntroRiff});
    ASSERT_EQ(doc.tabCount, 1);
    EXPECT_EQ(doc.tabLines[0][0], "Intro riff");
    EXPECT_EQ(doc.tabTexts[0], "");
    const std::string three = Cells("-    ", 3);
    EXPECT_EQ(doc.tabLines[0][1],
              "E----|    " + three + "0AH  " + three + "3DH  " + three + "|    ");
    const std::string seven = Cells("-    ", 7);
    EXPECT_EQ(doc.tabLines[0][2], "B----|    " + three + "1BH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][5], "A----|    " + three + "3DH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][6], "E----|    " + Cells("-    ", 11) + "|    ");
}

TEST(TabFileReaderTest, EnhancedFileKeepsCellsTrimsAndPadsThemAndTakesTheTextWithItsEmptyLine) {
    const std::string header1 = "Intro" + std::string(75, ' ') + "041100025";
    const Lines tab1 = {"  E----3DH  -  ", "B----|",          "G----1MH  2",
                        "D----",           "A----0AH  -    ", "E-----"};
    const Lines tab2 = {"E----1MH  2    ", "B-----    -    ", "G-----    -    ",
                        "D-----    -    ", "A-----    -    ", "E-----DB  -    "};
    const TabReadResult read =
        ReadTabBytes(Join({{"Intro, play slowly", "", header1}, tab1, {"Verse"}, tab2}, "\r\n"),
                     TabForm::Enhanced);
    ASSERT_FALSE(read.error);
    const TabDocument& doc = read.document;
    ASSERT_EQ(doc.tabCount, 2);
    EXPECT_EQ(doc.tabTexts[0], "Intro, play slowly\r\n\r\n");
    EXPECT_EQ(doc.tabLines[0][0], header1);
    EXPECT_EQ(doc.tabTexts[1], "");
    EXPECT_EQ(doc.tabLines[1][0], "Verse");
    const Lines trimmed = {"E----3DH  -    ", "B----|    ",      "G----1MH  2    ",
                           "D----",           "A----0AH  -    ", "E-----    "};
    for (int l = 1; l <= 6; ++l) {
        EXPECT_EQ(doc.tabLines[0][l], trimmed[l - 1]);
        EXPECT_EQ(doc.tabLines[1][l], tab2[l - 1]);
    }
}

TEST(TabFileReaderTest, FlxInAnyCaseSelectsTheEnhancedForm) {
    for (const char* path : {"/songs/blues.flx", "/songs/BLUES.FLX", "Blues.fLx", "songflx"}) {
        EXPECT_EQ(FormOfPath(path), TabForm::Enhanced) << path;
    }
    for (const char* path : {"/songs/blues.tab", "/songs/blues.flx.txt", "/songs/blues.fl", ""}) {
        EXPECT_EQ(FormOfPath(path), TabForm::Plain) << path;
    }
}

// Each TAB read as "header#text#first string line#the sixth symbol of the other five lines",
// line ends in the text shown as "/", TABs separated by " ; ".
std::string Shape(const TabDocument& doc) {
    std::string shape;
    for (int t = 0; t < doc.tabCount; ++t) {
        std::string text = doc.tabTexts[t];
        for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "/");
        shape += (t ? " ; " : "") + doc.tabLines[t][0] + "#" + text + "#" +
                 DisplaySymbols(doc.tabLines[t][1]) + "#";
        for (int l = 2; l <= 6; ++l) {
            const std::string symbols = DisplaySymbols(doc.tabLines[t][l]);
            shape += symbols.size() > 5 ? symbols[5] : '?';
        }
    }
    return shape;
}

TEST(TabFileReaderTest, BlocksHeadersAndTextsAreFoundWhereTheyStand) {
    const Lines block = PlainBlock();
    const Lines firstHalf(block.begin(), block.begin() + 3);
    Lines shortLinesInside = block;
    shortLinesInside.insert(shortLinesInside.begin() + 3, "");
    shortLinesInside.insert(shortLinesInside.begin() + 5, "x  ");
    Lines indented = block;
    indented[0] = "   e|---3---|   ";
    indented[1] = "\tB|---3---|";
    Lines seventh = PlainBlock(0);
    seventh[5] = "  E|---5---|";
    const struct {
        const char* rule;
        std::vector<Lines> parts;
        std::string shape;
    } cases[] = {
        {"an empty file has no TAB", {}, ""},
        {"nor has one of words only", {{"just some words", ""}}, ""},
        {"nor one of five string lines", {{"Header"}, {block.begin(), block.begin() + 5}}, ""},
        {"lines after the last block are left out",
         {kIntroRiff, {"Outro", "e|---3---|"}},
         "Intro riff##E|---0---3---|#1023-"},
        {"the text is what stood before the header since the previous block",
         {PlainBlock(1), {"line one", "", "  line three  ", "Second"}, PlainBlock(2)},
         "##E|---1---|#23456 ; Second#line one//  line three  /#E|---2---|#34567"},
        {"a header of no characters is none", {{"Notes", ""}, block}, "#Notes/#E|---0---|#12345"},
        {"nor is one of one", {{"Notes", "R"}, block}, "#Notes/#E|---0---|#12345"},
        {"nor of four", {{"Notes", "Riff"}, block}, "#Notes/#E|---0---|#12345"},
        {"five make a header", {{"Intro"}, block}, "Intro##E|---0---|#12345"},
        {"kept with its blanks", {{"   Verse 1  "}, block}, "   Verse 1  ##E|---0---|#12345"},
        {"short lines inside a block neither break it nor reach the text",
         {{"Notes", "Header"}, shortLinesInside},
         "Header#Notes/#E|---0---|#12345"},
        {"a long line without hyphens breaks a run",
         {firstHalf, {"a long comment"}, PlainBlock(4)},
         "a long comment#e|---0---|/B|---1---|/G|---2---|/#E|---4---|#56789"},
        {"string lines are trimmed of spaces only",
         {{"Header"}, indented},
         "Header##E|---3---|#-2345"},
        {"a seventh string line starts a block headed by the sixth",
         {{"First"}, seventh, PlainBlock(6)},
         "First##E|---0---|#12345 ;   E|---5---|##E|---6---|#78901"},
        {"without six more it is left out", {PlainBlock(0), {"e|---9---|"}}, "##E|---0---|#12345"},
        {"a label with three hyphens is a string line",
         {{"My song", "Verse --- 1"}, block},
         "My song##Verse --- 1#01234"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shape(ReadPlain(c.parts)), c.shape) << c.rule;
}

TEST(TabFileReaderTest, NulAndOtherBytesAreOrdinaryCharacters) {
    Lines lines = PlainBlock();
    lines[0] = std::string("e|-\0-3---|", 10);
    const TabDocument doc =
        ReadPlain({{std::string("te\0xt", 5), std::string("Intro\0riff", 10)}, lines});
    ASSERT_EQ(doc.tabCount, 1);
    EXPECT_EQ(doc.tabTexts[0], std::string("te\0xt\r\n", 7));
    EXPECT_EQ(doc.tabLines[0][0], std::string("Intro\0riff", 10));
    EXPECT_EQ(doc.tabLines[0][1].substr(15, 10), std::string("\0    -    ", 10));
}

TEST(TabFileReaderTest, The502ndLineSinceTheLastBlockIsRejected) {
    // 495 lines and a block of six make 501 buffered lines: accepted.
    const TabDocument fits = ReadPlain({Filler(495), PlainBlock()});
    ASSERT_EQ(fits.tabCount, 1);
    EXPECT_EQ(fits.tabLines[0][0], "text line 495");
    EXPECT_EQ(fits.tabTexts[0], Join({Filler(494)}, "\r\n"));

    const TabReadResult over = ReadTabBytes(Join({Filler(496), PlainBlock()}), TabForm::Plain);
    ASSERT_TRUE(over.error);
    EXPECT_EQ(*over.error, kTooManyLines);
    EXPECT_EQ(over.document.tabCount, 0);
    EXPECT_EQ(over.document.tabLines[0][1], "");

    // Short lines count too, and so do lines after the last block.
    EXPECT_FALSE(ErrorOf({Lines(501, "")}));
    EXPECT_TRUE(ErrorOf({Lines(502, "")}));
    EXPECT_FALSE(ErrorOf({PlainBlock(), Filler(501)}));
    EXPECT_TRUE(ErrorOf({PlainBlock(), Filler(502)}));
    // A trailing lone CR is one more line.
    EXPECT_TRUE(ReadTabBytes(Join({Filler(501)}) + "\r", TabForm::Plain).error);
    // Every block starts the count again.
    EXPECT_EQ(ReadPlain({Filler(495), PlainBlock(), Filler(495), PlainBlock()}).tabCount, 2);
}

TEST(TabFileReaderTest, The102ndTabIsRejected) {
    std::vector<Lines> parts;
    for (int n = 1; n <= 101; ++n) {
        parts.push_back({"TAB " + std::to_string(n)});
        parts.push_back(PlainBlock(n));
    }
    const TabDocument full = ReadPlain(parts);
    ASSERT_EQ(full.tabCount, kMaxTabs);
    EXPECT_EQ(full.tabLines[100][0], "TAB 101");
    EXPECT_EQ(full.tabLines[100][1], ConvertPlainTabLine("e|---1---|"));

    const Lines block = PlainBlock();
    parts.push_back({"TAB 102"});
    parts.push_back({block.begin(), block.begin() + 5});
    EXPECT_EQ(ReadPlain(parts).tabCount, kMaxTabs);

    parts.back() = block;
    const TabReadResult over = ReadTabBytes(Join(parts), TabForm::Plain);
    ASSERT_TRUE(over.error);
    EXPECT_EQ(*over.error, "more than 101 TABs");
    EXPECT_EQ(over.document.tabCount, 0);
    EXPECT_EQ(over.document.tabLines[0][0], "");
}

TEST(TabFileReaderTest, BothFormsFindTheSameBlocksHeadersAndTexts) {
    const std::string bytes = Join({Lines{"Notes", "more notes"}, kIntroRiff, Lines{"", "Verse"},
                                    PlainBlock(3), Lines{"   "}, PlainBlock(5)});
    const TabDocument plain = ReadTabBytes(bytes, TabForm::Plain).document;
    const TabDocument enhanced = ReadTabBytes(bytes, TabForm::Enhanced).document;
    ASSERT_EQ(plain.tabCount, 3);
    ASSERT_EQ(enhanced.tabCount, 3);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(plain.tabLines[t][0], enhanced.tabLines[t][0]);
        EXPECT_EQ(plain.tabTexts[t], enhanced.tabTexts[t]);
    }
    EXPECT_EQ(enhanced.tabTexts[0], "Notes\r\nmore notes\r\n");
    EXPECT_EQ(enhanced.tabTexts[1], "\r\n");
    EXPECT_EQ(enhanced.tabLines[2][0], "");
}

// Whatever the size of the pieces the file is read in, it reads as its bytes do in memory.
TEST(TabFileReaderTest, ReadingAFileEqualsReadingItsBytes) {
    std::vector<Lines> parts;
    for (int n = 0; n < 90; ++n) {
        Lines block = PlainBlock(n);
        for (std::string& line : block) line += std::string(400, '-') + "|";
        parts.push_back({"Text of TAB " + std::to_string(n) + std::string(300, '.'),
                         "Header " + std::to_string(n) + std::string(200, ' ')});
        parts.push_back(block);
    }
    const std::string base = Join(parts, "\r\n");
    ASSERT_GT(base.size(), 3u * 65536u);
    // Shift the content so that a CR LF straddles the first 64 KiB boundary, or ends right at it.
    const long crlf = static_cast<long>(base.find("\r\n", 65536 - 1000));
    ASSERT_LT(crlf, 65535);
    test::TempDir dir;
    const std::string path = dir.File("big.flx");
    for (long extra : {-1L, 0L, 1L, 2L}) {
        const std::string bytes =
            std::string(static_cast<size_t>(65535 - crlf + extra), 'x') + base;
        test::WriteBytes(path, bytes);
        for (TabForm form : {TabForm::Enhanced, TabForm::Plain}) {
            const TabReadResult fromFile = ReadTabFile(path, form);
            ASSERT_FALSE(fromFile.error);
            EXPECT_GE(fromFile.document.tabCount, 90);
            EXPECT_TRUE(test::SameDocument(fromFile.document, ReadTabBytes(bytes, form).document))
                << extra;
        }
    }
}

TEST(TabFileReaderTest, FilesThatCannotBeReadGiveTheirFailure) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("folder.flx"));
    test::WriteBytes(dir.File("locked.tab"), Join({kIntroRiff}));
    std::filesystem::permissions(dir.File("locked.tab"), std::filesystem::perms::none);
    // Permissions do not keep root from reading.
    for (const char* name : {"missing.tab", "folder.flx", ::geteuid() ? "locked.tab" : nullptr}) {
        if (!name) continue;
        const TabReadResult read = ReadTabFile(dir.File(name), FormOfPath(name));
        ASSERT_TRUE(read.error) << name;
        EXPECT_FALSE(read.error->empty()) << name;
        EXPECT_NE(*read.error, kTooManyLines) << name;
        EXPECT_EQ(read.document.tabCount, 0) << name;
    }
    test::WriteBytes(dir.File("empty.tab"), "");
    const TabReadResult empty = ReadTabFile(dir.File("empty.tab"), TabForm::Plain);
    EXPECT_FALSE(empty.error);
    EXPECT_EQ(empty.document.tabCount, 0);
}

// The window turns a FIFO or a device away at once, where waiting for a writer could last for
// ever; the command line reads them.
TEST(TabFileReaderTest, OnlyRegularFilesAreReadUnlessAnyKindIsAsked) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe.tab");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const char* path : {fifo.c_str(), "/dev/null"}) {
        EXPECT_EQ(ReadTabFile(path, TabForm::Plain).error, std::string(kNotRegularFile)) << path;
    }
    std::thread writer([&] { test::WriteBytes(fifo, Join({kIntroRiff})); });
    const TabReadResult read = ReadTabFile(fifo, TabForm::Plain, FileKinds::Any);
    writer.join();
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.document.tabCount, 1);
}

}  // namespace
}  // namespace fretlux
