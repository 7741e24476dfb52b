// SPDX-License-Identifier: MIT
#include "app/document_file.h"

#include <filesystem>
#include <new>

#include "app/start_settings.h"
#include "document/file_messages.h"
#include "document/file_names.h"
#include "import/open_document.h"

namespace fretlux {

namespace {

MessageBoxRequest SaveChangesQuestion(const std::string& path) {
    return {"Save changes to '" + path + "' ?", MessageButtons::YesNoCancel, MessageIcon::Question,
            MessageAnswer::No};
}

bool IsExistingFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored) && !std::filesystem::is_directory(path, ignored);
}

}  // namespace

std::string BaseTitle() { return std::string("Fretlux  (Ver ") + kVersion + ")"; }

DocumentFile::DocumentFile(Host& host, std::string& caption, std::function<TabDocument()> standing)
    : host_(host), caption_(caption), standing_(std::move(standing)) {}

bool DocumentFile::Changed() const {
    if (!history_.AtSavedPoint()) return true;
    const TabDocument standing = standing_();
    for (int t = 0; t < standing.tabCount; ++t) {
        const auto settings = ReadHeaderSettings(standing.tabLines[t][0]);
        if (settings && settings != savedSettings_[t]) return true;
    }
    return false;
}

void DocumentFile::MarkSaved() {
    history_.MarkSaved();
    const TabDocument standing = standing_();
    savedSettings_.fill(std::nullopt);
    for (int t = 0; t < standing.tabCount; ++t) {
        savedSettings_[t] = ReadHeaderSettings(standing.tabLines[t][0]);
    }
}

void DocumentFile::KeepFirstShownSettings(int tabIndex, const TabSettings& bars) {
    if (history_.AtSavedPoint() && !savedSettings_[tabIndex]) savedSettings_[tabIndex] = bars;
}

// A document of the program's own (lessons, scales and chord files live in the program
// directory) is asked about like any other once it has changed: the question names it, and the
// save dialog proposes the TAB folder.
bool DocumentFile::AskToSave() {
    if (document_.tabCount == 0 || !Changed()) return true;
    switch (host_.ShowMessage(SaveChangesQuestion(path_))) {
        case MessageAnswer::Cancel:
            return false;
        case MessageAnswer::Yes:
            return Save(TabForm::Enhanced);
        default:
            return true;
    }
}

// The document takes the file's name only once the file is written; a plain TAB file keeps
// neither fingers, silent notes nor settings, so only the Fretlux form counts as saved.
bool DocumentFile::Save(TabForm form) {
    if (document_.tabCount == 0) return false;
    const bool enhanced = form == TabForm::Enhanced;
    const auto chosen = ChooseSavePath(enhanced ? kFretluxFilesFilter : kTabFilesFilter,
                                       enhanced ? ".flx" : ".tab");
    if (!chosen || chosen->empty() || !MayWriteTo(*chosen)) return false;
    std::optional<std::string> failure;
    try {
        failure = SaveTabFile(*chosen, standing_(), form);
    } catch (const std::bad_alloc&) {
        failure = "not enough memory to write the file";
    }
    if (failure) {
        ShowSaveError(*failure);
        return false;
    }
    path_ = *chosen;
    caption_ = BaseTitle() + "  " + path_;
    if (enhanced) MarkSaved();
    return true;
}

std::optional<std::string> DocumentFile::ChooseSavePath(const char* filter, const char* extension) {
    dialogDirectory_ = SaveDirectory();
    return host_.ShowFileDialog(
        {FileDialogMode::Save, filter, dialogDirectory_, ProposedFileName(path_, extension)});
}

std::optional<std::string> DocumentFile::ChooseFileToOpen() {
    const auto chosen =
        host_.ShowFileDialog({FileDialogMode::Open, kOpenFilter, dialogDirectory_, ""});
    if (!chosen || chosen->empty()) return std::nullopt;
    return chosen;
}

std::optional<TabDocument> DocumentFile::Read(const std::string& path) {
    OpenedDocument read = OpenDocumentFile(
        path, [this](const std::vector<TrackSummary>& tracks) { return host_.ChooseTrack(tracks); },
        kStartSettings);
    if (read.error) {
        ShowOpenError(*read.error);
        return std::nullopt;
    }
    if (read.cancelled) return std::nullopt;
    if (!read.notice.empty()) {
        host_.ShowMessage({read.notice, MessageButtons::Ok, MessageIcon::None, MessageAnswer::Ok});
    }
    return std::move(read.document);
}

std::string DocumentFile::SaveDirectory() const {
    const std::string directory = DirectoryPart(path_);
    return directory == host_.ProgramDirectory() ? tabFilesDirectory_ : directory;
}

bool DocumentFile::MayWriteTo(const std::string& path) {
    if (!IsExistingFile(path)) return true;
    return host_.ShowMessage({"Overwrite existing file?", MessageButtons::YesNo,
                              MessageIcon::Question, MessageAnswer::No}) == MessageAnswer::Yes;
}

void DocumentFile::ShowSaveError(const std::string& description) {
    host_.ShowMessage({SaveFailedMessage(description), MessageButtons::Ok, MessageIcon::Exclamation,
                       MessageAnswer::Ok});
}

void DocumentFile::ShowOpenError(const std::string& description) {
    host_.ShowMessage({OpenFailedMessage(description), MessageButtons::Ok, MessageIcon::Exclamation,
                       MessageAnswer::Ok});
}

}  // namespace fretlux
