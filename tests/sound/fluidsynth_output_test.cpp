// SPDX-License-Identifier: MIT
#include "sound/fluidsynth_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "playback/midi_state.h"
#include "sound_measures.h"

namespace fretlux::testing {
namespace {

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class FluidSynthOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kTimGm6mbSoundfont)) {
            GTEST_SKIP() << kTimGm6mbSoundfont << " is not installed";
        }
    }

    static FluidSynthOptions WithoutDevice() {
        return {SoundfontChoice{kTimGm6mbSoundfont, false}, false};
    }

    static std::vector<float> Render(FluidSynthOutput& output, double seconds) {
        std::vector<float> left(static_cast<size_t>(seconds * 44100));
        std::vector<float> right(left.size());
        EXPECT_TRUE(output.Render(left, right));
        return left;
    }

    static bool RendersAnything(FluidSynthOutput& output) {
        std::vector<float> left(64), right(64);
        return output.Render(left, right);
    }
};

TEST_F(FluidSynthOutputTest, PlaysMessagesSentWhileItWasStillSettingUp) {
    FluidSynthOutput output(WithoutDevice());
    EXPECT_EQ(output.Status(), "Built-in synthesiser: not open");
    output.Open();
    // The set-up takes tens of milliseconds; these arrive long before it is done.
    output.SendShortMessage(PackShortMessage(0xC0, 25, 0));
    output.SendShortMessage(PackShortMessage(0x90, 45, 100));
    output.WaitUntilSetUp();
    const std::string status = output.Status();
    EXPECT_TRUE(StartsWith(status, "Built-in synthesiser (FluidSynth 2.")) << status;
    EXPECT_TRUE(Contains(status, "TimGM6mb.sf2, without audio device")) << status;
    const std::vector<float> sound = Render(output, 0.5);
    EXPECT_GT(Rms(sound), kAudible);
    EXPECT_NEAR(FundamentalFrequency(sound, 44100), 110.0, 3.3);
}

TEST_F(FluidSynthOutputTest, LooksForAnAudioDeviceWithoutWritingToStandardError) {
    // Without a sound card, ALSA's library would print a dozen lines for each device tried; the
    // status line alone says why the output is silent. With a device, nothing is played.
    FluidSynthOutput output({SoundfontChoice{kTimGm6mbSoundfont, false}, true});
    ::testing::internal::CaptureStderr();
    output.Open();
    output.WaitUntilSetUp();
    output.Close();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(FluidSynthOutputTest, ASetUpLeftToLaterQueuesUntilItBegins) {
    FluidSynthOptions options = WithoutDevice();
    options.setUpOnOpen = false;
    FluidSynthOutput output(options);
    output.Open();
    output.SendShortMessage(PackShortMessage(0x90, 45, 100));
    // Nothing has begun, so there is nothing to wait for and nothing to render yet.
    output.WaitUntilSetUp();
    EXPECT_EQ(output.Status(), "Built-in synthesiser: starting");
    EXPECT_FALSE(RendersAnything(output));
    output.StartSetUp();
    output.WaitUntilSetUp();
    EXPECT_NEAR(FundamentalFrequency(Render(output, 0.5), 44100), 110.0, 3.3);
}

TEST_F(FluidSynthOutputTest, AMissingSoundfontOrNoneAtAllLeavesItSilentAndSaysSo) {
    const std::string missing = "/nonexistent/fretlux/None.sf2";
    for (const SoundfontChoice& choice : {SoundfontChoice{missing, true}, SoundfontChoice{}}) {
        FluidSynthOutput output({choice, false});
        output.Open();
        output.SendShortMessage(PackShortMessage(0x90, 45, 100));
        output.WaitUntilSetUp();
        output.SendShortMessage(PackShortMessage(0x90, 45, 100));
        const std::string reason =
            choice.path.empty() ? "no soundfont found" : "cannot load the soundfont " + missing;
        EXPECT_TRUE(Contains(output.Status(), "silent: " + reason)) << output.Status();
        EXPECT_FALSE(RendersAnything(output));
    }
}

TEST_F(FluidSynthOutputTest, WithAnAudioDeviceItPlaysThroughItOrSaysThereIsNone) {
    FluidSynthOutput output({SoundfontChoice{kTimGm6mbSoundfont, false}, true});
    output.Open();
    output.WaitUntilSetUp();
    const std::string status = output.Status();
    const bool playing = Contains(status, "TimGM6mb.sf2, through ");
    const bool silent = Contains(status, ", silent: no audio device (tried ");
    EXPECT_TRUE(playing != silent) << status;
    // Rendering belongs to the audio device when there is one, and to nobody when silent.
    EXPECT_FALSE(RendersAnything(output));
}

TEST_F(FluidSynthOutputTest, AfterClosingNothingPlaysAndOpeningAgainDoesNothing) {
    FluidSynthOutput output(WithoutDevice());
    output.Open();
    output.Close();
    EXPECT_EQ(output.Status(), "Built-in synthesiser: closed");
    output.SendShortMessage(PackShortMessage(0x90, 45, 100));
    output.Open();
    output.WaitUntilSetUp();
    EXPECT_EQ(output.Status(), "Built-in synthesiser: closed");
    EXPECT_FALSE(RendersAnything(output));
}

TEST(FluidSynthOutput, NeverOpenedItWaitsForNothingAndClosesCleanly) {
    FluidSynthOutput output;
    output.WaitUntilSetUp();
    output.SendShortMessage(PackShortMessage(0x90, 45, 100));
    EXPECT_EQ(output.Status(), "Built-in synthesiser: not open");
}

}  // namespace
}  // namespace fretlux::testing
