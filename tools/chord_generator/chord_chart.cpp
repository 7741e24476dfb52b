// SPDX-License-Identifier: MIT
#include "chord_chart.h"

#include <array>
#include <string>

#include "chord_tones.h"
#include "chords/chord_names.h"
#include "document/render_fret_digits.h"
#include "document/tab_cell.h"
#include "familiar_shapes.h"
#include "voicing_search.h"

namespace fretlux::chordgen {

namespace {

constexpr int kColumns = 78;
constexpr int kColumnsPerHalf = 39;
constexpr int kColumnsPerVariation = 13;
constexpr int kChordColumn = 5;
constexpr int kBarColumn = 12;
constexpr int kBlocks = (kChordTypes + 1) / 2;
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kDash = "\xE2\x80\x94";  // an em dash, in UTF-8

// The root's pitch class (0 = C) and how it is spelled in chord tones: the flat names where a
// guitarist reads flats.
constexpr std::array<int, kChordRoots> kRootPitch = {9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr std::array<const char*, kChordRoots> kRootSpelling = {"A",  "Bb", "B", "C",  "C#", "D",
                                                                "Eb", "E",  "F", "F#", "G",  "Ab"};
constexpr std::string_view kLetters = "CDEFGAB";
constexpr std::array<int, 7> kLetterPitch = {0, 2, 4, 5, 7, 9, 11};

int LetterIndex(char letter) { return static_cast<int>(kLetters.find(letter)); }

// The note name of a chord tone: the letter its interval number counts up from the root's
// letter, with the sharps or flats that bring it to the tone's pitch.
std::string SpellTone(int root, const ChordTone& tone) {
    int number = 0;
    for (const char ch : tone.interval) {
        if (ch >= '0' && ch <= '9') number = number * 10 + (ch - '0');
    }
    const int letter = (LetterIndex(kRootSpelling[root][0]) + number - 1) % 7;
    const int pitch = (kRootPitch[root] + tone.semitones) % 12;
    const int offset = ((pitch - kLetterPitch[letter] + 18) % 12) - 6;
    std::string name(1, kLetters[letter]);
    for (int i = 0; i < offset; ++i) name += '#';
    for (int i = 0; i > offset; --i) name += 'b';
    return name;
}

std::string ChordName(int root, int type) {
    return std::string(kRootCaptions[root]) + " " + std::string(kChordTypeNames[type]);
}

// "x 0 2 2 2 0", low E string first.
template <typename PerString>
std::string StringList(const Frets& frets, PerString value) {
    std::string list;
    for (int s = 1; s <= kStringCount; ++s) {
        if (s > 1) list += ' ';
        list += frets[s] == kMuted ? "x" : std::to_string(value(s));
    }
    return list;
}

// Where the hand is, and the name guitarists give the shape when it is an open chord moved up.
std::string Position(int type, const Voicing& voicing) {
    for (int s = 1; s <= kStringCount; ++s) {
        if (voicing.frets[s] == 0) return "open position";
    }
    int barred = 0;
    for (int s = 1; s <= kStringCount; ++s) barred += voicing.fingers[s] == 1 ? 1 : 0;
    const std::string fret = std::to_string(LowestFret(voicing.frets));
    if (const auto letter = MovedOpenShape(type, voicing.frets)) {
        const std::string shape = std::string("the ") + *letter;
        return barred >= 2 ? shape + "-shape barre at fret " + fret
                           : shape + " shape from fret " + fret;
    }
    return barred >= 2 ? "barre at fret " + fret : "from fret " + fret;
}

std::string Description(int root, int type, const std::array<Voicing, kVariations>& voicings) {
    const ChordSpelling& spelling = SpellingOf(type);
    std::string intervals;
    std::string notes;
    for (const ChordTone& tone : spelling.tones) {
        intervals += (intervals.empty() ? "" : " ") + std::string(tone.interval);
        notes += (notes.empty() ? "" : " ") + SpellTone(root, tone);
    }
    std::string text = ChordName(root, type) + ": " + std::string(spelling.words) + " (" +
                       intervals + "): " + notes + kLineEnd;
    for (int v = 0; v < kVariations; ++v) {
        const Voicing& voicing = voicings[v];
        text += "  " + std::string(kVariationNames[v]) + ", " + Position(type, voicing) +
                ":  frets " + StringList(voicing.frets, [&](int s) { return voicing.frets[s]; }) +
                "   fingers " +
                StringList(voicing.frets, [&](int s) { return voicing.fingers[s]; }) + kLineEnd;
    }
    return text;
}

std::string ChordCell(const Voicing& voicing, int s) {
    if (voicing.frets[s] == kMuted) return "-    ";
    return std::string("-") + FretLetter(voicing.frets[s]) +
           AttributeLetter(voicing.fingers[s], true) + "  ";
}

// String line l (1 = high E) of a block: every variation's chord in its column, a bar line
// closing each variation of an existing type.
std::string StringLine(int l,
                       const std::array<const std::array<Voicing, kVariations>*, 2>& halves) {
    const int s = 7 - l;
    std::string line = HeaderCell(kStringLetters[l - 1]);
    for (int c = 0; c < kColumns; ++c) {
        const auto* chord = halves[c / kColumnsPerHalf];
        const int variation = (c % kColumnsPerHalf) / kColumnsPerVariation;
        const int offset = c % kColumnsPerVariation;
        if (chord != nullptr && offset == kChordColumn) {
            line += ChordCell((*chord)[variation], s);
        } else if (chord != nullptr && offset == kBarColumn) {
            line += "|    ";
        } else {
            line += "-    ";
        }
    }
    return line;
}

std::string Heading(int root) {
    const std::string name(kRootCaptions[root]);
    return "Chord chart of " + name + ": every chord type in three variations." + kLineEnd +
           "Each TAB holds two chord types side by side. Frets and fingers are listed" + kLineEnd +
           "from the low E string to the high E string: x = not played, 0 = open string." +
           kLineEnd + "A shape named after an open chord, such as the A-shape barre, is that" +
           kLineEnd + "chord moved up the neck, finger 1 pressing where its open strings were." +
           kLineEnd + kLineEnd;
}

}  // namespace

TabDocument ChordChart(int root) {
    TabDocument document;
    std::array<std::array<Voicing, kVariations>, kChordTypes> voicings;
    for (int type = 0; type < kChordTypes; ++type) {
        voicings[type] = ChooseVoicings(kRootPitch[root], type);
    }
    for (int b = 0; b < kBlocks; ++b) {
        const int left = 2 * b;
        const int right = left + 1;
        const bool hasRight = right < kChordTypes;
        std::array<const std::array<Voicing, kVariations>*, 2> halves = {
            &voicings[left], hasRight ? &voicings[right] : nullptr};
        TabBlock& block = document.tabLines[b];
        block[0] = ChordName(root, left);
        std::string& text = document.tabTexts[b];
        if (b == 0) text = Heading(root);
        text += Description(root, left, voicings[left]);
        if (hasRight) {
            block[0] += std::string(" ") + kDash + " " + ChordName(root, right);
            text += Description(root, right, voicings[right]);
        }
        for (int l = 1; l < kLinesPerTab; ++l) block[l] = StringLine(l, halves);
        document.tabCount = b + 1;
        RenderFretDigits(document, b);
    }
    return document;
}

}  // namespace fretlux::chordgen
