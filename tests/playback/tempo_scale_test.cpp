// SPDX-License-Identifier: MIT
#include "playback/tempo_scale.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(TempoScale, BeatsPerMinuteOfAColumnTempoAndABeatLength) {
    struct Case {
        int msPerColumn, columnsPerBeat, bpm;
    };
    // The start-up tempo at four columns a beat first; 312.5 and 187.5 round to the even
    // neighbour.
    const Case cases[] = {{123, 4, 122}, {300, 2, 100}, {3, 1, 20000},
                          {600, 16, 6},  {48, 4, 312},  {80, 4, 188}};
    for (const Case& c : cases) {
        EXPECT_EQ(BeatsPerMinute(c.msPerColumn, c.columnsPerBeat), c.bpm) << c.msPerColumn;
    }
}

TEST(TempoScale, ASpeedStretchesEveryColumnToWholeMilliseconds) {
    struct Case {
        int ownMs, percent, ms;
    };
    const Case cases[] = {{123, 100, 123}, {123, 75, 164},  {123, 50, 246}, {123, 200, 62},
                          {3, 200, 2},     {600, 25, 2400}, {9, 60, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(ScaledColumnMs(c.ownMs, c.percent), c.ms) << c.ownMs << " at " << c.percent;
    }
    EXPECT_EQ(PercentOfTempo(123, 164), 75);
    EXPECT_EQ(PercentOfTempo(123, 62), 198);
    EXPECT_EQ(PercentOfTempo(123, 123), 100);
}

}  // namespace
}  // namespace fretlux
