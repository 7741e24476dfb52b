// SPDX-License-Identifier: MIT
#include "playback/remembered_beats.h"

#include <charconv>

namespace fretlux {

namespace {

std::optional<int> NumberIn(std::string_view text, int min, int max) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (number < min || number > max) return std::nullopt;
    return number;
}

}  // namespace

std::string RememberedBeatsKey(std::string_view path) { return "beats/" + std::string(path); }

std::string RememberedBeatsText(const BeatSettings& beats) {
    std::string text = std::to_string(beats.beatsPerBar);
    if (beats.columnsPerBeat) text += 'x' + std::to_string(*beats.columnsPerBeat);
    return text;
}

std::optional<BeatSettings> ReadRememberedBeats(std::string_view text) {
    const auto times = text.find('x');
    const auto beats = NumberIn(text.substr(0, times), kMinBeatsPerBar, kMaxBeatsPerBar);
    if (!beats) return std::nullopt;
    if (times == std::string_view::npos) return BeatSettings{*beats, std::nullopt};
    const auto columns = NumberIn(text.substr(times + 1), kMinColumnsPerBeat, kMaxColumnsPerBeat);
    if (!columns) return std::nullopt;
    return BeatSettings{*beats, *columns};
}

}  // namespace fretlux
