// SPDX-License-Identifier: MIT
#include "document/tab_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "document/line_splitter.h"
#include "document/plain_tab_line.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/wide_tab_split.h"

namespace fretlux {

namespace {

constexpr int kShortLineLength = 4;
constexpr size_t kReadChunk = 1 << 16;

bool IsStringLine(std::string_view line) { return line.find("---") != std::string_view::npos; }

// Enhanced lines are stored cell for cell; only a line cut short of a whole cell is padded.
std::string PadToWholeCells(std::string line) {
    const size_t remainder = line.size() % kCellWidth;
    if (remainder != 0) line.append(kCellWidth - remainder, ' ');
    return line;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

TabForm FormOfPath(std::string_view path) {
    return UpperAscii(Right(path, 3)) == "FLX" ? TabForm::Enhanced : TabForm::Plain;
}

TabBlockCollector::TabBlockCollector(TabForm form) : form_(form) {}

bool TabBlockCollector::AddLine(std::string line) {
    if (static_cast<int>(buffered_.size()) == kMaxBufferedLines) {
        refusal_ = kTooManyLines;
        return false;
    }
    const bool isShort = line.size() <= kShortLineLength;
    buffered_.push_back(std::move(line));
    const std::string& current = buffered_.back();
    if (isShort) {
        previousLine_.clear();
        return true;
    }
    if (IsStringLine(current)) {
        ++runLength_;
        if (runLength_ == 1) {
            block_[0] = previousLine_;
            textLineCount_ = buffered_.size() >= 2 ? buffered_.size() - 2 : 0;
        }
        block_[runLength_] = TrimSpaces(current);
    } else {
        runLength_ = 0;
    }
    if (runLength_ == kLinesPerTab - 1) {
        if (document_.tabCount == kMaxTabs) {
            refusal_ = kTooManyTabs;
            return false;
        }
        CompleteBlock();
        return true;
    }
    previousLine_ = current;
    return true;
}

void TabBlockCollector::CompleteBlock() {
    const int t = document_.tabCount;
    document_.tabLines[t][0] = block_[0];
    for (int l = 1; l < kLinesPerTab; ++l) document_.tabLines[t][l] = ConvertStringLine(block_[l]);
    std::string& text = document_.tabTexts[t];
    for (size_t i = 0; i < textLineCount_; ++i) text += buffered_[i] + "\r\n";
    ++document_.tabCount;
    runLength_ = 0;
    // The sixth string line stays the previous line: a seventh one takes it as its header.
    previousLine_ = std::move(buffered_.back());
    buffered_.clear();
}

std::string TabBlockCollector::ConvertStringLine(const std::string& line) const {
    return form_ == TabForm::Enhanced ? PadToWholeCells(line) : ConvertPlainTabLine(line);
}

namespace {

// Feeds bytes through the line splitter into the collector, and turns the outcome into a result.
class ByteFeeder {
public:
    explicit ByteFeeder(TabForm form) : collector_(form) {}

    bool Feed(std::string_view bytes) { return splitter_.Feed(bytes, LineTaker{this}); }
    bool Finish() { return splitter_.Finish(LineTaker{this}); }

    TabReadResult Succeeded() {
        SplitWideTabs(collector_.Document());
        return {std::move(collector_.Document()), std::nullopt};
    }

    std::string Refusal() const {
        return std::string(splitter_.TooLong() ? kLineTooLong : collector_.Refusal());
    }

private:
    struct LineTaker {
        ByteFeeder* feeder;
        bool operator()(std::string&& line) { return feeder->collector_.AddLine(std::move(line)); }
    };

    TabBlockCollector collector_;
    LineSplitter splitter_{kMaxLineLength};
};

TabReadResult Failed(std::string description) {
    TabReadResult result;
    result.error = std::move(description);
    return result;
}

}  // namespace

TabReadResult ReadTabBytes(std::string_view bytes, TabForm form) {
    ByteFeeder feeder(form);
    if (!feeder.Feed(bytes) || !feeder.Finish()) return Failed(feeder.Refusal());
    return feeder.Succeeded();
}

namespace {

TabReadResult ReadOpenFile(std::FILE* file, TabForm form) {
    ByteFeeder feeder(form);
    std::string chunk(kReadChunk, '\0');
    size_t got = 0;
    do {
        got = std::fread(chunk.data(), 1, chunk.size(), file);
        if (!feeder.Feed(std::string_view(chunk.data(), got))) return Failed(feeder.Refusal());
    } while (got == chunk.size());
    if (std::ferror(file)) return Failed(std::strerror(errno));
    if (!feeder.Finish()) return Failed(feeder.Refusal());
    return feeder.Succeeded();
}

}  // namespace

TabReadResult ReadTabFile(const std::string& path, TabForm form, FileKinds kinds) {
    // Opened without waiting for a writer, a FIFO is turned away at once.
    const int waiting = kinds == FileKinds::RegularOnly ? O_NONBLOCK : 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | waiting);
    if (fd < 0) return Failed(std::strerror(errno));
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        return Failed(std::strerror(error));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) return Failed(std::strerror(errno));
    if (S_ISDIR(status.st_mode)) return Failed(std::strerror(EISDIR));
    if (kinds == FileKinds::RegularOnly && !S_ISREG(status.st_mode)) {
        return Failed(std::string(kNotRegularFile));
    }
    try {
        return ReadOpenFile(file.get(), form);
    } catch (const std::bad_alloc&) {
        return Failed(std::string(kOutOfMemory));
    }
}

}  // namespace fretlux
