// SPDX-License-Identifier: MIT
#include "desktop/qt_listening_host.h"

#include <QWidget>

#include "desktop/input_settings_dialog.h"
#include "desktop/listening_settings.h"
#include "desktop/play_along_listening.h"
#include "desktop/tuner_dialog.h"
#include "input/midi_note_input.h"
#include "input/portaudio_input.h"

namespace fretlux {
namespace {

// A wood block on the General MIDI percussion channel: short, and sharp enough to hear where it
// begins.
constexpr std::uint32_t kClick = 0x99 | (76u << 8) | (127u << 16);

}  // namespace

QtListeningHost::QtListeningHost(std::function<QWidget*()> window,
                                 std::function<MidiOutput*()> output)
    : window_(std::move(window)), output_(std::move(output)) {}

QtListeningHost::~QtListeningHost() { StopListening(); }

std::string QtListeningHost::StartListening(PlayAlongMode mode,
                                            std::function<void(const HeardOnset&)> heard) {
    StopListening();
    // Heard on the clock NowMs keeps.
    listening_ = std::make_unique<PlayAlongListening>(LoadInputChoice(), epoch_, mode,
                                                      std::move(heard), nullptr);
    std::string error = listening_->Error();
    if (!error.empty()) StopListening();
    return error;
}

void QtListeningHost::StopListening() { listening_.reset(); }

bool QtListeningHost::HearsSpeakers() { return listening_ && listening_->HearsSpeakers(); }

void QtListeningHost::ExpectNotes(std::int64_t atMs, const std::vector<int>& notes,
                                  double offsetCents) {
    if (listening_) listening_->ExpectNotes(static_cast<double>(atMs), notes, offsetCents);
}

std::int64_t QtListeningHost::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 epoch_)
        .count();
}

std::int64_t QtListeningHost::HeardUntilMs() {
    return listening_ ? static_cast<std::int64_t>(listening_->HeardUntilMs()) : NowMs();
}

void QtListeningHost::ShowInputSettings() {
    InputSettingsForm form(LoadInputChoice(), {ListAudioInputDevices(), ListMidiInputPorts()});
    const auto click = [this] {
        if (MidiOutput* output = output_()) output->SendShortMessage(kClick);
    };
    InputSettingsDialog dialog(form, click, window_());
    if (dialog.exec() == QDialog::Accepted && form.CanSave()) SaveInputChoice(form.Choice());
}

void QtListeningHost::ShowTuner() {
    auto* tuner = new TunerDialog(LoadInputChoice(), window_());
    tuner->show();
}

std::string QtListeningHost::BestScoresText() { return LoadBestScoresText(); }

void QtListeningHost::SaveBestScoresText(const std::string& text) {
    fretlux::SaveBestScoresText(text);
}

}  // namespace fretlux
