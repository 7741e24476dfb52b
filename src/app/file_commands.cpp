// SPDX-License-Identifier: MIT
// The File menu: New, Open and the reader's save question, the two Save commands, Exit.
#include "app/fretlux_form.h"

namespace fretlux {

void FretluxForm::NewDocument() { StartNewDocument(); }

void FretluxForm::StartNewDocument() {
    player_.Stop();
    if (!file_.AskToSave()) return;
    ClearDocument();
    ShowBlankDocument();
}

void FretluxForm::ShowBlankDocument() {
    file_.Rename(kUntitledPath);
    controls_.caption = BaseTitle() + "  " + kUntitledPath;
    document.MakeBlankTab(0);
    document.tabCount = 1;
    ShowDocument();
}

void FretluxForm::OpenFile() {
    if (const auto chosen = file_.ChooseFileToOpen()) LoadUserFile(*chosen);
}

// The shown document is given up only once the file has been read, so that a file that cannot
// be read leaves it as it was; the question comes first, so that a document saved over the very
// file being opened is read as saved.
bool FretluxForm::LoadDocument(const std::string& path, const std::string& title) {
    player_.Stop();
    if (!file_.AskToSave()) return false;
    std::optional<TabDocument> read = file_.Read(path);
    if (!read) return false;
    file_.Rename(path);
    controls_.caption = title;
    ClearDocument();
    document = std::move(*read);
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
    file_.MarkSaved();
}

void FretluxForm::ShowReadDocument(TabDocument read) {
    player_.Stop();
    ClearDocument();
    if (read.tabCount == 0) return;
    document = std::move(read);
    ShowDocument();
}

bool FretluxForm::DocumentChanged() const { return file_.Changed(); }

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

// The beats chosen for the document go with it to its new name.
void FretluxForm::SaveAsFretlux() {
    if (file_.Save(TabForm::Enhanced)) RememberBeats();
}

void FretluxForm::SaveAsTab() {
    if (file_.Save(TabForm::Plain)) RememberBeats();
}

bool FretluxForm::Exit() {
    // Work that could not be saved is not thrown away: the program stays open.
    if (!file_.AskToSave()) return false;
    host_.MidiOut().Close();
    host_.EndProgram();
    return true;
}

}  // namespace fretlux
