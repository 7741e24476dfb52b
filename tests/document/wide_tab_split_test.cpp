// SPDX-License-Identifier: MIT
// TABs wider than 78 columns are cut into pieces when read, at a bar line where one falls from
// the 40th column of a piece on, so that no column is hidden, and nothing is lost when saved.
#include "document/wide_tab_split.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
using Pieces = std::vector<std::pair<size_t, size_t>>;

// A body of the given number of columns, with a bar at each listed column.
std::string Body(size_t columns, const std::vector<size_t>& bars = {}) {
    std::string body(columns, '-');
    for (size_t bar : bars) body[bar] = '|';
    return body;
}

// The cells of columns first..last of a converted line; fewer where the line is shorter.
std::string Cells(const std::string& line, size_t first, size_t last) {
    const size_t from = kCellWidth * (first + 1);
    return from < line.size() ? line.substr(from, kCellWidth * (last - first + 1)) : "";
}

struct SplitCase {
    const char* name;
    Lines bodies;  // one per string line, high e first; a single one stands for all six
    Pieces pieces;
};

TEST(WideTabSplitTest, PiecesEndAtTheLastBarFromTheir40thColumnOnElseAfter78Columns) {
    const std::string wide = Body(120, {30, 60, 100});
    Lines barOnFiveLines(5, Body(120, {50}));
    barOnFiveLines.push_back(Body(120));
    Lines ragged(5, Body(40));
    ragged.insert(ragged.begin(), Body(100));
    const std::vector<SplitCase> cases = {
        {"bars at 30, 60 and 100", {wide}, {{0, 60}, {61, 100}, {101, 119}}},
        {"a bar on five lines only", barOnFiveLines, {{0, 77}, {78, 119}}},
        {"300 columns without a bar", {Body(300)}, {{0, 77}, {78, 155}, {156, 233}, {234, 299}}},
        {"a bar at column 38 is too early", {Body(100, {38})}, {{0, 77}, {78, 99}}},
        {"a bar at column 39 is not", {Body(100, {39})}, {{0, 39}, {40, 99}}},
        {"a bar in the last column", {Body(100, {77})}, {{0, 77}, {78, 99}}},
        {"one line longer than the others", ragged, {{0, 77}, {78, 99}}},
        {"78 columns stay whole", {Body(78)}, {{0, 77}}},
        {"79 columns do not", {Body(79)}, {{0, 77}, {78, 78}}},
    };
    for (const SplitCase& c : cases) {
        Lines file = {"Text line", "Label"};
        for (int l = 0; l < 6; ++l) {
            file.push_back("eBGDAE"[l] + c.bodies[c.bodies.size() == 1 ? 0 : l]);
        }
        const TabReadResult read = ReadTabBytes(Join({file}), TabForm::Plain);
        ASSERT_FALSE(read.error) << c.name;
        const TabDocument& doc = read.document;
        ASSERT_EQ(doc.tabCount, static_cast<int>(c.pieces.size())) << c.name;
        for (int t = 0; t < doc.tabCount; ++t) {
            EXPECT_EQ(doc.tabLines[t][0], t == 0 ? "Label" : "") << c.name;
            EXPECT_EQ(doc.tabTexts[t], t == 0 ? "Text line\r\n" : "") << c.name;
            for (int l = 1; l <= 6; ++l) {
                const std::string whole = ConvertPlainTabLine(file[l + 1]);
                const auto [first, last] = c.pieces[t];
                EXPECT_EQ(doc.tabLines[t][l], whole.substr(0, 5) + Cells(whole, first, last))
                    << c.name << ", piece " << t << ", line " << l;
            }
        }
    }
}

TEST(WideTabSplitTest, TheDocumentNeverGrowsPast101Tabs) {
    const auto documentOf = [](int tabs, const std::vector<std::pair<int, size_t>>& widths) {
        TabDocument doc;
        for (int t = 0; t < tabs; ++t) {
            doc.MakeBlankTab(t);
            doc.tabLines[t][0] = "TAB " + std::to_string(t + 1);
        }
        for (const auto& [t, columns] : widths) {
            for (int l = 1; l <= 6; ++l)
                doc.tabLines[t][l] = ConvertPlainTabLine("E" + Body(columns));
        }
        doc.tabCount = tabs;
        return doc;
    };
    // TAB 2 in two pieces makes 101 TABs: it is split.
    TabDocument fits = documentOf(100, {{1, 100}});
    SplitWideTabs(fits);
    ASSERT_EQ(fits.tabCount, 101);
    EXPECT_EQ(fits.tabLines[1][0], "TAB 2");
    EXPECT_EQ(fits.tabLines[2][1].size(), 5u + 5 * 22);
    EXPECT_EQ(fits.tabLines[3][0], "TAB 3");
    // TAB 2 in three pieces would make 102: it stays whole, and so does the wide TAB after it,
    // although that one alone would fit.
    TabDocument full = documentOf(100, {{1, 200}, {5, 100}});
    const TabDocument before = full;
    SplitWideTabs(full);
    EXPECT_TRUE(test::SameDocument(full, before));
}

// A fingerpicked accompaniment of the kind copied from web pages, 105 characters wide.
const Lines kWideTab = {
    "Arpeggios in A minor, let ring",
    "",
    "Am                     F                      C                      G",
    "e|-----------0-----------|-----------1-----------|-----------0-----------|-----------3--------"
    "---|-0----|",
    "B|-------1-------1-------|-------1-------1-------|-------1-------1-------|-------0-------0----"
    "---|-1----|",
    "G|-----2-----2-----2-----|-----2-----2-----2-----|-----0-----0-----0-----|-----0-----0-----0--"
    "---|-2----|",
    "D|---2-----------------2-|---3-----------------3-|---2-----------------2-|---0----------------"
    "-0-|-2----|",
    "A|-0---------------------|-----------------------|-3---------------------|-2------------------"
    "---|-0----|",
    "E|-----------------------|-1---------------------|-----------------------|-3------------------"
    "---|------|",
};

TEST(WideTabSplitTest, AWideTabKeepsEveryColumnThroughBothForms) {
    const TabDocument read = ReadTabBytes(Join({kWideTab}, "\r\n"), TabForm::Plain).document;
    ASSERT_EQ(read.tabCount, 2);
    // The first piece ends with the bar that closes the third chord.
    EXPECT_EQ(DisplaySymbols(read.tabLines[0][1]).back(), '|');
    EXPECT_EQ(read.tabLines[0][0], kWideTab[2]);
    for (const TabForm form : {TabForm::Plain, TabForm::Enhanced}) {
        const TabDocument back = ReadTabBytes(WriteTabForm(read, form), form).document;
        ASSERT_EQ(back.tabCount, 2);
        for (int l = 1; l <= 6; ++l) {
            std::string joined = DisplaySymbols(back.tabLines[0][l]);
            joined += DisplaySymbols(back.tabLines[1][l]).substr(1);
            EXPECT_EQ(joined, UpperAscii(kWideTab[l + 2].substr(0, 1)) + kWideTab[l + 2].substr(1))
                << "line " << l;
            if (form == TabForm::Enhanced) {
                EXPECT_EQ(back.tabLines[1][l], read.tabLines[1][l]);
            }
        }
    }
}

}  // namespace
}  // namespace fretlux
