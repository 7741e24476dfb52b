// SPDX-License-Identifier: MIT
#include "lesson_builder/music_columns.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "document/tab_cell.h"

namespace fretlux::lessons {

namespace {

constexpr std::string_view kEmptyCell = "-    ";
constexpr std::string_view kBarCell = "|    ";
constexpr std::string_view kTechniques = "hp/\\b";

int LineOfString(int string) { return 7 - string; }

Column EmptyColumn() {
    Column column;
    for (int l = 1; l <= 6; ++l) column[l] = kEmptyCell;
    return column;
}

int Repeats(const std::string& text) {
    const int count = text.empty() ? 0 : std::atoi(text.c_str());
    if (count < 1) throw std::runtime_error("expected a count after \"*\", found \"" + text + "\"");
    return count;
}

// Expands the groups "{ ... }*N" and "{ ... }~" from position i on, up to the closing brace.
std::vector<std::string> ExpandGroups(const std::vector<std::string>& tokens, std::size_t& i,
                                      bool nested) {
    std::vector<std::string> out;
    while (i < tokens.size()) {
        const std::string token = tokens[i++];
        if (token == "{") {
            std::vector<std::string> group = ExpandGroups(tokens, i, true);
            const std::string close = tokens[i - 1];
            if (close == "}~") {
                out.insert(out.end(), group.begin(), group.end());
                out.insert(out.end(), group.rbegin() + 1, group.rend());
            } else {
                for (int n = Repeats(close.substr(2)); n > 0; --n) {
                    out.insert(out.end(), group.begin(), group.end());
                }
            }
        } else if (token.starts_with('}')) {
            if (!nested || (token != "}~" && !token.starts_with("}*"))) {
                throw std::runtime_error("unexpected \"" + token + "\"");
            }
            return out;
        } else {
            out.push_back(token);
        }
    }
    if (nested) throw std::runtime_error("a group is not closed");
    return out;
}

class MusicCompiler {
public:
    explicit MusicCompiler(const LessonSource& lesson) : lesson_(lesson) {}

    std::vector<Column> Compile(const std::vector<std::string>& music) {
        std::size_t i = 0;
        for (const std::string& token : ExpandGroups(music, i, false)) Token(token);
        Check();
        return std::move(columns_);
    }

private:
    void Token(const std::string& token) {
        if (token.starts_with("len=")) {
            unitColumns_ = Repeats(token.substr(4));
        } else if (token == "|") {
            columns_.push_back(EmptyColumn());
            for (int l = 1; l <= 6; ++l) columns_.back()[l] = kBarCell;
            spanStart_ = -1;
        } else if (token.size() == 1 && kTechniques.find(token[0]) != std::string_view::npos) {
            Technique(token[0]);
        } else {
            const std::size_t star = token.find('*');
            const std::string sound = token.substr(0, star);
            const int units = star == std::string::npos ? 1 : Repeats(token.substr(star + 1));
            Sound(sound, units);
        }
    }

    void Sound(const std::string& sound, int units) {
        if (sound == "-") {
            Emit({}, units);
        } else if (sound.starts_with('[')) {
            const std::size_t close = sound.find(']');
            if (close == std::string::npos) throw std::runtime_error("no \"]\" in " + sound);
            const ChordShape& chord = Chord(sound.substr(1, close - 1));
            const std::string rest = sound.substr(close + 1);
            if (rest.empty()) {
                Emit(chord, units);
            } else if (rest.starts_with('@')) {
                for (int n = 0; n < units; ++n) PlayRhythm(chord, Rhythm(rest.substr(1)));
            } else {
                throw std::runtime_error("unexpected \"" + rest + "\" after a chord");
            }
        } else {
            ChordShape notes;
            for (std::size_t from = 0; from <= sound.size();) {
                const std::size_t plus = std::min(sound.find('+', from), sound.size());
                notes.push_back(ParseNote(sound.substr(from, plus - from)));
                from = plus + 1;
            }
            Emit(notes, units);
        }
    }

    void PlayRhythm(const ChordShape& chord, const std::vector<std::string>& items) {
        for (const std::string& item : items) {
            ChordShape notes;
            for (char part : item) {
                if (part == '+' || part == '.') continue;
                const ChordShape picked = Pick(chord, part);
                notes.insert(notes.end(), picked.begin(), picked.end());
            }
            Emit(notes, 1);
        }
    }

    // The notes of a chord that one rhythm item plays.
    static ChordShape Pick(ChordShape chord, char part) {
        std::sort(chord.begin(), chord.end(),
                  [](const Note& a, const Note& b) { return a.string < b.string; });
        const auto onString = [&chord, part](int string) {
            for (const Note& note : chord) {
                if (note.string == string) return ChordShape{note};
            }
            throw std::runtime_error(std::string("the chord has no note for \"") + part + "\"");
        };
        switch (part) {
            case 'D':
                return chord;
            case 'U':
                return {chord.end() - std::min<std::ptrdiff_t>(3, std::ssize(chord)), chord.end()};
            case 'B':
                return {chord.front()};
            case 'A':
                return {chord.at(1)};
            case 'T':
                return {chord.back()};
            case 'i':
                return onString(4);
            case 'm':
                return onString(5);
            case 'a':
                return onString(6);
            default:
                throw std::runtime_error(std::string("unknown rhythm item \"") + part + "\"");
        }
    }

    // A column of the notes, followed by empty ones for the rest of its length.
    void Emit(const ChordShape& notes, int units) {
        Column column = EmptyColumn();
        for (const Note& note : notes) {
            std::string& cell = column[LineOfString(note.string)];
            if (cell != kEmptyCell) throw std::runtime_error("two notes on one string");
            cell = std::string("-") + FretLetter(note.fret) + AttributeLetter(note.finger, true) +
                   "  ";
        }
        spanStart_ = notes.empty() ? -1 : static_cast<int>(columns_.size());
        columns_.push_back(column);
        for (int n = units * unitColumns_ - 1; n > 0; --n) columns_.push_back(EmptyColumn());
    }

    // The mark goes in the last empty column of the note before it, so that the time keeps to
    // the beat; where that note has no room for it (or must show a second digit there), the mark
    // takes a column of its own.
    void Technique(char mark) {
        if (spanStart_ < 0)
            throw std::runtime_error(std::string("no note before \"") + mark + "\"");
        const Column& notes = columns_[spanStart_];
        int room = static_cast<int>(columns_.size()) - 1;
        bool twoDigits = false;
        for (int l = 1; l <= 6; ++l) twoDigits |= notes[l][1] >= 'K';
        if (room <= spanStart_ + (twoDigits ? 1 : 0)) {
            columns_.push_back(EmptyColumn());
            room = static_cast<int>(columns_.size()) - 1;
        }
        for (int l = 1; l <= 6; ++l) {
            if (notes[l] != kEmptyCell) columns_[room][l][0] = mark;
        }
        spanStart_ = -1;
    }

    const ChordShape& Chord(const std::string& name) const {
        const auto found = lesson_.chords.find(name);
        if (found == lesson_.chords.end()) throw std::runtime_error("no chord named " + name);
        return found->second;
    }

    const std::vector<std::string>& Rhythm(const std::string& name) const {
        const auto found = lesson_.rhythms.find(name);
        if (found == lesson_.rhythms.end()) throw std::runtime_error("no rhythm named " + name);
        return found->second;
    }

    void Check() const {
        const int width = static_cast<int>(columns_.size());
        if (width < 2) throw std::runtime_error("a step needs at least two columns to play");
        for (int c = 0; c < width; ++c) {
            if (IsBarColumn(columns_[c]) && (c == 0 || IsBarColumn(columns_[c - 1]))) {
                throw std::runtime_error("a bar line at the start or after another one");
            }
        }
    }

    const LessonSource& lesson_;
    std::vector<Column> columns_;
    int unitColumns_ = 1;
    int spanStart_ = -1;  // the column of the last notes, while no mark or bar followed them
};

}  // namespace

bool IsBarColumn(const Column& column) { return column[1][0] == '|' && column[6][0] == '|'; }

std::vector<Column> CompileMusic(const LessonSource& lesson,
                                 const std::vector<std::string>& music) {
    return MusicCompiler(lesson).Compile(music);
}

}  // namespace fretlux::lessons
