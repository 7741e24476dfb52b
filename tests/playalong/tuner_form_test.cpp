// SPDX-License-Identifier: MIT
#include "playalong/tuner_form.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

constexpr int kRate = 48000;

TunerReading Reading(std::int64_t ms, double hertz) {
    TunerReading reading;
    reading.endSample = ms * kRate / 1000;
    reading.levelDb = hertz > 0 ? -20.0 : -70.0;
    reading.pitched = hertz > 0;
    if (reading.pitched) reading.pitch = TunedPitchOf(hertz);
    return reading;
}

TEST(TunerForm, ShowsStringNoteAndCentsWithANeedleGreenWithinThreeCents) {
    struct Case {
        double hertz;
        std::string string, note, cents;
        double needle;
        bool inTune;
    };
    const Case cases[] = {
        {82.407, "String 6 (low E)", "E2", "0.0 cents", 0.0, true},
        {110.0 * 1.0017, "String 5 (A)", "A2", "+2.9 cents", 2.9, true},
        {146.83 * 0.9980, "String 4 (D)", "D3", "-3.5 cents", -3.5, false},
        {196.0 * 1.0289, "String 3 (G)", "G3", "+49.3 cents", 49.3, false},
        {233.08, "String 2 (B)", "Bb3", "0.0 cents", 0.0, true},
        // 53 cents flat of E4 is nearer D#4.
        {329.63 * 0.97, "String 1 (high E)", "D#4", "+47.3 cents", 47.3, false},
        {880.0, "String 1 (high E)", "A5", "0.0 cents", 0.0, true},
    };
    for (const Case& c : cases) {
        TunerForm form(kRate);
        form.Show(Reading(100, c.hertz));
        ASSERT_TRUE(form.HasPitch());
        EXPECT_EQ(form.StringText(), c.string) << c.hertz;
        EXPECT_EQ(form.NoteText(), c.note) << c.hertz;
        EXPECT_EQ(form.CentsText(), c.cents) << c.hertz;
        EXPECT_NEAR(form.NeedleCents(), c.needle, 0.05) << c.hertz;
        EXPECT_EQ(form.InTune(), c.inTune) << c.hertz;
    }
}

TEST(TunerForm, APitchStaysShownForAMomentAfterTheStringFades) {
    TunerForm form(kRate);
    EXPECT_FALSE(form.HasPitch());
    form.Show(Reading(1000, 110.0));
    form.Show(Reading(1000 + TunerForm::kHoldMs, 0.0));
    EXPECT_TRUE(form.HasPitch());
    EXPECT_EQ(form.LevelDb(), -70.0);
    form.Show(Reading(1050 + TunerForm::kHoldMs, 0.0));
    EXPECT_FALSE(form.HasPitch());
    EXPECT_EQ(form.NoteText(), "");
    EXPECT_EQ(form.NeedleCents(), 0.0);
    EXPECT_FALSE(form.InTune());
}

}  // namespace
}  // namespace fretlux
