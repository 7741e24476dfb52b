// SPDX-License-Identifier: MIT
#include "chords/load_chord.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "chords/chord_records.h"
#include "document/strings.h"
#include "document/tab_file_reader.h"

namespace fretlux {

namespace {

constexpr std::size_t kShortRecordLength = 4;
constexpr int kRecordsPerBlock = 6;
constexpr int kCellsPerVariation = 13;
constexpr int kChordCellOffset = 5;
constexpr int kCellsPerHalf = 39;
constexpr std::size_t kReadChunk = 1 << 16;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Gathers runs of six records and takes the chord out of the wanted block.
class BlockFinder {
public:
    BlockFinder(int type, int variation)
        : wantedBlock_(type / 2), start_(ChordStart(type, variation)) {}

    void operator()(const ChordRecord& record) {
        if (record.length <= kShortRecordLength) return;
        if (!record.hasDoubleHyphen) {
            runLength_ = 0;
            return;
        }
        ++runLength_;
        run_[runLength_] = record.head;
        if (runLength_ < kRecordsPerBlock) return;
        if (blockCounter_ == wantedBlock_) {
            ChordSlots slots;
            for (int k = 1; k <= kRecordsPerBlock; ++k) slots[7 - k] = Mid(run_[k], start_, 4);
            chord_ = slots;
        }
        ++blockCounter_;
        runLength_ = 0;
    }

    const std::optional<ChordSlots>& Chord() const { return chord_; }
    int BlocksRead() const { return blockCounter_; }

private:
    int wantedBlock_;
    int start_;
    int runLength_ = 0;
    int blockCounter_ = 0;
    std::array<std::string, kRecordsPerBlock + 1> run_;
    std::optional<ChordSlots> chord_;
};

}  // namespace

int ChordStart(int type, int variation) {
    const int half = type % 2;
    const int column = kCellsPerVariation * variation + kChordCellOffset + kCellsPerHalf * half;
    return 5 * column + 7;
}

ChordLoad LoadChordFile(const std::string& path, int type, int variation) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return {std::nullopt, std::strerror(errno)};
    ChordRecordReader reader;
    BlockFinder finder(type, variation);
    // The document reader's limits hold here too, so that no file, however long or endless,
    // keeps the reader busy: lines of at most 1 MB, at most 501 of them before a block is
    // complete. Reading stops once the chord is found.
    std::size_t lineLength = 0;
    int linesSinceBlock = 0;
    int blocksRead = 0;
    std::string chunk(kReadChunk, '\0');
    std::size_t got = 0;
    do {
        got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        std::string_view bytes(chunk.data(), got);
        while (!bytes.empty() && !finder.Chord()) {
            const std::size_t lf = bytes.find('\n');
            const bool lineEnds = lf != std::string_view::npos;
            const std::string_view piece = bytes.substr(0, lineEnds ? lf + 1 : bytes.size());
            bytes.remove_prefix(piece.size());
            lineLength += piece.size() - (lineEnds ? 1 : 0);
            if (lineLength > kMaxLineLength) return {std::nullopt, std::string(kLineTooLong)};
            reader.Feed(piece, finder);
            if (!lineEnds) continue;
            lineLength = 0;
            if (finder.BlocksRead() != blocksRead) {
                blocksRead = finder.BlocksRead();
                linesSinceBlock = 0;
            } else if (++linesSinceBlock > kMaxBufferedLines) {
                return {std::nullopt, std::string(kTooManyLines)};
            }
        }
    } while (got == chunk.size() && !finder.Chord());
    if (finder.Chord()) return {finder.Chord(), std::nullopt};
    if (std::ferror(file.get())) return {std::nullopt, std::strerror(errno)};
    reader.Finish(finder);
    return {finder.Chord(), std::nullopt};
}

}  // namespace fretlux
