// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace fretlux {

// Cuts a byte stream, fed in pieces of any size, into text lines: a LF ends a line and is not
// part of it, every CR is dropped wherever it stands, and every other byte is one character.
// After the last LF, a line exists only when at least one more byte (even a CR) followed.
class LineSplitter {
public:
    // A line growing past maxLineLength stops the stream (Feed returns false, TooLong() true).
    explicit LineSplitter(size_t maxLineLength = std::string::npos)
        : maxLineLength_(maxLineLength) {}

    // Calls onLine(std::string&&) for every line completed by this piece; stops early and returns
    // false as soon as onLine returns false.
    template <typename OnLine>
    bool Feed(std::string_view bytes, OnLine&& onLine);

    // Calls onLine for the unterminated last line, if the stream had one.
    template <typename OnLine>
    bool Finish(OnLine&& onLine);

    bool TooLong() const { return tooLong_; }

private:
    void Append(std::string_view bytes);

    std::string pending_;
    bool pendingStarted_ = false;
    size_t maxLineLength_;
    bool tooLong_ = false;
};

template <typename OnLine>
bool LineSplitter::Feed(std::string_view bytes, OnLine&& onLine) {
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            Append(bytes.substr(start));
            pendingStarted_ = true;
            return !tooLong_;
        }
        Append(bytes.substr(start, lf - start));
        if (tooLong_) return false;
        pendingStarted_ = false;
        std::string line;
        line.swap(pending_);
        if (!onLine(std::move(line))) return false;
        start = lf + 1;
    }
    return true;
}

template <typename OnLine>
bool LineSplitter::Finish(OnLine&& onLine) {
    if (!pendingStarted_) return true;
    pendingStarted_ = false;
    std::string line;
    line.swap(pending_);
    return onLine(std::move(line));
}

}  // namespace fretlux
