// SPDX-License-Identifier: MIT
// Just enough JSON reading for the lines fretlux-cli listen and tune print and the truth files
// beside the takes: one value per line, objects, arrays, numbers, strings, true, false, null.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fretlux::takes {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member called key of an object, or nothing.
    const JsonValue* Find(std::string_view key) const;
};

// The value the whole text holds, or nothing when it is not JSON.
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace fretlux::takes
