// SPDX-License-Identifier: MIT
#include "exports/musicxml_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "document/rounding.h"
#include "document/tab_cell.h"
#include "document/tab_header.h"
#include "document/utf8_text.h"
#include "exports/note_spelling.h"
#include "exports/spanner_numbers.h"
#include "exports/tab_score.h"
#include "exports/xml_writer.h"
#include "fretboard/tuning.h"

namespace fretlux {

namespace {

constexpr std::string_view kProlog =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
    "\"http://www.musicxml.org/dtds/partwise.dtd\">\n";
constexpr const char* kPartId = "P1";
constexpr const char* kInstrumentId = "P1-I1";
constexpr int kDivisionsPerQuarter = 4;  // one division is one column
// The velocity MusicXML's dynamics percentage is counted from (its forte).
constexpr double kForteVelocity = 90.0;
constexpr int kNotationStaff = 1;
constexpr int kTabStaff = 2;
// Voices are counted over the whole part; the TAB staff's notes are a voice of their own.
constexpr int kNotationVoice = 1;
constexpr int kTabVoice = 5;
constexpr int kStaffLines = 6;

std::string Decimal(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

// A column lasts 3 x tempo ms and is a sixteenth, so a quarter lasts 12 x tempo ms.
double QuarterNotesPerMinute(int tempo) {
    return 60000.0 / (kDivisionsPerQuarter * kTempoUnitMs * tempo);
}

struct TimeSignature {
    int beats;
    int beatType;
    bool operator==(const TimeSignature&) const = default;
};

// A measure's length in sixteenths, as x/16, or x/8 or x/4 where that divides.
TimeSignature TimeOf(int sixteenths) {
    if (sixteenths % 4 == 0) return {sixteenths / 4, 4};
    if (sixteenths % 2 == 0) return {sixteenths / 2, 8};
    return {sixteenths, 16};
}

std::string Text(int number) { return std::to_string(number); }

// TAB line l is the string notation programs number l; the fretboard numbers it 7 - l.
int OpenStringNote(int line) {
    static const Tuning tuning;
    return tuning.openStringNotes[kLinesPerTab - line];
}

std::string_view LinkLetter(Link link) { return link == Link::HammerOn ? "H" : "P"; }
std::string_view LinkElement(Link link) {
    return link == Link::HammerOn ? "hammer-on" : "pull-off";
}

// Where a note's piece stands among the tied pieces of its length.
struct Piece {
    NoteValue value;
    bool first;
    bool last;
};

class ScoreWriter {
public:
    // At least one of the TABs has a measure.
    explicit ScoreWriter(std::string_view title, const std::vector<ScoreTab>& tabs);
    std::string Finish();

private:
    void WriteHeader(std::string_view title, int patch);
    void WriteTab(const ScoreTab& tab, bool lastTab);
    void WriteAttributes(const ScoreMeasure& measure);
    void WriteFirstAttributes();
    void WriteTabDirections(const ScoreTab& tab);
    void WriteWords(std::string_view element, std::string_view text);
    void WriteStaff(const ScoreMeasure& measure, int staff);
    void WriteRest(int length, bool wholeMeasure, const NoteValue* value, int staff);
    void WriteNote(const ScoreNote& note, const Piece& piece, bool inChord, int staff);
    void WriteNotations(const ScoreNote& note, const Piece& piece, int staff);

    XmlWriter xml_{kProlog};
    int measureNumber_ = 0;
    std::optional<TimeSignature> time_;
    std::optional<TabSettings> settings_;
    SpannerNumbers spanners_;
};

ScoreWriter::ScoreWriter(std::string_view title, const std::vector<ScoreTab>& tabs) {
    // TABs without a column write nothing; the score is what those with music play.
    const auto hasMusic = [](const ScoreTab& tab) { return !tab.measures.empty(); };
    const auto first = std::find_if(tabs.begin(), tabs.end(), hasMusic);
    const auto last = std::find_if(tabs.rbegin(), tabs.rend(), hasMusic).base() - 1;
    xml_.Open("score-partwise", {{"version", "4.0"}});
    WriteHeader(title, first->settings.patch);
    xml_.Open("part", {{"id", kPartId}});
    for (auto tab = first; tab <= last; ++tab) WriteTab(*tab, tab == last);
    xml_.Close();
    xml_.Close();
}

std::string ScoreWriter::Finish() { return xml_.Text(); }

void ScoreWriter::WriteHeader(std::string_view title, int patch) {
    xml_.Open("work");
    xml_.Leaf("work-title", BytesAsUtf8(title));
    xml_.Close();
    xml_.Open("identification");
    xml_.Open("encoding");
    xml_.Leaf("software", "Fretlux");
    xml_.Close();
    xml_.Close();
    xml_.Open("part-list");
    xml_.Open("score-part", {{"id", kPartId}});
    xml_.Leaf("part-name", "Guitar");
    xml_.Open("score-instrument", {{"id", kInstrumentId}});
    xml_.Leaf("instrument-name", "Guitar");
    xml_.Close();
    xml_.Open("midi-instrument", {{"id", kInstrumentId}});
    xml_.Leaf("midi-channel", "1");
    xml_.Leaf("midi-program", Text(patch + 1));  // MusicXML counts programs from 1
    xml_.Close();
    xml_.Close();
    xml_.Close();
}

// Each TAB starts a new system, under its label and text.
void ScoreWriter::WriteTab(const ScoreTab& tab, bool lastTab) {
    for (size_t m = 0; m < tab.measures.size(); ++m) {
        const ScoreMeasure& measure = tab.measures[m];
        xml_.Open("measure", {{"number", Text(++measureNumber_)}});
        if (m == 0 && measureNumber_ > 1) xml_.Empty("print", {{"new-system", "yes"}});
        WriteAttributes(measure);
        if (m == 0) WriteTabDirections(tab);
        WriteStaff(measure, kNotationStaff);
        xml_.Open("backup");
        xml_.Leaf("duration", Text(measure.length));
        xml_.Close();
        WriteStaff(measure, kTabStaff);
        const bool finalBar = lastTab && m + 1 == tab.measures.size();
        if (finalBar || measure.doubleBar) {
            xml_.Open("barline", {{"location", "right"}});
            xml_.Leaf("bar-style", finalBar ? "light-heavy" : "light-light");
            xml_.Close();
        }
        xml_.Close();
    }
}

// The time signature is written where it changes.
void ScoreWriter::WriteAttributes(const ScoreMeasure& measure) {
    const TimeSignature time = TimeOf(measure.length);
    if (time_ == time) return;
    xml_.Open("attributes");
    if (!time_) {
        xml_.Leaf("divisions", Text(kDivisionsPerQuarter));
        xml_.Open("key");
        xml_.Leaf("fifths", "0");
        xml_.Close();
    }
    xml_.Open("time");
    xml_.Leaf("beats", Text(time.beats));
    xml_.Leaf("beat-type", Text(time.beatType));
    xml_.Close();
    if (!time_) WriteFirstAttributes();
    xml_.Close();
    time_ = time;
}

void ScoreWriter::WriteFirstAttributes() {
    xml_.Leaf("staves", "2");
    xml_.Open("clef", {{"number", Text(kNotationStaff)}});
    xml_.Leaf("sign", "G");
    xml_.Leaf("line", "2");
    xml_.Leaf("clef-octave-change", "-1");  // guitar sounds an octave below the treble staff
    xml_.Close();
    xml_.Open("clef", {{"number", Text(kTabStaff)}});
    xml_.Leaf("sign", "TAB");
    xml_.Leaf("line", "5");
    xml_.Close();
    xml_.Open("staff-details", {{"number", Text(kTabStaff)}});
    xml_.Leaf("staff-lines", Text(kStaffLines));
    // Staff line 1 is the bottom line, the low E string.
    for (int line = 1; line <= kStaffLines; ++line) {
        const SpelledPitch pitch = SpellPitch(OpenStringNote(kLinesPerTab - line));
        xml_.Open("staff-tuning", {{"line", Text(line)}});
        xml_.Leaf("tuning-step", std::string(1, pitch.step));
        xml_.Leaf("tuning-octave", Text(pitch.octave));
        xml_.Close();
    }
    xml_.Close();
}

void ScoreWriter::WriteWords(std::string_view element, std::string_view text) {
    xml_.Open("direction", {{"placement", "above"}});
    xml_.Open("direction-type");
    xml_.Leaf(element, BytesAsUtf8(text));
    xml_.Close();
    xml_.Leaf("staff", Text(kNotationStaff));
    xml_.Close();
}

void ScoreWriter::WriteTabDirections(const ScoreTab& tab) {
    if (!tab.label.empty()) WriteWords("rehearsal", tab.label);
    if (!tab.text.empty()) WriteWords("words", tab.text);
    const TabSettings& now = tab.settings;
    if (!settings_ || settings_->tempo != now.tempo) {
        const double perMinute = QuarterNotesPerMinute(now.tempo);
        xml_.Open("direction", {{"placement", "above"}});
        xml_.Open("direction-type");
        xml_.Open("metronome");
        xml_.Leaf("beat-unit", "quarter");
        xml_.Leaf("per-minute", Text(RoundHalfEven(perMinute)));
        xml_.Close();
        xml_.Close();
        xml_.Leaf("staff", Text(kNotationStaff));
        xml_.Empty("sound", {{"tempo", Decimal(perMinute)}});
        xml_.Close();
    }
    const bool newVolume = !settings_ || settings_->volume != now.volume;
    const bool newPatch = settings_ && settings_->patch != now.patch;
    if (newVolume || newPatch) {
        const std::string dynamics = Decimal(now.volume * 100.0 / kForteVelocity);
        if (!newPatch) {
            xml_.Empty("sound", {{"dynamics", dynamics}});
        } else {
            xml_.Open("sound", {{"dynamics", dynamics}});
            xml_.Open("midi-instrument", {{"id", kInstrumentId}});
            xml_.Leaf("midi-program", Text(now.patch + 1));
            xml_.Close();
            xml_.Close();
        }
    }
    settings_ = now;
}

// A chord's length is written as tied note values; a rest's as rests.
void ScoreWriter::WriteStaff(const ScoreMeasure& measure, int staff) {
    for (const ScoreChord& chord : measure.chords) {
        const std::vector<NoteValue> values = SpellLength(chord.length);
        if (chord.notes.empty() && chord.length == measure.length) {
            WriteRest(chord.length, true, nullptr, staff);
            continue;
        }
        for (size_t k = 0; k < values.size(); ++k) {
            if (chord.notes.empty()) {
                WriteRest(values[k].sixteenths, false, &values[k], staff);
                continue;
            }
            const Piece piece{values[k], k == 0, k + 1 == values.size()};
            for (size_t i = 0; i < chord.notes.size(); ++i) {
                WriteNote(chord.notes[i], piece, i > 0, staff);
            }
        }
    }
}

void ScoreWriter::WriteRest(int length, bool wholeMeasure, const NoteValue* value, int staff) {
    xml_.Open("note");
    if (wholeMeasure) {
        xml_.Empty("rest", {{"measure", "yes"}});
    } else {
        xml_.Empty("rest");
    }
    xml_.Leaf("duration", Text(length));
    xml_.Leaf("voice", Text(staff == kTabStaff ? kTabVoice : kNotationVoice));
    if (value != nullptr) {
        xml_.Leaf("type", value->type);
        if (value->dotted) xml_.Empty("dot");
    }
    xml_.Leaf("staff", Text(staff));
    xml_.Close();
}

void ScoreWriter::WriteNote(const ScoreNote& note, const Piece& piece, bool inChord, int staff) {
    xml_.Open("note");
    if (inChord) xml_.Empty("chord");
    const SpelledPitch pitch = SpellPitch(OpenStringNote(note.line) + note.fret);
    xml_.Open("pitch");
    xml_.Leaf("step", std::string(1, pitch.step));
    if (pitch.alter != 0) xml_.Leaf("alter", Text(pitch.alter));
    xml_.Leaf("octave", Text(pitch.octave));
    xml_.Close();
    xml_.Leaf("duration", Text(piece.value.sixteenths));
    if (!piece.first) xml_.Empty("tie", {{"type", "stop"}});
    if (!piece.last) xml_.Empty("tie", {{"type", "start"}});
    xml_.Leaf("voice", Text(staff == kTabStaff ? kTabVoice : kNotationVoice));
    xml_.Leaf("type", piece.value.type);
    if (piece.value.dotted) xml_.Empty("dot");
    if (note.dead) xml_.Leaf("notehead", "x");
    xml_.Leaf("staff", Text(staff));
    WriteNotations(note, piece, staff);
    xml_.Close();
}

Spanner SpannerOf(Link link) { return link == Link::Slide ? Spanner::Slide : Spanner::Slur; }

// The standard staff shows fingers, the TAB staff strings and frets; both show the techniques.
// A slur or slide is known by its staff and string until it stops.
void ScoreWriter::WriteNotations(const ScoreNote& note, const Piece& piece, int staff) {
    const int key = note.line + (staff == kTabStaff ? kStaffLines : 0);
    struct LinkEnd {
        Link link;
        bool stops;
        std::optional<int> number;
        const char* Type() const { return stops ? "stop" : "start"; }
    };
    std::array<LinkEnd, 2> links = {
        {{piece.first ? note.linkFromPrevious : Link::None, true, std::nullopt},
         {piece.last ? note.linkToNext : Link::None, false, std::nullopt}}};
    const bool fingering = staff == kNotationStaff && note.finger > 0 && piece.first;
    const bool bend = note.bendSemitones > 0 && piece.first;
    const bool vibrato = note.vibrato && piece.first;
    bool hammerOrPull = false;
    bool linked = false;
    for (const LinkEnd& end : links) {
        hammerOrPull = hammerOrPull || end.link == Link::HammerOn || end.link == Link::PullOff;
        linked = linked || end.link != Link::None;
    }
    const bool technical = staff == kTabStaff || fingering || bend || hammerOrPull;
    if (!technical && !linked && !vibrato && piece.first && piece.last) return;
    // The stop goes first, so that a note ending one slide and starting the next may pass its
    // number on.
    for (LinkEnd& end : links) {
        if (end.link == Link::None) continue;
        end.number = end.stops ? spanners_.Stop(SpannerOf(end.link), key)
                               : spanners_.Start(SpannerOf(end.link), key);
    }

    xml_.Open("notations");
    if (!piece.first) xml_.Empty("tied", {{"type", "stop"}});
    if (!piece.last) xml_.Empty("tied", {{"type", "start"}});
    for (const LinkEnd& end : links) {
        if (!end.number) continue;
        const std::string number = Text(*end.number);
        if (end.link == Link::Slide) {
            xml_.Empty("slide", {{"type", end.Type()}, {"number", number}, {"line-type", "solid"}});
        } else {
            xml_.Empty("slur", {{"type", end.Type()}, {"number", number}});
        }
    }
    if (technical) {
        xml_.Open("technical");
        for (const LinkEnd& end : links) {
            if ((end.link != Link::HammerOn && end.link != Link::PullOff) || !end.number) continue;
            xml_.Leaf(LinkElement(end.link), end.stops ? "" : LinkLetter(end.link),
                      {{"number", Text(*end.number)}, {"type", end.Type()}});
        }
        if (fingering) xml_.Leaf("fingering", note.finger == kThumb ? "T" : Text(note.finger));
        if (staff == kTabStaff) {
            xml_.Leaf("string", Text(note.line));
            xml_.Leaf("fret", Text(note.fret));
        }
        if (bend) {
            xml_.Open("bend");
            xml_.Leaf("bend-alter", Text(note.bendSemitones));
            xml_.Close();
        }
        xml_.Close();
    }
    // A wavy line starts and stops on its note, so its number is free again at once.
    const std::optional<int> wavy =
        vibrato ? spanners_.Start(Spanner::WavyLine, key) : std::nullopt;
    if (wavy) {
        spanners_.Stop(Spanner::WavyLine, key);
        xml_.Open("ornaments");
        xml_.Empty("wavy-line", {{"type", "start"}, {"number", Text(*wavy)}});
        xml_.Empty("wavy-line", {{"type", "stop"}, {"number", Text(*wavy)}});
        xml_.Close();
    }
    xml_.Close();
}

}  // namespace

std::string MusicXmlScore(const TabDocument& document, const TabSettings& startSettings,
                          std::string_view title) {
    std::vector<ScoreTab> tabs = ReadScore(document, startSettings);
    const bool hasMusic = std::any_of(tabs.begin(), tabs.end(),
                                      [](const ScoreTab& tab) { return !tab.measures.empty(); });
    if (!hasMusic) {
        // A part holds at least one measure: a document without music gets one bar of rest.
        const int length = kColumnsPerMeasureWithoutBars;
        tabs.assign(1, {"", "", startSettings, {{length, {{0, length, {}}}, false}}});
    }
    return ScoreWriter(title, tabs).Finish();
}

}  // namespace fretlux
