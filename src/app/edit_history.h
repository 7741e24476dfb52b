// SPDX-License-Identifier: MIT
// Undo and Redo: the document and the view as they stood before each change, kept as whole
// snapshots. A snapshot is simpler than an inverse for every command, and a document is small.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "document/tab_document.h"
#include "document/tab_header.h"

namespace fretlux {

// Everything a step gives back: the document, the TAB shown (0 for none) with the text of its
// label box, the cursor and the selection, and the settings bars, which hold the shown TAB's
// settings until it is left.
struct EditSnapshot {
    TabDocument document;
    int tabNumber = 0;
    std::string label;
    int cursorColumn = 0;
    int selectionLength = 0;
    TabSettings settings{0, 0, 0};
};

class EditHistory {
public:
    static constexpr std::size_t kMaxSteps = 200;

    // Takes the state before a change as the step Undo goes back to. Redo has nothing to redo
    // after a new change; beyond kMaxSteps the oldest step is forgotten.
    void Record(EditSnapshot before);
    // The state to go back to, or nothing; current is kept for Redo.
    std::optional<EditSnapshot> Undo(EditSnapshot current);
    // The state Undo left, or nothing; current is kept for Undo.
    std::optional<EditSnapshot> Redo(EditSnapshot current);
    // Forgets every step; the state now is the saved one.
    void Clear();
    // The state now is the document as loaded or last saved.
    void MarkSaved();
    // Whether Undo and Redo have come back to the saved state; a change made after undoing past
    // it, or the step of it forgotten beyond kMaxSteps, makes it unreachable.
    bool AtSavedPoint() const { return savedDepth_ == undo_.size(); }

    // Commands run inside other commands: only the outermost one's changes make a step.
    // EnterCommand is true for the outermost one.
    bool EnterCommand() { return depth_++ == 0; }
    void LeaveCommand() { --depth_; }
    bool InCommand() const { return depth_ > 0; }

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::size_t UndoSteps() const { return undo_.size(); }

private:
    std::deque<EditSnapshot> undo_;
    std::deque<EditSnapshot> redo_;
    // How many undo steps lie behind the saved state; nothing once no step leads back to it.
    std::optional<std::size_t> savedDepth_ = 0;
    int depth_ = 0;
};

}  // namespace fretlux
