// SPDX-License-Identifier: MIT
// Reads a TAB file of either form into a TabDocument. A TAB block is six string lines (longer
// than 4 characters, containing "---"); short lines may stand between them. The line before the
// block is its header, and the lines before that, since the previous block, are its text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/tab_document.h"

namespace fretlux {

enum class TabForm { Enhanced, Plain };

// "FLX" as the last three characters of a path, in any case, selects the enhanced form.
TabForm FormOfPath(std::string_view path);

// What a read gives: the document, or the description of the failure that rejected the file.
struct TabReadResult {
    TabDocument document;
    std::optional<std::string> error;
};

// Description given when a file holds more lines before a block, or more blocks, than fit.
inline constexpr std::string_view kIndexOutOfRange = "Subscript out of range";
inline constexpr int kMaxBufferedLines = 501;

// Collects the lines of a file, in order, into TABs.
class TabBlockCollector {
public:
    explicit TabBlockCollector(TabForm form);

    // Takes the next line; false when the file must be rejected (too many lines or TABs).
    bool AddLine(std::string line);

    TabDocument& Document() { return document_; }

private:
    void CompleteBlock();
    std::string ConvertStringLine(const std::string& line) const;

    TabForm form_;
    TabDocument document_;
    std::vector<std::string> buffered_;
    std::array<std::string, kLinesPerTab> block_;
    int runLength_ = 0;
    // Buffered lines that stood before the line right before the block's first string line.
    size_t textLineCount_ = 0;
    std::string previousLine_;
};

// Reads the file at path in the given form. The file is read through a buffer and closed before
// the call returns.
TabReadResult ReadTabFile(const std::string& path, TabForm form);

// Reads a file's bytes already in memory, exactly as ReadTabFile reads them from disk.
TabReadResult ReadTabBytes(std::string_view bytes, TabForm form);

}  // namespace fretlux
