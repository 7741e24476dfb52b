// SPDX-License-Identifier: MIT
// Writing a document and reading it back: what comes back whole, and what changes.
#include <gtest/gtest.h>

#include <string>

#include "document/plain_tab_line.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/tab_file_reader.h"
#include "document/tab_file_writer.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Join;
using test::Lines;
using test::PlainBlock;

TabDocument SampleDocument() {
    TabDocument doc;
    const Lines texts = {"Intro\r\nplay slowly\r\n", "", "\r\n", "see bar 3 --- slow\r\n  \r\n",
                         "   "};
    for (int t = 0; t < 5; ++t) {
        doc.MakeBlankTab(t);
        doc.tabTexts[t] = texts[t];
        doc.tabLines[t][0] = "TAB " + std::to_string(t + 1) + std::string(75, ' ') + "041100025";
        doc.tabLines[t][1] = "E----3DJ  -    -    -    1MH  2    |    5FH  -DB  ";
        doc.tabLines[t][3] = "G----0AH  -    -    -    ";
        doc.tabLines[t][6] = BlankStringLine(6).substr(0, 300) + std::string(5 * t, '-') + "7HHDH";
    }
    doc.tabLines[1][0] = "";
    doc.tabCount = 5;
    return doc;
}

// The first save separates a text from its label by an empty line, which reading keeps as the
// text's last line; from then on the text stays the same however often it is saved and read.
TEST(RoundTripTest, EnhancedFormKeepsTheTabsAndTextsStopGrowing) {
    const TabDocument original = SampleDocument();
    TabDocument current = original;
    for (int round = 1; round <= 3; ++round) {
        const TabReadResult read = ReadTabBytes(WriteEnhancedForm(current), TabForm::Enhanced);
        ASSERT_FALSE(read.error);
        ASSERT_EQ(read.document.tabCount, original.tabCount);
        for (int t = 0; t < original.tabCount; ++t) {
            EXPECT_EQ(read.document.tabLines[t], original.tabLines[t]) << t;
            const std::string& text = original.tabTexts[t];
            const bool endsEmpty = text == "\r\n" || text.ends_with("\r\n\r\n");
            const std::string expected = IsBlank(text) ? "" : endsEmpty ? text : text + "\r\n";
            EXPECT_EQ(read.document.tabTexts[t], expected) << "TAB " << t << ", round " << round;
        }
        current = read.document;
    }
}

TEST(RoundTripTest, PlainFormRebuildsSoundingNotesFromDigits) {
    TabDocument doc = SampleDocument();
    doc.tabCount = 1;
    const TabDocument read = ReadTabBytes(WritePlainForm(doc), TabForm::Plain).document;
    ASSERT_EQ(read.tabCount, 1);
    // Fingers, silent notes and stored settings are gone; the label stays whole.
    EXPECT_EQ(read.tabLines[0][0], "TAB 1" + std::string(74, ' '));
    EXPECT_EQ(read.tabLines[0][1], "E----3DH  -    -    -    1MH  2    |    5FH  -    ");
    EXPECT_EQ(read.tabLines[0][3], "G----0AH  -    -    -    ");
    EXPECT_EQ(read.tabLines[0][2], ConvertPlainTabLine("B" + std::string(78, '-')));
    EXPECT_EQ(read.tabTexts[0], "Intro\r\nplay slowly\r\n\r\n");
}

TEST(RoundTripTest, AHeaderHoldingThreeHyphensIsReadBackAsAStringLine) {
    // Twelve string lines in a row: the second TAB's header is the first TAB's sixth line.
    const TabDocument read =
        ReadTabBytes(Join({{"Label"}, PlainBlock(0), PlainBlock(6)}), TabForm::Plain).document;
    ASSERT_EQ(read.tabCount, 2);
    ASSERT_EQ(read.tabLines[1][0], "E|---5---|");
    // Written out, that header joins the string lines around it, so the TABs come back regrouped.
    const TabDocument back = ReadTabBytes(WriteEnhancedForm(read), TabForm::Enhanced).document;
    ASSERT_EQ(back.tabCount, 2);
    EXPECT_EQ(back.tabLines[0], read.tabLines[0]);
    EXPECT_EQ(back.tabLines[1][0], read.tabLines[0][6]);
    EXPECT_EQ(back.tabLines[1][1], "E|---5---|");
    EXPECT_EQ(back.tabLines[1][6], read.tabLines[1][5]);
}

}  // namespace
}  // namespace fretlux
