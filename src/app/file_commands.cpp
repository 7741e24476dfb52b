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
    return std::filesystem::exists(path, ignored) &&
           !std::filesystem::is_directory(path, ignored);
}

}  // namespace

std::string FretluxForm::BaseTitle() { return std::string("Fretlux  (Ver ") + kVersion + ")"; }

void FretluxForm::mnuFileNew_Click() {
    mnuPlayStop_Click();
    ClearDocument();
    ClearEditHistory();
    gCurrentPath = kUntitledPath;
    caption = BaseTitle() + "  " + gCurrentPath;
    document.MakeBlankTab(0);
    SetTabCount(1);
    hscTAB.SetMin(1);
    hscTAB.SetValue(1);
    ShowCurrentTab();
}

void FretluxForm::mnuFOpen_Click() {
    previousPath = gCurrentPath;
    const auto chosen = host_.ShowFileDialog(
        {FileDialogMode::Open, kOpenFilter, dialogInitialDirectory, ""});
    if (!chosen || chosen->empty()) return;
    OpenFile(*chosen);
}

// Saving is offered for a document that shows a TAB and does not belong to the program's own
// data (lessons, scales and chord files live in the program directory).
bool FretluxForm::DocumentMayNeedSaving(const std::string& path) const {
    return ShowsTab() && DirectoryPart(path) != host_.ProgramDirectory();
}

void FretluxForm::LoadDocument(const std::string& titleBefore) {
    mnuPlayStop_Click();
    if (DocumentMayNeedSaving(previousPath)) {
        const MessageAnswer answer = host_.ShowMessage(SaveChangesQuestion(previousPath));
        if (answer == MessageAnswer::Cancel) {
            gCurrentPath = previousPath;
            caption = titleBefore;
            return;
        }
        if (answer == MessageAnswer::Yes) {
            const std::string newPath = gCurrentPath;
            gCurrentPath = previousPath;
            mnuFileSFlx_Click();
            gCurrentPath = newPath;
        }
    }
    ClearDocument();
    // Nothing done to the document before can be undone into the one being loaded.
    ClearEditHistory();
    OpenedDocument read = OpenDocumentFile(
        gCurrentPath,
        [this](const std::vector<TrackSummary>& tracks) { return host_.ChooseTrack(tracks); },
        kStartSettings);
    if (read.error) {
        ShowOpenError(*read.error);
        return;
    }
    if (!read.notice.empty()) {
        host_.ShowMessage({read.notice, MessageButtons::Ok, MessageIcon::None, MessageAnswer::Ok});
    }
    if (read.document.tabCount == 0) return;
    document = std::move(read.document);
    ShowDocument();
}

// Brings a freshly read document into the view, showing its first TAB.
void FretluxForm::ShowDocument() {
    SetTabCount(document.tabCount);
    hscTAB.SetMin(1);
    hscTAB.SetValue(1);
    curColumn = 0;
    UpdateColumnCursor();
}

void FretluxForm::ShowOpenError(const std::string& description) {
    host_.ShowMessage({OpenFailedMessage(description), MessageButtons::Ok,
                       MessageIcon::Exclamation, MessageAnswer::Ok});
}

void FretluxForm::ClearDocument() {
    gLessonMode = false;
    if (document.tabCount > 0) {
        ShowLabel("");
        for (int l = 1; l < kLinesPerTab; ++l) lblTAB[l].caption.clear();
    }
    document.Clear();
    SetTabCount(0);
    hscTAB.SetValue(0);
    curColumn = 0;
    lastColumn = 0;
    imgEdit = EditPicture::imgEdit2Up;
}

void FretluxForm::SetTabCount(int count) {
    document.tabCount = count;
    hscTAB.SetMax(count);
}

void FretluxForm::mnuFileSFlx_Click() { SaveDocument(TabForm::Enhanced); }

void FretluxForm::mnuFileSTab_Click() { SaveDocument(TabForm::Plain); }

bool FretluxForm::SaveDocument(TabForm form) {
    if (!ShowsTab()) return false;
    const bool enhanced = form == TabForm::Enhanced;
    dialogInitialDirectory = DirectoryPart(gCurrentPath);
    const auto chosen = host_.ShowFileDialog(
        {FileDialogMode::Save, enhanced ? kFretluxSaveFilter : kTabSaveFilter,
         dialogInitialDirectory, ProposedFileName(gCurrentPath, enhanced ? ".flx" : ".tab")});
    if (!chosen) return false;
    gCurrentPath = *chosen;
    if (!MayWriteTo(gCurrentPath)) return false;
    std::optional<std::string> failure;
    try {
        failure = SaveTabFile(gCurrentPath, document, form);
    } catch (const std::bad_alloc&) {
        failure = "not enough memory to write the file";
    }
    if (failure) {
        ShowSaveError(*failure);
        return false;
    }
    return true;
}

// A file that is already there is replaced only when the user agrees.
bool FretluxForm::MayWriteTo(const std::string& path) {
    if (!IsExistingFile(path)) return true;
    return host_.ShowMessage({"Overwrite existing file?", MessageButtons::YesNo,
                              MessageIcon::Question, MessageAnswer::No}) == MessageAnswer::Yes;
}

void FretluxForm::ShowSaveError(const std::string& description) {
    host_.ShowMessage({SaveFailedMessage(description), MessageButtons::Ok,
                       MessageIcon::Exclamation, MessageAnswer::Ok});
}

bool FretluxForm::MNUFExit_Click() {
    if (DocumentMayNeedSaving(gCurrentPath)) {
        const MessageAnswer answer = host_.ShowMessage(SaveChangesQuestion(gCurrentPath));
        if (answer == MessageAnswer::Cancel) return false;
        // Work that could not be saved is not thrown away: the program stays open.
        if (answer == MessageAnswer::Yes && !SaveDocument(TabForm::Enhanced)) return false;
    }
    host_.MidiOut().Close();
    host_.EndProgram();
    return true;
}

}  // namespace fretlux
