// SPDX-License-Identifier: MIT
// Where a column's notes began, found from their partials alone: in a noisy room, or through an
// amplifier that holds every note at one level, a pluck may rise too little for an onset detector
// that knows nothing of the notes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fretlux {

// The sample in [from, to] where the partials of notes first rose clearly, placed where that rise
// is steepest; nothing when they did not.
std::optional<std::int64_t> OnsetOfNotes(std::span<const float> samples, int sampleRate,
                                         const std::vector<int>& notes, std::int64_t from,
                                         std::int64_t to);

}  // namespace fretlux
