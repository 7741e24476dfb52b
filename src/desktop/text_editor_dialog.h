// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <array>
#include <cstddef>
#include <string>

#include "texttools/text_editor_form.h"

class QAction;
class QMenuBar;
class QPlainTextEdit;

namespace fretlux {

// The TAB text window over its model: one text box filling the window under a File and an Edit
// menu. Each menu item hands the box's text and selection to the model, runs its handler and
// shows the result. The model holds the text as the document's bytes with CR LF line ends and
// the selection as byte offsets into them; the box holds decoded characters.
class TextEditorDialog final : public QDialog {
public:
    TextEditorDialog(TextEditorForm& form, QWidget* parent);

    // The box's text and selection into the model.
    void WriteBoxToModel();
    // The model's text and selection into the box. When the model's text differs from what it
    // was last handed only in place of the handed selection, only that part of the box changes,
    // so that the box's undo history survives and the rest keeps its characters exactly.
    void ShowModel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void RunEditItem(int index);
    void RunFileItem(int index);
    void RefreshEditMenu();
    void ShowMenuItems();
    void ShowWholeText();
    bool ShowReplacement();
    void SelectBytes(std::size_t start, std::size_t length);
    std::string ModelText(const QString& boxText) const;
    std::size_t ModelOffset(const QString& boxText, qsizetype position) const;
    qsizetype BoxPosition(const QString& boxText, std::size_t offset) const;
    QString BoxText() const;

    TextEditorForm& form_;
    // The text was read as UTF-8 (else Latin-1) and is written back the same way.
    bool utf8_ = true;
    QPlainTextEdit* box_ = nullptr;
    QMenuBar* menus_ = nullptr;
    std::array<QAction*, 3> editItems_{};
    std::array<QAction*, 2> fileItems_{};

    // What the model was last handed: its text, and the selection in bytes and in the box.
    std::string handedText_;
    std::size_t handedStart_ = 0;
    std::size_t handedLength_ = 0;
    qsizetype handedBoxStart_ = 0;
    qsizetype handedBoxEnd_ = 0;
    bool handed_ = false;
};

}  // namespace fretlux
