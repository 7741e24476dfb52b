// SPDX-License-Identifier: MIT
// The score is a set of tables joined by ids: master bars list one bar per track, a bar lists
// its voices, a voice its beats, a beat its rhythm and notes. Strings count from the lowest, 0.
#include "import/gpif_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <pugixml.hpp>
#include <sstream>

namespace fretlux {

namespace {

using Table = std::map<std::string, pugi::xml_node>;

Table ById(const pugi::xml_node& parent, const char* name) {
    Table table;
    for (pugi::xml_node node : parent.children(name)) table[node.attribute("id").value()] = node;
    return table;
}

std::vector<std::string> Words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

pugi::xml_node Property(const pugi::xml_node& node, const char* name) {
    return node.child("Properties").find_child_by_attribute("Property", "name", name);
}

int RhythmTicks(const pugi::xml_node& rhythm) {
    static const std::map<std::string, int> kValues = {
        {"Whole", 4 * kTicksPerQuarter}, {"Half", 2 * kTicksPerQuarter},
        {"Quarter", kTicksPerQuarter},   {"Eighth", kTicksPerQuarter / 2},
        {"16th", kTicksPerQuarter / 4},  {"32nd", kTicksPerQuarter / 8},
        {"64th", kTicksPerQuarter / 16}, {"128th", kTicksPerQuarter / 32}};
    const auto value = kValues.find(rhythm.child_value("NoteValue"));
    int ticks = value == kValues.end() ? kTicksPerQuarter : value->second;
    const int dots = rhythm.child("AugmentationDot").attribute("count").as_int(0);
    int added = ticks;
    for (int d = 0; d < dots && d < 3; ++d) ticks += (added /= 2);
    const pugi::xml_node tuplet = rhythm.child("PrimaryTuplet");
    const int num = tuplet.attribute("num").as_int(1), den = tuplet.attribute("den").as_int(1);
    if (num >= 1 && num <= 64 && den >= 1 && den <= 64) ticks = ticks * den / num;
    return ticks;
}

class GpifParser {
public:
    GpifParser(const pugi::xml_node& root, std::string formatName)
        : root_(root), formatName_(std::move(formatName)) {}
    ImportedSong Parse();

private:
    void ReadMasterBars();
    ImportedTrack ReadTrack(const pugi::xml_node& track);
    void ReadBar(size_t masterBar, const std::string& barId, ImportedTrack& track);
    [[noreturn]] void Fail(const std::string& problem) const {
        throw ImportError("a " + formatName_ + " file " + problem);
    }

    pugi::xml_node root_;
    std::string formatName_;
    ImportedSong song_;
    Table bars_, voices_, beats_, notes_, rhythms_;
    std::vector<std::vector<std::string>> barIds_;  // per master bar, one bar id per track
};

void GpifParser::ReadMasterBars() {
    for (pugi::xml_node master : root_.child("MasterBars").children("MasterBar")) {
        MasterBar bar;
        const std::string time = master.child_value("Time");
        char* slash = nullptr;
        const long numerator = std::strtol(time.c_str(), &slash, 10);
        const long denominator = *slash == '/' ? std::strtol(slash + 1, nullptr, 10) : 0;
        if (numerator < 1 || numerator > 64 || denominator < 1 || denominator > 64) {
            Fail("with a time signature of \"" + time + "\" in bar " +
                 std::to_string(song_.bars.size() + 1));
        }
        bar.numerator = static_cast<int>(numerator);
        bar.denominator = static_cast<int>(denominator);
        bar.length = bar.numerator * 4 * kTicksPerQuarter / bar.denominator;
        const pugi::xml_node repeat = master.child("Repeat");
        bar.repeatStart = repeat.attribute("start").as_bool(false);
        if (repeat.attribute("end").as_bool(false))
            bar.repeatPlays = std::clamp(repeat.attribute("count").as_int(2), 2, 64);
        for (const std::string& word : Words(master.child_value("AlternateEndings"))) {
            const long number = std::strtol(word.c_str(), nullptr, 10);
            if (number >= 1 && number <= 32) bar.alternateEndings |= 1u << (number - 1);
        }
        bar.marker = master.child("Section").child_value("Text");
        for (pugi::xml_node target : master.child("Directions").children("Target")) {
            const std::string_view name = target.child_value();
            bar.segno = bar.segno || name.starts_with("Segno");
            bar.coda = bar.coda || name.ends_with("Coda");
            bar.fine = bar.fine || name == "Fine";
        }
        for (pugi::xml_node jump : master.child("Directions").children("Jump")) {
            const std::string_view name = jump.child_value();
            if (name.starts_with("DaCapo")) bar.jumpBack = JumpBack::ToStart;
            if (name.starts_with("DaSegno")) bar.jumpBack = JumpBack::ToSegno;
            bar.toCoda = bar.toCoda || name == "DaCoda" || name == "DaDoubleCoda";
        }
        barIds_.push_back(Words(master.child_value("Bars")));
        song_.bars.push_back(bar);
    }
    for (pugi::xml_node automation :
         root_.child("MasterTrack").child("Automations").children("Automation")) {
        if (std::string_view(automation.child_value("Type")) != "Tempo") continue;
        const int bar = automation.child("Bar").text().as_int(-1);
        const double tempo = std::strtod(automation.child_value("Value"), nullptr);
        if (bar < 0 || static_cast<size_t>(bar) >= song_.bars.size() || tempo < 1 || tempo > 1000)
            continue;
        song_.bars[static_cast<size_t>(bar)].tempo = static_cast<int>(std::lround(tempo));
    }
    if (!song_.bars.empty() && song_.bars.front().tempo) song_.tempo = *song_.bars.front().tempo;
}

ImportedTrack GpifParser::ReadTrack(const pugi::xml_node& node) {
    ImportedTrack track;
    track.name = node.child_value("Name");
    // Guitar Pro 7 keeps the tuning in the staff, Guitar Pro 6 in the track.
    pugi::xml_node properties = node.child("Staves").child("Staff");
    if (!Property(properties, "Tuning")) properties = node;
    for (const std::string& word : Words(Property(properties, "Tuning").child_value("Pitches"))) {
        track.tuning.push_back(
            static_cast<int>(std::clamp(std::strtol(word.c_str(), nullptr, 10), 0L, 127L)));
    }
    if (track.tuning.empty() || track.tuning.size() > 10) track.tuning = {40, 45, 50, 55, 59, 64};
    std::sort(track.tuning.begin(), track.tuning.end());
    track.capo = std::clamp(Property(properties, "CapoFret").child("Fret").text().as_int(0), 0, 24);
    pugi::xml_node program = node.child("Sounds").child("Sound").child("MIDI").child("Program");
    if (!program) program = node.child("GeneralMidi").child("Program");
    track.patch = std::clamp(program.text().as_int(24), 0, 127);
    const int channel =
        node.child("MidiConnection")
            .child("PrimaryChannel")
            .text()
            .as_int(node.child("GeneralMidi").child("PrimaryChannel").text().as_int(0));
    track.percussion =
        channel == 9 ||
        std::string_view(node.child("InstrumentSet").child_value("Type")) == "drumKit";
    // Each line of lyrics starts at the bar its offset counts from the first.
    for (pugi::xml_node line : node.child("Lyrics").children("Line")) {
        const std::string text = line.child_value("Text");
        const int offset = line.child("Offset").text().as_int(0);
        if (!text.empty() && offset >= 0) track.lyrics.emplace_back(offset, text);
    }
    return track;
}

void GpifParser::ReadBar(size_t masterBar, const std::string& barId, ImportedTrack& track) {
    ImportedBar& bar = track.bars[masterBar];
    const auto found = bars_.find(barId);
    if (found == bars_.end()) return;
    for (const std::string& voiceId : Words(found->second.child_value("Voices"))) {
        const auto voice = voices_.find(voiceId);
        if (voice == voices_.end()) continue;
        int onset = 0;
        std::map<int, int> graceFrets;  // per string, the grace note leading to the next beat
        for (const std::string& beatId : Words(voice->second.child_value("Beats"))) {
            const auto beat = beats_.find(beatId);
            if (beat == beats_.end())
                Fail("that names a beat it does not hold in bar " + std::to_string(masterBar + 1));
            const auto rhythm =
                rhythms_.find(beat->second.child("Rhythm").attribute("ref").value());
            const int ticks =
                rhythm == rhythms_.end() ? kTicksPerQuarter : RhythmTicks(rhythm->second);
            const bool grace = beat->second.child("GraceNotes") != nullptr;
            ImportedChord chord{onset, {}};
            const bool beatVibrato = beat->second.child("Vibrato") != nullptr;
            for (const std::string& noteId : Words(beat->second.child_value("Notes"))) {
                const auto found = notes_.find(noteId);
                if (found == notes_.end()) continue;
                const pugi::xml_node note = found->second;
                ImportedNote imported;
                const int string = Property(note, "String").child("String").text().as_int(-1);
                const int fret = Property(note, "Fret").child("Fret").text().as_int(-1);
                if (string < 0 || string >= static_cast<int>(track.tuning.size()) || fret < 0 ||
                    fret > 99)
                    continue;
                imported.string = static_cast<int>(track.tuning.size()) - string;
                imported.fret = fret;
                imported.pitch = std::clamp(
                    track.tuning[static_cast<size_t>(string)] + track.capo + fret, 0, 127);
                imported.tied = note.child("Tie").attribute("destination").as_bool(false);
                imported.dead = Property(note, "Muted") != nullptr;
                imported.hammerOrPull = Property(note, "HopoOrigin") != nullptr;
                const int slide = Property(note, "Slide").child("Flags").text().as_int(0);
                if (slide & 0x03)
                    imported.slide = Slide::Shift;
                else if (slide & 0x04)
                    imported.slide = Slide::OutDown;
                else if (slide & 0x08)
                    imported.slide = Slide::OutUp;
                imported.bend = Property(note, "Bended") != nullptr;
                imported.vibrato = beatVibrato || note.child("Vibrato") != nullptr;
                chord.notes.push_back(imported);
            }
            // A grace beat takes no time of its own: its notes go with the beat they lead to.
            if (grace) {
                for (const ImportedNote& note : chord.notes) graceFrets[note.string] = note.fret;
                continue;
            }
            for (ImportedNote& note : chord.notes) {
                const auto leading = graceFrets.find(note.string);
                if (leading != graceFrets.end()) note.graceInterval = leading->second - note.fret;
            }
            graceFrets.clear();
            if (!chord.notes.empty()) bar.chords.push_back(std::move(chord));
            onset += ticks;
        }
    }
}

ImportedSong GpifParser::Parse() {
    const pugi::xml_node score = root_.child("Score");
    song_.title = score.child_value("Title");
    song_.artist = score.child_value("Artist");
    song_.author = score.child_value("Tabber");
    ReadMasterBars();
    bars_ = ById(root_.child("Bars"), "Bar");
    voices_ = ById(root_.child("Voices"), "Voice");
    beats_ = ById(root_.child("Beats"), "Beat");
    notes_ = ById(root_.child("Notes"), "Note");
    rhythms_ = ById(root_.child("Rhythms"), "Rhythm");
    for (pugi::xml_node track : root_.child("Tracks").children("Track"))
        song_.tracks.push_back(ReadTrack(track));
    if (song_.tracks.empty()) Fail("without a track");
    if (song_.bars.size() * song_.tracks.size() > kMaxTrackBars)
        Fail("with more bars and tracks than any song");
    for (ImportedTrack& track : song_.tracks) track.bars.resize(song_.bars.size());
    for (size_t m = 0; m < song_.bars.size(); ++m) {
        for (size_t t = 0; t < barIds_[m].size() && t < song_.tracks.size(); ++t)
            ReadBar(m, barIds_[m][t], song_.tracks[t]);
    }
    return std::move(song_);
}

}  // namespace

ImportedSong ReadGpif(std::string_view xml, const std::string& formatName) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
    if (!parsed || std::string_view(document.document_element().name()) != "GPIF") {
        throw ImportError("a " + formatName + " file whose score is damaged");
    }
    return GpifParser(document.document_element(), formatName).Parse();
}

}  // namespace fretlux
