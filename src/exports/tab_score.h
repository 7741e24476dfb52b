// SPDX-License-Identifier: MIT
// A document read as measured music: the notes each TAB plays, in measures of sixteenth notes,
// with the techniques its symbols spell. This is what the MusicXML writer writes out.
#pragma once

#include <string>
#include <vector>

#include "document/tab_document.h"
#include "document/tab_header.h"

namespace fretlux {

// One column of a TAB lasts one sixteenth note.
inline constexpr int kColumnsPerMeasureWithoutBars = 16;

// A technique that joins a note to the next note on its string.
enum class Link { None, HammerOn, PullOff, Slide };

struct ScoreNote {
    // TAB line 1..6: line 1 is the high E string, as notation programs number strings.
    int line = 0;
    int fret = 0;
    int finger = 0;     // 0 none, 1..4 fingers, 5 thumb
    bool dead = false;  // a muted string ("x"): a percussive hit without pitch
    Link linkToNext = Link::None;
    Link linkFromPrevious = Link::None;
    int bendSemitones = 0;  // 0: not bent
    bool vibrato = false;
};

// Notes that start together; no notes is a rest.
struct ScoreChord {
    int start = 0;   // sixteenths from the start of the measure
    int length = 0;  // sixteenths
    std::vector<ScoreNote> notes;
};

struct ScoreMeasure {
    int length = 0;                  // sixteenths
    std::vector<ScoreChord> chords;  // in time order, together filling the measure
    bool doubleBar = false;          // the tab closes it with two bar lines
};

struct ScoreTab {
    std::string label;  // the header's label, trimmed
    std::string text;
    TabSettings settings;  // the tempo, volume and patch it plays at
    std::vector<ScoreMeasure> measures;
};

// Reads every TAB of the document. A TAB whose header stores no settings plays at the settings
// of the TAB before it; the first such TAB at startSettings.
std::vector<ScoreTab> ReadScore(const TabDocument& document, const TabSettings& startSettings);

}  // namespace fretlux
