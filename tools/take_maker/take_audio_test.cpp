// SPDX-License-Identifier: MIT
// A student's guitar out of tune: every note sounds that many cents off, and still at its time.
#include "take_audio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "reference_pitch.h"

namespace fretlux::takes {
namespace {

constexpr const char* kSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Where the sound first reaches a hundredth of its loudest, in milliseconds.
double FirstSoundMs(const TakeAudio& audio) {
    float loudest = 0;
    for (const float sample : audio.left) loudest = std::max(loudest, std::abs(sample));
    for (size_t i = 0; i < audio.left.size(); ++i) {
        if (std::abs(audio.left[i]) >= 0.01f * loudest) return 1000.0 * i / audio.sampleRate;
    }
    return -1;
}

TEST(TakeAudio, ADetunedGuitarSoundsItsNotesThatFarOffAtTheirTimes) {
    const int a3 = 57;
    const std::vector<TimedMidiMessage> events = {
        {0, 0xC0 | 25 << 8},
        {700, static_cast<std::uint32_t>(0x90 | a3 << 8 | 100 << 16)},
        {2700, static_cast<std::uint32_t>(0x80 | a3 << 8)},
    };
    std::string failure;
    const auto inTune = RenderEvents(events, kSoundfont, failure);
    ASSERT_TRUE(inTune) << failure;
    const double tuned = ReferenceCents(*inTune, 1000, 2400, a3);
    for (const double detune : {-25.0, -10.0, 30.0}) {
        const auto detuned = RenderEvents(events, kSoundfont, failure, detune);
        ASSERT_TRUE(detuned) << failure;
        EXPECT_NEAR(ReferenceCents(*detuned, 1000, 2400, a3) - tuned, detune, 0.5) << detune;
        EXPECT_NEAR(FirstSoundMs(*detuned), FirstSoundMs(*inTune), 1.0) << detune;
        EXPECT_NEAR(static_cast<double>(detuned->left.size()),
                    static_cast<double>(inTune->left.size()), 0.02 * inTune->left.size());
    }
}

}  // namespace
}  // namespace fretlux::takes
