// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>

namespace fretlux {

inline constexpr int kMaxTabs = 101;
inline constexpr int kLinesPerTab = 7;  // the header (line 0) and string lines 1..6
inline constexpr int kTextSlots = 201;
// A blank TAB's header: a label of 80 spaces and one more blank where the settings would start.
inline constexpr int kBlankHeaderLength = 81;

using TabBlock = std::array<std::string, kLinesPerTab>;

// The whole tablature: TAB number n lives at index n - 1 of both arrays. Indexes at or beyond
// tabCount are not part of the document; whatever brings one in writes all of it first.
struct TabDocument {
    std::array<TabBlock, kMaxTabs> tabLines;
    std::array<std::string, kTextSlots> tabTexts;
    int tabCount = 0;

    // Empties every TAB of the document and sets the count to 0.
    void Clear();
    // Makes index t a blank TAB with an empty text.
    void MakeBlankTab(int t);
    // Copies the lines and the text of index from to index to.
    void CopyTab(int from, int to);

    friend bool operator==(const TabDocument&, const TabDocument&) = default;
};

}  // namespace fretlux
