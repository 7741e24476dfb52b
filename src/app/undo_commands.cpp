// SPDX-License-Identifier: MIT
// Undo and Redo: every command that changes the document records the state before it as one
// step, a burst of typing in the label box makes one step, and loading a document starts a new
// history.
#include <utility>

#include "app/fretlux_form.h"
#include "document/strings.h"

namespace fretlux {

EditSnapshot FretluxForm::TakeSnapshot() const {
    return {document,
            controls_.hscTAB.Value(),
            label_.Stored(),
            columns_.CursorColumn(),
            columns_.SelectionLength(),
            BarSettings()};
}

void FretluxForm::RestoreSnapshot(EditSnapshot snapshot) {
    label_.CloseEdit();
    const int v = snapshot.tabNumber;
    document = std::move(snapshot.document);
    // The TAB comes back as it was shown: no TAB change stamps a header or resets the cursor.
    auto onTabChange = std::exchange(controls_.hscTAB.onChange, nullptr);
    SetTabCount(document.tabCount);
    controls_.hscTAB.SetMin(v > 0 ? 1 : 0);
    controls_.hscTAB.SetValue(v);
    controls_.hscTAB.onChange = std::move(onTabChange);
    columns_.SetShownTab(v);
    controls_.hscTempo.SetValue(snapshot.settings.tempo);
    controls_.hscVolume.SetValue(snapshot.settings.volume);
    controls_.HScrollPatch.SetValue(snapshot.settings.patch);
    ShowTabPosition();
    if (v == 0) {
        ShowLabel("");
        for (int l = 1; l < kLinesPerTab; ++l) controls_.lblTAB[l].caption.clear();
        columns_.Empty();
        controls_.imgEdit = EditPicture::imgEdit2Up;
    } else {
        // Showing a TAB sets its header to the label box's text; both come back as they were.
        const std::string header = document.tabLines[v - 1][0];
        ShowCurrentTab();
        ShowLabel(snapshot.label);
        document.tabLines[v - 1][0] = header;
        controls_.imgEdit = EditPictureFor(v);
    }
    columns_.Select(snapshot.cursorColumn, snapshot.selectionLength);
}

void FretluxForm::Undo() {
    if (auto before = file_.History().Undo(TakeSnapshot())) RestoreSnapshot(std::move(*before));
    ShowUndoMenu();
}

void FretluxForm::Redo() {
    if (auto after = file_.History().Redo(TakeSnapshot())) RestoreSnapshot(std::move(*after));
    ShowUndoMenu();
}

std::optional<EditSnapshot> FretluxForm::BeginUndoStep() {
    if (!file_.History().EnterCommand()) return std::nullopt;
    return TakeSnapshot();
}

void FretluxForm::EndUndoStep(std::optional<EditSnapshot> before) {
    file_.History().LeaveCommand();
    if (before && before->document != document) RecordEdit(std::move(*before));
}

void FretluxForm::RecordEdit(EditSnapshot before) {
    file_.History().Record(std::move(before));
    label_.CloseEdit();
    ShowUndoMenu();
}

// Runs on every change of the label box's text, before the header takes it.
void FretluxForm::NoteLabelEdit() {
    const bool typed = ShowsTab() && !file_.History().InCommand();
    const int tab = typed ? controls_.hscTAB.Value() : 0;
    std::optional<std::string> labelBefore = label_.NoteChange(tab);
    if (!labelBefore) return;
    EditSnapshot before = TakeSnapshot();
    before.label = std::move(*labelBefore);
    RecordEdit(std::move(before));
    label_.OpenEdit(tab);
}

void FretluxForm::EndLabelEdit() { label_.CloseEdit(); }

void FretluxForm::ShowLabel(const std::string& text) {
    label_.Show(text);
    // The box may have shown the same text already, and then no change stores the label.
    if (ShowsTab()) document.tabLines[CurrentTabIndex()][0] = label_.Stored();
}

void FretluxForm::ClearEditHistory() {
    file_.History().Clear();
    label_.CloseEdit();
    ShowUndoMenu();
}

void FretluxForm::ShowUndoMenu() {
    controls_.mnuEditUndo.enabled = file_.History().CanUndo();
    controls_.mnuEditRedo.enabled = file_.History().CanRedo();
}

}  // namespace fretlux
