// SPDX-License-Identifier: MIT
#include "texttools/text_editor_form.h"

#include <algorithm>
#include <utility>

namespace fretlux {

TextEditorForm::TextEditorForm(std::string text, TextEditorServices& services)
    : loaded_(std::move(text)), services_(services) {}

void TextEditorForm::Load() {
    text = loaded_;
    selStart = 0;
    selLength = 0;
}

void TextEditorForm::PrepareEditMenu() {
    const bool selection = selLength >= 1;
    mnuEditItem[0].enabled = selection;
    mnuEditItem[1].enabled = selection;
    mnuEditItem[2].enabled = true;
}

void TextEditorForm::RunEditItem(int index) {
    switch (index) {
        case 0:
            services_.SetClipboardText(SelectedText());
            ReplaceSelection("");
            break;
        case 1:
            services_.SetClipboardText(SelectedText());
            break;
        case 2:
            ReplaceSelection(services_.ClipboardText());
            break;
        default:
            break;
    }
}

void TextEditorForm::RunFileItem(int index) {
    if (index == 0) {
        result_ = text;
    } else if (index == 1) {
        const SaveChangesAnswer answer = services_.AskSaveChanges();
        if (answer == SaveChangesAnswer::Cancel) return;
        if (answer == SaveChangesAnswer::Save) {
            result_ = text;
        } else {
            result_.reset();
        }
    } else {
        return;
    }
    closeRequested = true;
}

// The selection as the window reports it may run past the end of a text that changed under it.
std::string TextEditorForm::SelectedText() const {
    const std::size_t start = std::min(selStart, text.size());
    return text.substr(start, selLength);
}

void TextEditorForm::ReplaceSelection(const std::string& replacement) {
    const std::size_t start = std::min(selStart, text.size());
    text.replace(start, selLength, replacement);
    selStart = start + replacement.size();
    selLength = 0;
}

}  // namespace fretlux
