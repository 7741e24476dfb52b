// SPDX-License-Identifier: MIT
#include "input/input_settings_form.h"

#include <charconv>

namespace fretlux {
namespace {

constexpr const char* kNoDevice = "No audio input device or MIDI input port was found.";
constexpr const char* kBadLatency = "The latency is a number of milliseconds from 0 to 1000.";
constexpr const char* kClicksNotHeard =
    "The clicks were not heard: turn the sound up, or hold the microphone nearer.";

}  // namespace

InputSettingsForm::InputSettingsForm(const InputChoice& saved, InputDevices devices)
    : latencyText_(std::to_string(saved.latencyMs)), headphones_(saved.headphones) {
    if (!devices.audio.empty()) {
        choices_.push_back({InputKind::Audio, ""});
        entries_.push_back("Audio: system default");
    }
    for (std::string& name : devices.audio) {
        entries_.push_back("Audio: " + name);
        choices_.push_back({InputKind::Audio, std::move(name)});
    }
    for (std::string& name : devices.midi) {
        entries_.push_back("MIDI: " + name);
        choices_.push_back({InputKind::Midi, std::move(name)});
    }
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (choices_[i].kind == saved.kind && choices_[i].device == saved.device) {
            selected_ = static_cast<int>(i);
        }
    }
    if (selected_ < 0 && !choices_.empty()) {
        selected_ = 0;
        if (saved.kind != InputKind::None) {
            missingDevice_ = (saved.device.empty() ? "The default device" : saved.device) +
                             std::string(" is not connected.");
        }
    }
    UpdateStatus();
}

void InputSettingsForm::SelectEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(choices_.size())) return;
    selected_ = entry;
    missingDevice_.clear();
    UpdateStatus();
}

bool InputSettingsForm::AudioSelected() const {
    return selected_ >= 0 && choices_[selected_].kind == InputKind::Audio;
}

void InputSettingsForm::SetLatencyText(const std::string& text) {
    latencyText_ = text;
    measureFailure_.clear();
    UpdateStatus();
}

void InputSettingsForm::TakeMeasuredLatency(std::optional<int> latencyMs) {
    if (latencyMs) {
        latencyText_ = std::to_string(*latencyMs);
        measureFailure_.clear();
    } else {
        measureFailure_ = kClicksNotHeard;
    }
    UpdateStatus();
}

std::optional<int> InputSettingsForm::Latency() const {
    int value = 0;
    const char* end = latencyText_.data() + latencyText_.size();
    const auto [last, error] = std::from_chars(latencyText_.data(), end, value);
    if (error != std::errc() || last != end || value < 0 || value > kLongestInputLatencyMs) {
        return std::nullopt;
    }
    return value;
}

bool InputSettingsForm::CanSave() const { return Latency().has_value(); }

InputChoice InputSettingsForm::Choice() const {
    InputChoice choice;
    if (selected_ >= 0) {
        choice.kind = choices_[selected_].kind;
        choice.device = choices_[selected_].device;
    }
    choice.latencyMs = Latency().value_or(0);
    choice.headphones = headphones_;
    return choice;
}

void InputSettingsForm::UpdateStatus() {
    if (choices_.empty()) {
        status_ = kNoDevice;
    } else if (!CanSave()) {
        status_ = kBadLatency;
    } else if (!measureFailure_.empty()) {
        status_ = measureFailure_;
    } else {
        status_ = missingDevice_;
    }
}

}  // namespace fretlux
