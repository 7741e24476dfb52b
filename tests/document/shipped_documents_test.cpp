// SPDX-License-Identifier: MIT
// The documents shipped in the program directory, read as the program reads them: every scale
// chart sounds all of its scale's tones and no other note, each note fingered, each TAB
// explained; every lesson opens its tutor at once. No TAB of either is wider than an edited TAB.
// In every shipped document, chord files too, each run of digits on a string line is one fret.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "document/tab_cell.h"
#include "document/tab_file_reader.h"
#include "document/tab_header.h"

namespace fretlux {
namespace {

const std::filesystem::path kDataDirectory = FRETLUX_DATA_DIR;

// Pitch classes (C = 0) of the open strings of TAB lines 1..6, high E down to low E, in
// standard tuning.
constexpr int kOpenStringClass[] = {-1, 4, 11, 7, 2, 9, 4};

std::set<int> PitchClasses(const std::string& names) {
    static const std::map<std::string, int> kClassOf = {
        {"C", 0}, {"C#", 1}, {"D", 2}, {"D#", 3},  {"E", 4},   {"F", 5}, {"F#", 6},
        {"G", 7}, {"G#", 8}, {"A", 9}, {"A#", 10}, {"Bb", 10}, {"B", 11}};
    std::set<int> classes;
    std::istringstream words(names);
    for (std::string name; words >> name;) classes.insert(kClassOf.at(name));
    return classes;
}

// The tones of each chart, by the Scales menu's index.
const std::map<std::string, std::string> kChartTones = {
    {"scales0.flx", "A C D D# E G"},        // A blues
    {"scales1.flx", "A B C D D# F F# G#"},  // A diminished, whole-half
    {"scales2.flx", "A B C D E G"},         // A minor hexatonic
    {"scales3.flx", "A B C# D E F# G#"},    // A major
    {"scales4.flx", "A B C D E F G"},       // A natural minor
    {"scales5.flx", "A C D E G"},           // A minor pentatonic
    {"scales6.flx", "E G A A# B D"},        // E blues
    {"scales7.flx", "F G A Bb C D E"},      // the modes of F major
};

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The longest string line as it stands in the file, before the reader could split a wide TAB.
size_t WidestStringLine(const std::string& bytes) {
    size_t widest = 0;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool stringLine = line.size() >= 5 && kStringLetters.find(line[0]) != line.npos &&
                                line.compare(1, 4, "----") == 0;
        if (stringLine) widest = std::max(widest, line.size());
    }
    return widest;
}

bool HasWords(const std::string& text) { return text.find_first_not_of(" \r\n") != text.npos; }

TabDocument ReadShipped(const std::filesystem::path& path, const std::string& bytes) {
    TabReadResult read = ReadTabBytes(bytes, TabForm::Enhanced);
    EXPECT_FALSE(read.error.has_value()) << *read.error;
    EXPECT_GE(read.document.tabCount, 1);
    EXPECT_LE(WidestStringLine(bytes), static_cast<size_t>(kEditedLineLength)) << path;
    return std::move(read.document);
}

// The pitch classes a TAB sounds; a fretted note without a finger, or an open string with one,
// fails.
std::set<int> SoundedClasses(const TabBlock& block) {
    std::set<int> classes;
    for (int line = 1; line < kLinesPerTab; ++line) {
        for (size_t p = kCellWidth; p + kCellWidth <= block[line].size(); p += kCellWidth) {
            for (size_t slot : {p + 1, p + 3}) {
                const auto note = DecodeSlot(std::string_view(block[line]).substr(slot, 2));
                if (!note || !note->sounding) continue;
                EXPECT_EQ(note->fret == 0, note->finger == 0)
                    << "line " << line << " cell at " << p << ": fret " << note->fret << " finger "
                    << note->finger;
                EXPECT_LE(note->finger, 4);
                classes.insert((kOpenStringClass[line] + note->fret) % 12);
            }
        }
    }
    return classes;
}

TEST(ShippedDocuments, ScaleChartsSoundTheirScalesAndLessonsOpenTheirTutor) {
    for (const auto& [name, tones] : kChartTones) {
        SCOPED_TRACE(name);
        const std::filesystem::path path = kDataDirectory / name;
        ASSERT_TRUE(std::filesystem::exists(path));
        const TabDocument chart = ReadShipped(path, Bytes(path));
        EXPECT_GE(chart.tabCount, 4) << "several positions";
        for (int t = 0; t < chart.tabCount; ++t) {
            SCOPED_TRACE("TAB " + std::to_string(t + 1));
            EXPECT_TRUE(HasWords(chart.tabTexts[t]));
            EXPECT_TRUE(HasWords(chart.tabLines[t][0].substr(0, kLabelLength)));
            EXPECT_TRUE(ReadHeaderSettings(chart.tabLines[t][0]).has_value());
            EXPECT_EQ(SoundedClasses(chart.tabLines[t]), PitchClasses(tones));
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(kDataDirectory)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("lesson") || !name.ends_with(".flx")) continue;
        SCOPED_TRACE(name);
        const TabDocument lesson = ReadShipped(entry.path(), Bytes(entry.path()));
        EXPECT_TRUE(HasWords(lesson.tabTexts[0]));
    }
}

// The runs of digits a reader sees on each string line that are not one note's fret: "33" from
// two 3s in neighbouring columns, "1012" from a 10 touching a 12.
std::vector<std::string> MisreadFrets(const TabBlock& block) {
    std::vector<std::string> faults;
    for (int line = 1; line < kLinesPerTab; ++line) {
        const std::string& text = block[line];
        for (size_t p = kCellWidth; p < text.size(); p += kCellWidth) {
            if (!std::isdigit(static_cast<unsigned char>(text[p]))) continue;
            std::string run;
            for (size_t q = p; q < text.size() && std::isdigit(static_cast<unsigned char>(text[q]));
                 q += kCellWidth) {
                run += text[q];
            }
            const auto note = DecodeSlot(std::string_view(text).substr(p + 1, 2));
            if (!note || !note->sounding || std::to_string(note->fret) != run) {
                faults.push_back("line " + std::to_string(line) + " column " +
                                 std::to_string(p / kCellWidth) + ": " + run);
            }
            p += (run.size() - 1) * kCellWidth;
        }
    }
    return faults;
}

TEST(ShippedDocuments, EveryRunOfDigitsIsOneFret) {
    int tabs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDirectory)) {
        if (entry.path().extension() != ".flx") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const TabDocument document = ReadShipped(entry.path(), Bytes(entry.path()));
        for (int t = 0; t < document.tabCount; ++t, ++tabs) {
            EXPECT_EQ(MisreadFrets(document.tabLines[t]), std::vector<std::string>{})
                << "TAB " << t + 1;
        }
    }
    EXPECT_GT(tabs, 300) << "lessons, scale charts and chord files";
}

}  // namespace
}  // namespace fretlux
