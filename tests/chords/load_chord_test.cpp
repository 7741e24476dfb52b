// SPDX-License-Identifier: MIT
// LoadChord on hand-made chord files: where in a block each chord is taken from, and how records,
// runs and blocks are read.
#include "chords/load_chord.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fretlux {
namespace {

namespace fs = std::filesystem;

// Record k (1..6) of block b: 395 hyphens, with the four characters of every chord position
// reading block letter, k, the position's letter (A..F: left variations 1..3, right 1..3), '*'.
std::string Record(int block, int k) {
    std::string record(395, '-');
    for (int half = 0; half < 2; ++half) {
        for (int v = 0; v < 3; ++v) {
            const int start = 5 * (13 * v + 5 + 39 * half) + 7;
            record.replace(start - 1, 4,
                           {char('a' + block), char('0' + k), char('A' + 3 * half + v), '*'});
        }
    }
    return record;
}

std::string Block(int block) {
    std::string text = "Label of block " + std::to_string(block) + "\r\n";
    for (int k = 1; k <= 6; ++k) text += Record(block, k) + "\r\n";
    return text;
}

std::string Blocks(int count) {
    std::string text;
    for (int b = 0; b < count; ++b) text += Block(b);
    return text;
}

std::string Slots(const ChordLoad& load) {
    if (!load.slots) return "unchanged";
    std::string slots;
    for (int s = 1; s <= 6; ++s) slots += (*load.slots)[s] + "|";
    return slots;
}

class LoadChordTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = fs::temp_directory_path() / ("fretlux-load-chord-" + std::to_string(::getpid()));
    }
    void TearDown() override { fs::remove(path_); }

    std::string Load(const std::string& bytes, int type, int variation) {
        std::ofstream(path_, std::ios::binary) << bytes;
        return Slots(LoadChordFile(path_.string(), type, variation));
    }

    fs::path path_;
};

// Where in a block each chord stands is checked on every shipped chord file by the chord
// library test.
TEST_F(LoadChordTest, ABlockTheFileDoesNotHaveLeavesTheChordAsItWas) {
    EXPECT_EQ(Load(Blocks(17), 32, 2), "q6C*|q5C*|q4C*|q3C*|q2C*|q1C*|");
    EXPECT_EQ(Load(Blocks(16), 32, 0), "unchanged");
    EXPECT_EQ(Load("", 0, 0), "unchanged");
}

TEST_F(LoadChordTest, RecordsAreCommaFieldsAndOnlyLongRecordsWithoutHyphensBreakARun) {
    const std::string r1 = Record(0, 1);
    std::string r1Comma = r1;
    r1Comma[99] = ',';
    const std::string rest = Record(0, 2) + "\n" + Record(0, 3) + "\n" + Record(0, 4) + "\n" +
                             Record(0, 5) + "\n" + Record(0, 6) + "\n";
    const std::string lowFive = "a6A*|a5A*|a4A*|a3A*|a2A*|";
    const std::pair<std::string, std::string> rows[] = {
        {r1 + "\n" + rest, lowFive + "a1A*|"},
        // Lines of four characters or fewer stand between records without breaking the run.
        {r1 + "\nabc\n\n" + rest, lowFive + "a1A*|"},
        // A longer line without "--" breaks it: the run starts again at record 2.
        {r1 + "\nhello\n" + rest + r1 + "\n", "a1A*|a6A*|a5A*|a4A*|a3A*|a2A*|"},
        // A comma cuts a line in two records: "E--" is too short to count, the rest is whole.
        {"E--," + r1 + "\n" + rest, lowFive + "a1A*|"},
        // Cut inside, the line's second part becomes the next record of the run.
        {r1Comma + "\n" + rest, "a5A*|a4A*|a3A*|a2A*|----|a1A*|"},
        // A quoted field keeps its commas; what follows the closing quote is dropped.
        {"\"" + r1Comma + "\"tail\n" + rest, lowFive + "a1A*|"},
        // Leading blanks are skipped and CR bytes dropped; other characters shift the positions.
        {"   " + r1 + "\r\n" + rest, lowFive + "a1A*|"},
        {"ab " + r1 + "\n" + rest, lowFive + "---a|"},
        // A short record gives what it has, down to nothing.
        {r1.substr(0, 33) + "\n" + rest, lowFive + "a1|"},
        {r1.substr(0, 20) + "\n" + rest, lowFive + "|"},
    };
    for (const auto& [file, slots] : rows) EXPECT_EQ(Load(file, 0, 0), slots) << file.substr(0, 40);
}

TEST_F(LoadChordTest, AFileThatCannotBeReadReportsTheFailure) {
    const ChordLoad missing = LoadChordFile((path_ / "none").string(), 0, 0);
    EXPECT_EQ(missing.error, "No such file or directory");
    EXPECT_FALSE(missing.slots);
    const ChordLoad directory = LoadChordFile(fs::temp_directory_path().string(), 0, 0);
    EXPECT_EQ(directory.error, "Is a directory");
}

}  // namespace
}  // namespace fretlux
