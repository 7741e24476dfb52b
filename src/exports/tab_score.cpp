// SPDX-License-Identifier: MIT
#include "exports/tab_score.h"

#include <algorithm>
#include <utility>

#include "document/strings.h"
#include "exports/tab_columns.h"

namespace fretlux {

namespace {

// The ranges of the window's tempo, volume and patch bars, which clamp what a header stores.
TabSettings ClampedToBars(const TabSettings& stored) {
    return {std::clamp(stored.tempo, 1, 200), std::clamp(stored.volume, 0, 127),
            std::clamp(stored.patch, 0, 127)};
}

// Each chord lasts until the next one starts or the measure ends; the time before the first
// note is a rest.
ScoreMeasure FinishMeasure(int length, std::vector<ScoreChord> chords) {
    if (chords.empty() || chords.front().start > 0) chords.insert(chords.begin(), ScoreChord{});
    for (size_t i = 0; i < chords.size(); ++i) {
        const int end = i + 1 < chords.size() ? chords[i + 1].start : length;
        chords[i].length = end - chords[i].start;
    }
    return {length, std::move(chords), false};
}

bool IsBar(const SoundingColumn& column) { return column.bar; }

// Whether a bar column stands between columns of music: lines that merely open or close with
// "|", as most tabs of the web do, mark no measures.
bool MarksMeasures(const std::vector<SoundingColumn>& columns) {
    const auto first = std::find_if_not(columns.begin(), columns.end(), IsBar);
    const auto last = std::find_if_not(columns.rbegin(), columns.rend(), IsBar).base();
    return first < last && std::any_of(first, last, IsBar);
}

// A bar column ends a measure and costs no time; two in a row make a double bar. A TAB whose
// bars mark no measures is cut every 16 columns.
std::vector<ScoreMeasure> CutIntoMeasures(const std::vector<SoundingColumn>& columns) {
    const bool hasBars = MarksMeasures(columns);
    std::vector<ScoreMeasure> measures;
    std::vector<ScoreChord> chords;
    int length = 0;
    bool afterBar = false;
    auto close = [&] {
        if (length > 0) measures.push_back(FinishMeasure(length, std::move(chords)));
        chords.clear();
        length = 0;
    };
    for (const SoundingColumn& column : columns) {
        if (column.bar) {
            if (afterBar && length == 0 && !measures.empty()) measures.back().doubleBar = true;
            close();
            afterBar = true;
            continue;
        }
        afterBar = false;
        if (!column.notes.empty()) chords.push_back({length, 0, column.notes});
        ++length;
        if (!hasBars && length == kColumnsPerMeasureWithoutBars) close();
    }
    close();
    return measures;
}

}  // namespace

std::vector<ScoreTab> ReadScore(const TabDocument& document, const TabSettings& startSettings) {
    std::vector<ScoreTab> tabs;
    TabSettings settings = startSettings;
    for (int t = 0; t < document.tabCount; ++t) {
        const TabBlock& block = document.tabLines[t];
        if (const auto stored = ReadHeaderSettings(block[0])) settings = ClampedToBars(*stored);
        std::vector<SoundingColumn> columns = ReadColumns(block);
        LinkTechniques(columns);
        tabs.push_back({TrimSpaces(Left(block[0], kLabelLength)), document.tabTexts[t], settings,
                        CutIntoMeasures(columns)});
    }
    return tabs;
}

}  // namespace fretlux
