// SPDX-License-Identifier: MIT
#include "lesson_builder/lesson_document.h"

#include <sstream>
#include <stdexcept>

#include "document/render_fret_digits.h"
#include "document/tab_cell.h"
#include "lesson_builder/music_columns.h"
#include "lesson_builder/readable_columns.h"

namespace fretlux::lessons {

namespace {

// The tutor window first opens 64 average characters wide; lines of 52 leave room for wider
// letters and its scroll bar, so the window never breaks a line of its own.
constexpr int kTextWidth = 52;
constexpr std::string_view kLineEnd = "\r\n";
// The player waits the tempo value times 3 ms before each column.
constexpr int kMillisecondsPerTempoStep = 3;
// The label of a step's further TABs, after the step's title.
constexpr const char* kContinued = ", continued";

// The reader takes any line with three hyphens in a row for a string line.
void CheckReadsAsText(const std::string& line) {
    if (line.find("---") != std::string::npos) {
        throw std::runtime_error("\"---\" would read as a string line: " + line);
    }
}

void AppendWrapped(std::string& out, const std::string& paragraph, const std::string& indent,
                   int width) {
    std::istringstream words(paragraph);
    std::string line;
    for (std::string word; words >> word;) {
        if (!line.empty() && static_cast<int>(line.size() + 1 + word.size()) > width) {
            out += line + std::string(kLineEnd);
            line = indent;
        }
        line += (line.empty() || line == indent) ? word : " " + word;
    }
    if (!line.empty()) out += line + std::string(kLineEnd);
}

void AppendTab(LessonDocument& lesson, const std::string& label, const TabSettings& settings,
               const std::vector<Column>& columns, std::string text) {
    TabDocument& document = lesson.document;
    const int t = document.tabCount;
    if (t == kMaxTabs) throw std::runtime_error("more TABs than a document holds");
    TabBlock& block = document.tabLines[t];
    block[0] = StampHeader(label, settings);
    for (int l = 1; l <= 6; ++l) {
        block[l] = HeaderCell(kStringLetters[l - 1]);
        for (const Column& column : columns) block[l] += column[l];
    }
    document.tabTexts[t] = std::move(text);
    ++document.tabCount;
    RenderFretDigits(document, t);
    for (const Column& column : columns) {
        if (!IsBarColumn(column)) {
            lesson.playbackMilliseconds += settings.tempo * kMillisecondsPerTempoStep;
        }
    }
}

}  // namespace

std::string WrapText(const std::vector<std::string>& lines, int width) {
    std::string out;
    std::string paragraph;
    const auto flush = [&] {
        if (!paragraph.empty()) AppendWrapped(out, paragraph, "", width);
        paragraph.clear();
    };
    bool afterParagraph = false;
    for (const std::string& line : lines) {
        CheckReadsAsText(line);
        if (line.empty()) {
            flush();
            afterParagraph = !out.empty();
        } else {
            if (afterParagraph) out += kLineEnd;
            afterParagraph = false;
            if (line.starts_with("- ")) {
                flush();
                AppendWrapped(out, line, "  ", width);
            } else {
                paragraph += paragraph.empty() ? line : " " + line;
            }
        }
    }
    flush();
    return out;
}

LessonDocument BuildLessonDocument(const LessonSource& lesson) {
    LessonDocument result{{}, 0};
    for (const Step& step : lesson.steps) {
        try {
            CheckReadsAsText(step.label);
            const ReadableMusic music =
                MakeReadable(CompileMusic(lesson, step.music), step.settings.tempo);
            const TabSettings settings{music.tempo, step.settings.volume, step.settings.patch};
            AppendTab(result, step.label, settings, music.tabs.front(),
                      WrapText(step.textLines, kTextWidth));
            // The TABs after a step's first carry no text: the tutor takes them as the rest of
            // the step.
            for (std::size_t part = 1; part < music.tabs.size(); ++part) {
                AppendTab(result, step.label + kContinued, settings, music.tabs[part], "");
            }
        } catch (const std::runtime_error& error) {
            throw std::runtime_error("step \"" + step.label + "\" (line " +
                                     std::to_string(step.sourceLine) + "): " + error.what());
        }
    }
    const TabDocument& document = result.document;
    if (document.tabTexts[0].empty()) {
        throw std::runtime_error("the first step needs a text, so that the tutor opens at once");
    }
    return result;
}

}  // namespace fretlux::lessons
