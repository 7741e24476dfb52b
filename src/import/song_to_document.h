// SPDX-License-Identifier: MIT
// Turns one track of an imported song into TABs that play as the song does: repeats played out,
// every grid step two columns, a bar line closing every bar, whole bars per TAB.
#pragma once

#include <string>
#include <vector>

#include "document/tab_document.h"
#include "document/tab_header.h"
#include "import/imported_song.h"

namespace fretlux {

inline constexpr int kTabColumns = 78;

struct ConvertedSong {
    TabDocument document;
    std::string notice;  // what the user must be told, such as a song cut at 101 TABs
};

// settings gives the volume for a track whose file names none, and the patch's fallback.
ConvertedSong SongToDocument(const ImportedSong& song, size_t trackIndex,
                             const TabSettings& startSettings);

// The master bars in the order the song plays them, repeats and alternate endings played out,
// at most limit of them.
std::vector<size_t> PlayedBarOrder(const std::vector<MasterBar>& bars, size_t limit);

// The coarsest of eighth, sixteenth and thirty-second note (in ticks) that puts every onset of
// the track within a tenth of a step of a grid point; thirty-seconds when none does.
int GridStep(const ImportedTrack& track);

bool IsStandardGuitar(const ImportedTrack& track);

// The name of a MIDI note with its octave, sharps for black keys: 40 is "E2".
std::string PitchName(int pitch);

}  // namespace fretlux
