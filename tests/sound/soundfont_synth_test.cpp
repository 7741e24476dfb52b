// SPDX-License-Identifier: MIT
// The real synthesiser path without a sound card: FluidSynth with a General MIDI soundfont,
// rendered into memory.
#include "sound/soundfont_synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "playback/midi_state.h"
#include "sound_measures.h"

namespace fretlux::testing {
namespace {

TEST(ChooseSoundfont, TheVariableFirstThenFluidR3LoadedLazilyThenTimGm6mbLoadedWhole) {
    const auto any = [](const std::string&) { return true; };
    const auto onlyTim = [](const std::string& path) { return path == kTimGm6mbSoundfont; };
    const auto none = [](const std::string&) { return false; };
    const struct {
        const char* variable;
        std::function<bool(const std::string&)> installed;
        std::string path;
        bool lazily;
    } rows[] = {
        {"/home/me/Nice.sf2", any, "/home/me/Nice.sf2", true},
        {nullptr, any, "/usr/share/sounds/sf2/FluidR3_GM.sf2", true},
        {"", any, "/usr/share/sounds/sf2/FluidR3_GM.sf2", true},
        {nullptr, onlyTim, "/usr/share/sounds/sf2/TimGM6mb.sf2", false},
        {nullptr, none, "", false},
    };
    for (const auto& row : rows) {
        const SoundfontChoice choice = ChooseSoundfont(row.variable, row.installed);
        EXPECT_EQ(choice.path, row.path);
        if (!row.path.empty()) {
            EXPECT_EQ(choice.dynamicSampleLoading, row.lazily) << row.path;
        }
    }
}

// Why a synthesiser cannot start reaches the user in the output's status (fluidsynth_output_test).
// Each General MIDI soundfont the program can choose, when it is installed.
class InstalledSoundfont : public ::testing::TestWithParam<SoundfontChoice> {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(GetParam().path)) {
            GTEST_SKIP() << GetParam().path << " is not installed";
        }
        std::string failure;
        synth = SoundfontSynth::Create(GetParam(), failure);
        ASSERT_NE(synth, nullptr) << failure;
    }

    std::vector<float> RenderSeconds(double seconds) {
        const size_t frames = static_cast<size_t>(seconds * synth->SampleRate());
        std::vector<float> left(frames);
        std::vector<float> right(frames);
        EXPECT_TRUE(synth->Render(left, right));
        return left;
    }

    std::unique_ptr<SoundfontSynth> synth;
};

TEST_P(InstalledSoundfont, IsSilentBeforeANoteAndAudibleAtItsPitchAfter) {
    EXPECT_EQ(synth->SampleRate(), 44100);
    synth->Send(PackShortMessage(0xC0, 25, 0));
    const std::vector<float> before = RenderSeconds(0.1);
    EXPECT_LT(Rms(before), kSilence);

    synth->Send(PackShortMessage(0x90, 45, 100));  // A at 110 Hz
    const std::vector<float> note = RenderSeconds(0.5);
    EXPECT_GT(Rms(note), kAudible);
    const double pitch = FundamentalFrequency(note, synth->SampleRate());
    EXPECT_NEAR(pitch, 110.0, 110.0 * 0.03);
}

TEST_P(InstalledSoundfont, ANoteOnWithVelocityZeroEndsTheNote) {
    synth->Send(PackShortMessage(0xC0, 19, 0));  // an organ holds its note as long as it is on
    synth->Send(PackShortMessage(0x90, 57, 100));
    const double held = Rms(RenderSeconds(0.3));
    synth->Send(PackShortMessage(0x90, 57, 0));
    RenderSeconds(1.5);  // the release
    const double after = Rms(RenderSeconds(0.3));
    EXPECT_GT(held, kAudible);
    EXPECT_LT(after, held / 100) << "held " << held << ", after " << after;
}

TEST_P(InstalledSoundfont, ChangesTheInstrumentOnAProgramChange) {
    // A fresh synthesiser renders the same samples for the same messages, so a difference
    // comes from the instrument alone.
    const auto noteWith = [this](int program) {
        std::string failure;
        synth = SoundfontSynth::Create(GetParam(), failure);
        synth->Send(PackShortMessage(0xC0, program, 0));
        synth->Send(PackShortMessage(0x90, 57, 100));
        return RenderSeconds(0.3);
    };
    const std::vector<float> piano = noteWith(0);
    const std::vector<float> pianoAgain = noteWith(0);
    const std::vector<float> flute = noteWith(73);
    EXPECT_GT(Rms(piano), kAudible);
    EXPECT_GT(Rms(flute), kAudible);
    EXPECT_EQ(piano, pianoAgain);
    EXPECT_NE(piano, flute);
}

TEST_P(InstalledSoundfont, FillsAnAudioDriversBuffersWithTheSoundItRenders) {
    // A driver hands over zeroed buffers a period at a time, with none for the effects: the
    // reverb and chorus must end up in the dry sound, as they do when rendering.
    synth->Send(PackShortMessage(0x90, 45, 100));
    const std::vector<float> rendered = RenderSeconds(0.5);
    std::string failure;
    synth = SoundfontSynth::Create(GetParam(), failure);
    synth->Send(PackShortMessage(0x90, 45, 100));
    constexpr int kPeriod = 256;
    std::vector<float> left(rendered.size() / kPeriod * kPeriod);
    std::vector<float> right(left.size());
    for (size_t frame = 0; frame < left.size(); frame += kPeriod) {
        float* outputs[] = {&left[frame], &right[frame]};
        ASSERT_TRUE(synth->Process(kPeriod, 0, nullptr, 2, outputs));
    }
    double largestDifference = 0;
    for (size_t i = 0; i < left.size(); ++i) {
        largestDifference = std::max<double>(largestDifference, std::abs(left[i] - rendered[i]));
    }
    EXPECT_GT(Rms(left), kAudible);
    EXPECT_LT(largestDifference, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(GeneralMidi, InstalledSoundfont,
                         ::testing::Values(SoundfontChoice{kTimGm6mbSoundfont, false},
                                           SoundfontChoice{kFluidR3Soundfont, true}),
                         [](const ::testing::TestParamInfo<SoundfontChoice>& info) {
                             return info.param.dynamicSampleLoading ? std::string("FluidR3")
                                                                    : std::string("TimGM6mb");
                         });

}  // namespace
}  // namespace fretlux::testing
