// SPDX-License-Identifier: MIT
#include "input/input_settings_form.h"

#include <gtest/gtest.h>

namespace fretlux {
namespace {

TEST(InputSettingsForm, WithoutAnyDeviceItSaysSoAndChoosesNoInput) {
    InputSettingsForm form({InputKind::Audio, "USB Audio", 35}, {});
    EXPECT_TRUE(form.Entries().empty());
    EXPECT_EQ(form.SelectedEntry(), -1);
    EXPECT_FALSE(form.AudioSelected());
    EXPECT_EQ(form.Status(), "No audio input device or MIDI input port was found.");
    form.SelectEntry(0);
    EXPECT_EQ(form.SelectedEntry(), -1);
    EXPECT_EQ(form.Choice(), (InputChoice{InputKind::None, "", 35}));
}

TEST(InputSettingsForm, ListsAudioDevicesAfterTheDefaultThenMidiPortsAndFindsTheSavedOne) {
    const InputDevices devices{{"USB Audio", "HDA Intel"}, {"Guitar MIDI 1"}};
    struct Case {
        InputChoice saved;
        int selected;
        std::string status;
    };
    const Case cases[] = {
        {{InputKind::None, "", 0}, 0, ""},
        {{InputKind::Audio, "", 0}, 0, ""},
        {{InputKind::Audio, "HDA Intel", 0}, 2, ""},
        {{InputKind::Midi, "Guitar MIDI 1", 0}, 3, ""},
        // A MIDI port is not an audio device of the same name.
        {{InputKind::Midi, "USB Audio", 0}, 0, "USB Audio is not connected."},
        {{InputKind::Audio, "Gone", 0}, 0, "Gone is not connected."},
    };
    for (const Case& c : cases) {
        const InputSettingsForm form(c.saved, devices);
        EXPECT_EQ(form.Entries(),
                  (std::vector<std::string>{"Audio: system default", "Audio: USB Audio",
                                            "Audio: HDA Intel", "MIDI: Guitar MIDI 1"}));
        EXPECT_EQ(form.SelectedEntry(), c.selected) << c.saved.device;
        EXPECT_EQ(form.Status(), c.status) << c.saved.device;
    }
    InputSettingsForm form({InputKind::Audio, "Gone", 0, true}, devices);
    form.SelectEntry(3);
    EXPECT_FALSE(form.AudioSelected());
    EXPECT_EQ(form.Status(), "");
    EXPECT_EQ(form.Choice(), (InputChoice{InputKind::Midi, "Guitar MIDI 1", 0, true}));
    form.SetHeadphones(false);
    EXPECT_FALSE(form.Choice().headphones);
}

TEST(InputSettingsForm, TheLatencyIsWholeMillisecondsUpToOneSecondTypedOrMeasured) {
    InputSettingsForm form({InputKind::Audio, "", 20}, {{"USB Audio"}, {}});
    EXPECT_EQ(form.LatencyText(), "20");
    for (const char* bad : {"", "-1", "1001", "12ms", "1.5", " 7"}) {
        form.SetLatencyText(bad);
        EXPECT_FALSE(form.CanSave()) << bad;
        EXPECT_EQ(form.Status(), "The latency is a number of milliseconds from 0 to 1000.");
    }
    form.SetLatencyText("1000");
    EXPECT_TRUE(form.CanSave());
    EXPECT_EQ(form.Choice().latencyMs, 1000);

    form.TakeMeasuredLatency(std::nullopt);
    EXPECT_EQ(form.LatencyText(), "1000");
    EXPECT_EQ(form.Status(),
              "The clicks were not heard: turn the sound up, or hold the microphone nearer.");
    form.TakeMeasuredLatency(87);
    EXPECT_EQ(form.LatencyText(), "87");
    EXPECT_EQ(form.Status(), "");
    EXPECT_EQ(form.Choice(), (InputChoice{InputKind::Audio, "", 87}));
}

}  // namespace
}  // namespace fretlux
