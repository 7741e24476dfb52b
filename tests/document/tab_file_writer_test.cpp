// SPDX-License-Identifier: MIT
// Writing a document in the enhanced form (cells whole) and the plain form (symbols only).
#include "document/tab_file_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "document/tab_cell.h"
#include "test_support.h"

namespace fretlux {
namespace {

using test::Join;
using test::Lines;

const std::string kHeader1 = "Intro" + std::string(75, ' ') + "041100025";
const std::string kHeader2 = "Verse" + std::string(74, ' ');
// Lines 2 to 6 of every TAB that SetTab makes.
const Lines kRest = {"B-----    -    -    ", "G-----    -    -    ", "D-----    -    -    ",
                     "A-----    -    -    ", "E-----    -    -    "};

void SetTab(TabDocument& doc, int t, const std::string& header, const std::string& firstLine,
            const std::string& text = "") {
    doc.tabLines[t][0] = header;
    doc.tabLines[t][1] = firstLine;
    for (int l = 2; l <= 6; ++l) doc.tabLines[t][l] = BlankStringLine(l).substr(0, 20);
    doc.tabTexts[t] = text;
    doc.tabCount = std::max(doc.tabCount, t + 1);
}

// The line of the written form that starts at from.
std::string FirstLine(const std::string& written, size_t from = 0) {
    return written.substr(from, written.find("\r\n", from) - from);
}

TEST(TabFileWriterTest, BothFormsOfTheTwoTabExample) {
    TabDocument doc;
    SetTab(doc, 0, kHeader1, "E----3DH  -    |    ", "Intro, play slowly\r\n");
    SetTab(doc, 1, kHeader2, "E----1MH  2    -DB  ");
    const std::string enhanced =
        Join({Lines{"Intro, play slowly", "", kHeader1, "E----3DH  -    |    "}, kRest,
              Lines{kHeader2, "E----1MH  2    -DB  "}, kRest},
             "\r\n");
    EXPECT_EQ(WriteEnhancedForm(doc), enhanced);
    EXPECT_EQ(WriteTabForm(doc, TabForm::Enhanced), enhanced);

    const Lines plainRest = {"B---", "G---", "D---", "A---", "E---"};
    const std::string plain = Join({Lines{"Intro, play slowly", "", kHeader1.substr(0, 79), "E3-|"},
                                    plainRest, Lines{kHeader2, "E12-"}, plainRest},
                                   "\r\n");
    EXPECT_EQ(WritePlainForm(doc), plain);
    EXPECT_EQ(WriteTabForm(doc, TabForm::Plain), plain);
}

// A non-blank text is written with one more line end, unless its last line is empty already.
TEST(TabFileWriterTest, TextsGetAnEmptyLineBeforeTheLabelOnlyOnce) {
    TabDocument doc;
    SetTab(doc, 0, "Label", "E----", "   ");
    SetTab(doc, 1, "Label", "E----", "\r\n");
    SetTab(doc, 2, "Label", "E----", "one\r\ntwo\r\n");
    SetTab(doc, 3, "Label", "E----", "one\r\n\r\n");
    SetTab(doc, 4, "Label", "E----", "no line end");
    const auto written = [](const std::string& tab) {
        return tab + "\r\n" + tab + "one\r\ntwo\r\n\r\n" + tab + "one\r\n\r\n" + tab +
               "no line end\r\n" + tab;
    };
    EXPECT_EQ(WriteEnhancedForm(doc), written(Join({{"Label", "E----"}, kRest}, "\r\n")));
    EXPECT_EQ(WritePlainForm(doc),
              written(Join({{"Label", "E", "B---", "G---", "D---", "A---", "E---"}}, "\r\n")));
    EXPECT_EQ(WriteEnhancedForm(TabDocument{}), "");
    EXPECT_EQ(WritePlainForm(TabDocument{}), "");
}

// The plain form keeps the label the label box shows, not the settings stamped after it.
TEST(TabFileWriterTest, PlainHeadersKeepTheFirst79CharactersEnhancedOnesAll) {
    std::string header89;
    for (int i = 0; i < 89; ++i) header89 += static_cast<char>('!' + i);
    const std::string header79 = header89.substr(0, 79);
    for (const auto& [header, written] :
         {std::pair{header89, header79}, std::pair{header89.substr(0, 80), header79},
          std::pair{header79, header79}, std::pair{std::string("Riff"), std::string("Riff")}}) {
        TabDocument doc;
        SetTab(doc, 0, header, "E----|    -    3DH  ");
        const std::string plain = WritePlainForm(doc);
        EXPECT_EQ(FirstLine(plain), written);
        EXPECT_EQ(FirstLine(plain, written.size() + 2), "E|-3");
        EXPECT_EQ(FirstLine(WriteEnhancedForm(doc)), header);
    }
}

TEST(TabFileWriterTest, PlainLinesKeepEverySymbol) {
    TabDocument doc;
    std::string longLine = "E----";
    for (int c = 0; c < 100; ++c) longLine += static_cast<char>('0' + c % 10) + std::string(4, ' ');
    SetTab(doc, 0, "Label", longLine);
    const std::string written = FirstLine(WritePlainForm(doc), 7);
    EXPECT_EQ(written, DisplaySymbols(longLine));
    EXPECT_EQ(written.substr(91), "0123456789");
    EXPECT_NE(WriteEnhancedForm(doc).find(longLine + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace fretlux
