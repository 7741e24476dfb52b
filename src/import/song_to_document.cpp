// SPDX-License-Identifier: MIT
#include "import/song_to_document.h"

#include <algorithm>
#include <array>
#include <map>

#include "document/rounding.h"
#include "document/tab_cell.h"
#include "import/fingering.h"

namespace fretlux {

namespace {

constexpr std::array<int, 6> kStandardTuning{40, 45, 50, 55, 59, 64};
constexpr std::string_view kNoteNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                           "F#", "G",  "G#", "A",  "A#", "B"};
// A TAB holds at most 26 bars (three columns each at the least), so this many played bars
// always fill more than 101 TABs; so do this many columns.
constexpr size_t kMaxPlayedBars = (kMaxTabs + 1) * (kTabColumns / 3);
constexpr size_t kMaxColumns = (kMaxTabs + 1) * kTabColumns;

enum class Technique { None, Legato, Slide, SlideOutDown, SlideOutUp, Bend, Vibrato };

struct Cell {
    int fret = -1;
    bool dead = false;
    Technique technique = Technique::None;
    char symbol = 0;  // a technique mark or the second digit of the fret to the left
};

using Column = std::array<Cell, 6>;

struct PlayedBar {
    size_t masterBar;
    size_t firstColumn;
    int steps;
};

std::string Notes(int count) { return std::to_string(count) + (count == 1 ? " note" : " notes"); }

Technique TechniqueOf(const ImportedNote& note) {
    if (note.hammerOrPull) return Technique::Legato;
    if (note.slide == Slide::Shift) return Technique::Slide;
    if (note.slide == Slide::OutDown) return Technique::SlideOutDown;
    if (note.slide == Slide::OutUp) return Technique::SlideOutUp;
    if (note.bend) return Technique::Bend;
    if (note.vibrato) return Technique::Vibrato;
    return Technique::None;
}

// The chords of a bar with the voices merged: one chord per onset, in time order.
std::vector<ImportedChord> MergedChords(const ImportedBar& bar) {
    std::map<int, ImportedChord> byOnset;
    for (const ImportedChord& chord : bar.chords) {
        ImportedChord& merged = byOnset[chord.onset];
        merged.onset = chord.onset;
        merged.notes.insert(merged.notes.end(), chord.notes.begin(), chord.notes.end());
    }
    std::vector<ImportedChord> result;
    for (auto& entry : byOnset) result.push_back(std::move(entry.second));
    return result;
}

class Converter {
public:
    Converter(const ImportedSong& song, const ImportedTrack& track, const TabSettings& start)
        : song_(song),
          track_(track),
          start_(start),
          step_(GridStep(track)),
          keepFrets_(IsStandardGuitar(track)) {}

    ConvertedSong Convert();

private:
    void LayOutBar(size_t masterBar);
    void MarkTechniques();
    std::string CellText(const Column& column, bool barLine, int line) const;
    void BuildTabs(ConvertedSong& result);
    std::string IntroText() const;

    const ImportedSong& song_;
    const ImportedTrack& track_;
    TabSettings start_;
    int step_;
    bool keepFrets_;
    Fingering fingering_;
    std::vector<Column> columns_;
    std::vector<bool> barLines_;
    std::vector<PlayedBar> played_;
    int movedNotes_ = 0;
    int droppedNotes_ = 0;
    bool layoutCut_ = false;  // bars were left unlaid because they could never fit
};

void Converter::LayOutBar(size_t masterBar) {
    const MasterBar& bar = song_.bars[masterBar];
    const std::vector<ImportedChord> chords = masterBar < track_.bars.size()
                                                  ? MergedChords(track_.bars[masterBar])
                                                  : std::vector<ImportedChord>();
    struct Placed {
        int grid;
        int line;
        int fret;
        const ImportedNote* note;
    };
    // Each note goes to its nearest grid point after the notes before it on its string, so that
    // a string's notes keep their order; a grace note takes the point before.
    std::vector<Placed> placed;
    std::array<int, 6> lastGrid;
    lastGrid.fill(-1);
    const auto place = [&](int grid, int line, int fret, const ImportedNote& note) {
        int& last = lastGrid[static_cast<size_t>(line - 1)];
        int g = std::max(grid, last + 1);
        const int graceFret = note.graceInterval ? fret + *note.graceInterval : -1;
        if (graceFret >= 0 && graceFret <= kMaxFret) {
            // With no room before the note (at the start of a bar), the note makes room.
            if (g - 1 <= last) ++g;
            placed.push_back({g - 1, line, graceFret, nullptr});
        }
        placed.push_back({g, line, fret, &note});
        last = g;
    };
    for (const ImportedChord& chord : chords) {
        const int grid = RoundHalfEven(static_cast<double>(chord.onset) / step_);
        std::vector<const ImportedNote*> struck;
        for (const ImportedNote& note : chord.notes) {
            if (!note.tied) struck.push_back(&note);
        }
        if (keepFrets_) {
            for (const ImportedNote* note : struck) place(grid, note->string, note->fret, *note);
            continue;
        }
        std::vector<int> pitches;
        for (const ImportedNote* note : struck) {
            const int pitch = PitchInGuitarRange(note->pitch);
            if (pitch != note->pitch) ++movedNotes_;
            pitches.push_back(pitch);
        }
        const auto places = fingering_.Place(pitches);
        for (size_t i = 0; i < struck.size(); ++i) {
            if (places[i]) {
                place(grid, places[i]->line, places[i]->fret, *struck[i]);
            } else {
                ++droppedNotes_;
            }
        }
    }
    // A bar holds at least its time; an overfull one grows to hold its notes, as players play it.
    int steps = std::max(1, (bar.length + step_ - 1) / step_);
    for (const int last : lastGrid) steps = std::max(steps, last + 1);
    steps = std::min(steps, static_cast<int>(kMaxColumns / 2));
    const size_t first = columns_.size();
    columns_.resize(first + static_cast<size_t>(2 * steps + 1));
    barLines_.resize(columns_.size(), false);
    barLines_.back() = true;
    played_.push_back({masterBar, first, steps});
    for (const Placed& note : placed) {
        if (note.grid >= steps) continue;  // past any TAB the document can hold
        Cell& cell = columns_[first + static_cast<size_t>(2 * note.grid)]
                             [static_cast<size_t>(note.line - 1)];
        cell.fret = note.fret;
        if (note.note == nullptr) continue;
        cell.dead = note.note->dead;
        if (!cell.dead) cell.technique = TechniqueOf(*note.note);
    }
}

// A technique mark goes into the column after its note: h or p, / or \ by the direction of the
// next note on the string.
void Converter::MarkTechniques() {
    for (size_t line = 0; line < 6; ++line) {
        for (size_t c = 0; c < columns_.size(); ++c) {
            Cell& cell = columns_[c][line];
            if (cell.fret < 0 || cell.dead) continue;
            size_t markColumn = c + 1;
            if (cell.fret >= 10) {
                columns_[c + 1][line].symbol = static_cast<char>('0' + cell.fret % 10);
                markColumn = c + 2;
                if (markColumn >= columns_.size() || barLines_[markColumn]) continue;
                const Cell& next = columns_[markColumn][line];
                if (next.fret >= 0) continue;
            }
            if (cell.technique == Technique::None) continue;
            int nextFret = -1;
            for (size_t n = c + 1; n < columns_.size(); ++n) {
                if (columns_[n][line].fret >= 0) {
                    nextFret = columns_[n][line].fret;
                    break;
                }
            }
            char mark = 0;
            switch (cell.technique) {
                case Technique::Legato:
                    if (nextFret >= 0) mark = nextFret < cell.fret ? 'p' : 'h';
                    break;
                case Technique::Slide:
                    mark = nextFret >= 0 && nextFret > cell.fret ? '/' : '\\';
                    break;
                case Technique::SlideOutDown:
                    mark = '\\';
                    break;
                case Technique::SlideOutUp:
                    mark = '/';
                    break;
                case Technique::Bend:
                    mark = 'b';
                    break;
                case Technique::Vibrato:
                    mark = '~';
                    break;
                case Technique::None:
                    break;
            }
            if (mark != 0) columns_[markColumn][line].symbol = mark;
        }
    }
}

std::string Converter::CellText(const Column& column, bool barLine, int line) const {
    if (barLine) return "|    ";
    const Cell& cell = column[static_cast<size_t>(line - 1)];
    if (cell.fret >= 0) {
        // A dead note shows as x and sounds as the muted string does in other players.
        const char shown =
            cell.dead ? 'x'
                      : static_cast<char>('0' + (cell.fret >= 10 ? cell.fret / 10 : cell.fret));
        return std::string(1, shown) + FretLetter(cell.fret) + AttributeLetter(0, true) + "  ";
    }
    if (cell.symbol != 0) return std::string(1, cell.symbol) + "    ";
    return "-    ";
}

std::string Converter::IntroText() const {
    std::string text;
    const auto addLine = [&text](const std::string& line) { text += line + "\r\n"; };
    if (!song_.title.empty()) addLine(song_.title);
    if (!song_.artist.empty()) addLine("by " + song_.artist);
    if (!song_.author.empty()) addLine("Tab: " + song_.author);
    const bool standardTuning = std::equal(track_.tuning.begin(), track_.tuning.end(),
                                           kStandardTuning.begin(), kStandardTuning.end());
    if (!standardTuning || track_.capo > 0) {
        std::string tuning;
        for (const int pitch : track_.tuning)
            tuning += (tuning.empty() ? "" : " ") + PitchName(pitch);
        std::string line =
            "Written for " + std::to_string(track_.tuning.size()) + " strings tuned " + tuning;
        if (track_.capo > 0) line += " with a capo at fret " + std::to_string(track_.capo);
        addLine(line + "; placed here on a guitar in standard tuning.");
    }
    if (movedNotes_ > 0) addLine(Notes(movedNotes_) + " moved by octaves into the guitar's range.");
    if (droppedNotes_ > 0) addLine(Notes(droppedNotes_) + " left out: more at once than strings.");
    return text;
}

void Converter::BuildTabs(ConvertedSong& result) {
    struct Tab {
        size_t firstBar;                                // index into played_
        std::vector<std::pair<size_t, size_t>> ranges;  // column ranges [from, to)
        int width = 0;
        int tempo;
        std::string label;
    };
    std::vector<Tab> tabs;
    int tempo = song_.tempo;
    size_t barsKept = 0;
    for (size_t p = 0; p < played_.size(); ++p) {
        const PlayedBar& bar = played_[p];
        const MasterBar& master = song_.bars[bar.masterBar];
        const int previousTempo = tempo;
        if (master.tempo) tempo = *master.tempo;
        const int width = 2 * bar.steps + 1;
        const bool fresh = tabs.empty() || tabs.back().width + width > kTabColumns ||
                           tempo != previousTempo || !master.marker.empty();
        std::vector<std::pair<size_t, size_t>> pieces;
        if (width <= kTabColumns) {
            pieces.emplace_back(bar.firstColumn, bar.firstColumn + static_cast<size_t>(width));
        } else {
            // Cut a wide bar at beats: as many whole beats as a TAB holds.
            const int beatColumns =
                2 * std::max(1, 4 * kTicksPerQuarter / master.denominator / step_);
            const int chunk = beatColumns <= kTabColumns - 1
                                  ? (kTabColumns - 1) / beatColumns * beatColumns
                                  : kTabColumns - 1;
            for (int from = 0; from < width; from += chunk) {
                const int to = std::min(width, from + chunk);
                const int end =
                    width - to == 1 ? width : to;  // the bar line stays with the last beat
                pieces.emplace_back(bar.firstColumn + static_cast<size_t>(from),
                                    bar.firstColumn + static_cast<size_t>(end));
                if (end == width) break;
            }
        }
        // Whole bars only; of a bar wider than a TAB, the pieces that fit.
        const size_t newTabs = (fresh ? 1 : 0) + pieces.size() - 1;
        const size_t room = static_cast<size_t>(kMaxTabs) - tabs.size();
        if (newTabs > room && (pieces.size() == 1 || room == 0)) break;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0 || fresh) {
                if (tabs.size() == static_cast<size_t>(kMaxTabs)) break;
                tabs.push_back({p, {}, 0, tempo, i == 0 ? master.marker : std::string()});
            }
            tabs.back().ranges.push_back(pieces[i]);
            tabs.back().width += static_cast<int>(pieces[i].second - pieces[i].first);
        }
        if (newTabs > room) break;
        barsKept = p + 1;
    }
    if (barsKept < played_.size() || layoutCut_) {
        result.notice = "The song is longer than 101 TABs: only its first " +
                        std::to_string(barsKept) + " bars were opened.";
    }

    TabDocument& document = result.document;
    document.Clear();
    const int volume = track_.volume.value_or(start_.volume);
    for (size_t t = 0; t < tabs.size(); ++t) {
        const Tab& tab = tabs[t];
        document.MakeBlankTab(static_cast<int>(t));
        TabBlock& block = document.tabLines[t];
        const double msPerColumn = 60000.0 / tab.tempo * step_ / kTicksPerQuarter / 2;
        const int tempoValue = std::clamp(RoundHalfEven(msPerColumn / kTempoUnitMs), 1, 200);
        block[0] = StampHeader(tab.label, {tempoValue, volume, track_.patch});
        for (int line = 1; line <= 6; ++line) {
            std::string text = HeaderCell(kStringLetters[static_cast<size_t>(line - 1)]);
            for (const auto& [from, to] : tab.ranges) {
                for (size_t c = from; c < to; ++c)
                    text += CellText(columns_[c], barLines_[c], line);
            }
            block[static_cast<size_t>(line)] = std::move(text);
        }
    }
    // Lyrics go to the TAB where the bar they start at is first played.
    std::vector<bool> lyricsPlaced(track_.lyrics.size(), false);
    for (size_t t = 0; t < tabs.size(); ++t) {
        const size_t lastBar = t + 1 < tabs.size() ? tabs[t + 1].firstBar : barsKept;
        for (size_t p = tabs[t].firstBar; p < lastBar; ++p) {
            for (size_t l = 0; l < track_.lyrics.size(); ++l) {
                if (lyricsPlaced[l] ||
                    track_.lyrics[l].first != static_cast<int>(played_[p].masterBar))
                    continue;
                lyricsPlaced[l] = true;
                document.tabTexts[t] += track_.lyrics[l].second + "\r\n";
            }
        }
    }
    if (!tabs.empty()) document.tabTexts[0] = IntroText() + document.tabTexts[0];
    document.tabCount = static_cast<int>(tabs.size());
}

ConvertedSong Converter::Convert() {
    for (const size_t bar : PlayedBarOrder(song_.bars, kMaxPlayedBars)) {
        if (columns_.size() > kMaxColumns) {
            layoutCut_ = true;
            break;
        }
        LayOutBar(bar);
    }
    MarkTechniques();
    ConvertedSong result;
    BuildTabs(result);
    return result;
}

}  // namespace

std::string PitchName(int pitch) {
    return std::string(kNoteNames[pitch % 12]) + std::to_string(pitch / 12 - 1);
}

bool IsStandardGuitar(const ImportedTrack& track) {
    if (track.capo != 0 || !std::equal(track.tuning.begin(), track.tuning.end(),
                                       kStandardTuning.begin(), kStandardTuning.end())) {
        return false;
    }
    for (const ImportedBar& bar : track.bars) {
        for (const ImportedChord& chord : bar.chords) {
            for (const ImportedNote& note : chord.notes) {
                if (note.string < 1 || note.string > 6 || note.fret > kMaxFret) return false;
            }
        }
    }
    return true;
}

int GridStep(const ImportedTrack& track) {
    for (const int step : {kTicksPerQuarter / 2, kTicksPerQuarter / 4, kTicksPerQuarter / 8}) {
        bool fits = true;
        for (const ImportedBar& bar : track.bars) {
            for (const ImportedChord& chord : bar.chords) {
                const int offset = chord.onset % step;
                if (std::min(offset, step - offset) * 10 > step) fits = false;
            }
        }
        if (fits) return step;
    }
    return kTicksPerQuarter / 8;
}

namespace {

// Per bar: whether it belongs to the last of the alternate endings it stands among, the one
// played after a jump back, when repeats are no longer taken.
std::vector<bool> FinalEndings(const std::vector<MasterBar>& bars) {
    std::vector<bool> final(bars.size(), false);
    for (size_t run = 0; run < bars.size();) {
        if (bars[run].alternateEndings == 0) {
            ++run;
            continue;
        }
        size_t end = run;
        unsigned all = 0;
        while (end < bars.size() && bars[end].alternateEndings != 0)
            all |= bars[end++].alternateEndings;
        unsigned last = 1;
        while (all >> 1 >= last) last <<= 1;
        for (size_t b = run; b < end; ++b) final[b] = (bars[b].alternateEndings & last) != 0;
        run = end;
    }
    return final;
}

size_t FirstBarWhere(const std::vector<MasterBar>& bars, size_t from, bool MasterBar::*mark) {
    for (size_t b = from; b < bars.size(); ++b) {
        if (bars[b].*mark) return b;
    }
    for (size_t b = 0; b < from && b < bars.size(); ++b) {
        if (bars[b].*mark) return b;
    }
    return bars.size();
}

}  // namespace

std::vector<size_t> PlayedBarOrder(const std::vector<MasterBar>& bars, size_t limit) {
    const std::vector<bool> finalEnding = FinalEndings(bars);
    std::vector<bool> jumpTaken(bars.size(), false);
    std::vector<size_t> order;
    size_t sectionStart = 0;
    int pass = 1;
    bool afterJump = false;
    for (size_t i = 0; i < bars.size() && order.size() < limit;) {
        const MasterBar& bar = bars[i];
        if (bar.repeatStart && sectionStart != i) {
            sectionStart = i;
            pass = 1;
        }
        if (bar.alternateEndings != 0) {
            const bool taken = afterJump
                                   ? finalEnding[i]
                                   : pass <= 32 && (bar.alternateEndings & (1u << (pass - 1)));
            if (!taken) {
                ++i;
                continue;
            }
        }
        order.push_back(i);
        if (!afterJump && bar.repeatPlays > 0 && pass < bar.repeatPlays) {
            ++pass;
            i = sectionStart;
            continue;
        }
        if (bar.repeatPlays > 0) {
            pass = 1;
            sectionStart = i + 1;
        }
        if (afterJump && bar.fine) break;
        if (afterJump && bar.toCoda) {
            const size_t coda = FirstBarWhere(bars, i + 1, &MasterBar::coda);
            if (coda < bars.size()) {
                i = coda;
                afterJump = false;  // past the coda the song plays on as written
                std::fill(jumpTaken.begin(), jumpTaken.end(), true);
                continue;
            }
        }
        if (bar.jumpBack != JumpBack::None && !jumpTaken[i]) {
            jumpTaken[i] = true;
            afterJump = true;
            const size_t segno = FirstBarWhere(bars, 0, &MasterBar::segno);
            i = bar.jumpBack == JumpBack::ToSegno && segno < bars.size() ? segno : 0;
            sectionStart = i;
            pass = 1;
            continue;
        }
        ++i;
    }
    return order;
}

ConvertedSong SongToDocument(const ImportedSong& song, size_t trackIndex,
                             const TabSettings& startSettings) {
    return Converter(song, song.tracks.at(trackIndex), startSettings).Convert();
}

}  // namespace fretlux
