// SPDX-License-Identifier: MIT
// The handful of string operations the document code is written in. Positions are 1-based and
// asking for more characters than a string has yields what is there, so that the algorithms read
// as they are described: "the first 80 characters", "characters 81..83", "the last 79".
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace fretlux {

inline std::string Left(std::string_view s, int count) {
    if (count <= 0) return {};
    return std::string(s.substr(0, static_cast<size_t>(count)));
}

inline std::string Right(std::string_view s, int count) {
    if (count <= 0) return {};
    const size_t n = std::min(s.size(), static_cast<size_t>(count));
    return std::string(s.substr(s.size() - n));
}

// Characters start .. start + count - 1 (1-based); the rest of the string when count is omitted.
inline std::string Mid(std::string_view s, int start, int count = -1) {
    if (start < 1 || static_cast<size_t>(start) > s.size()) return {};
    const std::string_view rest = s.substr(static_cast<size_t>(start - 1));
    return count < 0 ? std::string(rest) : Left(rest, count);
}

// Removes leading and trailing blanks (spaces only; tabs and other bytes are content).
inline std::string TrimSpaces(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// Removes trailing blanks (spaces only).
inline std::string TrimTrailingSpaces(std::string_view s) {
    return std::string(s.substr(0, s.find_last_not_of(' ') + 1));
}

inline bool IsBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

inline bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

inline char UpperAscii(char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
}

inline std::string UpperAscii(std::string_view s) {
    std::string result(s);
    for (char& ch : result) ch = UpperAscii(ch);
    return result;
}

inline std::string PadRight(std::string_view s, int width) {
    std::string result(s);
    if (static_cast<int>(result.size()) < width) result.append(width - result.size(), ' ');
    return result;
}

}  // namespace fretlux
