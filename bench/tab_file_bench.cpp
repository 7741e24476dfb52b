// SPDX-License-Identifier: MIT
// Speed of writing and reading TAB files: a document at every limit (101 TABs of 400-character
// lines, each with a text) in both written forms, and a plain file of about 5 MB, the most the
// reader accepts: 101 blocks, each after 494 lines of text, with CR LF and with LF line ends.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "document/plain_tab_line.h"
#include "document/tab_cell.h"
#include "document/tab_document.h"
#include "document/tab_file_reader.h"
#include "document/tab_file_writer.h"

namespace fretlux {
namespace {

// Fret numbers and symbols that a real tab line is made of, in varying order.
std::string PlainStringLine(char letter, std::mt19937& random, size_t length) {
    static const std::vector<std::string> pieces = {"-", "-",  "-",  "--", "|", "0", "3",  "5",
                                                    "7", "12", "15", "h",  "p", "/", "---"};
    std::string line(1, letter);
    line += "|---";
    while (line.size() < length - 1) line += pieces[random() % pieces.size()];
    line.resize(length - 1);
    return line + "|";
}

std::string TextLine(std::mt19937& random, size_t length) {
    static const std::vector<std::string> words = {"play", "the",    "riff",   "slowly", "with",
                                                   "palm", "muting", "then",   "let",    "ring,",
                                                   "bar",  "twelve", "repeat", "x4"};
    std::string line;
    while (line.size() < length) line += words[random() % words.size()] + " ";
    line.resize(length);
    line.back() = '.';
    return line;
}

TabDocument MaximalDocument() {
    std::mt19937 random(1);
    TabDocument doc;
    for (int t = 0; t < kMaxTabs; ++t) {
        std::string label = "TAB " + std::to_string(t + 1);
        label.resize(80, ' ');
        doc.tabLines[t][0] = label + "041100025";
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string plain = PlainStringLine(kStringLetters[l - 1], random, 80);
            doc.tabLines[t][l] = ConvertPlainTabLine(plain);  // 400 characters
        }
        for (int i = 0; i < 4; ++i) doc.tabTexts[t] += TextLine(random, 70) + "\r\n";
    }
    doc.tabCount = kMaxTabs;
    return doc;
}

// 101 blocks, each after 494 text lines of 60 to 140 characters (100 on average), with a header
// and six string lines of 80 characters: 501 lines per block.
std::string LargePlainFile(const std::string& lineEnd) {
    std::mt19937 random(2);
    std::string out;
    for (int t = 0; t < kMaxTabs; ++t) {
        for (int i = 0; i < kMaxBufferedLines - 7; ++i) {
            out += TextLine(random, 60 + random() % 81) + lineEnd;
        }
        out += "Verse " + std::to_string(t + 1) + lineEnd;
        for (char letter : std::string("eBGDAE")) {
            out += PlainStringLine(letter, random, 80) + lineEnd;
        }
    }
    return out;
}

const TabDocument& Maximal() {
    static const TabDocument doc = MaximalDocument();
    return doc;
}

const std::string& MaximalEnhanced() {
    static const std::string bytes = WriteEnhancedForm(Maximal());
    return bytes;
}

const std::string& LargePlain() {
    static const std::string bytes = LargePlainFile("\r\n");
    return bytes;
}

const std::string& LargePlainLf() {
    static const std::string bytes = LargePlainFile("\n");
    return bytes;
}

// The files ReadTabFile reads, in a directory of their own that is removed at the end.
struct BenchFiles {
    std::filesystem::path dir;
    std::string maximal;
    std::string large;

    BenchFiles() {
        std::random_device seed;
        dir = std::filesystem::temp_directory_path() /
              ("fretlux-bench-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
        std::filesystem::create_directory(dir);
        maximal = Write("maximal.flx", MaximalEnhanced());
        large = Write("large.tab", LargePlain());
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }
};

BenchFiles* gFiles = nullptr;

// Reports the read's outcome; false (and the benchmark skipped) when the read failed.
bool Accepted(benchmark::State& state, const TabReadResult& read, int tabs) {
    if (read.error || read.document.tabCount != tabs) {
        state.SkipWithError(read.error ? read.error->c_str() : "unexpected TAB count");
        return false;
    }
    return true;
}

void BM_WriteEnhancedMaximal(benchmark::State& state) {
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = WriteEnhancedForm(Maximal());
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WriteEnhancedMaximal)->Unit(benchmark::kMicrosecond);

void BM_WritePlainMaximal(benchmark::State& state) {
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string out = WritePlainForm(Maximal());
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_WritePlainMaximal)->Unit(benchmark::kMicrosecond);

void BM_ReadTabBytesMaximalEnhanced(benchmark::State& state) {
    const std::string& bytes = MaximalEnhanced();
    for (auto _ : state) {
        const TabReadResult read = ReadTabBytes(bytes, TabForm::Enhanced);
        if (!Accepted(state, read, kMaxTabs)) return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadTabBytesMaximalEnhanced)->Unit(benchmark::kMicrosecond);

void BM_ReadTabFileMaximalEnhanced(benchmark::State& state) {
    for (auto _ : state) {
        const TabReadResult read = ReadTabFile(gFiles->maximal, TabForm::Enhanced);
        if (!Accepted(state, read, kMaxTabs)) return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * MaximalEnhanced().size()));
}
BENCHMARK(BM_ReadTabFileMaximalEnhanced)->Unit(benchmark::kMicrosecond);

void BM_ReadTabBytesLargePlain(benchmark::State& state) {
    const std::string& bytes = LargePlain();
    for (auto _ : state) {
        const TabReadResult read = ReadTabBytes(bytes, TabForm::Plain);
        if (!Accepted(state, read, kMaxTabs)) return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_ReadTabBytesLargePlain)->Unit(benchmark::kMillisecond);

// The same file with LF line ends only.
void BM_ReadTabBytesLargePlainLf(benchmark::State& state) {
    const std::string& bytes = LargePlainLf();
    for (auto _ : state) {
        const TabReadResult read = ReadTabBytes(bytes, TabForm::Plain);
        if (!Accepted(state, read, kMaxTabs)) return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadTabBytesLargePlainLf)->Unit(benchmark::kMillisecond);

void BM_ReadTabFileLargePlain(benchmark::State& state) {
    for (auto _ : state) {
        const TabReadResult read = ReadTabFile(gFiles->large, TabForm::Plain);
        if (!Accepted(state, read, kMaxTabs)) return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * LargePlain().size()));
}
BENCHMARK(BM_ReadTabFileLargePlain)->Unit(benchmark::kMillisecond);

// The conversion alone, on string lines of 80 characters.
void BM_ConvertPlainTabLine(benchmark::State& state) {
    std::mt19937 random(3);
    std::vector<std::string> lines;
    for (int i = 0; i < 600; ++i) lines.push_back(PlainStringLine("eBGDAE"[i % 6], random, 80));
    for (auto _ : state) {
        for (const std::string& line : lines) {
            const std::string cells = ConvertPlainTabLine(line);
            benchmark::DoNotOptimize(cells.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * lines.size() * 80));
}
BENCHMARK(BM_ConvertPlainTabLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fretlux

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    fretlux::BenchFiles files;
    fretlux::gFiles = &files;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
