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
    const auto chosen = file_.ChooseSavePath(kMusicXmlFilter, ".musicxml");
    if (!chosen || !file_.MayWriteTo(*chosen)) return;
    // TABs that store no settings play at the bars' too, as they would if played from here.
    const std::string title = std::filesystem::path(file_.Path()).stem().string();
    ShowExportResult(*chosen, SaveFileReplacing(*chosen, MusicXmlScore(StandingDocument(),
                                                                       BarSettings(), title)));
}

}  // namespace fretlux
