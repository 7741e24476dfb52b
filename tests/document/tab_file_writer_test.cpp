// SPDX-License-Identifier: MIT
// Writing a document in the enhanced form (cells whole) and the plain form (symbols only).
#include "document/tab_file_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/tab_cell.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Lines;

const std::string kHeader1 = "Intro" + std::string(75, ' ') + "041100025";
const std::string kHeader2 = "Verse" + std::string(74, ' ');

void SetTab(TabDocument& doc, int t, const std::string& header, const std::string& firstLine,
            const std::string& text = "") {
    doc.tabLines[t][0] = header;
    doc.tabLines[t][1] = firstLine;
    for (int l = 2; l <= 6; ++l) doc.tabLines[t][l] = BlankStringLine(l).substr(0, 20);
    doc.tabTexts[t] = text;
    doc.tabCount = std::max(doc.tabCount, t + 1);
}

TabDocument TwoTabs() {
    TabDocument doc;
    SetTab(doc, 0, kHeader1, "E----3DH  -    |    ", "Intro, play slowly\r\n");
    SetTab(doc, 1, kHeader2, "E----1MH  2    -DB  ");
    return doc;
}

TEST(TabFileWriterTest, EnhancedFormOfTwoTabsIsSixteenLines) {
    const std::vector<std::string> expected = {"Intro, play slowly",
                                               "",
                                               kHeader1,
                                               "E----3DH  -    |    ",
                                               "B-----    -    -    ",
                                               "G-----    -    -    ",
                                               "D-----    -    -    ",
                                               "A-----    -    -    ",
                                               "E-----    -    -    ",
                                               kHeader2,
                                               "E----1MH  2    -DB  ",
                                               "B-----    -    -    ",
                                               "G-----    -    -    ",
                                               "D-----    -    -    ",
                                               "A-----    -    -    ",
                                               "E-----    -    -    "};
    EXPECT_EQ(WriteEnhancedForm(TwoTabs()), Lines(expected, "\r\n"));
    EXPECT_EQ(WriteTabForm(TwoTabs(), TabForm::Enhanced), Lines(expected, "\r\n"));
}

TEST(TabFileWriterTest, PlainFormKeepsSymbolsLabelsAndTexts) {
    const std::vector<std::string> expected = {"Intro, play slowly",
                                               "",
                                               std::string(75 + 4, ' ').replace(0, 4, "ntro"),
                                               "E3-|",
                                               "B---",
                                               "G---",
                                               "D---",
                                               "A---",
                                               "E---",
                                               kHeader2,
                                               "E12-",
                                               "B---",
                                               "G---",
                                               "D---",
                                               "A---",
                                               "E---"};
    EXPECT_EQ(WritePlainForm(TwoTabs()), Lines(expected, "\r\n"));
    EXPECT_EQ(WriteTabForm(TwoTabs(), TabForm::Plain), Lines(expected, "\r\n"));
}

TEST(TabFileWriterTest, OnlyNonBlankTextsAreWrittenEachWithOneMoreLineEnd) {
    TabDocument doc;
    SetTab(doc, 0, "Label", "E----", "   ");
    SetTab(doc, 1, "Label", "E----", "\r\n");
    SetTab(doc, 2, "Label", "E----", "one\r\ntwo\r\n");
    const std::string tail =
        "Label\r\nE----\r\n" +
        Lines({"B-----    -    -    ", "G-----    -    -    ", "D-----    -    -    ",
               "A-----    -    -    ", "E-----    -    -    "},
              "\r\n");
    EXPECT_EQ(WriteEnhancedForm(doc), tail + "\r\n\r\n" + tail + "one\r\ntwo\r\n\r\n" + tail);
    const TabDocument empty;
    EXPECT_EQ(WriteEnhancedForm(empty), "");
    EXPECT_EQ(WritePlainForm(empty), "");
}

TEST(TabFileWriterTest, PlainNoteCellsWriteTheirSymbols) {
    TabDocument doc;
    SetTab(doc, 0, "", "E----|    -    3DH  ");
    const std::string plain = WritePlainForm(doc);
    EXPECT_EQ(plain.substr(0, 10), "\r\nE|-3\r\nB-");
}

TEST(TabFileWriterTest, PlainHeadersKeepTheLast79OfTheFirst80Characters) {
    std::string header89;
    for (int i = 0; i < 89; ++i) header89 += static_cast<char>('!' + i);
    const std::string header80 = header89.substr(0, 80);
    const std::string header79 = header89.substr(0, 79);
    for (const auto& [header, written] :
         {std::pair{header89, header89.substr(1, 79)}, std::pair{header80, header89.substr(1, 79)},
          std::pair{header79, header79}, std::pair{std::string("Riff"), std::string("Riff")}}) {
        TabDocument doc;
        SetTab(doc, 0, header, "E----");
        const std::string plain = WritePlainForm(doc);
        EXPECT_EQ(plain.substr(0, plain.find("\r\n")), written);
        // The enhanced form keeps the header of any length.
        const std::string enhanced = WriteEnhancedForm(doc);
        EXPECT_EQ(enhanced.substr(0, enhanced.find("\r\n")), header);
    }
}

TEST(TabFileWriterTest, PlainLinesAreCutTo79Symbols) {
    TabDocument doc;
    std::string longLine = "E----";
    for (int c = 0; c < 100; ++c) {
        longLine += static_cast<char>('0' + c % 10);
        longLine += "    ";
    }
    SetTab(doc, 0, "Label", longLine);
    const std::string plain = WritePlainForm(doc);
    const size_t start = plain.find("\r\n") + 2;
    const std::string written = plain.substr(start, plain.find("\r\n", start) - start);
    ASSERT_EQ(written.size(), 79u);
    EXPECT_EQ(written, DisplaySymbols(longLine).substr(0, 79));
    EXPECT_EQ(written.substr(71), "01234567");
    // The enhanced form keeps the whole line.
    EXPECT_NE(WriteEnhancedForm(doc).find(longLine + "\r\n"), std::string::npos);
}

TEST(TabFileWriterTest, ABlankTabInPlainFormIsSpacesAndHyphens) {
    TabDocument doc;
    doc.MakeBlankTab(0);
    doc.tabCount = 1;
    std::vector<std::string> expected = {std::string(79, ' ')};
    for (char letter : std::string("EBGDAE")) expected.push_back(letter + std::string(78, '-'));
    EXPECT_EQ(WritePlainForm(doc), Lines(expected, "\r\n"));
}

}  // namespace
}  // namespace fretlux
