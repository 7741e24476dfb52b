// SPDX-License-Identifier: MIT
// The MusicXML writer on hand-made TABs, read back with the tests' own XML reader (which also
// proves every file well-formed): pitches, onsets and lengths with tied pieces joined, measures
// and their time signatures, tempo and labels per TAB, strings, frets and fingers, techniques.
#include "exports/musicxml_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "document/tab_file_reader.h"
#include "document/tab_header.h"
#include "xml_tree.h"

namespace fretlux::testing {
namespace {

constexpr TabSettings kStart{41, 100, 25};

// One TAB of a plain file: the header line, then six string lines from high e to low E, each
// padded with "-" to the longest (and at least to 8, so the reader sees a string line).
std::string PlainTab(const std::string& header, std::array<std::string, 6> lines) {
    size_t width = 8;
    for (const std::string& line : lines) width = std::max(width, line.size());
    std::string text = header + "\r\n";
    for (size_t l = 0; l < lines.size(); ++l) {
        lines[l].resize(width, '-');
        text += std::string(1, "eBGDAE"[l]) + lines[l] + "\r\n";
    }
    return text;
}

TabDocument ReadPlain(const std::string& text) {
    TabReadResult read = ReadTabBytes(text, TabForm::Plain);
    EXPECT_FALSE(read.error);
    return read.document;
}

XmlElement Export(const TabDocument& document) {
    return XmlReader(MusicXmlScore(document, kStart, "Song")).Document();
}

int MidiOf(const XmlElement& pitch) {
    static const std::string kSteps = "C D EF G A B";
    return static_cast<int>(kSteps.find(pitch.ChildText("step")[0])) +
           std::atoi(pitch.ChildText("alter").c_str()) +
           12 * (std::atoi(pitch.ChildText("octave").c_str()) + 1);
}

struct Heard {
    int onset;
    int pitch;
    int length;
    const XmlElement* first;  // the note's first piece
};

// What the part sounds, per staff: tied pieces joined into one note; and per measure its length.
// It points into the score read, which must outlive it.
struct ReadBack {
    std::array<std::vector<Heard>, 3> staves;  // 1 and 2 used
    std::vector<int> measureLengths;
    std::vector<const XmlElement*> measures;
};

ReadBack Listen(const XmlElement& score) {
    ReadBack back;
    int measureStart = 0;
    for (const XmlElement& measure : score.Child("part")->children) {
        int position = measureStart;
        int end = measureStart;
        int chordOnset = 0;
        for (const XmlElement& item : measure.children) {
            const int duration = std::atoi(item.ChildText("duration").c_str());
            if (item.name == "backup") position -= duration;
            if (item.name != "note") continue;
            const int onset = item.Has("chord") ? chordOnset : position;
            if (!item.Has("chord")) position += duration;
            end = std::max(end, position);
            chordOnset = onset;
            if (!item.Has("pitch")) continue;
            auto& heard = back.staves[std::atoi(item.ChildText("staff").c_str())];
            const int pitch = MidiOf(*item.Child("pitch"));
            const auto tiedTo = std::find_if(heard.begin(), heard.end(), [&](const Heard& h) {
                return h.pitch == pitch && h.onset + h.length == onset;
            });
            const bool tieStop =
                std::any_of(item.children.begin(), item.children.end(), [](const XmlElement& e) {
                    return e.name == "tie" && e.Attribute("type") == "stop";
                });
            if (tieStop && tiedTo != heard.end()) {
                tiedTo->length += duration;
            } else {
                heard.push_back({onset, pitch, duration, &item});
            }
        }
        back.measureLengths.push_back(end - measureStart);
        back.measures.push_back(&measure);
        measureStart = end;
    }
    return back;
}

std::vector<std::string> Notes(const std::vector<Heard>& heard) {
    std::vector<std::string> notes;
    for (const Heard& h : heard) {
        notes.push_back(std::to_string(h.onset) + ":" + std::to_string(h.pitch) + ":" +
                        std::to_string(h.length));
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

std::string TimeOf(const XmlElement& measure) {
    const XmlElement* attributes = measure.Child("attributes");
    const XmlElement* time = attributes ? attributes->Child("time") : nullptr;
    return time ? time->ChildText("beats") + "/" + time->ChildText("beat-type") : "";
}

std::string BarStyleOf(const XmlElement& measure) {
    const XmlElement* barline = measure.Child("barline");
    return barline ? barline->ChildText("bar-style") : "";
}

struct TimingCase {
    const char* name;
    std::array<std::string, 6> lines;
    std::vector<std::string> notes;  // onset:pitch:length in sixteenths, sorted as text
    std::vector<std::string> times;  // per measure, "" where none is written
    std::vector<std::string> barStyles;
};

TEST(MusicXmlWriter, ColumnsAreSixteenthsAndBarsEndMeasures) {
    const std::vector<TimingCase> cases = {
        {"one note after a rest", {"--0-------------"}, {"2:64:14"}, {"4/4"}, {"light-heavy"}},
        {"C major chord",
         {"0---------------", "1", "0", "2", "3", ""},
         {"0:48:16", "0:52:16", "0:55:16", "0:60:16", "0:64:16"},
         {"4/4"},
         {"light-heavy"}},
        {"lengths no single value spells are tied",
         {"", "", "", "", "3----5----------"},
         {"0:48:5", "5:50:11"},
         {"4/4"},
         {"light-heavy"}},
        {"a bar column ends a measure and costs no time",
         {"|-------|-----|------------|", "|-------|-----|------------|", "", "",
          "|3------|5----|7-----------|", "|-------|-----|------------|"},
         {"0:48:7", "12:52:12", "7:50:5"},
         {"7/16", "5/16", "3/4"},
         {"", "", "light-heavy"}},
        {"two bar columns make a double bar",
         {"|------||------|", "|------||------|", "", "", "|3-----||5-----|", "|------||------|"},
         {"0:48:6", "6:50:6"},
         {"3/8", ""},
         {"light-light", "light-heavy"}},
        {"lines that only open and close with bars are cut every 16 columns",
         {"|--------------------|", "", "", "", "|3----------------5--|", "|--------------------|"},
         {"0:48:16", "17:50:3"},
         {"4/4", "1/4"},
         {"", "light-heavy"}},
    };
    for (const TimingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const XmlElement score = Export(ReadPlain(PlainTab("", c.lines)));
        const ReadBack back = Listen(score);
        EXPECT_EQ(Notes(back.staves[1]), c.notes);
        EXPECT_EQ(Notes(back.staves[2]), c.notes);
        std::vector<std::string> times;
        std::vector<std::string> barStyles;
        for (const XmlElement* measure : back.measures) {
            times.push_back(TimeOf(*measure));
            barStyles.push_back(BarStyleOf(*measure));
        }
        EXPECT_EQ(times, c.times);
        EXPECT_EQ(barStyles, c.barStyles);
    }
}

// What a measure says besides its notes, as "name=value": a new system, the texts of its
// directions, and the sound settings, in the order written.
std::vector<std::string> Marks(const XmlElement& element) {
    std::vector<std::string> marks;
    for (const char* key : {"new-system", "tempo", "dynamics"}) {
        if (!element.Attribute(key).empty()) marks.push_back(key + ("=" + element.Attribute(key)));
    }
    for (const XmlElement& child : element.children) {
        if (child.name == "note" || child.name == "attributes" || child.name == "backup") continue;
        if (child.children.empty() && !child.text.empty()) {
            marks.push_back(child.name + "=" + child.text);
        }
        for (const std::string& mark : Marks(child)) marks.push_back(mark);
    }
    return marks;
}

TEST(MusicXmlWriter, EachTabStartsASystemUnderItsLabelTextAndChangedSettings) {
    const std::array<std::string, 6> riff = {"", "", "", "", "3---------------"};
    const TabDocument document = ReadPlain(
        PlainTab(StampHeader("Intro & <riff>", {41, 100, 25}), riff) +
        "Play softly\r\nthen loud\r\n" + PlainTab(StampHeader("Verse \xe9", {50, 90, 30}), riff) +
        PlainTab("Outro", riff));
    const XmlElement score = Export(document);
    EXPECT_EQ(score.Child("work")->ChildText("work-title"), "Song");
    const XmlElement* part = score.Child("part-list")->Child("score-part");
    EXPECT_EQ(part->ChildText("part-name"), "Guitar");
    EXPECT_EQ(part->Child("midi-instrument")->ChildText("midi-program"), "26");

    const ReadBack back = Listen(score);
    const std::vector<std::vector<std::string>> expected = {
        {"rehearsal=Intro & <riff>", "staff=1", "beat-unit=quarter", "per-minute=122", "staff=1",
         "tempo=121.95", "dynamics=111.11"},
        {"new-system=yes", "rehearsal=Verse \xc3\xa9", "staff=1", "words=Play softly\nthen loud\n",
         "staff=1", "beat-unit=quarter", "per-minute=100", "staff=1", "tempo=100", "dynamics=100",
         "midi-program=31"},
        {"new-system=yes", "rehearsal=Outro", "staff=1", "bar-style=light-heavy"},
    };
    ASSERT_EQ(back.measures.size(), expected.size());
    for (size_t m = 0; m < expected.size(); ++m) EXPECT_EQ(Marks(*back.measures[m]), expected[m]);
}

TEST(MusicXmlWriter, StringsCountFromHighEAndSilentNotesAreLeftOut) {
    TabDocument document;
    document.MakeBlankTab(0);
    document.tabCount = 1;
    // Column 0, lines 1..6: fret 5 finger 2; fret 6; fret 7 silent; fret 8 finger 4; fret 9
    // thumb; fret 10.
    const char* cells[] = {"5FJ  ", "6GH  ", "-HB  ", "8IL  ", "9JM  ", "1KH  "};
    for (int l = 1; l <= 6; ++l) document.tabLines[0][l].replace(5, 5, cells[l - 1]);
    const XmlElement score = Export(document);
    const ReadBack back = Listen(score);

    std::vector<std::string> tab;
    for (const Heard& h : back.staves[2]) {
        const XmlElement* technical = h.first->Child("notations")->Child("technical");
        tab.push_back(technical->ChildText("string") + "/" + technical->ChildText("fret") + "=" +
                      std::to_string(h.pitch));
    }
    EXPECT_EQ(tab, (std::vector<std::string>{"6/10=50", "5/9=54", "4/8=58", "2/6=65", "1/5=69"}));

    std::vector<std::string> fingers;
    for (const Heard& h : back.staves[1]) {
        const XmlElement* notations = h.first->Child("notations");
        const XmlElement* technical = notations ? notations->Child("technical") : nullptr;
        fingers.push_back(technical ? technical->ChildText("fingering") : "");
    }
    EXPECT_EQ(fingers, (std::vector<std::string>{"", "T", "4", "", "2"}));
}

// The TAB staff's notes as "fret" followed by what their notations say besides ties and the
// string and fret themselves.
std::vector<std::string> Techniques(const ReadBack& back) {
    std::vector<std::string> described;
    for (const Heard& h : back.staves[2]) {
        std::string text = h.first->Child("notations")->Child("technical")->ChildText("fret");
        if (h.first->Has("notehead")) text += " notehead:" + h.first->ChildText("notehead");
        for (const XmlElement& notation : h.first->Child("notations")->children) {
            for (const XmlElement& item : notation.children.empty()
                                              ? std::vector<XmlElement>{notation}
                                              : notation.children) {
                if (item.name == "string" || item.name == "fret" || item.name == "tied") continue;
                text +=
                    " " + item.name + ":" +
                    (item.name == "bend" ? item.ChildText("bend-alter") : item.Attribute("type"));
            }
        }
        described.push_back(text);
    }
    return described;
}

TEST(MusicXmlWriter, SymbolsBetweenNotesBecomeTechniques) {
    const struct {
        std::string line;
        std::vector<std::string> notes;
    } cases[] = {
        {"5h7", {"5 slur:start hammer-on:start", "7 slur:stop hammer-on:stop"}},
        {"7p5", {"7 slur:start pull-off:start", "5 slur:stop pull-off:stop"}},
        {"5/7", {"5 slide:start", "7 slide:stop"}},
        {"7\\5", {"7 slide:start", "5 slide:stop"}},
        {"7b9", {"7 bend:2", "9"}},
        {"12b15", {"12 bend:3", "15"}},
        {"5b-", {"5 bend:2"}},
        {"7~~", {"7 wavy-line:start wavy-line:stop"}},
        {"x", {"0 notehead:x"}},
        {"5-h7", {"5", "7"}},
        {"5q7", {"5", "7"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const TabDocument document =
            ReadPlain(PlainTab("", {"", "", "", c.line + "-------------"}));
        EXPECT_EQ(Techniques(Listen(Export(document))), c.notes);
    }
}

// The spanners, in the order a reader meets them, as "name number type".
void CollectSpanners(const XmlElement& element, std::vector<std::string>& spanners) {
    static const std::set<std::string> kSpanners = {"slide", "slur", "hammer-on", "pull-off",
                                                    "wavy-line"};
    if (kSpanners.contains(element.name)) {
        spanners.push_back(element.name + " " + element.Attribute("number") + " " +
                           element.Attribute("type"));
    }
    for (const XmlElement& child : element.children) CollectSpanners(child, spanners);
}

// Readers of MusicXML 3.x take spanner numbers 1 to 6 only, one open spanner per kind and number.
TEST(MusicXmlWriter, SpannersAreNumberedOneToSixAndEachStopsTheOneStarted) {
    // A line between bars is cut into measures of 16 columns. Each line slides five times, and
    // "across" a sixth time over the bar; the Coda slides three times more.
    const std::string inside = "|5/7/9\\7h9p7/9\\5~~----|";
    const std::string across = "|5/7/9\\7h9p7/9\\5/7---|";
    const std::string coda = PlainTab("Coda", {"", "", "", "5/7/9/10---"});
    const struct {
        const char* name;
        std::array<std::string, 6> lines;
        int slides;  // on both staves; 0 where some must be left out
    } cases[] = {
        {"four strings slide together, one over the bar",
         {inside, inside, inside, across},
         2 * (4 * 5 + 1 + 3)},
        // The notation staff's six stay open through the TAB staff's measure: no number is
        // left for the TAB staff's slides there, which are left out.
        {"six strings slide over the bar", {across, across, across, across, across, across}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> spanners;
        CollectSpanners(Export(ReadPlain(PlainTab("", c.lines) + coda)), spanners);
        std::map<std::string, bool> open;  // "name number" -> started and not yet stopped
        int slides = 0;
        for (const std::string& spanner : spanners) {
            SCOPED_TRACE(spanner);
            std::istringstream fields(spanner);
            std::string name;
            int number = 0;
            std::string type;
            fields >> name >> number >> type;
            EXPECT_TRUE(number >= 1 && number <= 6);
            bool& isOpen = open[name + " " + std::to_string(number)];
            EXPECT_NE(isOpen, type == "start");
            isOpen = type == "start";
            slides += name == "slide" && type == "start";
        }
        for (const auto& [spanner, isOpen] : open) EXPECT_FALSE(isOpen) << spanner;
        if (c.slides > 0) {
            EXPECT_EQ(slides, c.slides);
        }
    }
}

}  // namespace
}  // namespace fretlux::testing
