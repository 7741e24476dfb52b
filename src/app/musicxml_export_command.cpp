// SPDX-License-Identifier: MIT
// File > Export MusicXML: the open document, as it stands, for notation programs.
#include <filesystem>

#include "app/fretlux_form.h"
#include "document/file_names.h"
#include "document/safe_save.h"
#include "exports/musicxml_writer.h"

namespace fretlux {

namespace {

constexpr const char* kMusicXmlFilter = "MusicXML Files (*.musicxml)|*.musicxml";

}  // namespace

void FretluxForm::ExportMusicXml() {
    if (!ShowsTab()) return;
    dialogInitialDirectory = SaveDirectory();
    const auto chosen =
        host_.ShowFileDialog({FileDialogMode::Save, kMusicXmlFilter, dialogInitialDirectory,
                              ProposedFileName(currentPath, ".musicxml")});
    if (!chosen) return;
    std::error_code ignored;
    if (std::filesystem::exists(*chosen, ignored) &&
        !std::filesystem::is_directory(*chosen, ignored)) {
        const MessageAnswer answer =
            host_.ShowMessage({"Overwrite existing file?", MessageButtons::YesNo,
                               MessageIcon::Question, MessageAnswer::No});
        if (answer != MessageAnswer::Yes) return;
    }
    // TABs that store no settings play at the bars' too, as they would if played from here.
    const std::string title = std::filesystem::path(currentPath).stem().string();
    ShowExportResult(*chosen, SaveFileReplacing(*chosen, MusicXmlScore(StandingDocument(),
                                                                       BarSettings(), title)));
}

}  // namespace fretlux
