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
void FretluxForm::EditTabText() {
    const int v = controls_.hscTAB.Value();
    if (v == 0) return;
    if (player_.InLesson()) {
        player_.Tutor().ShowStepOf(v);
        return;
    }
    const UndoStep step(*this);
    HostTextEditorServices services(host_);
    TextEditorForm frmEditor(document.tabTexts[v - 1], services);
    if (const auto text = host_.ShowTextEditor(frmEditor)) document.tabTexts[v - 1] = *text;
    controls_.imgEdit = EditPictureFor(v);
}

void FretluxForm::EditInOutsideEditor() {
    host_.ShowMessage({kExternalEditorNotice});
    const std::string& path = file_.Path();
    if (path.empty()) return;
    player_.Stop();
    file_.Save(TabForm::Plain);
    OpenWithDesktopProgram(Left(path, static_cast<int>(path.size()) - 3) + "tab");
}

void FretluxForm::OpenTextToTab() {
    if (!ShowsTab()) return;
    const UndoStep step(*this);
    const int t = CurrentTabIndex();
    const int c = columns_.CursorColumn();
    TextToTabForm frmTXT2TAB(ReadColumnSymbols(document.tabLines[t], c));
    const auto symbols = host_.ShowTextToTab(frmTXT2TAB);
    if (!symbols || symbols->size() != kStrings) return;
    WriteColumnSymbols(document.tabLines[t], c, *symbols);
    RenderFretDigits(document, t);
    columns_.Select(c, 1);
    ShowCurrentTab();
}

}  // namespace fretlux
