// SPDX-License-Identifier: MIT
// The TAB's text in its own window (in a lesson the step's text, in the tutor window), the
// hand-over of the document to an outside editor as a plain TAB file, and Text to TAB on the
// cursor column.
#include "app/fretlux_form.h"
#include "app/undo_step.h"
#include "document/render_fret_digits.h"
#include "document/strings.h"
#include "texttools/text_to_tab.h"

namespace fretlux {

namespace {

constexpr const char* kExternalEditorNotice =
    "The external text editor does not support enhanced Fretlux files.\r"
    "Use this only for standard TAB files or printing";

class HostTextEditorServices final : public TextEditorServices {
public:
    explicit HostTextEditorServices(Host& host) : host_(host) {}

    std::string ClipboardText() override { return host_.ClipboardText(); }
    void SetClipboardText(const std::string& text) override { host_.SetClipboardText(text); }
    SaveChangesAnswer AskSaveChanges() override {
        switch (host_.ShowMessage({kSaveChangesQuestion, MessageButtons::SaveDiscardCancel,
                                   MessageIcon::Question, MessageAnswer::Save})) {
            case MessageAnswer::Save:
                return SaveChangesAnswer::Save;
            case MessageAnswer::Discard:
                return SaveChangesAnswer::Discard;
            default:
                return SaveChangesAnswer::Cancel;
        }
    }

private:
    Host& host_;
};

}  // namespace

// In a lesson the text is the step's, in the tutor window, which leaves the main window free.
void FretluxForm::mnuEditText_Click() {
    const int v = hscTAB.Value();
    if (v == 0) return;
    if (gLessonMode) {
        tutor_.ShowStepOf(v);
        return;
    }
    const UndoStep step(*this);
    gDialogText = document.tabTexts[v - 1];
    HostTextEditorServices services(host_);
    TextEditorForm frmEditor(gDialogText, services);
    host_.ShowTextEditor(frmEditor);
    if (gDialogText != kKeepTextMarker) document.tabTexts[v - 1] = gDialogText;
    imgEdit = EditPictureFor(v);
}

void FretluxForm::mnuEditExEdit_Click() {
    host_.ShowMessage({kExternalEditorNotice});
    if (gCurrentPath.empty()) return;
    mnuPlayStop_Click();
    mnuFileSTab_Click();
    OpenWithDesktopProgram(Left(gCurrentPath, static_cast<int>(gCurrentPath.size()) - 3) + "tab");
}

void FretluxForm::mnuTXT2TAB_Click() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    const int t = CurrentTabIndex();
    const int c = curColumn;
    gDialogText = ReadColumnSymbols(document.tabLines[t], c);
    TextToTabForm frmTXT2TAB(gDialogText);
    host_.ShowTextToTab(frmTXT2TAB);
    if (gDialogText.size() != kStrings) return;
    WriteColumnSymbols(document.tabLines[t], c, gDialogText);
    RenderFretDigits(document, t);
    selLength = 1;
    UpdateColumnCursor();
    ShowCurrentTab();
}

}  // namespace fretlux
