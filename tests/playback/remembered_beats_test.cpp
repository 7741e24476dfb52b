// SPDX-License-Identifier: MIT
#include "playback/remembered_beats.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(RememberedBeats, EveryChoiceReadsBackAndAnythingElseReadsAsNone) {
    for (const BeatSettings beats : {BeatSettings{}, BeatSettings{12, std::nullopt},
                                     BeatSettings{2, 1}, BeatSettings{7, 16}}) {
        EXPECT_EQ(ReadRememberedBeats(RememberedBeatsText(beats)), beats);
    }
    EXPECT_EQ(RememberedBeatsText({3, 2}), "3x2");
    for (const char* text : {"", "1", "13", "4x", "4x0", "4x17", "x4", "4 ", "4x2x2", "-4"}) {
        EXPECT_EQ(ReadRememberedBeats(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace fretlux
