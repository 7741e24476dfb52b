// SPDX-License-Identifier: MIT
// Fuzz target of the TAB file reader: reads the input in both forms, writes what was read in both
// forms, reads the enhanced output back, and aborts when a property that must always hold fails.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/line_splitter.h"
#include "document/render_fret_digits.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/tab_document.h"
#include "document/tab_file_reader.h"
#include "document/tab_file_writer.h"
#include "document/wide_tab_split.h"
#include "fuzz_check.h"

namespace fretlux {
namespace {

bool SameDocument(const TabDocument& a, const TabDocument& b) {
    if (a.tabCount != b.tabCount) return false;
    for (int t = 0; t < a.tabCount; ++t) {
        if (a.tabLines[t] != b.tabLines[t] || a.tabTexts[t] != b.tabTexts[t]) return false;
    }
    return true;
}

size_t CountOf(std::string_view s, std::string_view part) {
    size_t count = 0;
    for (size_t at = s.find(part); at != std::string_view::npos; at = s.find(part, at + 1)) {
        ++count;
    }
    return count;
}

bool IsRefusal(const std::string& error) {
    return error == kTooManyTabs || error == kTooManyLines || error == kLineTooLong;
}

bool EndsWithEmptyLine(std::string_view text) {
    return text == "\r\n" || text.ends_with("\r\n\r\n");
}

size_t LongestLine(std::string_view bytes) {
    size_t longest = 0;
    for (size_t start = 0; start <= bytes.size();) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size());
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

bool HasLineBreakByte(std::string_view s) {
    return s.find('\r') != std::string_view::npos || s.find('\n') != std::string_view::npos;
}

// A text is empty or a run of lines, each ended by CR LF, with no other CR or LF in it.
void CheckText(const std::string& text) {
    if (text.empty()) return;
    FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
    FUZZ_CHECK(CountOf(text, "\r") == CountOf(text, "\r\n"));
    FUZZ_CHECK(CountOf(text, "\n") == CountOf(text, "\r\n"));
    FUZZ_CHECK(!IsBlank(text));
}

// Properties of any document a read gives, in either form.
void CheckDocument(const TabDocument& doc) {
    FUZZ_CHECK(doc.tabCount >= 0 && doc.tabCount <= kMaxTabs);
    for (int t = 0; t < doc.tabCount; ++t) {
        const std::string& header = doc.tabLines[t][0];
        FUZZ_CHECK(header.empty() || header.size() > 4);
        FUZZ_CHECK(!HasLineBreakByte(header));
        CheckText(doc.tabTexts[t]);
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string& line = doc.tabLines[t][l];
            FUZZ_CHECK(line.size() >= 5 && line.size() % kCellWidth == 0);
            FUZZ_CHECK(line[0] != ' ');
            FUZZ_CHECK(line.find("---") != std::string::npos);
            FUZZ_CHECK(!HasLineBreakByte(line));
        }
    }
    // Nothing is left in the slots beyond the count.
    if (doc.tabCount < kMaxTabs) {
        FUZZ_CHECK(doc.tabLines[doc.tabCount][1].empty());
        FUZZ_CHECK(doc.tabTexts[doc.tabCount].empty());
    }
}

// Both forms find the same blocks; a line differs only in how its characters become cells:
// the plain form makes one cell per character, the enhanced form pads the characters to cells.
void CheckFormsAgree(const TabDocument& plain, const TabDocument& enhanced) {
    FUZZ_CHECK(plain.tabCount == enhanced.tabCount);
    for (int t = 0; t < plain.tabCount; ++t) {
        FUZZ_CHECK(plain.tabLines[t][0] == enhanced.tabLines[t][0]);
        FUZZ_CHECK(plain.tabTexts[t] == enhanced.tabTexts[t]);
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string symbols = DisplaySymbols(plain.tabLines[t][l]);
            const std::string& cells = enhanced.tabLines[t][l];
            FUZZ_CHECK(plain.tabLines[t][l].size() == symbols.size() * kCellWidth);
            FUZZ_CHECK(cells.size() == (symbols.size() + kCellWidth - 1) / kCellWidth * kCellWidth);
            FUZZ_CHECK(UpperAscii(cells[0]) == symbols[0]);
            FUZZ_CHECK(cells.compare(1, symbols.size() - 1, symbols, 1) == 0);
            FUZZ_CHECK(IsBlank(std::string_view(cells).substr(symbols.size())));
            FUZZ_CHECK(symbols.back() != ' ');
        }
    }
}

// Reading in pieces of any size gives what reading the whole gives.
void CheckPiecewiseRead(std::string_view bytes, TabForm form, const TabReadResult& whole) {
    const size_t piece = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]) % 7 + 1;
    TabBlockCollector collector(form);
    LineSplitter splitter(kMaxLineLength);
    auto take = [&collector](std::string&& line) { return collector.AddLine(std::move(line)); };
    bool accepted = true;
    for (size_t start = 0; accepted && start < bytes.size(); start += piece) {
        accepted = splitter.Feed(bytes.substr(start, piece), take);
    }
    accepted = accepted && splitter.Finish(take);
    FUZZ_CHECK(accepted == !whole.error);
    if (!accepted) return;
    SplitWideTabs(collector.Document());
    FUZZ_CHECK(SameDocument(collector.Document(), whole.document));
}

bool AnyHeaderHoldsHyphens(const TabDocument& doc) {
    for (int t = 0; t < doc.tabCount; ++t) {
        if (doc.tabLines[t][0].find("---") != std::string::npos) return true;
    }
    return false;
}

// Writing the enhanced form and reading it back gives the same TABs, every non-blank text one
// empty line longer unless it ends with one already. Two things break that, and only they may: a
// header holding "---" (the sixth line of a block heading the next one) reads back as a string
// line, and a text of 494 lines or more no longer fits the 501 buffered lines once its empty line
// is added.
void CheckEnhancedRoundTrip(const TabDocument& doc) {
    const std::string written = WriteEnhancedForm(doc);
    const TabReadResult back = ReadTabBytes(written, TabForm::Enhanced);
    if (back.error) FUZZ_CHECK(IsRefusal(*back.error));
    CheckDocument(back.document);
    if (AnyHeaderHoldsHyphens(doc) || back.error == kLineTooLong) return;

    bool textTooLong = false;
    for (int t = 0; t < doc.tabCount; ++t) {
        const std::string& text = doc.tabTexts[t];
        if (CountOf(text, "\r\n") >= 494 && !EndsWithEmptyLine(text)) textTooLong = true;
    }
    FUZZ_CHECK(back.error.has_value() == textTooLong);
    if (back.error) return;

    FUZZ_CHECK(back.document.tabCount == doc.tabCount);
    std::string expected;
    for (int t = 0; t < doc.tabCount; ++t) {
        FUZZ_CHECK(back.document.tabLines[t] == doc.tabLines[t]);
        const std::string& text = doc.tabTexts[t];
        const std::string readBack = text.empty() || EndsWithEmptyLine(text) ? text : text + "\r\n";
        FUZZ_CHECK(back.document.tabTexts[t] == readBack);
        if (!text.empty()) expected += readBack + (EndsWithEmptyLine(readBack) ? "" : "\r\n");
        for (const std::string& line : doc.tabLines[t]) expected += line + "\r\n";
    }
    FUZZ_CHECK(WriteEnhancedForm(back.document) == expected);
}

// A label of the plain form is cut to 79 characters; the form has one line per text line, one
// empty line after each text that does not end with one, and seven lines per TAB.
void CheckPlainForm(const TabDocument& doc) {
    const std::string written = WritePlainForm(doc);
    size_t expectedLines = 0;
    for (int t = 0; t < doc.tabCount; ++t) {
        const size_t textLines = CountOf(doc.tabTexts[t], "\r\n");
        const bool emptyLineAdded = textLines > 0 && !EndsWithEmptyLine(doc.tabTexts[t]);
        expectedLines += kLinesPerTab + textLines + (emptyLineAdded ? 1 : 0);
    }
    FUZZ_CHECK(CountOf(written, "\r\n") == expectedLines);
    size_t start = 0;
    for (int t = 0; t < doc.tabCount; ++t) {
        const std::string& text = doc.tabTexts[t];
        start += text.empty() ? 0 : text.size() + (EndsWithEmptyLine(text) ? 0 : 2);
        for (int l = 0; l < kLinesPerTab; ++l) {
            const size_t end = written.find("\r\n", start);
            FUZZ_CHECK(end != std::string::npos);
            if (l == 0) FUZZ_CHECK(end - start <= kPlainLabelLength);
            start = end + 2;
        }
    }
    FUZZ_CHECK(start == written.size());
    const TabReadResult back = ReadTabBytes(written, TabForm::Plain);
    if (back.error) FUZZ_CHECK(IsRefusal(*back.error));
    CheckDocument(back.document);
}

// Rendering keeps every note slot and shows each sounding note's first fret digit.
void CheckRendering(const TabDocument& doc) {
    TabDocument rendered;
    rendered.tabCount = 1;
    for (int t = 0; t < doc.tabCount; ++t) {
        rendered.tabLines[0] = doc.tabLines[t];
        RenderFretDigits(rendered, 0);
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string& before = doc.tabLines[t][l];
            const std::string& after = rendered.tabLines[0][l];
            FUZZ_CHECK(after.size() == before.size() || after.size() == before.size() + 1);
            for (size_t p = 0; p < before.size(); p += kCellWidth) {
                FUZZ_CHECK(after.compare(p + 1, 4, before, p + 1, 4) == 0);
                const int code = CharCode(before[p + 1]);
                if (p > 0 && code >= 'A' && AttributeSounds(before[p + 2])) {
                    FUZZ_CHECK(after[p] == std::to_string(code - 'A')[0]);
                }
            }
        }
    }
}

}  // namespace
}  // namespace fretlux

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fretlux;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TabReadResult plain = ReadTabBytes(bytes, TabForm::Plain);
    const TabReadResult enhanced = ReadTabBytes(bytes, TabForm::Enhanced);

    FUZZ_CHECK(plain.error.has_value() == enhanced.error.has_value());
    CheckPiecewiseRead(bytes, TabForm::Enhanced, enhanced);
    if (plain.error) {
        FUZZ_CHECK(IsRefusal(*plain.error) && *plain.error == *enhanced.error);
        FUZZ_CHECK(plain.document.tabCount == 0 && enhanced.document.tabCount == 0);
        return 0;
    }
    CheckDocument(plain.document);
    CheckDocument(enhanced.document);
    // A raw line of 79 characters or fewer is never split in either form; a longer one gives
    // plain and enhanced lines of different widths, which are split at different columns.
    if (LongestLine(bytes) <= 79) CheckFormsAgree(plain.document, enhanced.document);

    CheckEnhancedRoundTrip(enhanced.document);
    CheckEnhancedRoundTrip(plain.document);
    CheckPlainForm(plain.document);
    CheckPlainForm(enhanced.document);
    CheckRendering(enhanced.document);
    return 0;
}
