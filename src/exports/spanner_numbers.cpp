// SPDX-License-Identifier: MIT
#include "exports/spanner_numbers.h"

#include <cstddef>

namespace fretlux {

std::optional<int> SpannerNumbers::Start(Spanner kind, int key) {
    auto& holders = holders_[static_cast<std::size_t>(kind)];
    for (std::size_t n = 0; n < holders.size(); ++n) {
        if (holders[n]) continue;
        holders[n] = key;
        return static_cast<int>(n) + 1;
    }
    return std::nullopt;
}

std::optional<int> SpannerNumbers::Stop(Spanner kind, int key) {
    auto& holders = holders_[static_cast<std::size_t>(kind)];
    for (std::size_t n = 0; n < holders.size(); ++n) {
        if (holders[n] != key) continue;
        holders[n].reset();
        return static_cast<int>(n) + 1;
    }
    return std::nullopt;
}

}  // namespace fretlux
