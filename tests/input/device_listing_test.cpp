// SPDX-License-Identifier: MIT
// Listing the recording devices and MIDI ports searches the sound system, which on a machine
// without a sound card or MIDI sequencer has much to complain about on stderr; Fretlux keeps the
// terminal it was started from clean, and says itself what is missing.
#include <gtest/gtest.h>

#include "input/midi_note_input.h"
#include "input/portaudio_input.h"

namespace fretlux {
namespace {

TEST(DeviceListing, SearchingForInputsPrintsNothing) {
    testing::internal::CaptureStderr();
    ListAudioInputDevices();
    ListMidiInputPorts();
    ListAudioInputDevices();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace fretlux
