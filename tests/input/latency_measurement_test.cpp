// SPDX-License-Identifier: MIT
#include "input/latency_measurement.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(LatencyMeasurement, TheMedianDelayFromEachClickToTheFirstOnsetAfterIt) {
    // Per click, the delay of its echo; 0 leaves the click unheard. A cough before the first
    // click and a late second onset after another must not count.
    const double delays[] = {118, 0, 121, 119, 300, 122, 0, 120};
    LatencyMeasurement measurement;
    measurement.Hear(-50.0);
    const std::vector<int> clicks = LatencyMeasurement::ClickTimes();
    ASSERT_EQ(clicks.size(), std::size(delays));
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        if (delays[i] == 0) continue;
        measurement.Hear(clicks[i] + delays[i]);
        measurement.Hear(clicks[i] + delays[i] + 60.0);
    }
    // Heard: 118 119 120 121 122 300; the median, 120.5, rounds to the even 120.
    EXPECT_EQ(measurement.Result(), 120);
}

TEST(LatencyMeasurement, NoResultUnlessHalfTheClicksAreHeard) {
    LatencyMeasurement measurement;
    const std::vector<int> clicks = LatencyMeasurement::ClickTimes();
    for (std::size_t i = 0; i + 1 < clicks.size() / 2; ++i) measurement.Hear(clicks[i] + 90.0);
    EXPECT_EQ(measurement.Result(), std::nullopt);
    measurement.Hear(clicks.back() + 90.0);
    EXPECT_EQ(measurement.Result(), 90);
}

}  // namespace
}  // namespace fretlux
