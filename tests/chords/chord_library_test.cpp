// SPDX-License-Identifier: MIT
// Every voicing of the twelve shipped chord files, read back with a reader of this test's own
// (six string lines holding "--" make a block; the chord of type t, variation v stands in the
// cell at column 13v + 5 + 39(t mod 2) of block t / 2) and judged by a guitarist's rules: the
// chord's tones and no others, one hand's reach, four fingers with a flat index barre, fingers
// and fret digits shown, the root in the bass, and three different shapes climbing the neck.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chords/load_chord.h"
#include "document/tab_file_reader.h"

namespace fretlux {
namespace {

struct RootFile {
    const char* name;     // as in the file name
    const char* caption;  // as the label shows it
    int pitchClass;       // 0 = C
};

constexpr RootFile kRoots[] = {{"A", "A", 9},      {"A#", "A#/Bb", 10}, {"B", "B", 11},
                               {"C", "C", 0},      {"C#", "C#/Db", 1},  {"D", "D", 2},
                               {"D#", "D#/Eb", 3}, {"E", "E", 4},       {"F", "F", 5},
                               {"F#", "F#/Gb", 6}, {"G", "G", 7},       {"G#", "G#/Ab", 8}};

// Semitones above the root; a star marks a tone the chord must sound.
struct TypeTones {
    const char* name;
    const char* tones;
};

constexpr TypeTones kTypes[] = {
    {"+5", "*0 *4 *8"},           {"11", "*0 4 7 *10 2 *5"},  {"11+", "*0 *4 7 *10 2 *6"},
    {"13", "*0 *4 7 *10 2 5 *9"}, {"6", "*0 *4 7 *9"},        {"6.9", "*0 *4 7 *9 *2"},
    {"7", "*0 *4 7 *10"},         {"7+5", "*0 *4 *8 *10"},    {"7+5(-9)", "*0 *4 *8 *10 *1"},
    {"7-10", "*0 *4 7 *10 *3"},   {"7-5", "*0 *4 *6 *10"},    {"7-9", "*0 *4 7 *10 *1"},
    {"7sus4", "*0 *5 7 *10"},     {"9", "*0 *4 7 *10 *2"},    {"9+5", "*0 *4 *8 *10 *2"},
    {"dim", "*0 *3 *6 *9"},       {"minor", "*0 *3 *7"},      {"m+5", "*0 *3 *8"},
    {"m+7", "*0 *3 7 *11"},       {"m6", "*0 *3 7 *9"},       {"m6.9", "*0 *3 7 *9 *2"},
    {"m7", "*0 *3 7 *10"},        {"m7-5", "*0 *3 *6 *10"},   {"m7-9", "*0 *3 7 *10 *1"},
    {"m9", "*0 *3 7 *10 *2"},     {"m9+7", "*0 *3 7 *11 *2"}, {"Major", "*0 *4 *7"},
    {"Maj11", "*0 4 7 *11 2 *5"}, {"Maj7", "*0 *4 7 *11"},    {"Maj9", "*0 *4 7 *11 *2"},
    {"sus2", "*0 *2 *7"},         {"sus4", "*0 *5 *7"},       {"aug", "*0 *4 *8"},
};

constexpr int kOpenPitch[7] = {0, 40, 45, 50, 55, 59, 64};  // by string number, 1 = low E

std::string DataFile(const std::string& root) {
    return std::string(FRETLUX_DATA_DIR) + "/Chord" + root + ".flx";
}

// The string lines of each block, line 1 (high E) first.
std::vector<std::array<std::string, 6>> ReadBlocks(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::array<std::string, 6>> blocks;
    std::array<std::string, 6> run;
    int length = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() <= 4) continue;
        if (line.find("--") == std::string::npos) {
            length = 0;
            continue;
        }
        run[length++] = line;
        if (length == 6) {
            blocks.push_back(run);
            length = 0;
        }
    }
    return blocks;
}

struct StringNote {
    bool sounds = false;
    int fret = 0;
    int finger = 0;
};

// One chord: per string number 1..6, and the cells as read.
struct Chord {
    std::array<StringNote, 7> strings;
    std::array<std::string, 7> cells;
    std::array<char, 7> nextSymbol{};
};

Chord ReadChord(const std::array<std::string, 6>& block, int type, int variation) {
    const int column = 13 * variation + 5 + 39 * (type % 2);
    Chord chord;
    for (int line = 1; line <= 6; ++line) {
        const int s = 7 - line;
        const std::string& text = block[line - 1];
        chord.cells[s] = text.substr(5 * column + 5, 5);
        chord.nextSymbol[s] = text[5 * column + 10];
        const std::string& cell = chord.cells[s];
        if (cell[1] == ' ') continue;
        chord.strings[s] = {true, cell[1] - 'A', cell[2] - 'H'};
    }
    return chord;
}

// Per string, low E first, its fret (or its finger), "x" when muted.
std::string Frets(const Chord& chord, bool fingers = false) {
    std::string text;
    for (int s = 1; s <= 6; ++s) {
        const StringNote& note = chord.strings[s];
        text += note.sounds ? std::to_string(fingers ? note.finger : note.fret) : "x";
    }
    return text;
}

int LowestPressed(const Chord& chord) {
    int lowest = 99;
    for (int s = 1; s <= 6; ++s) {
        const StringNote& note = chord.strings[s];
        if (note.sounds && note.fret > 0) lowest = std::min(lowest, note.fret);
    }
    return lowest == 99 ? 0 : lowest;
}

bool HasOpenString(const Chord& chord) {
    for (int s = 1; s <= 6; ++s) {
        if (chord.strings[s].sounds && chord.strings[s].fret == 0) return true;
    }
    return false;
}

// The rule a chord breaks, or "" when it is a good voicing.
std::string Fault(const Chord& chord, int rootPitchClass, const TypeTones& type) {
    std::map<int, bool> tones;  // pitch class -> defining
    std::istringstream list(type.tones);
    for (std::string tone; list >> tone;) {
        const bool defining = tone[0] == '*';
        tones[(rootPitchClass + std::stoi(defining ? tone.substr(1) : tone)) % 12] = defining;
    }
    std::set<int> heard;
    int sounding = 0, first = 0, last = 0, lowestPitch = 999, bassClass = -1;
    int lowFret = 99, highFret = 0;
    for (int s = 1; s <= 6; ++s) {
        const std::string& cell = chord.cells[s];
        if (cell.substr(3) != "  ") return "a second note on string " + std::to_string(s);
        const StringNote& note = chord.strings[s];
        if (!note.sounds) {
            if (cell.substr(1) != "    ") return "a broken cell";
            continue;
        }
        if (note.finger < 0 || note.finger > 5) return "a silent note";
        if (note.fret == 0 && note.finger != 0) return "a finger on an open string";
        if (note.fret > 0 && (note.finger < 1 || note.finger > 4)) return "a fret without finger";
        const int pitch = kOpenPitch[s] + note.fret;
        if (!tones.count(pitch % 12)) return "a note outside the chord";
        heard.insert(pitch % 12);
        ++sounding;
        if (first == 0) first = s;
        last = s;
        if (pitch < lowestPitch) {
            lowestPitch = pitch;
            bassClass = pitch % 12;
        }
        if (note.fret > 0) {
            lowFret = std::min(lowFret, note.fret);
            highFret = std::max(highFret, note.fret);
        }
        // The symbol is the fret's first digit, the next cell's the second of a two-digit fret.
        const std::string digits = std::to_string(note.fret);
        if (cell[0] != digits[0]) return "a wrong fret digit";
        if (digits.size() == 2 && chord.nextSymbol[s] != digits[1]) return "a lost second digit";
    }
    if (sounding < 3) return "fewer than three strings";
    for (const auto& [pitchClass, defining] : tones) {
        if (defining && !heard.count(pitchClass)) return "a defining tone missing";
    }
    if (bassClass != rootPitchClass) return "the root not in the bass";
    if (last - first + 1 - sounding > 1) return "two muted strings inside the chord";
    if (highFret > 0 && highFret - lowFret > 3) return "more than four frets";
    for (int a = 1; a <= 6; ++a) {
        const StringNote& x = chord.strings[a];
        if (!x.sounds || x.fret == 0) continue;
        for (int b = a + 1; b <= 6; ++b) {
            const StringNote& y = chord.strings[b];
            if (!y.sounds || y.fret == 0) continue;
            if ((x.fret < y.fret) != (x.finger < y.finger) && x.fret != y.fret) {
                return "fingers out of the order of the frets";
            }
            if (x.finger != y.finger) continue;
            if (x.fret != y.fret) return "one finger on two frets";
            for (int between = a + 1; between < b; ++between) {
                const StringNote& z = chord.strings[between];
                if (!z.sounds || z.fret < x.fret) return "a barre over a lower or muted string";
            }
        }
    }
    return "";
}

TEST(ChordLibraryTest, EveryVoicingIsAPlayableChordWithItsFingersAndTheVariationsClimb) {
    int checked = 0;
    for (const RootFile& root : kRoots) {
        const std::string path = DataFile(root.name);
        const auto blocks = ReadBlocks(path);
        ASSERT_EQ(blocks.size(), 17u) << path;
        for (int type = 0; type < 33; ++type) {
            const std::string name = std::string(root.name) + " " + kTypes[type].name;
            std::array<Chord, 3> variations;
            for (int v = 0; v < 3; ++v) {
                variations[v] = ReadChord(blocks[type / 2], type, v);
                EXPECT_EQ(Fault(variations[v], root.pitchClass, kTypes[type]), "")
                    << name << " variation " << v + 1 << ": " << Frets(variations[v]);
                // LoadChord takes exactly these four characters.
                const ChordLoad load = LoadChordFile(path, type, v);
                ASSERT_TRUE(load.slots) << name;
                for (int s = 1; s <= 6; ++s) {
                    EXPECT_EQ((*load.slots)[s], variations[v].cells[s].substr(1)) << name;
                }
                ++checked;
            }
            EXPECT_LT(LowestPressed(variations[0]), LowestPressed(variations[1])) << name;
            EXPECT_LT(LowestPressed(variations[1]), LowestPressed(variations[2])) << name;
            EXPECT_FALSE(HasOpenString(variations[1]) || HasOpenString(variations[2])) << name;
        }
        // Block 16 holds "aug" alone.
        for (const std::string& line : blocks[16]) {
            EXPECT_EQ(line.find_first_not_of("- ", 200), std::string::npos) << path;
        }
    }
    EXPECT_EQ(checked, 1188);
}

TEST(ChordLibraryTest, TheChordsEveryGuitaristKnowsHaveTheirUsualShapesAndFingers) {
    struct Known {
        const char* root;
        int type;
        int variation;
        const char* frets;
        const char* fingers;
    };
    const Known known[] = {
        {"E", 26, 0, "022100", "023100"}, {"A", 26, 0, "x02220", "x01230"},
        {"C", 26, 0, "x32010", "x32010"}, {"D", 26, 0, "xx0232", "xx0132"},
        {"G", 26, 0, "320003", "210003"}, {"F", 26, 0, "133211", "134211"},
        {"A", 16, 0, "x02210", "x02310"}, {"D", 16, 0, "xx0231", "xx0231"},
        {"E", 16, 0, "022000", "023000"}, {"C", 16, 0, "x35543", "x13421"},
        {"G", 16, 0, "355333", "134111"}, {"A", 6, 0, "x02020", "x01020"},
        {"E", 6, 0, "020100", "020100"},  {"C", 6, 0, "x32310", "x32410"},
        {"B", 6, 0, "x21202", "x21304"},  {"F", 28, 0, "xx3210", "xx3210"},
        {"B", 28, 0, "x2434x", "x1324x"}, {"C", 21, 0, "x35343", "x13121"},
        {"G", 21, 0, "353333", "131111"}, {"A", 31, 0, "x02230", "x01230"},
        {"E", 31, 0, "022200", "023400"}, {"B", 22, 1, "x2323x", "x1324x"},
        {"A", 26, 1, "577655", "134211"}, {"G", 26, 1, "355433", "134211"},
    };
    for (const Known& chord : known) {
        const auto blocks = ReadBlocks(DataFile(chord.root));
        ASSERT_EQ(blocks.size(), 17u);
        const Chord read = ReadChord(blocks[chord.type / 2], chord.type, chord.variation);
        EXPECT_EQ(Frets(read) + " " + Frets(read, true),
                  std::string(chord.frets) + " " + chord.fingers)
            << chord.root << " " << kTypes[chord.type].name;
    }
    // A barre moved up from an open chord is named after it.
    const TabReadResult c = ReadTabFile(DataFile("C"), TabForm::Enhanced);
    ASSERT_FALSE(c.error);
    EXPECT_NE(c.document.tabTexts[8].find("Variation 1, the A-shape barre at fret 3:"),
              std::string::npos);
    EXPECT_NE(c.document.tabTexts[8].find("Variation 2, the E-shape barre at fret 8:"),
              std::string::npos);
}

TEST(ChordLibraryTest, EachChordFileReadsAsADocumentOfSeventeenLabelledTabs) {
    for (const RootFile& root : kRoots) {
        const TabReadResult read = ReadTabFile(DataFile(root.name), TabForm::Enhanced);
        ASSERT_FALSE(read.error) << *read.error;
        ASSERT_EQ(read.document.tabCount, 17);
        for (int t = 0; t < 17; ++t) {
            const std::string& label = read.document.tabLines[t][0];
            for (int type = 2 * t; type <= std::min(2 * t + 1, 32); ++type) {
                const std::string name = std::string(root.caption) + " " + kTypes[type].name;
                EXPECT_NE(label.find(name), std::string::npos) << label;
                EXPECT_NE(read.document.tabTexts[t].find(name + ":"), std::string::npos) << name;
            }
            for (int l = 1; l <= 6; ++l) EXPECT_EQ(read.document.tabLines[t][l].size(), 395u);
        }
    }
}

}  // namespace
}  // namespace fretlux
