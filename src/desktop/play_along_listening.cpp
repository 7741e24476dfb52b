// SPDX-License-Identifier: MIT
#include "desktop/play_along_listening.h"

#include <QTimer>

#include "desktop/live_listener.h"
#include "input/midi_note_input.h"
#include "listening/onset_sound.h"

namespace fretlux {
namespace {

constexpr int kMidiPollMs = 5;
// An onset's whole hearing reaches the window a little after the input has passed the hearing's
// end (a MIDI chord's, once its gathering is over, sooner).
constexpr double kWholeHearingMs = 1000 * kHearingSeconds.back() + 25;

}  // namespace

PlayAlongListening::PlayAlongListening(const InputChoice& choice, Clock::time_point epoch,
                                       PlayAlongMode mode,
                                       std::function<void(const HeardOnset&)> heard,
                                       QObject* parent)
    : QObject(parent),
      epoch_(epoch),
      latencyMs_(choice.latencyMs),
      headphones_(choice.headphones),
      heard_(std::move(heard)) {
    if (choice.kind == InputKind::Midi) {
        ListenToMidi(choice.device);
        return;
    }
    LiveReports reports;
    reports.sound = [this](Clock::time_point when, std::shared_ptr<const OnsetSound> sound) {
        heard_({PlayerMs(when), std::move(sound)});
    };
    reports.unswelled = mode == PlayAlongMode::Wait;
    audio_ = new LiveListener(choice, std::move(reports), this);
    error_ = audio_->Error();
    // A file in the microphone's place holds the take on the player's own clock: no sound
    // travels from the speakers to it.
    if (!audio_->RecordsTheRoom()) latencyMs_ = 0;
}

PlayAlongListening::~PlayAlongListening() { delete audio_; }

void PlayAlongListening::ListenToMidi(const std::string& port) {
    midi_ = std::make_unique<MidiNoteInput>(port);
    if (!midi_->Error().empty()) {
        error_ = "No MIDI input: " + midi_->Error() + ".";
        return;
    }
    midiPoll_ = new QTimer(this);
    connect(midiPoll_, &QTimer::timeout, this, &PlayAlongListening::TakeMidiChords);
    midiPoll_->start(kMidiPollMs);
}

void PlayAlongListening::TakeMidiChords() {
    for (const MidiNoteOn& noteOn : midi_->TakeNotes()) chords_.Add(noteOn);
    for (MidiChord& chord : chords_.TakeComplete(Clock::now())) {
        heard_({PlayerMs(chord.when), std::move(chord.notes)});
    }
}

void PlayAlongListening::ExpectNotes(double ms, const std::vector<int>& notes, double offsetCents) {
    if (!audio_) return;
    // The input hears the notes the latency after the player's clock reaches them.
    const auto sounds = epoch_ + std::chrono::duration_cast<Clock::duration>(
                                     std::chrono::duration<double, std::milli>(ms + latencyMs_));
    audio_->ExpectNotes(sounds, notes, offsetCents);
}

bool PlayAlongListening::HearsSpeakers() const {
    return audio_ != nullptr && audio_->RecordsTheRoom() && !headphones_;
}

double PlayAlongListening::HeardUntilMs() const { return PlayerMs(Clock::now()) - kWholeHearingMs; }

double PlayAlongListening::PlayerMs(Clock::time_point when) const {
    return std::chrono::duration<double, std::milli>(when - epoch_).count() - latencyMs_;
}

}  // namespace fretlux
