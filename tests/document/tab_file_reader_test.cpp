// SPDX-License-Identifier: MIT
// Reading TAB files of both forms: finding blocks, headers and texts, converting string lines,
// and rejecting files that hold more than fits.
#include "document/tab_file_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "document/plain_tab_line.h"
#include "document/tab_cell.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Concat;
using test::Lines;
using test::PlainBlock;

std::string Repeat(const std::string& s, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += s;
    return out;
}

TabReadResult ReadPlain(const std::string& bytes) { return ReadTabBytes(bytes, TabForm::Plain); }

std::vector<std::string> Filler(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("text line " + std::to_string(i));
    return lines;
}

const std::vector<std::string> kIntroRiff = {"Intro riff",     "e|---0---3---|", "B|---1-------|",
                                             "G|---0-------|", "D|---2-------|", "A|---3-------|",
                                             "E|-----------|"};

TEST(TabFileReaderTest, IntroRiffGivesOneTabCellForCell) {
    const TabReadResult read = ReadPlain(Lines(kIntroRiff));
    ASSERT_FALSE(read.error);
    const TabDocument& doc = read.document;
    ASSERT_EQ(doc.tabCount, 1);
    EXPECT_EQ(doc.tabLines[0][0], "Intro riff");
    EXPECT_EQ(doc.tabTexts[0], "");
    const std::string three = Repeat("-    ", 3);
    EXPECT_EQ(doc.tabLines[0][1],
              "E----|    " + three + "0AH  " + three + "3DH  " + three + "|    ");
    EXPECT_EQ(doc.tabLines[0][1].size(), 70u);
    const std::string seven = Repeat("-    ", 7);
    EXPECT_EQ(doc.tabLines[0][2], "B----|    " + three + "1BH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][3], "G----|    " + three + "0AH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][4], "D----|    " + three + "2CH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][5], "A----|    " + three + "3DH  " + seven + "|    ");
    EXPECT_EQ(doc.tabLines[0][6], "E----|    " + Repeat("-    ", 11) + "|    ");
}

TEST(TabFileReaderTest, EnhancedTwoTabFileKeepsCellsAndTakesTheTextWithItsEmptyLine) {
    const std::string header1 = "Intro" + std::string(75, ' ') + "041100025";
    const std::string header2 = "Verse" + std::string(74, ' ');
    const std::vector<std::string> tab1 = {"E----3DH  -    |    ", "B----1BJ  -    |    ",
                                           "G----0AH  -    |    ", "D----2CH  -    |    ",
                                           "A----3DH  -    |    ", "E-----    -    |    "};
    const std::vector<std::string> tab2 = {"E----1MH  2    ", "B-----    -    ", "G-----    -    ",
                                           "D-----    -    ", "A-----    -    ", "E-----DB  -    "};
    const std::string file =
        Lines(Concat({{"Intro, play slowly", "", header1}, tab1, {header2}, tab2}), "\r\n");
    const TabReadResult read = ReadTabBytes(file, TabForm::Enhanced);
    ASSERT_FALSE(read.error);
    const TabDocument& doc = read.document;
    ASSERT_EQ(doc.tabCount, 2);
    EXPECT_EQ(doc.tabTexts[0], "Intro, play slowly\r\n\r\n");
    EXPECT_EQ(doc.tabLines[0][0], header1);
    EXPECT_EQ(doc.tabTexts[1], "");
    EXPECT_EQ(doc.tabLines[1][0], header2);
    for (int l = 1; l <= 6; ++l) {
        EXPECT_EQ(doc.tabLines[0][l], tab1[l - 1]);
        EXPECT_EQ(doc.tabLines[1][l], tab2[l - 1]);
    }
}

TEST(TabFileReaderTest, EnhancedLinesAreTrimmedAndPaddedToWholeCells) {
    const std::vector<std::string> lines = {"  E----3DH  -  ", "B----|",          "G----1MH  2",
                                            "D----",           "A----0AH  -    ", "E-----"};
    const TabReadResult read = ReadTabBytes(Lines(Concat({{"Label"}, lines})), TabForm::Enhanced);
    ASSERT_EQ(read.document.tabCount, 1);
    const TabBlock& block = read.document.tabLines[0];
    EXPECT_EQ(block[1], "E----3DH  -    ");
    EXPECT_EQ(block[2], "B----|    ");
    EXPECT_EQ(block[3], "G----1MH  2    ");
    EXPECT_EQ(block[4], "D----");
    EXPECT_EQ(block[5], "A----0AH  -    ");
    EXPECT_EQ(block[6], "E-----    ");
}

TEST(TabFileReaderTest, FlxInAnyCaseSelectsTheEnhancedForm) {
    EXPECT_EQ(FormOfPath("/songs/blues.flx"), TabForm::Enhanced);
    EXPECT_EQ(FormOfPath("/songs/BLUES.FLX"), TabForm::Enhanced);
    EXPECT_EQ(FormOfPath("Blues.fLx"), TabForm::Enhanced);
    EXPECT_EQ(FormOfPath("songflx"), TabForm::Enhanced);
    EXPECT_EQ(FormOfPath("/songs/blues.tab"), TabForm::Plain);
    EXPECT_EQ(FormOfPath("/songs/blues.flx.txt"), TabForm::Plain);
    EXPECT_EQ(FormOfPath("/songs/blues.fl"), TabForm::Plain);
    EXPECT_EQ(FormOfPath(""), TabForm::Plain);
}

TEST(TabFileReaderTest, EnhancedContentReadAsPlainIsConvertedCharacterByCharacter) {
    test::TempDir dir;
    const std::string content =
        Lines(Concat({{"Label"}, std::vector<std::string>(6, "e----3DH  -")}));
    test::WriteBytes(dir.File("song.tab"), content);
    const std::string path = dir.File("song.tab");
    const TabReadResult read = ReadTabFile(path, FormOfPath(path));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabLines[0][1].size(), 55u);
    EXPECT_EQ(DisplaySymbols(read.document.tabLines[0][1]), "E----3DH  -");
    EXPECT_EQ(read.document.tabLines[0][1].substr(25, 5), "3DH  ");
}

TEST(TabFileReaderTest, LfCrLfAndStrayCrsReadTheSame) {
    const TabReadResult lf = ReadPlain(Lines(Concat({{"Notes", "Intro riff"}, PlainBlock()})));
    const TabReadResult crlf =
        ReadPlain(Lines(Concat({{"Notes", "Intro riff"}, PlainBlock()}), "\r\n"));
    std::string stray = "\rNo\rtes\r\nIntro riff\r\r\n";
    for (const std::string& line : PlainBlock())
        stray += line.substr(0, 3) + "\r" + line.substr(3) + "\n";
    const TabReadResult withCr = ReadPlain(stray);
    ASSERT_EQ(lf.document.tabCount, 1);
    EXPECT_EQ(lf.document.tabTexts[0], "Notes\r\n");
    EXPECT_TRUE(test::SameDocument(lf.document, crlf.document));
    EXPECT_TRUE(test::SameDocument(lf.document, withCr.document));
    // The last line needs no line end.
    std::string unended = Lines(Concat({{"Notes", "Intro riff"}, PlainBlock()}));
    unended.pop_back();
    EXPECT_TRUE(test::SameDocument(lf.document, ReadPlain(unended).document));
}

TEST(TabFileReaderTest, EmptyFilesAndFilesWithoutACompleteBlockGiveNoTab) {
    const std::vector<std::string> block = PlainBlock();
    for (const std::string& bytes :
         {std::string(), std::string("just some words\r\n\r\n"), Lines(Filler(3)),
          Lines(Concat({{"Header"}, {block.begin(), block.begin() + 5}}))}) {
        const TabReadResult read = ReadPlain(bytes);
        EXPECT_FALSE(read.error);
        EXPECT_EQ(read.document.tabCount, 0);
    }
    // Lines after the last complete block are left out.
    const TabReadResult read = ReadPlain(Lines(Concat({kIntroRiff, {"Outro", "e|---3---|"}})));
    EXPECT_EQ(read.document.tabCount, 1);
}

TEST(TabFileReaderTest, TheTextIsWhatStoodBeforeTheHeaderSinceThePreviousBlock) {
    const TabReadResult read = ReadPlain(Lines(
        Concat({PlainBlock(1), {"line one", "", "  line three  ", "Second"}, PlainBlock(2)})));
    ASSERT_EQ(read.document.tabCount, 2);
    EXPECT_EQ(read.document.tabLines[0][0], "");
    EXPECT_EQ(read.document.tabTexts[0], "");
    EXPECT_EQ(read.document.tabLines[1][0], "Second");
    EXPECT_EQ(read.document.tabTexts[1], "line one\r\n\r\n  line three  \r\n");
    EXPECT_EQ(read.document.tabLines[1][1], ConvertPlainTabLine("e|---2---|"));
}

TEST(TabFileReaderTest, AHeaderOfOneToFourCharactersIsNotTaken) {
    for (const std::string shortLine : {"", "R", "Riff"}) {
        const TabReadResult read = ReadPlain(Lines(Concat({{"Notes", shortLine}, PlainBlock()})));
        ASSERT_EQ(read.document.tabCount, 1);
        EXPECT_EQ(read.document.tabLines[0][0], "") << shortLine;
        // The short line is neither header nor text.
        EXPECT_EQ(read.document.tabTexts[0], "Notes\r\n") << shortLine;
    }
    const TabReadResult five = ReadPlain(Lines(Concat({{"Intro"}, PlainBlock()})));
    EXPECT_EQ(five.document.tabLines[0][0], "Intro");
    const TabReadResult spaced = ReadPlain(Lines(Concat({{"   Verse 1  "}, PlainBlock()})));
    EXPECT_EQ(spaced.document.tabLines[0][0], "   Verse 1  ");
}

TEST(TabFileReaderTest, ShortLinesInsideABlockDoNotBreakItNorReachTheText) {
    std::vector<std::string> lines = Concat({{"Notes", "Header"}, PlainBlock()});
    lines.insert(lines.begin() + 5, "");     // between string lines 3 and 4
    lines.insert(lines.begin() + 7, "x  ");  // and another between 4 and 5
    const TabReadResult read = ReadPlain(Lines(lines));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabLines[0][0], "Header");
    EXPECT_EQ(read.document.tabTexts[0], "Notes\r\n");
    EXPECT_EQ(read.document.tabLines[0][4], ConvertPlainTabLine("D|---3---|"));
}

TEST(TabFileReaderTest, ALongLineWithoutHyphensBreaksARun) {
    const std::vector<std::string> block = PlainBlock();
    const TabReadResult read = ReadPlain(
        Lines(Concat({{block.begin(), block.begin() + 3}, {"a long comment"}, PlainBlock(4)})));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabLines[0][0], "a long comment");
    EXPECT_EQ(read.document.tabTexts[0], "e|---0---|\r\nB|---1---|\r\nG|---2---|\r\n");
    EXPECT_EQ(read.document.tabLines[0][1], ConvertPlainTabLine("e|---4---|"));
}

TEST(TabFileReaderTest, StringLinesAreTrimmedOfSpacesOnly) {
    std::vector<std::string> lines = PlainBlock();
    lines[0] = "   e|---3---|   ";
    lines[1] = "\tB|---3---|";
    const TabReadResult read = ReadPlain(Lines(Concat({{"Header"}, lines})));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabLines[0][1], ConvertPlainTabLine("e|---3---|"));
    EXPECT_EQ(read.document.tabLines[0][2], ConvertPlainTabLine("\tB|---3---|"));
}

TEST(TabFileReaderTest, ASeventhStringLineStartsABlockHeadedByTheSixth) {
    std::vector<std::string> lines = Concat({{"First"}, PlainBlock(0), PlainBlock(6)});
    lines[6] = "  E|---5---|";  // the sixth string line, kept whole as the next header
    const TabReadResult read = ReadPlain(Lines(lines));
    ASSERT_EQ(read.document.tabCount, 2);
    EXPECT_EQ(read.document.tabLines[0][6], ConvertPlainTabLine("E|---5---|"));
    EXPECT_EQ(read.document.tabLines[1][0], "  E|---5---|");
    EXPECT_EQ(read.document.tabTexts[1], "");
    EXPECT_EQ(read.document.tabLines[1][1], ConvertPlainTabLine("e|---6---|"));

    const TabReadResult seven = ReadPlain(Lines(Concat({PlainBlock(0), {"e|---9---|"}})));
    EXPECT_EQ(seven.document.tabCount, 1);
}

TEST(TabFileReaderTest, ALabelWithThreeHyphensCountsAsAStringLine) {
    const TabReadResult read = ReadPlain(Lines(Concat({{"My song", "Verse --- 1"}, PlainBlock()})));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabLines[0][0], "My song");
    EXPECT_EQ(read.document.tabLines[0][1], ConvertPlainTabLine("Verse --- 1"));
    EXPECT_EQ(read.document.tabLines[0][6], ConvertPlainTabLine("A|---4---|"));
}

TEST(TabFileReaderTest, NulAndOtherBytesAreOrdinaryCharacters) {
    std::vector<std::string> lines =
        Concat({{std::string("te\0xt", 5), std::string("Intro\0riff", 10)}, PlainBlock()});
    lines[2] = std::string("e|-\0-3---|", 10);
    const TabReadResult read = ReadPlain(Lines(lines));
    ASSERT_EQ(read.document.tabCount, 1);
    EXPECT_EQ(read.document.tabTexts[0], std::string("te\0xt\r\n", 7));
    EXPECT_EQ(read.document.tabLines[0][0], std::string("Intro\0riff", 10));
    EXPECT_EQ(read.document.tabLines[0][1].substr(15, 10), std::string("\0    -    ", 10));
}

TEST(TabFileReaderTest, The502ndLineSinceTheLastBlockIsRejected) {
    // 495 lines and a block of six make 501 buffered lines: accepted.
    const TabReadResult fits = ReadPlain(Lines(Concat({Filler(495), PlainBlock()})));
    ASSERT_FALSE(fits.error);
    ASSERT_EQ(fits.document.tabCount, 1);
    EXPECT_EQ(fits.document.tabLines[0][0], "text line 495");
    EXPECT_EQ(fits.document.tabTexts[0], Lines(Filler(494), "\r\n"));

    const TabReadResult over = ReadPlain(Lines(Concat({Filler(496), PlainBlock()})));
    ASSERT_TRUE(over.error);
    EXPECT_EQ(*over.error, kIndexOutOfRange);
    EXPECT_EQ(over.document.tabCount, 0);
    EXPECT_EQ(over.document.tabLines[0][1], "");

    // Short lines count too, and so do lines after the last block.
    EXPECT_FALSE(ReadPlain(Lines(std::vector<std::string>(501, ""))).error);
    EXPECT_TRUE(ReadPlain(Lines(std::vector<std::string>(502, ""))).error);
    EXPECT_FALSE(ReadPlain(Lines(Concat({PlainBlock(), Filler(501)}))).error);
    EXPECT_TRUE(ReadPlain(Lines(Concat({PlainBlock(), Filler(502)}))).error);
    // A trailing lone CR is one more line.
    EXPECT_TRUE(ReadPlain(Lines(Filler(501)) + "\r").error);

    // Every block starts the count again.
    const TabReadResult two =
        ReadPlain(Lines(Concat({Filler(495), PlainBlock(), Filler(495), PlainBlock()})));
    ASSERT_FALSE(two.error);
    EXPECT_EQ(two.document.tabCount, 2);
}

TEST(TabFileReaderTest, The102ndTabIsRejected) {
    std::vector<std::string> lines;
    for (int n = 1; n <= 101; ++n)
        lines = Concat({lines, {"TAB " + std::to_string(n)}, PlainBlock(n)});
    const TabReadResult full = ReadPlain(Lines(lines));
    ASSERT_FALSE(full.error);
    ASSERT_EQ(full.document.tabCount, kMaxTabs);
    EXPECT_EQ(full.document.tabLines[100][0], "TAB 101");
    EXPECT_EQ(full.document.tabLines[100][1], ConvertPlainTabLine("e|---1---|"));

    const std::vector<std::string> block = PlainBlock();
    const TabReadResult partial =
        ReadPlain(Lines(Concat({lines, {"TAB 102"}, {block.begin(), block.begin() + 5}})));
    EXPECT_FALSE(partial.error);
    EXPECT_EQ(partial.document.tabCount, kMaxTabs);

    const TabReadResult over = ReadPlain(Lines(Concat({lines, {"TAB 102"}, block})));
    ASSERT_TRUE(over.error);
    EXPECT_EQ(*over.error, "Subscript out of range");
    EXPECT_EQ(over.document.tabCount, 0);
    EXPECT_EQ(over.document.tabLines[0][0], "");
}

TEST(TabFileReaderTest, BothFormsFindTheSameBlocksHeadersAndTexts) {
    const std::string bytes = Lines(Concat({{"Notes", "more notes"},
                                            kIntroRiff,
                                            {"", "Verse"},
                                            PlainBlock(3),
                                            {"   "},
                                            PlainBlock(5)}));
    const TabReadResult plain = ReadTabBytes(bytes, TabForm::Plain);
    const TabReadResult enhanced = ReadTabBytes(bytes, TabForm::Enhanced);
    ASSERT_EQ(plain.document.tabCount, 3);
    ASSERT_EQ(enhanced.document.tabCount, 3);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(plain.document.tabLines[t][0], enhanced.document.tabLines[t][0]);
        EXPECT_EQ(plain.document.tabTexts[t], enhanced.document.tabTexts[t]);
    }
    EXPECT_EQ(enhanced.document.tabTexts[0], "Notes\r\nmore notes\r\n");
    EXPECT_EQ(enhanced.document.tabTexts[1], "\r\n");
    EXPECT_EQ(enhanced.document.tabLines[2][0], "");
}

// Whatever the size of the pieces the file is read in, it reads as its bytes do in memory.
TEST(TabFileReaderTest, ReadingAFileEqualsReadingItsBytes) {
    std::vector<std::string> lines;
    for (int n = 0; n < 90; ++n) {
        lines = Concat({lines,
                        {"Text of TAB " + std::to_string(n) + std::string(300, '.'),
                         "Header " + std::to_string(n) + std::string(200, ' ')},
                        PlainBlock(n)});
        for (int l = 1; l <= 6; ++l) lines[lines.size() - l] += std::string(400, '-') + "|";
    }
    const std::string base = Lines(lines, "\r\n");
    ASSERT_GT(base.size(), 3u * 65536u);
    // Shift the content so that a CR LF straddles the first 64 KiB boundary, or ends right at it.
    const long crlf = static_cast<long>(base.find("\r\n", 65536 - 1000));
    ASSERT_LT(crlf, 65535);
    test::TempDir dir;
    for (long extra : {-1L, 0L, 1L, 2L}) {
        const size_t shift = static_cast<size_t>(65535 - crlf + extra);
        const std::string bytes = std::string(shift, 'x') + base;
        const std::string path = dir.File("big.flx");
        test::WriteBytes(path, bytes);
        for (TabForm form : {TabForm::Enhanced, TabForm::Plain}) {
            const TabReadResult fromFile = ReadTabFile(path, form);
            const TabReadResult fromBytes = ReadTabBytes(bytes, form);
            ASSERT_FALSE(fromFile.error);
            EXPECT_EQ(fromFile.document.tabCount, 90);
            EXPECT_TRUE(test::SameDocument(fromFile.document, fromBytes.document)) << shift;
        }
    }
}

TEST(TabFileReaderTest, FilesThatCannotBeReadGiveTheirFailure) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.File("folder.flx"));
    test::WriteBytes(dir.File("locked.tab"), Lines(kIntroRiff));
    std::filesystem::permissions(dir.File("locked.tab"), std::filesystem::perms::none);
    // Permissions do not keep root from reading.
    for (const char* name : {"missing.tab", "folder.flx", ::geteuid() ? "locked.tab" : nullptr}) {
        if (!name) continue;
        const TabReadResult read = ReadTabFile(dir.File(name), FormOfPath(name));
        ASSERT_TRUE(read.error) << name;
        EXPECT_FALSE(read.error->empty()) << name;
        EXPECT_NE(*read.error, kIndexOutOfRange) << name;
        EXPECT_EQ(read.document.tabCount, 0) << name;
    }
    test::WriteBytes(dir.File("empty.tab"), "");
    const TabReadResult empty = ReadTabFile(dir.File("empty.tab"), TabForm::Plain);
    EXPECT_FALSE(empty.error);
    EXPECT_EQ(empty.document.tabCount, 0);
}

}  // namespace
}  // namespace fretlux
