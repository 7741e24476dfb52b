// SPDX-License-Identifier: MIT
#include "listening/tuning_follower.h"

#include "listening/onset_look.h"
#include "listening/tuning_offset.h"

namespace fretlux {

namespace {

// Enough columns that a few wrong ones among them do not move the median; few enough that a
// string's drift shows within a bar or two.
constexpr std::size_t kFollowedColumns = 9;

}  // namespace

void TuningFollower::Hear(const OnsetSound& sound, const std::vector<int>& expected) {
    if (!sound.whole) return;
    const std::optional<Look> look = LookAt(sound.samples, sound.sampleRate, sound.onsets);
    if (!look) return;
    const std::optional<double> offset = TuningOffsetAt(*look, expected);
    if (!offset) return;
    latest_.push_back(*offset);
    if (latest_.size() > kFollowedColumns) latest_.pop_front();
}

double TuningFollower::OffsetCents() const {
    return MedianOffset(std::vector<double>(latest_.begin(), latest_.end()));
}

}  // namespace fretlux
