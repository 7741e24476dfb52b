// SPDX-License-Identifier: MIT
// Replays saved fuzz inputs without libFuzzer: every file named on the command line, and every
// file inside a directory named there, goes once through the fuzz target.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY_OR_FILE...\n", argv[0]);
        return 2;
    }
    int inputs = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> paths;
        if (std::filesystem::is_directory(argv[i])) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
                if (entry.is_regular_file()) paths.push_back(entry.path());
            }
        } else {
            paths.emplace_back(argv[i]);
        }
        for (const auto& path : paths) {
            failures += RunFile(path);
            ++inputs;
        }
    }
    if (inputs == 0) {
        std::fprintf(stderr, "no input found\n");
        return 1;
    }
    std::printf("%d inputs replayed, %d unreadable\n", inputs, failures);
    return failures == 0 ? 0 : 1;
}
