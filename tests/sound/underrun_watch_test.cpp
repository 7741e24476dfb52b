// SPDX-License-Identifier: MIT
#include "sound/underrun_watch.h"

#include <gtest/gtest.h>

namespace fretlux::testing {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// 256 x 2 frames at 44100 Hz: a period lasts 5805 us and the buffer 11.6 ms.
constexpr int kPeriod = 256;
constexpr microseconds kPeriodTime{5805};

class UnderrunWatchTest : public ::testing::Test {
protected:
    UnderrunWatch watch_{44100, 2 * kPeriod, kPeriod};
    UnderrunWatch::Clock::time_point now_{};

    // A driver that asks as soon as the device has room: twice at once to fill the buffer,
    // then once a period.
    void Start() {
        watch_.OnRequest(now_, kPeriod);
        watch_.OnRequest(now_, kPeriod);
    }
    void Steady(UnderrunWatch::Clock::duration lasting) {
        for (const auto end = now_ + lasting; now_ < end;) After(kPeriodTime);
    }
    void After(UnderrunWatch::Clock::duration gap) {
        now_ += gap;
        watch_.OnRequest(now_, kPeriod);
    }
};

TEST_F(UnderrunWatchTest, RequestsThatKeepUpOrComeInBurstsAreNoUnderrun) {
    Start();
    Steady(std::chrono::seconds(2));
    // A driver thread late by less than half a period, then catching up at once.
    After(kPeriodTime + milliseconds(8));
    After(microseconds(0));
    // A device that takes several periods at once and then none for as long.
    for (int burst = 0; burst < 3; ++burst) After(microseconds(0));
    After(2 * kPeriodTime);
    Steady(std::chrono::seconds(1));
    EXPECT_EQ(watch_.Underruns(), 0);
    EXPECT_FALSE(watch_.BufferTooSmall());
}

TEST_F(UnderrunWatchTest, AGapLongerThanTheBufferHeldIsAnUnderrunOnceTheDeviceHasStarted) {
    Start();
    After(milliseconds(40));  // the device starting up, then taking a whole buffer
    After(microseconds(0));
    Steady(std::chrono::seconds(1));
    EXPECT_EQ(watch_.Underruns(), 0);
    After(milliseconds(15));  // 11.6 ms were buffered
    EXPECT_EQ(watch_.Underruns(), 1);
    // One now and then is a passing load.
    EXPECT_FALSE(watch_.BufferTooSmall());
    Steady(std::chrono::seconds(11));
    After(milliseconds(15));
    EXPECT_EQ(watch_.Underruns(), 2);
    EXPECT_FALSE(watch_.BufferTooSmall());
}

TEST_F(UnderrunWatchTest, TwoUnderrunsCloseTogetherSayTheBufferIsTooSmall) {
    Start();
    Steady(std::chrono::seconds(1));
    After(milliseconds(20));
    // Right after running dry the buffer refills from empty: an ordinary gap is no second one.
    After(microseconds(0));
    After(kPeriodTime);
    EXPECT_EQ(watch_.Underruns(), 1);
    Steady(std::chrono::seconds(5));
    After(milliseconds(20));
    EXPECT_EQ(watch_.Underruns(), 2);
    EXPECT_TRUE(watch_.BufferTooSmall());
}

}  // namespace
}  // namespace fretlux::testing
