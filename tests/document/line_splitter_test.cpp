// SPDX-License-Identifier: MIT
// Cutting a byte stream, fed in pieces, into text lines.
#include "document/line_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace fretlux {
namespace {

// The lines of bytes fed in pieces of pieceSize bytes (everything at once when 0).
std::vector<std::string> Split(std::string_view bytes, size_t pieceSize = 0) {
    std::vector<std::string> lines;
    auto take = [&lines](std::string&& line) {
        lines.push_back(std::move(line));
        return true;
    };
    LineSplitter splitter;
    if (pieceSize == 0) pieceSize = bytes.size() + 1;
    for (size_t start = 0; start < bytes.size(); start += pieceSize) {
        EXPECT_TRUE(splitter.Feed(bytes.substr(start, pieceSize), take));
    }
    EXPECT_TRUE(splitter.Finish(take));
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineSplitterTest, LineEndsCrsAndTheLastLine) {
    const struct {
        std::string_view bytes;
        Lines lines;
    } rows[] = {
        {"one\ntwo\n", {"one", "two"}},  // LF and CR LF end lines alike
        {"one\r\ntwo\n\n", {"one", "two", ""}},
        {"\ron\re\r\r\n\rtwo", {"one", "two"}},  // every CR is dropped wherever it stands
        {"a\rb\n", {"ab"}},                      // and a CR alone ends no line
        {"x", {"x"}},                            // the last line needs no LF
        {"one\n\r", {"one", ""}},                // a trailing lone CR is one more line
        {"one\n", {"one"}},
        {"", {}},
        {"\n\n", {"", ""}},
    };
    for (const auto& row : rows) EXPECT_EQ(Split(row.bytes), row.lines) << row.bytes;
}

TEST(LineSplitterTest, PieceSizeDoesNotMatter) {
    constexpr char kRaw[] = "ab\r\ncd\n\r\ne\rf\n\0g\r";
    const std::string bytes(kRaw, sizeof kRaw - 1);
    const Lines whole = Split(bytes);
    EXPECT_EQ(whole, (Lines{"ab", "cd", "", "ef", std::string("\0g", 2)}));
    for (size_t piece = 1; piece <= bytes.size(); ++piece) {
        EXPECT_EQ(Split(bytes, piece), whole) << "pieces of " << piece;
    }
}

TEST(LineSplitterTest, StopsAsSoonAsTheTakerRefuses) {
    std::vector<std::string> lines;
    LineSplitter splitter;
    auto takeTwo = [&lines](std::string&& line) {
        lines.push_back(std::move(line));
        return lines.size() < 2;
    };
    EXPECT_FALSE(splitter.Feed("a\nb\nc\nd\n", takeTwo));
    EXPECT_EQ(lines, (Lines{"a", "b"}));

    // The unterminated last line reaches the taker only on Finish, which reports the refusal.
    LineSplitter tail;
    int calls = 0;
    auto refuse = [&calls](std::string&&) {
        ++calls;
        return false;
    };
    EXPECT_TRUE(tail.Feed("tail", refuse));
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(tail.Finish(refuse));
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace fretlux
