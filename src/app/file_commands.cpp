// SPDX-License-Identifier: MIT
// The File menu: New, Open and the reader's save question, the two Save commands, Exit.
#include <filesystem>
#include <new>

#include "app/fretlux_form.h"
#include "document/file_messages.h"
#include "document/file_names.h"
#include "document/tab_file_writer.h"

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

std::string FretluxForm::BaseTitle() { return std::string("Fretlux  (Ver ") + kVersion + ")"; }

void FretluxForm::NewDocument() { StartNewDocument(); }

void FretluxForm::StartNewDocument() {
    player_.Stop();
    if (!AskToSave()) return;
    ClearDocument();
    ShowBlankDocument();
}

void FretluxForm::ShowBlankDocument() {
    currentPath = kUntitledPath;
    controls_.caption = BaseTitle() + "  " + currentPath;
    document.MakeBlankTab(0);
    document.tabCount = 1;
    ShowDocument();
}

void FretluxForm::OpenFile() {
    const auto chosen =
        host_.ShowFileDialog({FileDialogMode::Open, kOpenFilter, dialogInitialDirectory, ""});
    if (!chosen || chosen->empty()) return;
    LoadUserFile(*chosen);
}

// A document of the program's own (lessons, scales and chord files live in the program
// directory) is asked about like any other once it has changed: the question names it, and the
// save dialog proposes the TAB folder.
bool FretluxForm::AskToSave() {
    if (!ShowsTab() || !DocumentChanged()) return true;
    switch (host_.ShowMessage(SaveChangesQuestion(currentPath))) {
        case MessageAnswer::Cancel:
            return false;
        case MessageAnswer::Yes:
            return SaveDocument(TabForm::Enhanced);
        default:
            return true;
    }
}

// The shown document is given up only once the file has been read, so that a file that cannot
// be read leaves it as it was; the question comes first, so that a document saved over the very
// file being opened is read as saved.
bool FretluxForm::LoadDocument(const std::string& path, const std::string& title) {
    player_.Stop();
    if (!AskToSave()) return false;
    OpenedDocument read = OpenDocumentFile(
        path, [this](const std::vector<TrackSummary>& tracks) { return host_.ChooseTrack(tracks); },
        kStartSettings);
    if (read.error) {
        ShowOpenError(*read.error);
        return false;
    }
    if (read.cancelled) return false;
    if (!read.notice.empty()) {
        host_.ShowMessage({read.notice, MessageButtons::Ok, MessageIcon::None, MessageAnswer::Ok});
    }
    previousPath = currentPath;
    currentPath = path;
    controls_.caption = title;
    ClearDocument();
    document = std::move(read.document);
    ShowDocument();
    return true;
}

// The same file then always sounds the same, whatever was played before it: a TAB that stores
// no settings plays at the start-up ones.
void FretluxForm::ShowDocument() {
    board_.Clear();
    RecallBeats();
    controls_.HScrollPatch.SetValue(kStartSettings.patch);
    controls_.hscVolume.SetValue(kStartSettings.volume);
    controls_.hscTempo.SetValue(kStartSettings.tempo);
    // Nothing done to the document before can be undone into this one.
    ClearEditHistory();
    if (document.tabCount > 0) {
        SetTabCount(document.tabCount);
        controls_.hscTAB.SetMin(1);
        controls_.hscTAB.SetValue(1);
        columns_.Select(0, columns_.SelectionLength());
    }
    MarkDocumentSaved();
}

void FretluxForm::ShowReadDocument(TabDocument read) {
    player_.Stop();
    ClearDocument();
    if (read.tabCount == 0) return;
    document = std::move(read);
    ShowDocument();
}

void FretluxForm::MarkDocumentSaved() {
    history_.MarkSaved();
    const TabDocument standing = StandingDocument();
    savedSettings_.fill(std::nullopt);
    for (int t = 0; t < standing.tabCount; ++t) {
        savedSettings_[t] = ReadHeaderSettings(standing.tabLines[t][0]);
    }
}

bool FretluxForm::DocumentChanged() const {
    if (!history_.AtSavedPoint()) return true;
    const TabDocument standing = StandingDocument();
    for (int t = 0; t < standing.tabCount; ++t) {
        const auto settings = ReadHeaderSettings(standing.tabLines[t][0]);
        if (settings && settings != savedSettings_[t]) return true;
    }
    return false;
}

TabSettings FretluxForm::BarSettings() const {
    return {controls_.hscTempo.Value(), controls_.hscVolume.Value(),
            controls_.HScrollPatch.Value()};
}

TabDocument FretluxForm::StandingDocument() const {
    TabDocument standing = document;
    if (ShowsTab()) {
        std::string& header = standing.tabLines[CurrentTabIndex()][0];
        header = StampHeader(header, BarSettings());
    }
    return standing;
}

void FretluxForm::ShowOpenError(const std::string& description) {
    host_.ShowMessage({OpenFailedMessage(description), MessageButtons::Ok, MessageIcon::Exclamation,
                       MessageAnswer::Ok});
}

void FretluxForm::ClearDocument() {
    player_.LeaveLesson();
    if (document.tabCount > 0) {
        ShowLabel("");
        for (int l = 1; l < kLinesPerTab; ++l) controls_.lblTAB[l].caption.clear();
    }
    document.Clear();
    SetTabCount(0);
    controls_.hscTAB.SetValue(0);
    columns_.Empty();
    controls_.imgEdit = EditPicture::imgEdit2Up;
}

void FretluxForm::SetTabCount(int count) {
    document.tabCount = count;
    controls_.hscTAB.SetMax(count);
}

void FretluxForm::SaveAsFretlux() { SaveDocument(TabForm::Enhanced); }

void FretluxForm::SaveAsTab() { SaveDocument(TabForm::Plain); }

// The document takes the file's name only once the file is written; a plain TAB file keeps
// neither fingers, silent notes nor settings, so only the Fretlux form counts as saved.
bool FretluxForm::SaveDocument(TabForm form) {
    if (!ShowsTab()) return false;
    const bool enhanced = form == TabForm::Enhanced;
    dialogInitialDirectory = SaveDirectory();
    const auto chosen = host_.ShowFileDialog(
        {FileDialogMode::Save, enhanced ? kFretluxFilesFilter : kTabFilesFilter,
         dialogInitialDirectory, ProposedFileName(currentPath, enhanced ? ".flx" : ".tab")});
    if (!chosen || chosen->empty() || !MayWriteTo(*chosen)) return false;
    std::optional<std::string> failure;
    try {
        failure = SaveTabFile(*chosen, StandingDocument(), form);
    } catch (const std::bad_alloc&) {
        failure = "not enough memory to write the file";
    }
    if (failure) {
        ShowSaveError(*failure);
        return false;
    }
    currentPath = *chosen;
    controls_.caption = BaseTitle() + "  " + currentPath;
    RememberBeats();
    if (enhanced) MarkDocumentSaved();
    return true;
}

std::string FretluxForm::SaveDirectory() const {
    const std::string directory = DirectoryPart(currentPath);
    return directory == host_.ProgramDirectory() ? tabFilesDirectory_ : directory;
}

// A file that is already there is replaced only when the user agrees.
bool FretluxForm::MayWriteTo(const std::string& path) {
    if (!IsExistingFile(path)) return true;
    return host_.ShowMessage({"Overwrite existing file?", MessageButtons::YesNo,
                              MessageIcon::Question, MessageAnswer::No}) == MessageAnswer::Yes;
}

void FretluxForm::ShowSaveError(const std::string& description) {
    host_.ShowMessage({SaveFailedMessage(description), MessageButtons::Ok, MessageIcon::Exclamation,
                       MessageAnswer::Ok});
}

bool FretluxForm::Exit() {
    // Work that could not be saved is not thrown away: the program stays open.
    if (!AskToSave()) return false;
    host_.MidiOut().Close();
    host_.EndProgram();
    return true;
}

}  // namespace fretlux
