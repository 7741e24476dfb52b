// SPDX-License-Identifier: MIT
// The practice entries of the Play and Settings menus: the speed, the metronome and its volume,
// the count-in, the speed trainer and the beats. The player keeps them for the run of the
// program; the beats belong to a document and are remembered with its name, never in its file.
#include <algorithm>

#include "app/fretlux_form.h"
#include "playback/remembered_beats.h"

namespace fretlux {

namespace {

PracticeSettings With(PracticeSettings settings, const auto& change) {
    change(settings);
    return settings;
}

}  // namespace

void FretluxForm::ChooseSpeed(int percent) {
    player_.ChangePractice(With(player_.Practice(), [percent](PracticeSettings& practice) {
        practice.speedPercent = std::clamp(percent, kMinSpeedPercent, kMaxSpeedPercent);
    }));
}

void FretluxForm::ChooseCountIn(int bars) {
    player_.ChangePractice(With(player_.Practice(), [bars](PracticeSettings& practice) {
        practice.countInBars = std::clamp(bars, 0, kMaxCountInBars);
    }));
}

void FretluxForm::ToggleMetronome() {
    player_.ChangePractice(With(player_.Practice(), [](PracticeSettings& practice) {
        practice.metronome = !practice.metronome;
    }));
}

void FretluxForm::AskSpeed() {
    const auto percent =
        host_.AskNumber({"Speed", "Speed in percent of each TAB's own tempo:", kMinSpeedPercent,
                         kMaxSpeedPercent, player_.Practice().speedPercent, " %"});
    if (percent) ChooseSpeed(*percent);
}

void FretluxForm::AskMetronomeVolume() {
    const auto volume =
        host_.AskNumber({"Metronome Volume", "Loudness of the clicks:", kMinMetronomeVolume,
                         kMaxMetronomeVolume, player_.Practice().metronomeVolume, " %"});
    if (!volume) return;
    player_.ChangePractice(With(player_.Practice(), [volume](PracticeSettings& practice) {
        practice.metronomeVolume = *volume;
    }));
}

void FretluxForm::OpenSpeedTrainer() {
    const auto& trainer = player_.Practice().trainer;
    SpeedTrainerForm form({true, trainer.value_or(SpeedTrainerSettings{})});
    host_.ShowSpeedTrainer(form);
    if (!form.Result()) return;
    const SpeedTrainerChoice choice = *form.Result();
    player_.ChangePractice(With(player_.Practice(), [&choice](PracticeSettings& practice) {
        practice.trainer = choice.on ? std::optional(choice.settings) : std::nullopt;
    }));
}

void FretluxForm::OpenBeats() {
    BeatsForm form(player_.Practice().beats, columns_.BarColumns());
    host_.ShowBeats(form);
    if (!form.Result()) return;
    const BeatSettings beats = *form.Result();
    player_.ChangePractice(
        With(player_.Practice(), [&beats](PracticeSettings& practice) { practice.beats = beats; }));
    RememberBeats();
}

// A new document has no name to remember its beats by: it starts with the usual ones.
void FretluxForm::RecallBeats() {
    std::optional<BeatSettings> beats;
    if (file_.Path() != kUntitledPath) {
        if (const auto text = host_.RememberedText(RememberedBeatsKey(file_.Path()))) {
            beats = ReadRememberedBeats(*text);
        }
    }
    player_.ChangePractice(With(player_.Practice(), [&beats](PracticeSettings& practice) {
        practice.beats = beats.value_or(BeatSettings{});
    }));
}

// The usual beats are kept only over other beats kept before, so that the settings do not fill
// up with every document ever saved.
void FretluxForm::RememberBeats() {
    if (file_.Path() == kUntitledPath) return;
    const std::string key = RememberedBeatsKey(file_.Path());
    const BeatSettings& beats = player_.Practice().beats;
    if (beats == BeatSettings{} && !host_.RememberedText(key)) return;
    host_.RememberText(key, RememberedBeatsText(beats));
}

}  // namespace fretlux
