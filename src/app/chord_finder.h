// SPDX-License-Identifier: MIT
// The Chord Fast Finder as the window uses it: the user's choice, kept from one use to the next,
// and the chord it reads from the library.
#pragma once

#include <optional>

#include "app/host.h"
#include "chords/fast_find_form.h"

namespace fretlux {

// Declared only: its member named slots would clash with Qt's keyword in the windows that
// include the window's model.
struct ChordLoad;

class ChordFinder {
public:
    explicit ChordFinder(Host& host) : host_(host) {}

    // Shows the finder; the chord chosen, as read from its file, or nothing when the user gave up
    // the choice.
    std::optional<ChordLoad> Ask();

private:
    Host& host_;
    ChordChoice choice_;
};

}  // namespace fretlux
