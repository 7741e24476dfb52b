// SPDX-License-Identifier: MIT
#include "playback/speed_trainer.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(SpeedTrainer, EachStepLastsItsPassesUpToTheEnd) {
    const SpeedTrainerSettings standard;
    const int expected[] = {60, 60, 65, 65, 70, 70, 75, 75, 80, 80, 85, 85, 90, 90, 95, 95, 100};
    for (int pass = 1; pass <= 17; ++pass) {
        EXPECT_EQ(TrainerPercent(standard, pass), expected[pass - 1]) << "pass " << pass;
    }
    EXPECT_EQ(TrainerPercent(standard, 1000000), 100);
    const SpeedTrainerSettings uneven{50, 7, 1, 70};
    EXPECT_EQ(TrainerPercent(uneven, 3), 64);
    EXPECT_EQ(TrainerPercent(uneven, 4), 70);
}

}  // namespace
}  // namespace fretlux
