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

inline constexpr int kMaxBufferedLines = 501;
// A string line of a TAB holds at most a few hundred columns that anyone will play; a longer line
// is refused, so that a file without line ends fails at once instead of filling the memory.
inline constexpr size_t kMaxLineLength = 1 << 20;

// Why a file was refused: the limit it broke.
inline constexpr std::string_view kTooManyTabs = "more than 101 TABs";
inline constexpr std::string_view kTooManyLines = "more than 501 lines before a TAB is complete";
inline constexpr std::string_view kLineTooLong = "a line longer than 1 MB";
inline constexpr std::string_view kOutOfMemory = "not enough memory to read the file";

// Collects the lines of a file, in order, into TABs.
class TabBlockCollector {
public:
    explicit TabBlockCollector(TabForm form);

    // Takes the next line; false when the file must be rejected, with the reason in Refusal().
    bool AddLine(std::string line);
    std::string_view Refusal() const { return refusal_; }

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
    std::string_view refusal_;
};

inline constexpr std::string_view kNotRegularFile = "not a regular file";

// What a read takes: the window opens regular files only, as a FIFO or a device could keep it
// waiting for ever; the command line reads pipes and devices as well.
enum class FileKinds { RegularOnly, Any };

// Reads the file at path in the given form; TABs wider than 78 columns come split
// (SplitWideTabs). The file is read through a buffer and closed before the call returns.
TabReadResult ReadTabFile(const std::string& path, TabForm form,
                          FileKinds kinds = FileKinds::RegularOnly);

// Reads a file's bytes already in memory, exactly as ReadTabFile reads them from disk.
TabReadResult ReadTabBytes(std::string_view bytes, TabForm form);

}  // namespace fretlux
