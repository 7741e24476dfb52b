// SPDX-License-Identifier: MIT
// Notes other than the expected ones that began at a column's onsets, named from the risen peaks
// that no expected note explains: the harmonic series that explains them best, and in a chord a
// string a fret or two off.
#pragma once

#include <vector>

#include "listening/onset_look.h"

namespace fretlux {

// A partial of a note not expected began when it rose by 6 dB, since two close partials beating
// can rise by chance.
inline constexpr double kOtherRise = 2.0;
// Another note began when its partials, which no expected note explains, hold this share of all
// new energy.
inline constexpr double kOtherShare = 0.15;
// What a guitar in standard tuning can play, open low E to the high E string's 24th fret.
inline constexpr int kLowestGuitarNote = 40;
inline constexpr int kHighestGuitarNote = 88;

// The new energy that other notes' shares count from: all that rose at the onsets, or, where
// little rose, a share of everything that sounds after them. A note played holds a fair part of
// what sounds; where a string was struck again no louder than it rang, next to nothing rose, and a
// share of that would name a note from the knock of the guitar's body or the stir of a sample.
double OtherNotesTotal(const Look& look, double total);

// Notes other than expected whose partials rose, named from the peaks left unexplained. Where a
// chord was expected, a wrong string's higher partials may all be partials of the chord's notes
// (G2 struck with D3, G3 and B3): then its fundamental names it, when one of those partials rose
// and the fundamental holds as a string's does. A string a fret or two off whose first partials
// rose too little to name it, and one of its upper partials enough, is named at its fundamental.
std::vector<int> OtherNotes(const Look& look, const std::vector<int>& expected, double total);

// The other notes heard, ascending, without those that name a string heard under another name.
// A pitch detector, or the search for a series, slips to a note below the string, one that has no
// fundamental of its own; and a bright string's strong upper partials pass for notes above it. Of
// two notes where the higher is one of the lower's first partials, the higher goes where the
// lower's fundamental began, and the lower where nothing sounds at its fundamental; otherwise both
// stay. At least one note always stays, so a column heard wrong stays wrong.
std::vector<int> WithoutSlips(const Look& look, std::vector<int> others);

}  // namespace fretlux
