// SPDX-License-Identifier: MIT
// The plucked strings sound at the pitch their truth gives, as a slow, careful measurement finds
// it; the same measurement is the truth of the notes the synthesiser renders.
#include "tuner_take.h"

#include <gtest/gtest.h>

#include "reference_pitch.h"

namespace fretlux::takes {
namespace {

TEST(TunerTakeTest, PluckedStringsSoundAsTheirTruthSays) {
    const TunerTake take = PluckedStrings(7, 12);
    ASSERT_EQ(take.readings.size(), 12u);
    for (const TunerReading& reading : take.readings) {
        SCOPED_TRACE(testing::Message() << reading.note << " at " << reading.timeMs << " ms");
        // Every note rings for 1.2 seconds at least.
        const double cents =
            ReferenceCents(take.audio, reading.timeMs + 100, reading.timeMs + 1100, reading.midi);
        EXPECT_NEAR(cents, reading.cents, 0.2);
    }
}

TEST(TunerTakeTest, ReadingsNameTheNearestStringAsFretluxNamesNotes) {
    const struct {
        int midi;
        double cents;
        int string;
        const char* note;
    } cases[] = {{38, -20, 6, "D2"}, {40, 0, 6, "E2"},  {47, 50, 5, "B2"}, {48, -49, 4, "C3"},
                 {58, 10, 2, "Bb3"}, {61, 0, 2, "C#4"}, {62, 0, 1, "D4"},  {82, 3, 1, "Bb5"}};
    for (const auto& c : cases) {
        const TunerReading reading = ReadingFor(0, c.midi, c.cents);
        EXPECT_EQ(reading.string, c.string) << c.note;
        EXPECT_EQ(reading.note, c.note);
    }
}

}  // namespace
}  // namespace fretlux::takes
