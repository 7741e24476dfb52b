// SPDX-License-Identifier: MIT
// Positions within a measure are counted in the score's divisions of a quarter note and moved
// by notes, backups and forwards; a chord note takes the onset of the note before it.
#include "import/musicxml_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <utility>

namespace fretlux {

namespace {

constexpr int kDefaultPatch = 24;  // nylon string guitar, 0-based
constexpr std::string_view kSteps = "C D EF G A B";

int StepPitchClass(std::string_view step) {
    const size_t at = step.empty() ? std::string_view::npos : kSteps.find(step[0]);
    return at == std::string_view::npos ? 0 : static_cast<int>(at);
}

int PitchOf(const pugi::xml_node& pitchNode, const char* stepName, const char* alterName,
            const char* octaveName) {
    const int pitchClass = StepPitchClass(pitchNode.child_value(stepName));
    const int alter = static_cast<int>(std::lround(pitchNode.child(alterName).text().as_double(0)));
    const int octave = pitchNode.child(octaveName).text().as_int(4);
    return std::clamp((octave + 1) * 12 + pitchClass + alter, 0, 127);
}

constexpr long kMostBeats = 64;

// The beats of "3+2+2" added up; nothing unless every part is a whole number.
std::optional<long> SumOfBeats(const char* text) {
    long sum = 0;
    while (true) {
        char* end = nullptr;
        const long part = std::strtol(text, &end, 10);
        if (end == text || part < 1 || part > kMostBeats) return std::nullopt;
        sum += part;
        if (*end != '+') return *end == '\0' ? std::optional<long>(sum) : std::nullopt;
        text = end + 1;
    }
}

// A time signature's numerator and denominator. A compound one plays its parts in turn, so they
// add up: 3+2 eighths is five eighths, and 2/4 then 3/8 (a composite signature) seven eighths.
std::optional<std::pair<int, int>> TimeSignatureOf(const pugi::xml_node& time) {
    long numerator = 0;
    long denominator = 1;
    for (pugi::xml_node beats : time.children("beats")) {
        const std::optional<long> parts = SumOfBeats(beats.child_value());
        const long beatType = beats.next_sibling("beat-type").text().as_int(4);
        if (!parts || beatType < 1 || beatType > kMostBeats) return std::nullopt;
        const long common = std::lcm(denominator, beatType);
        numerator = numerator * (common / denominator) + *parts * (common / beatType);
        denominator = common;
        // Both only grow, so a signature already too long stays so, however many parts follow.
        if (numerator > kMostBeats || denominator > kMostBeats) return std::nullopt;
    }
    if (numerator < 1) return std::nullopt;
    return std::pair{static_cast<int>(numerator), static_cast<int>(denominator)};
}

struct PartState {
    int divisions = 1;
    int transpose = 0;
    int tabStaff = 0;  // the staff that is a TAB; 0 = none, every staff is read
    bool sawTuning = false;
};

// The measures of every part, in score order, whichever way the file is organised.
std::map<std::string, std::vector<pugi::xml_node>> MeasuresByPart(const pugi::xml_node& root,
                                                                  bool timewise) {
    std::map<std::string, std::vector<pugi::xml_node>> result;
    if (!timewise) {
        for (pugi::xml_node part : root.children("part")) {
            auto& measures = result[part.attribute("id").value()];
            for (pugi::xml_node measure : part.children("measure")) measures.push_back(measure);
        }
        return result;
    }
    for (pugi::xml_node measure : root.children("measure")) {
        for (pugi::xml_node part : measure.children("part"))
            result[part.attribute("id").value()].push_back(part);
    }
    return result;
}

class ScoreReader {
public:
    explicit ScoreReader(const pugi::xml_node& root) : root_(root) {}
    ImportedSong Read();

private:
    void ReadHeader();
    ImportedTrack ReadPart(const pugi::xml_node& scorePart,
                           const std::vector<pugi::xml_node>& measures, bool firstPart);
    void ReadAttributes(const pugi::xml_node& attributes, ImportedTrack& track, PartState& state,
                        MasterBar& bar);
    void ReadMeasureMarks(const pugi::xml_node& measure, MasterBar& bar, unsigned& endingMask);

    pugi::xml_node root_;
    ImportedSong song_;
};

void ScoreReader::ReadHeader() {
    song_.title = root_.child("work").child_value("work-title");
    if (song_.title.empty()) song_.title = root_.child_value("movement-title");
    for (pugi::xml_node creator : root_.child("identification").children("creator")) {
        const std::string type = creator.attribute("type").value();
        if ((type == "composer" || type.empty()) && song_.artist.empty())
            song_.artist = creator.child_value();
        if ((type == "arranger" || type == "transcriber") && song_.author.empty())
            song_.author = creator.child_value();
    }
}

void ScoreReader::ReadAttributes(const pugi::xml_node& attributes, ImportedTrack& track,
                                 PartState& state, MasterBar& bar) {
    if (pugi::xml_node divisions = attributes.child("divisions")) {
        state.divisions = divisions.text().as_int(1);
        if (state.divisions < 1 || state.divisions > 1 << 20)
            throw ImportError("a MusicXML file with divisions of " +
                              std::string(divisions.child_value()));
    }
    if (pugi::xml_node time = attributes.child("time")) {
        if (const auto signature = TimeSignatureOf(time)) {
            bar.numerator = signature->first;
            bar.denominator = signature->second;
        }
    }
    if (pugi::xml_node transpose = attributes.child("transpose")) {
        state.transpose = transpose.child("chromatic").text().as_int(0) +
                          12 * transpose.child("octave-change").text().as_int(0);
    }
    for (pugi::xml_node clef : attributes.children("clef")) {
        if (std::string_view(clef.child_value("sign")) == "TAB")
            state.tabStaff = clef.attribute("number").as_int(1);
        if (std::string_view(clef.child_value("sign")) == "percussion") track.percussion = true;
    }
    for (pugi::xml_node details : attributes.children("staff-details")) {
        const int staff = details.attribute("number").as_int(1);
        if (state.tabStaff != 0 && staff != state.tabStaff) continue;
        std::map<int, int> tuningByLine;
        for (pugi::xml_node tuning : details.children("staff-tuning")) {
            tuningByLine[tuning.attribute("line").as_int(0)] =
                PitchOf(tuning, "tuning-step", "tuning-alter", "tuning-octave");
        }
        const int lines =
            details.child("staff-lines").text().as_int(static_cast<int>(tuningByLine.size()));
        if (!tuningByLine.empty() && lines >= 1 && lines <= 10) {
            track.tuning.clear();
            for (const auto& entry : tuningByLine) track.tuning.push_back(entry.second);
            state.sawTuning = true;
        }
        if (pugi::xml_node capo = details.child("capo"))
            track.capo = std::clamp(capo.text().as_int(0), 0, 24);
    }
}

void ScoreReader::ReadMeasureMarks(const pugi::xml_node& measure, MasterBar& bar,
                                   unsigned& endingMask) {
    for (pugi::xml_node barline : measure.children("barline")) {
        if (pugi::xml_node repeat = barline.child("repeat")) {
            if (std::string_view(repeat.attribute("direction").value()) == "forward") {
                bar.repeatStart = true;
            } else {
                bar.repeatPlays = std::clamp(repeat.attribute("times").as_int(2), 2, 64);
            }
        }
        if (pugi::xml_node ending = barline.child("ending")) {
            const std::string_view type = ending.attribute("type").value();
            if (type == "start") {
                endingMask = 0;
                std::string numbers = ending.attribute("number").value();
                for (char& ch : numbers) {
                    if (ch < '0' || ch > '9') ch = ' ';
                }
                const char* cursor = numbers.c_str();
                char* end = nullptr;
                for (long n = std::strtol(cursor, &end, 10); end != cursor;
                     n = std::strtol(cursor, &end, 10)) {
                    if (n >= 1 && n <= 32) endingMask |= 1u << (n - 1);
                    cursor = end;
                }
            }
            bar.alternateEndings = endingMask;
            if (type == "stop" || type == "discontinue") endingMask = 0;
        } else if (endingMask != 0) {
            bar.alternateEndings = endingMask;
        }
    }
    if (endingMask != 0) bar.alternateEndings = endingMask;
    for (pugi::xpath_node found : measure.select_nodes(".//sound[@tempo]")) {
        const double tempo = found.node().attribute("tempo").as_double(0);
        if (tempo >= 1 && tempo <= 1000 && !bar.tempo)
            bar.tempo = static_cast<int>(std::lround(tempo));
    }
    for (pugi::xpath_node found : measure.select_nodes(".//rehearsal")) {
        if (bar.marker.empty()) bar.marker = found.node().child_value();
    }
    for (pugi::xpath_node found : measure.select_nodes(".//sound")) {
        const pugi::xml_node sound = found.node();
        bar.segno = bar.segno || sound.attribute("segno");
        bar.coda = bar.coda || sound.attribute("coda");
        bar.toCoda = bar.toCoda || sound.attribute("tocoda");
        bar.fine = bar.fine || sound.attribute("fine");
        if (sound.attribute("dacapo").as_bool(false)) bar.jumpBack = JumpBack::ToStart;
        if (sound.attribute("dalsegno")) bar.jumpBack = JumpBack::ToSegno;
    }
}

ImportedTrack ScoreReader::ReadPart(const pugi::xml_node& scorePart,
                                    const std::vector<pugi::xml_node>& measures, bool firstPart) {
    ImportedTrack track;
    track.name = scorePart.child_value("part-name");
    track.tuning = {40, 45, 50, 55, 59, 64};
    track.patch = kDefaultPatch;
    if (pugi::xml_node instrument = scorePart.child("midi-instrument")) {
        const int program = instrument.child("midi-program").text().as_int(0);
        if (program >= 1 && program <= 128) track.patch = program - 1;
        if (instrument.child("midi-channel").text().as_int(0) == 10) track.percussion = true;
        if (pugi::xml_node volume = instrument.child("volume")) {
            track.volume = std::clamp(
                static_cast<int>(std::lround(volume.text().as_double(0) * 127 / 100)), 0, 127);
        }
    }
    PartState state;
    std::set<int> openTies;  // pitches whose last note starts a tie
    MasterBar current;
    unsigned endingMask = 0;
    for (size_t m = 0; m < measures.size(); ++m) {
        const pugi::xml_node measure = measures[m];
        if (firstPart && m >= song_.bars.size()) song_.bars.push_back(current);
        if (m >= song_.bars.size()) break;
        MasterBar& bar = song_.bars[m];
        for (pugi::xml_node attributes : measure.children("attributes"))
            ReadAttributes(attributes, track, state, bar);
        if (firstPart) {
            current.numerator = bar.numerator;
            current.denominator = bar.denominator;
            ReadMeasureMarks(measure, bar, endingMask);
            if (!bar.tempo) {
                for (pugi::xpath_node found : measure.select_nodes(".//metronome/per-minute")) {
                    const double perMinute = found.node().text().as_double(0);
                    if (perMinute >= 1 && perMinute <= 1000)
                        bar.tempo = static_cast<int>(std::lround(perMinute));
                    break;
                }
            }
        }
        ImportedBar& importedBar = track.bars.emplace_back();
        // Positions in divisions; some writers give fractions of a division.
        double position = 0, reached = 0, previousOnset = 0;
        int gracePitch = -1;  // of a grace note waiting for its note, -1 = none
        std::string lyric;
        for (pugi::xml_node child : measure.children()) {
            const std::string_view name = child.name();
            const double duration =
                std::clamp(child.child("duration").text().as_double(0), 0.0, 1e9);
            if (name == "backup") position = std::max(0.0, position - duration);
            if (name == "forward") position += duration;
            if (name != "note") {
                reached = std::max(reached, position);
                continue;
            }
            const int staff = child.child("staff").text().as_int(1);
            const bool read =
                child.child("pitch") && (state.tabStaff == 0 || staff == state.tabStaff);
            const auto pitchOf = [&] {
                return std::clamp(
                    PitchOf(child.child("pitch"), "step", "alter", "octave") + state.transpose, 0,
                    127);
            };
            // A grace note takes no time: it goes with the note it leads to.
            if (child.child("grace")) {
                if (read) gracePitch = pitchOf();
                continue;
            }
            const bool chord = child.child("chord") != nullptr;
            const double onset = chord ? previousOnset : position;
            if (!chord) position += duration;
            previousOnset = onset;
            reached = std::max(reached, position);
            if (child.child("rest") || !read) continue;
            ImportedNote note;
            note.pitch = pitchOf();
            if (gracePitch >= 0) note.graceInterval = gracePitch - note.pitch;
            gracePitch = -1;
            const pugi::xml_node notations = child.child("notations");
            const pugi::xml_node technical = notations.child("technical");
            if (technical.child("string") && technical.child("fret")) {
                note.string = technical.child("string").text().as_int(0);
                note.fret = technical.child("fret").text().as_int(0);
                if (note.string < 1 || note.string > static_cast<int>(track.tuning.size()) ||
                    note.fret < 0 || note.fret > 99) {
                    note.string = 0;
                    note.fret = 0;
                }
            }
            // A tie ends only on the pitch it started from; a tie to another pitch is struck.
            bool tieStops = false, tieStarts = false;
            for (const pugi::xml_node& tie : {child, notations}) {
                for (pugi::xml_node mark : tie.children(tie == child ? "tie" : "tied")) {
                    const std::string_view type = mark.attribute("type").value();
                    tieStops = tieStops || type == "stop";
                    tieStarts = tieStarts || type == "start";
                }
            }
            note.tied = tieStops && openTies.count(note.pitch) > 0;
            if (tieStarts)
                openTies.insert(note.pitch);
            else
                openTies.erase(note.pitch);
            note.dead = std::string_view(child.child_value("notehead")) == "x";
            note.hammerOrPull =
                technical.child("hammer-on").attribute("type").value() ==
                    std::string_view("start") ||
                technical.child("pull-off").attribute("type").value() == std::string_view("start");
            for (const char* slideName : {"slide", "glissando"}) {
                if (std::string_view(notations.child(slideName).attribute("type").value()) ==
                    "start")
                    note.slide = Slide::Shift;
            }
            note.bend = technical.child("bend") != nullptr;
            note.vibrato = notations.child("ornaments").child("wavy-line") ||
                           notations.child("ornaments").child("vibrato");
            for (pugi::xml_node lyricNode : child.children("lyric")) {
                if (lyricNode.attribute("number").as_int(1) != 1) continue;
                const std::string_view syllabic = lyricNode.child_value("syllabic");
                lyric += lyricNode.child_value("text");
                lyric += (syllabic == "begin" || syllabic == "middle") ? "-" : " ";
            }
            const int tickOnset = static_cast<int>(
                std::lround(std::min(onset * kTicksPerQuarter / state.divisions, 1e7)));
            if (importedBar.chords.empty() || importedBar.chords.back().onset != tickOnset) {
                importedBar.chords.push_back({tickOnset, {}});
            }
            importedBar.chords.back().notes.push_back(note);
        }
        std::stable_sort(
            importedBar.chords.begin(), importedBar.chords.end(),
            [](const ImportedChord& a, const ImportedChord& b) { return a.onset < b.onset; });
        while (!lyric.empty() && lyric.back() == ' ') lyric.pop_back();
        if (!lyric.empty()) track.lyrics.emplace_back(static_cast<int>(m), lyric);
        if (firstPart) {
            bar.length = bar.numerator * 4 * kTicksPerQuarter / bar.denominator;
            const int reachedTicks = static_cast<int>(
                std::lround(std::min(reached * kTicksPerQuarter / state.divisions, 1e6)));
            if (std::string_view(measure.attribute("implicit").value()) == "yes" &&
                reachedTicks > 0)
                bar.length = reachedTicks;
        }
    }
    track.bars.resize(song_.bars.size());
    return track;
}

ImportedSong ScoreReader::Read() {
    ReadHeader();
    const bool timewise = std::string_view(root_.name()) == "score-timewise";
    const auto measuresByPart = MeasuresByPart(root_, timewise);
    bool first = true;
    for (pugi::xml_node scorePart : root_.child("part-list").children("score-part")) {
        const auto found = measuresByPart.find(scorePart.attribute("id").value());
        if (found == measuresByPart.end()) continue;
        if ((song_.tracks.size() + 1) * std::max(song_.bars.size(), found->second.size()) >
            kMaxTrackBars) {
            throw ImportError("a MusicXML file with more measures and parts than any score");
        }
        song_.tracks.push_back(ReadPart(scorePart, found->second, first));
        first = false;
    }
    if (song_.tracks.empty()) throw ImportError("a MusicXML file without a part");
    if (song_.bars.front().tempo) song_.tempo = *song_.bars.front().tempo;
    return std::move(song_);
}

}  // namespace

bool IsMusicXml(std::string_view bytes) {
    // Some writers use UTF-16: its ASCII characters, every other byte, are all this looks at.
    const bool littleEndian = bytes.starts_with("\xFF\xFE"),
               bigEndian = bytes.starts_with("\xFE\xFF");
    if (littleEndian || bigEndian) {
        std::string narrow;
        for (size_t i = littleEndian ? 2 : 3; i < bytes.size() && narrow.size() < 4096; i += 2)
            narrow += bytes[i];
        return IsMusicXml(narrow);
    }
    // The root element's name, past a byte order mark, the declaration, comments and doctype.
    size_t at = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (at < bytes.size()) {
        at = bytes.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos || bytes[at] != '<') return false;
        const std::string_view rest = bytes.substr(at);
        if (rest.starts_with("<?") || rest.starts_with("<!--") || rest.starts_with("<!")) {
            const std::string_view close = rest.starts_with("<!--") ? "-->" : ">";
            const size_t end = bytes.find(close, at);
            if (end == std::string_view::npos) return false;
            at = end + close.size();
            continue;
        }
        const std::string_view name = rest.substr(1, rest.find_first_of(" \t\r\n>/") - 1);
        return name == "score-partwise" || name == "score-timewise";
    }
    return false;
}

ImportedSong ReadMusicXml(std::string_view bytes) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size());
    if (!parsed) {
        throw ImportError("a MusicXML file that is not well-formed XML (" +
                          std::string(parsed.description()) + " at byte " +
                          std::to_string(parsed.offset) + ")");
    }
    const pugi::xml_node root = document.document_element();
    const std::string_view name = root.name();
    if (name != "score-partwise" && name != "score-timewise")
        throw ImportError("an XML file that is no MusicXML score");
    return ScoreReader(root).Read();
}

}  // namespace fretlux
