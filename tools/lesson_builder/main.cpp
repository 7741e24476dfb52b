// SPDX-License-Identifier: MIT
// lesson_builder SOURCES OUT: makes every lesson source SOURCES/NAME.txt into OUT/NAME.flx and
// says how many TABs each has and how long it plays.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "document/safe_save.h"
#include "document/tab_file_writer.h"
#include "lesson_builder/lesson_document.h"

namespace {

namespace fs = std::filesystem;

// Nothing in a lesson may play longer than a beginner wants to sit through.
constexpr long kLongestLessonMilliseconds = 5 * 60 * 1000;

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the file");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void BuildLesson(const fs::path& source, const fs::path& outDirectory) {
    using namespace fretlux::lessons;
    const LessonDocument lesson = BuildLessonDocument(ParseLessonSource(ReadWholeFile(source)));
    if (lesson.playbackMilliseconds > kLongestLessonMilliseconds) {
        throw std::runtime_error("plays longer than five minutes");
    }
    const fs::path out = outDirectory / source.filename().replace_extension(".flx");
    if (const auto failure =
            fretlux::SaveFileReplacing(out.string(), fretlux::WriteEnhancedForm(lesson.document))) {
        throw std::runtime_error("cannot write " + out.string() + ": " + *failure);
    }
    const long seconds = lesson.playbackMilliseconds / 1000;
    std::printf("%-14s %2d TABs  %ld:%02ld\n", out.filename().c_str(), lesson.document.tabCount,
                seconds / 60, seconds % 60);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: lesson_builder SOURCES OUT\n";
        return 2;
    }
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(argv[1])) {
        if (entry.path().extension() == ".txt") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    int failures = 0;
    for (const fs::path& source : sources) {
        try {
            BuildLesson(source, argv[2]);
        } catch (const std::exception& error) {
            std::cerr << source.filename().string() << ": " << error.what() << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
