// SPDX-License-Identifier: MIT
// Writing a document and reading it back: what comes back whole, and what changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/plain_tab_line.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/tab_file_reader.h"
#include "document/tab_file_writer.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Concat;
using test::Lines;
using test::PlainBlock;

TabDocument SampleDocument() {
    TabDocument doc;
    const std::vector<std::string> texts = {"Intro\r\nplay slowly\r\n", "", "\r\n",
                                            "see bar 3 --- slow\r\n  \r\n", "   "};
    for (int t = 0; t < 5; ++t) {
        doc.MakeBlankTab(t);
        doc.tabTexts[t] = texts[t];
        doc.tabLines[t][0] = "TAB " + std::to_string(t + 1) + std::string(75, ' ') + "041100025";
        doc.tabLines[t][1] = "E----3DJ  -    -    -    1MH  2    |    5FH  -DB  ";
        doc.tabLines[t][3] = "G----0AH  -    -    -    ";
        doc.tabLines[t][6] = BlankStringLine(6) + std::string(5 * t, '-') + "7HHDH";
    }
    doc.tabLines[1][0] = "";
    doc.tabCount = 5;
    return doc;
}

// The enhanced bytes of a document whose texts each get one more empty line at their end.
std::string EnhancedWithOneMoreEmptyLine(const TabDocument& doc) {
    std::string out;
    for (int t = 0; t < doc.tabCount; ++t) {
        if (!IsBlank(doc.tabTexts[t])) out += doc.tabTexts[t] + "\r\n\r\n";
        for (const std::string& line : doc.tabLines[t]) out += line + "\r\n";
    }
    return out;
}

TEST(RoundTripTest, EnhancedFormComesBackWithOneMoreEmptyLinePerText) {
    const TabDocument original = SampleDocument();
    const std::string first = WriteEnhancedForm(original);
    const TabReadResult read = ReadTabBytes(first, TabForm::Enhanced);
    ASSERT_FALSE(read.error);
    ASSERT_EQ(read.document.tabCount, original.tabCount);
    for (int t = 0; t < original.tabCount; ++t) {
        EXPECT_EQ(read.document.tabLines[t], original.tabLines[t]) << t;
    }
    EXPECT_EQ(read.document.tabTexts[0], "Intro\r\nplay slowly\r\n\r\n");
    EXPECT_EQ(read.document.tabTexts[1], "");
    EXPECT_EQ(read.document.tabTexts[2], "\r\n\r\n");
    EXPECT_EQ(read.document.tabTexts[3], "see bar 3 --- slow\r\n  \r\n\r\n");
    EXPECT_EQ(read.document.tabTexts[4], "");  // a blank text is not written

    const std::string second = WriteEnhancedForm(read.document);
    EXPECT_EQ(second, EnhancedWithOneMoreEmptyLine(original));
    EXPECT_EQ(second.size(), first.size() + 3 * 2);
}

TEST(RoundTripTest, ADoubleSpacedTabComesBackWithTheSameTabs) {
    std::vector<std::string> lines = {"Song: Blues", "", "Verse"};
    for (const std::string& line : PlainBlock(1)) lines = Concat({lines, {line, ""}});
    lines.push_back("Chorus");
    for (const std::string& line : PlainBlock(5)) lines = Concat({lines, {line, ""}});

    const TabReadResult plain = ReadTabBytes(Lines(lines, "\r\n"), TabForm::Plain);
    ASSERT_FALSE(plain.error);
    ASSERT_EQ(plain.document.tabCount, 2);
    EXPECT_EQ(plain.document.tabLines[0][0], "Verse");
    EXPECT_EQ(plain.document.tabTexts[0], "Song: Blues\r\n\r\n");
    EXPECT_EQ(plain.document.tabLines[1][0], "Chorus");
    EXPECT_EQ(plain.document.tabTexts[1], "\r\n");
    for (int l = 1; l <= 6; ++l) {
        EXPECT_EQ(plain.document.tabLines[0][l], ConvertPlainTabLine(PlainBlock(1)[l - 1]));
        EXPECT_EQ(plain.document.tabLines[1][l], ConvertPlainTabLine(PlainBlock(5)[l - 1]));
    }

    const TabReadResult enhanced =
        ReadTabBytes(WriteEnhancedForm(plain.document), TabForm::Enhanced);
    ASSERT_EQ(enhanced.document.tabCount, 2);
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(enhanced.document.tabLines[t], plain.document.tabLines[t]);
        EXPECT_EQ(enhanced.document.tabTexts[t], plain.document.tabTexts[t] + "\r\n");
    }

    const TabReadResult again = ReadTabBytes(WritePlainForm(plain.document), TabForm::Plain);
    ASSERT_EQ(again.document.tabCount, 2);
    for (int t = 0; t < 2; ++t) EXPECT_EQ(again.document.tabLines[t], plain.document.tabLines[t]);
}

TEST(RoundTripTest, PlainFormRebuildsSoundingNotesFromDigits) {
    TabDocument doc = SampleDocument();
    doc.tabCount = 1;
    const TabReadResult read = ReadTabBytes(WritePlainForm(doc), TabForm::Plain);
    ASSERT_EQ(read.document.tabCount, 1);
    // Fingers, silent notes and stored settings are gone; the label loses its first character.
    EXPECT_EQ(read.document.tabLines[0][0], "AB 1" + std::string(75, ' '));
    EXPECT_EQ(read.document.tabLines[0][1], "E----3DH  -    -    -    1MH  2    |    5FH  -    ");
    EXPECT_EQ(read.document.tabLines[0][3], "G----0AH  -    -    -    ");
    EXPECT_EQ(read.document.tabLines[0][2], ConvertPlainTabLine("B" + std::string(78, '-')));
    EXPECT_EQ(read.document.tabTexts[0], "Intro\r\nplay slowly\r\n\r\n");
}

TEST(RoundTripTest, AHeaderHoldingThreeHyphensIsReadBackAsAStringLine) {
    // Twelve string lines in a row: the second TAB's header is the first TAB's sixth line.
    const TabReadResult read =
        ReadTabBytes(Lines(Concat({{"Label"}, PlainBlock(0), PlainBlock(6)})), TabForm::Plain);
    ASSERT_EQ(read.document.tabCount, 2);
    ASSERT_EQ(read.document.tabLines[1][0], "E|---5---|");
    // Written out, that header joins the string lines around it, so the TABs come back regrouped.
    const TabReadResult back = ReadTabBytes(WriteEnhancedForm(read.document), TabForm::Enhanced);
    ASSERT_EQ(back.document.tabCount, 2);
    EXPECT_EQ(back.document.tabLines[0], read.document.tabLines[0]);
    EXPECT_EQ(back.document.tabLines[1][0], read.document.tabLines[0][6]);
    EXPECT_EQ(back.document.tabLines[1][1], "E|---5---|");
    EXPECT_EQ(back.document.tabLines[1][6], read.document.tabLines[1][5]);
}

}  // namespace
}  // namespace fretlux
