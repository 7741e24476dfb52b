// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "chords/fast_find_form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace fretlux {

// The "Chord Fast Finder" window over its model: the roots and the two type lists side by side
// under their headings, the short variation list at the top right with Find and Close below it. A
// change of a list's selection, by mouse or keys, goes to the model's handler and the lists then
// show the model. Enter finds, Escape closes as Close does; the window's own close button leaves
// the choice as it was.
class FastFindDialog final : public QDialog {
public:
    FastFindDialog(FastFindForm& form, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A heading over a list; its key moves to the list, and a screen reader names the list by it.
    QLabel* Heading(const char* caption, QListWidget& list);
    QListWidget* AddList(const char* name, ListBoxModel& model, void (FastFindForm::*onClick)());
    void SelectionChanged(QListWidget& list, ListBoxModel& model, void (FastFindForm::*onClick)());
    void ShowLists();
    void CloseIfRequested();

    FastFindForm& form_;
    QListWidget* lstChord_ = nullptr;
    QListWidget* lstType_ = nullptr;
    QListWidget* lstType2_ = nullptr;
    QListWidget* lstVariat_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

}  // namespace fretlux
