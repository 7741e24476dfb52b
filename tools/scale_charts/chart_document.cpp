// SPDX-License-Identifier: MIT
#include <optional>
#include <sstream>
#include <stdexcept>

#include "document/render_fret_digits.h"
#include "document/tab_cell.h"
#include "document/tab_header.h"
#include "scale_chart.h"

namespace fretlux::charts {

namespace {

// A note in the TAB: its line (1 = high E string .. 6 = low E string) and its fingered fret.
struct PlacedNote {
    int line;
    FingeredNote note;
};

// One column of the TAB: a bar, a rest, or one note.
struct Column {
    bool bar = false;
    std::optional<PlacedNote> note;
};

constexpr std::string_view kRestCell = "-    ";
constexpr std::string_view kBarCell = "|    ";
// The columns an edited TAB holds after its header cell.
constexpr int kMaxColumns = kEditedLineLength / kCellWidth - 1;
constexpr std::string_view kComingDown =
    "The same position coming back down, from the note below the top to the lowest note. Keep "
    "each finger over its own fret on the way down as on the way up, and let every note sound "
    "until the next one begins.";

std::vector<PlacedNote> Ascending(const Shape& shape) {
    std::vector<PlacedNote> notes;
    for (int string = 0; string < 6; ++string) {
        for (const FingeredNote& note : shape[string]) notes.push_back({6 - string, note});
    }
    return notes;
}

bool HasTwoDigitFret(const Shape& shape) {
    for (const auto& string : shape) {
        for (const FingeredNote& note : string) {
            if (note.fret >= 10) return true;
        }
    }
    return false;
}

// Each note followed by rests up to the next, and a bar at the end.
std::vector<Column> Run(const std::vector<PlacedNote>& notes, int spacing) {
    std::vector<Column> columns;
    for (const PlacedNote& note : notes) {
        columns.push_back({false, note});
        columns.resize(columns.size() + spacing - 1);
    }
    columns.push_back({true, {}});
    return columns;
}

// One TAB of a chart before it is written.
struct ChartTab {
    std::string label;
    int tempo;
    std::vector<Column> columns;
    std::string text;
};

// A position is played up from its lowest note and back down from the one below the top, as it
// is practised, in one TAB. Notes stand two columns apart; where the position has two-digit
// frets, whose second digit takes the column after the note, they stand three apart, so that
// "10-12" never reads as "1012", at a tempo that keeps the time from note to note (nearly) the
// same. A run too long for one TAB then goes up in one TAB and comes down in the next.
std::vector<ChartTab> PositionTabs(const Position& position, const Chart& chart) {
    const std::vector<PlacedNote> up = Ascending(position.shape);
    const std::vector<PlacedNote> down(up.rbegin() + 1, up.rend());
    const int spacing = HasTwoDigitFret(position.shape) ? 3 : 2;
    const int tempo = spacing == 2 ? chart.tempo : (2 * chart.tempo + 1) / 3;
    std::vector<Column> upColumns = Run(up, spacing);
    std::vector<Column> downColumns = Run(down, spacing);
    if (static_cast<int>(upColumns.size() + downColumns.size()) <= kMaxColumns) {
        upColumns.insert(upColumns.end(), downColumns.begin(), downColumns.end());
        return {{position.label, tempo, upColumns, position.text + "\n\n" + chart.about}};
    }
    return {{position.label + ", going up", tempo, upColumns, position.text + "\n\n" + chart.about},
            {position.label + ", coming down", tempo, downColumns,
             std::string(kComingDown) + "\n\n" + chart.about}};
}

std::string Cell(const Column& column, int line) {
    if (column.bar) return std::string(kBarCell);
    if (!column.note || column.note->line != line) return std::string(kRestCell);
    const FingeredNote& note = column.note->note;
    return std::string{'-', FretLetter(note.fret), AttributeLetter(note.finger, true), ' ', ' '};
}

// The text window shows lines ended by CR LF.
std::string WindowText(const std::string& paragraphs) {
    std::string text;
    for (char ch : paragraphs + "\n") {
        if (ch == '\n') text += '\r';
        text += ch;
    }
    return text;
}

}  // namespace

Shape ParseShape(const std::array<std::string_view, 6>& strings) {
    Shape shape;
    for (int string = 0; string < 6; ++string) {
        std::istringstream notes{std::string(strings[string])};
        for (std::string note; notes >> note;) {
            const auto slash = note.find('/');
            if (slash == std::string::npos) throw std::invalid_argument("no finger: " + note);
            shape[string].push_back(
                {std::stoi(note.substr(0, slash)), std::stoi(note.substr(slash + 1))});
        }
    }
    return shape;
}

Shape Shifted(Shape shape, int frets) {
    for (auto& string : shape) {
        for (FingeredNote& note : string) note.fret += frets;
    }
    return shape;
}

TabDocument ChartDocument(const Chart& chart) {
    std::vector<ChartTab> tabs;
    for (const Position& position : chart.positions) {
        for (ChartTab& tab : PositionTabs(position, chart)) tabs.push_back(std::move(tab));
    }
    TabDocument document;
    document.tabCount = static_cast<int>(tabs.size());
    for (int t = 0; t < document.tabCount; ++t) {
        const ChartTab& tab = tabs[t];
        if (static_cast<int>(tab.columns.size()) > kMaxColumns) {
            throw std::length_error(tab.label + ": more columns than a TAB holds");
        }
        TabBlock& block = document.tabLines[t];
        block[0] = StampHeader(tab.label, {tab.tempo, kVolume, chart.patch});
        for (int line = 1; line < kLinesPerTab; ++line) {
            block[line] = HeaderCell(kStringLetters[line - 1]);
            for (const Column& column : tab.columns) block[line] += Cell(column, line);
        }
        document.tabTexts[t] = WindowText(tab.text);
        RenderFretDigits(document, t);
    }
    return document;
}

}  // namespace fretlux::charts
