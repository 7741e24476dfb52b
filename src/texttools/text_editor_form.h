// SPDX-License-Identifier: MIT
// The TAB text window as a presentation model: the text box with its selection, the two menus
// and the rules of Save, Close and the clipboard commands. The Qt window shows this state and
// forwards its events.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace fretlux {

inline constexpr const char* kTextEditorCaption = "Text Editor";
inline constexpr const char* kSaveChangesQuestion = "Save changes?";

enum class SaveChangesAnswer { Save, Discard, Cancel };

// What the window needs from outside: the system clipboard and the user's answer to Close's
// question.
class TextEditorServices {
public:
    virtual ~TextEditorServices() = default;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // "Save changes?" with Save, Discard and Cancel, the question icon, Save the default.
    virtual SaveChangesAnswer AskSaveChanges() = 0;
};

struct MenuItemModel {
    std::string caption;
    bool enabled = true;
};

class TextEditorForm {
public:
    TextEditorForm(std::string text, TextEditorServices& services);

    void Load();
    // The Edit menu is being opened: Cut and Copy need a selection.
    void PrepareEditMenu();
    // 0 Cut, 1 Copy, 2 Paste.
    void RunEditItem(int index);
    // 0 Save, 1 Close (with its question, whose Cancel keeps the window open).
    void RunFileItem(int index);

    std::string caption = kTextEditorCaption;
    // The text box: the text with CR LF line ends, and the selection as a byte offset and length
    // into it (length 0: the caret).
    std::string text;
    std::size_t selStart = 0;
    std::size_t selLength = 0;
    std::array<MenuItemModel, 3> mnuEditItem{{{"Cu&t"}, {"C&opy"}, {"&Paste"}}};
    std::array<MenuItemModel, 2> mnuFileItem{{{"&Save"}, {"&Close"}}};
    // Set by Save and Close: the window is to close now.
    bool closeRequested = false;

    // The text to store, once Save or Close answered Yes has handed it back; nothing keeps the
    // TAB's text as it was.
    const std::optional<std::string>& Result() const { return result_; }

private:
    std::string SelectedText() const;
    void ReplaceSelection(const std::string& replacement);

    std::string loaded_;
    std::optional<std::string> result_;
    TextEditorServices& services_;
};

}  // namespace fretlux
