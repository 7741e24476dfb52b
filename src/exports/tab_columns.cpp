// SPDX-License-Identifier: MIT
#include "exports/tab_columns.h"

#include <algorithm>
#include <string>

#include "document/rounding.h"
#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

constexpr int kHighestFret = 24;
// A bend whose target the tab does not write is taken as the usual whole step.
constexpr int kDefaultBendSemitones = 2;
constexpr char kDeadNoteSymbol = 'x';

// As the TAB view counts them: the last column index is the rounded line length / 5 - 2.
int ColumnCount(const TabBlock& block) {
    size_t longest = 0;
    for (int l = 1; l < kLinesPerTab; ++l) longest = std::max(longest, block[l].size());
    const int shown = std::min(static_cast<int>(longest), kShownLineLength);
    return shown < 2 ? 0 : std::max(RoundHalfEven(shown / 5.0 - 2) + 1, 0);
}

void AddCellNotes(std::string_view cell, int line, std::vector<ScoreNote>& notes) {
    bool sounds = false;
    for (const size_t slot : {size_t{1}, size_t{3}}) {
        const auto note = DecodeSlot(cell.substr(slot, 2));
        // Letters past "Y" name no fret of the guitar.
        if (note && note->sounding && note->fret <= kHighestFret) {
            notes.push_back({.line = line, .fret = note->fret, .finger = note->finger});
            sounds = true;
        }
    }
    if (!sounds && cell[0] == kDeadNoteSymbol) notes.push_back({.line = line, .dead = true});
}

Link LinkOfSymbol(char symbol) {
    switch (symbol) {
        case 'h':
            return Link::HammerOn;
        case 'p':
            return Link::PullOff;
        case '/':
        case '\\':
            return Link::Slide;
        default:
            return Link::None;
    }
}

ScoreNote* NoteOnLine(SoundingColumn& column, int line, bool last) {
    ScoreNote* found = nullptr;
    for (ScoreNote& note : column.notes) {
        if (note.line != line) continue;
        found = &note;
        if (!last) break;
    }
    return found;
}

void LinkLine(std::vector<SoundingColumn>& columns, int line) {
    ScoreNote* previous = nullptr;
    char pending = 0;
    size_t pendingColumn = 0;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (ScoreNote* note = NoteOnLine(columns[c], line, false)) {
            const bool joins = previous != nullptr && !note->dead;
            if (joins && LinkOfSymbol(pending) != Link::None) {
                previous->linkToNext = note->linkFromPrevious = LinkOfSymbol(pending);
            }
            if (joins && pending == 'b' && c == pendingColumn + 1 && note->fret > previous->fret) {
                previous->bendSemitones = note->fret - previous->fret;
            }
            previous = note->dead ? nullptr : NoteOnLine(columns[c], line, true);
            pending = 0;
            continue;
        }
        const char symbol = columns[c].symbols[line];
        if (IsDigit(symbol)) continue;  // the second digit of a fret
        if (previous != nullptr && symbol == '~') {
            previous->vibrato = true;
            continue;
        }
        if (previous != nullptr && pending == 0 &&
            (symbol == 'b' || LinkOfSymbol(symbol) != Link::None)) {
            if (symbol == 'b') previous->bendSemitones = kDefaultBendSemitones;
            pending = symbol;
            pendingColumn = c;
            continue;
        }
        previous = nullptr;
        pending = 0;
    }
}

}  // namespace

std::vector<SoundingColumn> ReadColumns(const TabBlock& block) {
    std::vector<SoundingColumn> columns(ColumnCount(block));
    for (size_t c = 0; c < columns.size(); ++c) {
        SoundingColumn& column = columns[c];
        for (int line = kLinesPerTab - 1; line >= 1; --line) {
            std::string cell = Mid(block[line], 6 + kCellWidth * static_cast<int>(c), kCellWidth);
            if (cell.size() != kCellWidth) cell.assign(kCellWidth, ' ');
            column.symbols[line] = cell[0];
            AddCellNotes(cell, line, column.notes);
        }
        column.bar = column.symbols[6] == '|' && column.symbols[1] == '|';
    }
    return columns;
}

void LinkTechniques(std::vector<SoundingColumn>& columns) {
    for (int line = 1; line < kLinesPerTab; ++line) LinkLine(columns, line);
}

}  // namespace fretlux
