// SPDX-License-Identifier: MIT
// The Chords menu: a root's chord file browsed as the document, and the Chord Fast Finder, which
// shows one chord of the library on the fretboard and sounds it.
#include "app/fretlux_form.h"
#include "chords/chord_names.h"
#include "chords/load_chord.h"
#include "document/strings.h"

namespace fretlux {

namespace {

// Browsing opens at TAB 14, the block of "Major" and "Maj11", when the file reaches it.
constexpr int kMajorTabNumber = 14;

}  // namespace

void FretluxForm::BrowseChords(int index) {
    if (!LoadDocument(ChordFileName(host_.ProgramDirectory(), index), BaseTitle() + "  Chords")) {
        return;
    }
    if (controls_.hscTAB.Max() > kMajorTabNumber) controls_.hscTAB.SetValue(kMajorTabNumber);
    if (ShowsTab()) ShowCurrentTab();
}

void FretluxForm::FindChord() {
    board_.Clear();
    const std::optional<ChordLoad> load = chordFinder_.Ask();
    if (!load) return;
    if (load->slots) board_.TakeColumn(*load->slots);
    if (load->error) file_.ShowOpenError(*load->error);
    board_.ShowColumn(player_.Playing());
}

}  // namespace fretlux
