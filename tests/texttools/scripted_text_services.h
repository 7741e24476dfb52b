// SPDX-License-Identifier: MIT
// The text window's clipboard and save question, answered by the test and counted.
#pragma once

#include <string>

#include "texttools/text_editor_form.h"

namespace fretlux::testing {

class ScriptedTextServices final : public TextEditorServices {
public:
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override {
        clipboard = text;
        ++clipboardWrites;
    }
    SaveChangesAnswer AskSaveChanges() override {
        ++questions;
        return answer;
    }

    std::string clipboard;
    int clipboardWrites = 0;
    int questions = 0;
    SaveChangesAnswer answer = SaveChangesAnswer::Discard;
};

}  // namespace fretlux::testing
