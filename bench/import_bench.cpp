// SPDX-License-Identifier: MIT
// Speed of opening what other programs write: the largest of the sample files, and generated
// Guitar Pro 5 files of 250 to 1,000 bars. Bars of 4/4 in eighths fill the 101 TABs after 404
// bars, so past that only reading grows; bars of one eighth note each all fit, and their time
// should grow in proportion to the bars.
// The peak memory of the whole run is reported as max_rss_mb.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "guitar_pro_builder.h"
#include "import/open_document.h"

namespace fretlux {
namespace {

OpenedDocument OpenFirstTrack(const std::string& path) {
    return OpenDocumentFile(
        path, [](const std::vector<TrackSummary>& tracks) { return DefaultTrack(tracks); },
        TabSettings{41, 100, 25});
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The largest sample that opens.
std::string LargestSample() {
    std::string largest;
    uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FRETLUX_IMPORT_SAMPLES)) {
        const std::string path = entry.path().string();
        if (entry.file_size() <= size || path.ends_with("LICENSE-MPL-2.0") ||
            path.ends_with("NOTICE"))
            continue;
        if (OpenFirstTrack(path).error) continue;
        largest = path;
        size = entry.file_size();
    }
    return largest;
}

void BM_ImportLargestSample(benchmark::State& state) {
    const std::string path = LargestSample();
    state.SetLabel(std::filesystem::path(path).filename().string());
    for (auto _ : state) benchmark::DoNotOptimize(OpenFirstTrack(path));
    state.counters["max_rss_mb"] = PeakMegabytes();
}
BENCHMARK(BM_ImportLargestSample)->Unit(benchmark::kMillisecond);

void ImportGenerated(benchmark::State& state, const test::GuitarProSketch& sketch) {
    const std::string path = std::filesystem::temp_directory_path() /
                             ("fretlux-bench-" + std::to_string(getpid()) + ".gp5");
    std::ofstream(path, std::ios::binary) << test::GuitarProBuilder().Build(sketch);
    for (auto _ : state) benchmark::DoNotOptimize(OpenFirstTrack(path));
    std::filesystem::remove(path);
    state.SetComplexityN(state.range(0));
    state.counters["max_rss_mb"] = PeakMegabytes();
}
void BM_ImportGeneratedGuitarPro5(benchmark::State& state) {
    ImportGenerated(state, {.bars = static_cast<int>(state.range(0))});
}
BENCHMARK(BM_ImportGeneratedGuitarPro5)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

void BM_ImportGeneratedOneEighthBars(benchmark::State& state) {
    ImportGenerated(state, {.bars = static_cast<int>(state.range(0)),
                            .beatsPerBar = 1,
                            .numerator = 1,
                            .denominator = 8});
}
BENCHMARK(BM_ImportGeneratedOneEighthBars)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace fretlux

BENCHMARK_MAIN();
