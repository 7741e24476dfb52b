// SPDX-License-Identifier: MIT
// The state of the window's controls, without pixels. A control runs its change handler only
// when its value really changes, whether the user or the program changed it; setting the value
// it already has runs nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fretlux {

// 24-bit colours with red in the low byte.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kHintBlue = 0xFF0000;
inline constexpr Colour kHelpDarkBlue = 0xC00000;

class ScrollBarModel {
public:
    ScrollBarModel(int min, int max, int value) : min_(min), max_(max), value_(value) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }

    // Values outside the range are brought to its nearest end.
    void SetValue(int value);
    // A new end that passes the other one moves it along, and the value follows into the range.
    void SetMin(int min);
    void SetMax(int max);

    std::function<void()> onChange;

private:
    int min_;
    int max_;
    int value_;
};

class TextBoxModel {
public:
    const std::string& Text() const { return text_; }
    void SetText(std::string text);

    std::function<void()> onChange;

private:
    std::string text_;
};

struct LabelModel {
    std::string caption;
    Colour colour = kBlack;
};

// An interval timer: while its interval is at least 1 it ticks every interval milliseconds; 0
// stops it. Whoever runs the real timer is told of each new interval and starts counting anew
// from that moment.
class TimerModel {
public:
    int Interval() const { return interval_; }
    void SetInterval(int interval);

    std::function<void()> onIntervalChange;

private:
    int interval_ = 0;
};

// A vertical line over the TAB labels, placed in the units of the column geometry.
struct CursorLineModel {
    double x = 0;
};

inline void ScrollBarModel::SetValue(int value) {
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    if (value == value_) return;
    value_ = value;
    if (onChange) onChange();
}

inline void ScrollBarModel::SetMin(int min) {
    min_ = min;
    if (max_ < min_) max_ = min_;
    SetValue(value_);
}

inline void ScrollBarModel::SetMax(int max) {
    max_ = max;
    if (min_ > max_) min_ = max_;
    SetValue(value_);
}

inline void TimerModel::SetInterval(int interval) {
    if (interval == interval_) return;
    interval_ = interval;
    if (onIntervalChange) onIntervalChange();
}

inline void TextBoxModel::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    if (onChange) onChange();
}

}  // namespace fretlux
