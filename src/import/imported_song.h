// SPDX-License-Identifier: MIT
// A song as the foreign formats hold it, reduced to what a TAB can show: per track, the notes of
// every bar with their onsets, and per bar the time, repeats, tempo and marker all tracks share.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace fretlux {

// Onsets and lengths are counted in ticks of a quarter note, fine enough for triplets and
// quintuplets of thirty-seconds.
inline constexpr int kTicksPerQuarter = 960;

enum class Slide { None, Shift, OutDown, OutUp };

struct ImportedNote {
    int string = 0;  // 1 = the highest string of the track, 0 = not given (only the pitch is)
    int fret = 0;
    int pitch = 0;      // sounding MIDI note number
    bool tied = false;  // continues the previous note on its string, is not struck again
    bool dead = false;
    bool hammerOrPull = false;  // legato to the next note on the string
    Slide slide = Slide::None;
    bool bend = false;
    bool vibrato = false;
    // A grace note struck just before on the same string, this many semitones from the note.
    std::optional<int> graceInterval;
};

struct ImportedChord {
    int onset = 0;  // ticks from the start of the bar
    std::vector<ImportedNote> notes;
};

struct ImportedBar {
    std::vector<ImportedChord> chords;
};

struct ImportedTrack {
    std::string name;
    std::vector<int> tuning;  // MIDI note numbers of the open strings, lowest string first
    int capo = 0;
    bool percussion = false;
    int patch = 24;
    std::optional<int> volume;                        // 0..127
    std::vector<ImportedBar> bars;                    // one per master bar
    std::vector<std::pair<int, std::string>> lyrics;  // bar index and the words sung from it
};

// Where a bar sends the player once, at its end, the first time it is played.
enum class JumpBack { None, ToStart, ToSegno };

struct MasterBar {
    int numerator = 4;
    int denominator = 4;
    int length = 4 * kTicksPerQuarter;
    bool repeatStart = false;
    int repeatPlays = 0;  // how often the section closed here is played; 0 = no repeat closes here
    unsigned alternateEndings = 0;  // bit n - 1 set: played on pass n
    std::string marker;
    std::optional<int> tempo;  // quarter notes per minute from this bar on
    // Navigation: after a jump back (da capo, dal segno), repeats are not taken again, "to coda"
    // goes to the coda and fine ends the song.
    bool segno = false;
    bool coda = false;
    bool toCoda = false;
    bool fine = false;
    JumpBack jumpBack = JumpBack::None;
};

struct ImportedSong {
    std::string title;
    std::string artist;
    std::string author;
    int tempo = 120;
    std::vector<MasterBar> bars;
    std::vector<ImportedTrack> tracks;
};

// Bars times tracks a song may hold: far beyond any real score, and a bound on the memory a
// file that lies about its size can take.
inline constexpr size_t kMaxTrackBars = 1u << 22;

// A file of a known format that cannot be read; what() names the problem for the user.
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace fretlux
