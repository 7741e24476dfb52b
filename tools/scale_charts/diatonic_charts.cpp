// SPDX-License-Identifier: MIT
// The seven-note scales (A major, A natural minor, the modes of F major) in their positions up
// the neck, and the eight-note diminished scale, whose shape repeats every three frets.
#include <set>

#include "fretboard/tuning.h"
#include "scale_chart.h"

namespace fretlux::charts {

namespace {

constexpr int kTempo = 70;

// Pitch classes, C = 0.
const std::set<int> kFMajor = {5, 7, 9, 10, 0, 2, 4};

// Three notes per string from the root on the low E string: eighteen notes of the scale in a
// row, the next three on each string. A whole step then a half step is fingered 1, 3, 4; the
// other pairs of steps 1, 2, 4.
Shape ThreeNotesPerString(int rootFret, const std::set<int>& pitchClasses) {
    const Tuning tuning;
    Shape shape;
    int pitch = tuning.Pitch(1, rootFret);
    for (int string = 0; string < 6; ++string) {
        int frets[3];
        for (int& fret : frets) {
            fret = pitch - tuning.Pitch(string + 1, 0);
            do ++pitch;
            while (!pitchClasses.contains(pitch % 12));
        }
        const bool wholeThenHalf = frets[1] - frets[0] == 2 && frets[2] - frets[1] == 1;
        const int fingers[3] = {1, wholeThenHalf ? 3 : 2, 4};
        for (int i = 0; i < 3; ++i) shape[string].push_back({frets[i], fingers[i]});
    }
    return shape;
}

const char* const kFromTheSixthString =
    "Played three notes per string from its root on the 6th string. A whole step followed by a "
    "half step is fingered 1, 3, 4; a half step followed by a whole step, or two whole steps, "
    "1, 2, 4.";

}  // namespace

Chart AMajorChart() {
    return {
        kTempo,
        kNylonGuitar,
        "How it is built: the A major scale has seven notes, A B C# D E F# G#, made of whole "
        "steps (W) and half steps (H) in the order W W H W W W H. Its key signature has three "
        "sharps: F#, C# and G#.\n\n"
        "What it is for: melodies and chords in A major are made of it, and every other scale is "
        "described by how it differs from the major scale. Play it to learn the key, to find "
        "tunes by ear and to practise clean, even notes.\n\n"
        "The five positions follow the five chord shapes of the CAGED system: in each, the root "
        "A lies where that chord shape has its root.",
        {
            {"A Major - Position II, G shape (frets 1 to 5)",
             ParseShape({"2/1 4/3 5/4", "2/1 4/3 5/4", "2/1 4/3", "1/1 2/2 4/4", "2/1 3/2 5/4",
                         "2/1 4/3 5/4"}),
             "Position II puts the index finger at fret 2, one finger per fret. The root A is on "
             "the 6th and 1st strings at fret 5, under the little finger, and on the 3rd string "
             "at fret 2.\n\n"
             "On the 3rd string the index finger drops back to fret 1 for G#, the seventh note, "
             "which leads up to A a half step above."},
            {"A Major - Position IV, E shape (frets 4 to 7)",
             ParseShape({"4/1 5/2 7/4", "4/1 5/2 7/4", "4/1 6/3 7/4", "4/1 6/3 7/4", "5/2 7/4",
                         "4/1 5/2 7/4"}),
             "Position IV puts the index finger at fret 4. The root A is under the middle finger "
             "on the 6th and 1st strings at fret 5 and under the little finger on the 4th string "
             "at fret 7, as in an E-shape barre chord at the 5th fret.\n\n"
             "There is no stretch in this position: a good one to play every day."},
            {"A Major - Position VII, D shape (frets 6 to 10)",
             ParseShape({"7/1 9/3 10/4", "7/1 9/3", "6/1 7/2 9/4", "6/1 7/2 9/4", "7/1 9/3 10/4",
                         "7/1 9/3 10/4"}),
             "Position VII puts the index finger at fret 7; on the 4th and 3rd strings it reaches "
             "back to fret 6 for G# and C#.\n\n"
             "The root A is on the 4th string at fret 7 and on the 2nd string at fret 10, as in "
             "a D-shape chord."},
            {"A Major - Position IX, C shape (frets 9 to 12)",
             ParseShape({"9/1 10/2 12/4", "9/1 11/3 12/4", "9/1 11/3 12/4", "9/1 11/3",
                         "9/1 10/2 12/4", "9/1 10/2 12/4"}),
             "Position IX puts the index finger at fret 9, one finger per fret and no stretch.\n\n"
             "The root A is on the 5th string at fret 12 under the little finger and on the 2nd "
             "string at fret 10, as in a C-shape chord."},
            {"A Major - Position XI, A shape (frets 11 to 15)",
             ParseShape({"12/2 14/4", "11/1 12/2 14/4", "11/1 12/2 14/4", "11/1 13/3 14/4",
                         "12/1 14/3 15/4", "12/1 14/3"}),
             "Position XI puts the index finger at fret 11; on the two highest strings the hand "
             "moves up one fret.\n\n"
             "The root A is on the 5th string at fret 12 and on the 3rd string at fret 14, as in "
             "an A-shape barre chord at the 12th fret."},
        },
    };
}

Chart AMinorChart() {
    return {
        kTempo,
        kNylonGuitar,
        "How it is built: the A natural minor scale, also called the Aeolian mode, has seven "
        "notes, A B C D E F G, with the steps W H W W H W W. Counted from A: 1, 2, b3, 4, 5, b6, "
        "b7. It has the same notes as C major, its relative major, with no sharps or flats; only "
        "the home note and the home chord differ.\n\n"
        "What it is for: melodies and solos in A minor, in pop, rock, folk and classical music, "
        "over the chords Am, Dm, Em, F, G and C. Compare it with the A Major chart: the lowered "
        "third, sixth and seventh give the minor scale its darker colour.",
        {
            {"A Minor - Open position (frets 0 to 3)",
             ParseShape({"0/0 1/1 3/3", "0/0 2/2 3/3", "0/0 2/2 3/3", "0/0 2/2", "0/0 1/1 3/3",
                         "0/0 1/1 3/3"}),
             "In the open position every string starts open, and the fingers play fret 1 with the "
             "index, fret 2 with the middle finger and fret 3 with the ring finger.\n\n"
             "The root A is the open 5th string and the 3rd string at fret 2. These are the "
             "notes a classical guitarist learns first, the same notes as C major."},
            {"A Minor - Position V (frets 4 to 8)",
             ParseShape({"5/1 7/3 8/4", "5/1 7/3 8/4", "5/1 7/3", "4/1 5/2 7/4", "5/1 6/2 8/4",
                         "5/1 7/3 8/4"}),
             "Position V puts the index finger at fret 5, over the root A on the 6th string; on "
             "the 3rd string it reaches back to fret 4 for B.\n\n"
             "The root A is on the 6th and 1st strings at fret 5 and on the 4th string at fret "
             "7."},
            {"A Minor - Position VII (frets 7 to 10)",
             ParseShape({"7/1 8/2 10/4", "7/1 8/2 10/4", "7/1 9/3 10/4", "7/1 9/3 10/4", "8/2 10/4",
                         "7/1 8/2 10/4"}),
             "Position VII puts the index finger at fret 7, one finger per fret and no stretch.\n\n"
             "The root A is on the 4th string at fret 7 and on the 2nd string at fret 10."},
            {"A Minor - Position X (frets 9 to 13)",
             ParseShape({"10/1 12/3 13/4", "10/1 12/3", "9/1 10/2 12/4", "9/1 10/2 12/4",
                         "10/1 12/3 13/4", "10/1 12/3 13/4"}),
             "Position X puts the index finger at fret 10; on the 4th and 3rd strings it reaches "
             "back to fret 9.\n\n"
             "The root A is on the 5th string at fret 12 and on the 2nd string at fret 10."},
            {"A Minor - Position XII (frets 12 to 15)",
             ParseShape({"12/1 13/2 15/4", "12/1 14/3 15/4", "12/1 14/3 15/4", "12/1 14/3",
                         "12/1 13/2 15/4", "12/1 13/2 15/4"}),
             "Position XII is the open position an octave higher: the index finger on fret 12 "
             "takes the place of the open strings.\n\n"
             "The root A is on the 5th string at fret 12 and on the 3rd string at fret 14."},
        },
    };
}

Chart ADiminishedChart() {
    const Shape fromA = ParseShape(
        {"5/1 7/3 8/4", "5/1 6/2 8/4", "4/1 6/3 7/4", "4/1 5/2 7/4", "4/1 6/3 7/4", "4/1 5/2 7/4"});
    return {
        kTempo,
        kSteelGuitar,
        "How it is built: the diminished scale has eight notes, alternating whole and half "
        "steps. This chart plays its whole-half form from A: A B C D D# F F# G# (D# is also "
        "written Eb, G# Ab). Counted from A: 1, 2, b3, 4, b5, b6, 6, 7. It is two diminished "
        "seventh chords a whole step apart, A C D# F# and B D F G#. Because its steps repeat "
        "every minor third, the scale from C, from D# and from F# holds the same eight notes.\n\n"
        "What it is for: lines over diminished seventh chords in jazz (A dim7, C dim7, Eb dim7 "
        "and F# dim7 are one and the same chord), and tense, symmetrical runs in jazz, metal "
        "and film music. The same notes started from G#, B, D or F (the half-whole form) fit "
        "the dominant chords G#7, B7, D7 and F7 with a flattened ninth.\n\n"
        "Because the scale repeats every three frets, so does its fingering: each position here "
        "is the same three-notes-per-string shape moved three frets up.",
        {
            {"A Diminished - From A, 5th position (frets 4 to 8)", fromA,
             "This position starts on the root A on the 6th string at fret 5 and plays three "
             "notes per string. On the 6th and 5th strings the index finger is at fret 5; from "
             "the 4th string up it moves back to fret 4.\n\n"
             "The fingering follows the steps: a whole step then a half step is played with "
             "fingers 1, 3 and 4, a half step then a whole step with fingers 1, 2 and 4."},
            {"A Diminished - From C, 8th position (frets 7 to 11)", Shifted(fromA, 3),
             "The same shape three frets higher starts on C, on the 6th string at fret 8, and "
             "holds exactly the same eight notes.\n\n"
             "Play it after the first position and compare: the sound of the scale does not "
             "change, which is why a diminished line can move up or down by three frets at any "
             "time."},
            {"A Diminished - From D#, 11th position (frets 10 to 14)", Shifted(fromA, 6),
             "Three frets higher again, the shape starts on D# (Eb) on the 6th string at fret "
             "11.\n\n"
             "The root A is now on the 5th string at fret 12 and on the 3rd string at fret 14."},
            {"A Diminished - From F#, 14th position (frets 13 to 17)", Shifted(fromA, 9),
             "The last move of three frets starts the shape on F# at fret 14; three frets more "
             "would bring back the first position an octave higher.\n\n"
             "The root A is on the 6th string at fret 17 and on the 3rd string at fret 14."},
        },
    };
}

Chart FModesChart() {
    const auto mode = [](const char* label, int rootFret, const char* text) {
        return Position{label, ThreeNotesPerString(rootFret, kFMajor),
                        std::string(text) + "\n\n" + kFromTheSixthString};
    };
    return {
        kTempo,
        kNylonGuitar,
        "How they are built: the seven modes of F major use the same seven notes, F G A Bb C D "
        "E, each starting from another one of them. The starting note becomes the home note, "
        "and the order of whole and half steps from it gives each mode its own colour.\n\n"
        "What they are for: each mode suits music built on its own home chord. Ionian for major "
        "keys, Dorian for minor grooves in rock, funk and jazz, Phrygian for Spanish and metal "
        "sounds, Lydian for bright, floating melodies, Mixolydian for blues-rock and folk over a "
        "dominant chord, Aeolian for minor keys, Locrian over a half-diminished chord.\n\n"
        "One TAB per mode: from the second TAB on, the modes climb the neck, each from its root "
        "on the 6th string.",
        {
            {"F Ionian (the major scale) - 1st position (frets 0 to 3)",
             ParseShape({"1/1 3/3", "0/0 1/1 3/3", "0/0 2/2 3/3", "0/0 2/2 3/3", "1/1 3/3",
                         "0/0 1/1 3/3"}),
             "F Ionian is the F major scale itself: F G A Bb C D E, steps W W H W W W H, degrees "
             "1 2 3 4 5 6 7. Home chord: F major.\n\n"
             "Here it is played in the first position with the open strings, one finger per "
             "fret, from the low F on the 6th string at fret 1 up to G on the 1st string and "
             "back."},
            mode("G Dorian - 3rd position (frets 3 to 8)", 3,
                 "G Dorian starts F major on its second note: G A Bb C D E F, steps W H W W W H W, "
                 "degrees 1 2 b3 4 5 6 b7. It is a minor scale with a major sixth (E), brighter "
                 "than the natural minor. Home chord: G minor (Gm7)."),
            mode("A Phrygian - 5th position (frets 5 to 10)", 5,
                 "A Phrygian starts on the third note: A Bb C D E F G, steps H W W W H W W, "
                 "degrees 1 b2 b3 4 5 b6 b7. The half step from A up to Bb gives it its dark, "
                 "Spanish sound. Home chord: A minor."),
            mode("Bb Lydian - 6th position (frets 6 to 12)", 6,
                 "Bb Lydian starts on the fourth note: Bb C D E F G A, steps W W W H W W H, "
                 "degrees 1 2 3 #4 5 6 7. It is a major scale with a raised fourth (E), bright "
                 "and floating, often heard in film music and jazz. Home chord: Bb major "
                 "(Bbmaj7)."),
            mode("C Mixolydian - 8th position (frets 8 to 13)", 8,
                 "C Mixolydian starts on the fifth note: C D E F G A Bb, steps W W H W W H W, "
                 "degrees 1 2 3 4 5 6 b7. It is a major scale with a lowered seventh (Bb), the "
                 "sound of blues-rock, folk and country over a dominant chord. Home chord: C7."),
            mode("D Aeolian - 10th position (frets 10 to 15)", 10,
                 "D Aeolian starts on the sixth note: D E F G A Bb C, steps W H W W H W W, "
                 "degrees 1 2 b3 4 5 b6 b7. It is the natural minor scale: D minor is the "
                 "relative minor of F major and shares its key signature of one flat. Home "
                 "chord: D minor."),
            mode("E Locrian - 12th position (frets 12 to 17)", 12,
                 "E Locrian starts on the seventh note: E F G A Bb C D, steps H W W H W W W, "
                 "degrees 1 b2 b3 4 b5 b6 b7. With its flattened fifth it has no stable home "
                 "chord; it is played over the half-diminished chord Em7b5, which in jazz often "
                 "leads to A7 and D minor. After it the cycle starts again with F Ionian, an "
                 "octave above the first TAB."),
        },
    };
}

}  // namespace fretlux::charts
