// SPDX-License-Identifier: MIT
// Turns a step's music, written compactly, into the columns of a TAB.
//
// Tokens, separated by blanks:
//   A3:2+e0       one column of notes, joined by "+" (see ParseNote)
//   [C]           the chord named C, every note of it at once
//   [C]@folk      the chord played to the rhythm named folk, whose items are D (the whole
//                 chord), U (its three highest strings, an up-stroke), B (its bass note),
//                 A (the note on the string above the bass), T (its highest note), i, m, a (its
//                 notes on the G, B and high E strings), items joined by "+" sounding together,
//                 and "." a rest
//   -             a rest
//   |             a bar line
//   h p / \ b     hammer-on, pull-off, slide up, slide down, bend, written on the strings of
//                 the notes before it
//   len=N         from here on, a note, chord, rest or rhythm item lasts N columns
//   X*N           the note, chord or rest X lasts N times as long
//   { ... }*N     the group N times;  { ... }~  the group, then back down it
#pragma once

#include <array>
#include <string>
#include <vector>

#include "lesson_builder/lesson_source.h"

namespace fretlux::lessons {

// The six cells of one column, index 1..6 being TAB lines 1 (high E) .. 6 (low E).
using Column = std::array<std::string, 7>;

// The columns of the music, as many as it takes; throws std::runtime_error on a mistake in it, or
// on a bar line first or twice in a row.
std::vector<Column> CompileMusic(const LessonSource& lesson, const std::vector<std::string>& music);

// Whether a column is a bar line.
bool IsBarColumn(const Column& column);

}  // namespace fretlux::lessons
