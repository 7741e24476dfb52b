// SPDX-License-Identifier: MIT
#include "app/edit_history.h"

#include <utility>

namespace fretlux {

namespace {

// Moves the newest snapshot of from into the result and current onto to.
std::optional<EditSnapshot> Exchange(std::deque<EditSnapshot>& from, std::deque<EditSnapshot>& to,
                                     EditSnapshot current) {
    if (from.empty()) return std::nullopt;
    EditSnapshot taken = std::move(from.back());
    from.pop_back();
    to.push_back(std::move(current));
    return taken;
}

}  // namespace

void EditHistory::Record(EditSnapshot before) {
    if (savedDepth_ > undo_.size()) savedDepth_.reset();
    redo_.clear();
    undo_.push_back(std::move(before));
    if (undo_.size() > kMaxSteps) {
        undo_.pop_front();
        savedDepth_ = savedDepth_ > 0u ? std::optional(*savedDepth_ - 1) : std::nullopt;
    }
}

std::optional<EditSnapshot> EditHistory::Undo(EditSnapshot current) {
    return Exchange(undo_, redo_, std::move(current));
}

std::optional<EditSnapshot> EditHistory::Redo(EditSnapshot current) {
    return Exchange(redo_, undo_, std::move(current));
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
    savedDepth_ = 0;
}

void EditHistory::MarkSaved() { savedDepth_ = undo_.size(); }

}  // namespace fretlux
