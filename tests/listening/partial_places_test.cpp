// SPDX-License-Identifier: MIT
// Which note a peak of the spectrum belongs to, as strings of a guitar stretch their partials:
// each by its own stiffness, which the note it sounds bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "listening/onset_look.h"
#include "listening/pitch_names.h"

namespace fretlux::testing {
namespace {

// The n-th partial of a string with inharmonicity coefficient b sounding note.
double StretchedPartial(int note, double b, int n) {
    return n * FrequencyOfNote(note) * std::sqrt((1.0 + b * n * n) / (1.0 + b));
}

TEST(PartialPlaces, AStringsPartialsAreItsOwnAsFarAsAGuitarStringCanStretchThem) {
    struct Case {
        int note;
        double b;  // the string's inharmonicity coefficient
        int n;
        int expected;  // the partial number the peak is taken for; 0 for none of the note's
        const char* what;
    };
    for (const Case& c : {
             Case{40, 2e-5, 24, 24, "the wound low E"},
             Case{55, 1.1e-4, 12, 12, "the open plain G"},
             Case{64, 3.1e-4, 15, 15, "E4 at the plain G's ninth fret"},
             Case{67, 4.4e-4, 12, 12, "G4 at the plain G's twelfth fret"},
             // A G3 this stiff would have to be stopped an octave up the plain G; the peak is
             // another note's (an A4's sixth partial lies there).
             Case{55, 4.2e-4, 13, 0, "G3 stretched as only G4 can be"},
             Case{45, 4.2e-4, 13, 0, "A2 stretched as no A2 string is"},
         }) {
        EXPECT_EQ(PartialNumber(StretchedPartial(c.note, c.b, c.n), c.note), c.expected) << c.what;
    }
}

// A guitar nobody has tuned for a while lies flat, every partial by as many cents as its string;
// a wrong note a whole tone up must still not lend this note a partial.
TEST(PartialPlaces, AStringTunedFlatKeepsItsPartialsButANoteAWholeToneUpLendsItNone) {
    const int e3 = 52;
    for (int n = 1; n <= kCountedPartials; ++n) {
        const double flat = n * FrequencyOfNote(e3) * std::exp2(-28.0 / 1200.0);
        EXPECT_EQ(PartialNumber(flat, e3), n) << "partial " << n << " of an E3 28 cents flat";
    }
    EXPECT_EQ(PartialNumber(7 * FrequencyOfNote(e3 + 2), e3), 0)
        << "F#3's seventh partial, 31 cents below E3's eighth";
}

}  // namespace
}  // namespace fretlux::testing
