// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "input/input_choice.h"

namespace fretlux {

struct InputDevices {
    std::vector<std::string> audio;
    std::vector<std::string> midi;
};

// The Input settings window: one list of the audio devices that record (with the system's
// default first) and the MIDI ports that send, the input latency as a number of milliseconds
// that can also be measured with the chosen audio device, whether the student wears headphones,
// and a line that says what is wrong.
class InputSettingsForm {
public:
    InputSettingsForm(const InputChoice& saved, InputDevices devices);

    const std::vector<std::string>& Entries() const { return entries_; }
    // -1 when there is nothing to choose.
    int SelectedEntry() const { return selected_; }
    void SelectEntry(int entry);
    // The level meter and the latency measurement need an audio device.
    bool AudioSelected() const;

    const std::string& LatencyText() const { return latencyText_; }
    void SetLatencyText(const std::string& text);
    // A measurement's result, or nothing when the clicks were not heard.
    void TakeMeasuredLatency(std::optional<int> latencyMs);

    bool Headphones() const { return headphones_; }
    void SetHeadphones(bool on) { headphones_ = on; }

    // What is wrong, or empty.
    const std::string& Status() const { return status_; }
    // Whether OK may save: the latency is a number of milliseconds from 0 to 1000.
    bool CanSave() const;
    // What OK saves: no input when there is no device.
    InputChoice Choice() const;

private:
    struct Entry {
        InputKind kind;
        std::string device;
    };
    std::optional<int> Latency() const;
    void UpdateStatus();

    std::vector<Entry> choices_;
    std::vector<std::string> entries_;
    int selected_ = -1;
    std::string latencyText_;
    bool headphones_ = false;
    std::string measureFailure_;
    std::string missingDevice_;
    std::string status_;
};

}  // namespace fretlux
