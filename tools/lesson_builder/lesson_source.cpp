// SPDX-License-Identifier: MIT
#include "lesson_builder/lesson_source.h"

#include <sstream>
#include <stdexcept>
#include <string_view>

#include "document/tab_cell.h"

namespace fretlux::lessons {

namespace {

constexpr std::string_view kStringNames = "EADGBe";  // low E .. high E
// Until a step says otherwise, it plays as the window starts: tempo 41, volume 100, steel guitar.
constexpr TabSettings kStartSettings{41, 100, 25};

std::vector<std::string> Words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

int ParseNumber(const std::string& text, int low, int high) {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value < low || value > high) {
        throw std::runtime_error("expected a number from " + std::to_string(low) + " to " +
                                 std::to_string(high) + ", found \"" + text + "\"");
    }
    return value;
}

// "NAME = rest of the line" of a chord or rhythm definition.
std::pair<std::string, std::vector<std::string>> Definition(const std::vector<std::string>& words) {
    if (words.size() < 4 || words[2] != "=") throw std::runtime_error("expected: NAME = ...");
    return {words[1], {words.begin() + 3, words.end()}};
}

class SourceParser {
public:
    LessonSource Parse(const std::string& text) {
        std::istringstream in(text);
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            try {
                ParseLine(line, number);
            } catch (const std::runtime_error& error) {
                throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
            }
        }
        if (lesson_.steps.empty()) throw std::runtime_error("the lesson has no step");
        return std::move(lesson_);
    }

private:
    enum class Mode { Outside, Text, Music };

    void ParseLine(const std::string& line, int number) {
        if (mode_ == Mode::Text) {
            if (line == "music") {
                mode_ = Mode::Music;
            } else {
                CurrentStep().textLines.push_back(line);
            }
            return;
        }
        const std::vector<std::string> words = Words(line);
        if (words.empty() || words[0].starts_with('#')) return;
        const std::string& keyword = words[0];
        if (keyword == "chord") {
            auto [name, notes] = Definition(words);
            ChordShape& shape = lesson_.chords[name];
            for (const std::string& note : notes) shape.push_back(ParseNote(note));
        } else if (keyword == "rhythm") {
            auto [name, items] = Definition(words);
            lesson_.rhythms[name] = items;
        } else if (keyword == "step") {
            const Step* previous = lesson_.steps.empty() ? nullptr : &lesson_.steps.back();
            lesson_.steps.push_back({.sourceLine = number,
                                     .label = line.substr(line.find("step") + 5),
                                     .settings = previous ? previous->settings : kStartSettings,
                                     .textLines = {},
                                     .music = {}});
            mode_ = Mode::Outside;
        } else if (keyword == "tempo" && words.size() == 2) {
            CurrentStep().settings.tempo = ParseNumber(words[1], 1, 200);
        } else if (keyword == "volume" && words.size() == 2) {
            CurrentStep().settings.volume = ParseNumber(words[1], 0, 127);
        } else if (keyword == "patch" && words.size() == 2) {
            CurrentStep().settings.patch = ParseNumber(words[1], 0, 127);
        } else if (keyword == "text" && words.size() == 1) {
            CurrentStep();
            mode_ = Mode::Text;
        } else if (keyword == "music" && words.size() == 1) {
            CurrentStep();
            mode_ = Mode::Music;
        } else if (mode_ == Mode::Music) {
            std::vector<std::string>& music = CurrentStep().music;
            music.insert(music.end(), words.begin(), words.end());
        } else {
            throw std::runtime_error("unknown line: " + line);
        }
    }

    Step& CurrentStep() {
        if (lesson_.steps.empty()) throw std::runtime_error("expected a step first");
        return lesson_.steps.back();
    }

    LessonSource lesson_;
    Mode mode_ = Mode::Outside;
};

}  // namespace

Note ParseNote(const std::string& token) {
    const std::size_t name = token.empty() ? std::string_view::npos : kStringNames.find(token[0]);
    if (name == std::string_view::npos) throw std::runtime_error("not a note: \"" + token + "\"");
    const std::size_t colon = token.find(':');
    const std::string fret = token.substr(1, colon == std::string::npos ? colon : colon - 1);
    Note note{static_cast<int>(name) + 1, ParseNumber(fret, 0, 24), 0};
    if (colon != std::string::npos) {
        const std::string finger = token.substr(colon + 1);
        note.finger = finger == "T" ? kThumb : ParseNumber(finger, 1, 4);
    }
    return note;
}

LessonSource ParseLessonSource(const std::string& text) { return SourceParser().Parse(text); }

}  // namespace fretlux::lessons
