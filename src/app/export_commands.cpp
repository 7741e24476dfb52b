// SPDX-License-Identifier: MIT
// File > Export MIDI and Export WAVE: what Start plays from the first TAB on, written exactly as
// fretlux-cli export and render write it for the document as it stands in the window.
#include <filesystem>

#include "app/fretlux_form.h"
#include "app/tab_player.h"
#include "document/file_names.h"
#include "document/safe_save.h"
#include "playback/standard_midi_file.h"

namespace fretlux {

namespace {

constexpr const char* kMidiExportFilter = "MIDI Files (*.mid)|*.mid";
constexpr const char* kWaveExportFilter = "WAVE Files (*.wav)|*.wav";

}  // namespace

void FretluxForm::ExportMidi() {
    const auto path = AskExportPath(".mid", kMidiExportFilter);
    if (!path) return;
    ShowExportResult(*path, SaveFileReplacing(*path, StandardMidiFileBytes(PlayedMessages())));
}

// A cancelled rendering writes nothing, and leaves a file of that name as it was.
void FretluxForm::ExportWave() {
    const auto path = AskExportPath(".wav", kWaveExportFilter);
    if (!path) return;
    const RenderedWave wave = host_.RenderWave(PlayedMessages());
    if (wave.cancelled) return;
    if (wave.failure) {
        file_.ShowSaveError(*wave.failure);
        return;
    }
    ShowExportResult(*path, SaveFileReplacing(*path, wave.bytes));
}

// An export leaves nothing on the screen to show it worked: the help line names the file.
void FretluxForm::ShowExportResult(const std::string& path,
                                   const std::optional<std::string>& failure) {
    if (failure) {
        file_.ShowSaveError(*failure);
        return;
    }
    controls_.lblHelp = {"Saved " + std::filesystem::path(path).filename().string(), kHintBlue};
}

std::vector<TimedMidiMessage> FretluxForm::PlayedMessages() const {
    return PlayDocument(StandingDocument());
}

// As the Save commands ask: nothing without a TAB, the document's name with the export's
// extension, and the question before a file is replaced. The document's path stays.
std::optional<std::string> FretluxForm::AskExportPath(const char* extension, const char* filter) {
    if (!ShowsTab()) return std::nullopt;
    const auto chosen = file_.ChooseSavePath(filter, extension);
    if (!chosen || chosen->empty() || !file_.MayWriteTo(*chosen)) return std::nullopt;
    return chosen;
}

}  // namespace fretlux
