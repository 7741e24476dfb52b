// SPDX-License-Identifier: MIT
#include "playback/speed_trainer_form.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(SpeedTrainerForm, TheLineSaysWhereTheNumbersLeadAndOkWaitsForAnEndAboveTheStart) {
    SpeedTrainerForm form({true, {}});
    EXPECT_EQ(form.Summary(), "From 60 % to 100 % at pass 17, then on at 100 %.");
    form.settings = {60, 15, 3, 100};  // 60, 75, 90, then 100 from pass 10
    EXPECT_EQ(form.Summary(), "From 60 % to 100 % at pass 10, then on at 100 %.");
    form.settings.stepPercent = 0;
    EXPECT_EQ(form.Summary(), "Every pass plays at 60 %.");
    form.settings = {120, 5, 2, 100};
    EXPECT_FALSE(form.CanAccept());
    form.Accept();
    EXPECT_EQ(form.Result(), std::nullopt);
    form.on = false;
    EXPECT_EQ(form.Summary(), "Looped selections play at the chosen speed.");
    form.Accept();
    EXPECT_EQ(form.Result(), (SpeedTrainerChoice{false, {120, 5, 2, 100}}));
}

}  // namespace
}  // namespace fretlux
