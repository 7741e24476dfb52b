// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <utility>

#include "app/fretlux_form.h"

namespace fretlux {

// Held by a command for as long as it runs: whatever the command changes in the document becomes
// one undo step. Commands run by another command belong to the outer one's step, and a command
// that changes nothing records nothing.
class UndoStep {
public:
    explicit UndoStep(FretluxForm& form) : form_(form), before_(form.BeginUndoStep()) {}
    ~UndoStep() { form_.EndUndoStep(std::move(before_)); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    FretluxForm& form_;
    std::optional<EditSnapshot> before_;
};

}  // namespace fretlux
