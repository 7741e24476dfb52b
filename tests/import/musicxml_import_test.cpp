// SPDX-License-Identifier: MIT
// MusicXML scores: the samples, and small scores of our own for what the samples do not hold
// (another tuning, a capo, several parts, voices, a TAB staff, repeats, tempo changes, lyrics).
#include <gtest/gtest.h>

#include "document/tab_header.h"
#include "import_test_support.h"

namespace fretlux::test {
namespace {

struct Part {
    std::string name;
    std::string measures;  // the <measure> elements
};

std::string Score(const std::vector<Part>& parts, const std::string& header = "") {
    std::string partList, body;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string id = "P" + std::to_string(i + 1);
        partList += "<score-part id=\"" + id + "\"><part-name>" + parts[i].name +
                    "</part-name></score-part>";
        body += "<part id=\"" + id + "\">" + parts[i].measures + "</part>";
    }
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML "
           "4.0 "
           "Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\">\n<score-partwise "
           "version=\"4.0\">" +
           header + "<part-list>" + partList + "</part-list>" + body + "</score-partwise>";
}

std::string Note(const std::string& step, int octave, int duration, const std::string& extra = "") {
    return "<note>" + extra + "<pitch><step>" + step + "</step><octave>" + std::to_string(octave) +
           "</octave></pitch><duration>" + std::to_string(duration) + "</duration></note>";
}

std::string TabNote(const std::string& step, int octave, int duration, int string, int fret,
                    const std::string& staff = "") {
    return "<note><pitch><step>" + step + "</step><octave>" + std::to_string(octave) +
           "</octave></pitch><duration>" + std::to_string(duration) + "</duration>" + staff +
           "<notations><technical><string>" + std::to_string(string) + "</string><fret>" +
           std::to_string(fret) + "</fret></technical></notations></note>";
}

// 4/4 with a quarter note of one division.
const std::string kFourFour =
    "<attributes><divisions>1</divisions><time><beats>4</beats><beat-type>4</beat-type></time></"
    "attributes>";

// The staff details of strings tuned to the notes given ("D2"), lowest first, then extra.
std::string StaffTuning(const std::vector<std::string>& notes, const std::string& extra = "") {
    std::string xml =
        "<staff-details><staff-lines>" + std::to_string(notes.size()) + "</staff-lines>";
    for (size_t i = 0; i < notes.size(); ++i) {
        xml += "<staff-tuning line=\"" + std::to_string(i + 1) + "\"><tuning-step>" +
               notes[i].substr(0, 1) + "</tuning-step><tuning-octave>" + notes[i].substr(1) +
               "</tuning-octave></staff-tuning>";
    }
    return xml + extra + "</staff-details>";
}

TEST(MusicXmlImport, PartwiseAndTimewiseSamplesListTheSameParts) {
    const TrackListing partwise = ListTracks(Sample("partwise-basic.xml"));
    const TrackListing timewise = ListTracks(Sample("timewise-basic.xml"));
    ASSERT_FALSE(partwise.error);
    ASSERT_FALSE(timewise.error);
    ASSERT_EQ(partwise.tracks.size(), 3u);
    ASSERT_EQ(timewise.tracks.size(), 3u);
    for (size_t t = 0; t < 3; ++t) EXPECT_EQ(partwise.tracks[t].name, timewise.tracks[t].name);
}

TEST(MusicXmlImport, CompressedScoresAndSamplesWithStringsAndFretsOpen) {
    const OpenedDocument compressed = Open(Sample("compressed.mxl"));
    ASSERT_FALSE(compressed.error) << *compressed.error;
    EXPECT_EQ(Shown(compressed.document, 0, 1), "5---5---5---5---|");  // four A4 quarter notes
    const OpenedDocument bends = Open(Sample("bends.xml"));
    ASSERT_FALSE(bends.error) << *bends.error;
    EXPECT_EQ(Shown(bends.document, 0, 4).substr(0, 2), "5b");  // string 4, fret 5, bent
}

TEST(MusicXmlImport, AScoreInUtf16ReadsAsInUtf8) {
    const std::string score =
        Score({{"Guitar", "<measure number=\"1\">" + kFourFour + Note("A", 4, 4) + "</measure>"}});
    std::string utf16 = "\xFF\xFE";
    for (const char ch : score) utf16 += std::string{ch, '\0'};
    ScratchDir dir;
    const OpenedDocument narrow = Open(dir.Write("score.xml", score));
    const OpenedDocument wide = Open(dir.Write("wide.xml", utf16));
    ASSERT_FALSE(wide.error) << *wide.error;
    EXPECT_EQ(Shown(wide.document, 0, 1), "5" + std::string(15, '-') + "|");
    EXPECT_EQ(wide.document, narrow.document);
}

TEST(MusicXmlImport, AnotherTuningAndACapoArePlayedByPitchAndSaidInTheText) {
    // Drop D with a capo at fret 2: the low string's open note sounds E2, the capo's pitch.
    const std::string tuning =
        "<attributes><divisions>1</divisions><time><beats>4</beats><beat-type>4</beat-type></"
        "time>" +
        StaffTuning({"D2", "A2", "D3", "G3", "B3", "E4"}, "<capo>2</capo>") + "</attributes>";
    ScratchDir dir;
    const std::string path =
        dir.Write("drop.musicxml",
                  Score({{"Drop D", "<measure number=\"1\">" + tuning + TabNote("E", 2, 2, 6, 0) +
                                        TabNote("C", 2, 2, 6, 0, "") + "</measure>"}}));
    const TrackListing listing = ListTracks(path);
    ASSERT_FALSE(listing.error) << *listing.error;
    EXPECT_EQ(listing.tracks[0].tuning, (std::vector<int>{38, 45, 50, 55, 59, 64}));
    EXPECT_EQ(listing.tracks[0].capo, 2);
    const OpenedDocument opened = Open(path);
    ASSERT_FALSE(opened.error);
    // E2 is the open low E; C2 is below the guitar and moves up an octave to C3. Half notes
    // on the eighth grid: four steps of two columns each.
    EXPECT_EQ(Shown(opened.document, 0, 6), "0" + std::string(15, '-') + "|");
    EXPECT_EQ(Shown(opened.document, 0, 5), std::string(8, '-') + "3" + std::string(7, '-') + "|");
    EXPECT_NE(opened.document.tabTexts[0].find("D2 A2 D3 G3 B3 E4 with a capo at fret 2"),
              std::string::npos);
    EXPECT_NE(opened.document.tabTexts[0].find("1 note moved by octaves"), std::string::npos);
}

TEST(MusicXmlImport, TheTrackChosenIsTheFirstGuitarAndAnyOtherOnRequest) {
    ScratchDir dir;
    const std::string bass =
        "<measure number=\"1\"><attributes><divisions>1</divisions><time><beats>4</beats>"
        "<beat-type>4</beat-type></time>" +
        StaffTuning({"E1", "A1", "D2", "G2"}) + "</attributes>" + Note("A", 1, 4) + "</measure>";
    const std::string guitar =
        "<measure number=\"1\">" + kFourFour + Note("B", 3, 4) + "</measure>";
    const std::string path = dir.Write("band.xml", Score({{"Bass", bass}, {"Guitar", guitar}}));
    const TrackListing listing = ListTracks(path);
    ASSERT_EQ(listing.tracks.size(), 2u);
    EXPECT_EQ(listing.tracks[0].strings, 4);
    const std::string wholeNote = "0" + std::string(15, '-') + "|";
    EXPECT_EQ(Shown(Open(path).document, 0, 2), wholeNote);     // the guitar's B3
    EXPECT_EQ(Shown(Open(path, 1).document, 0, 5), wholeNote);  // the bass's A1, an octave up
    EXPECT_TRUE(Open(path, 3).error);
}

TEST(MusicXmlImport, VoicesMergeAndATabStaffGivesStringsAndFrets) {
    // Staff 1 is notation, staff 2 its TAB: only the TAB staff is read; its two voices meet.
    const std::string attributes =
        "<attributes><divisions>2</divisions><time><beats>2</beats><beat-type>4</beat-type></"
        "time><staves>2</staves>"
        "<clef number=\"1\"><sign>G</sign></clef><clef "
        "number=\"2\"><sign>TAB</sign></clef></attributes>";
    const std::string measure = "<measure number=\"1\">" + attributes + Note("C", 5, 4, "") +
                                "<backup><duration>4</duration></backup>" +
                                TabNote("G", 4, 2, 1, 3, "<voice>1</voice><staff>2</staff>") +
                                TabNote("G", 4, 2, 1, 3, "<voice>1</voice><staff>2</staff>") +
                                "<backup><duration>4</duration></backup>" +
                                TabNote("E", 2, 1, 6, 0, "<voice>2</voice><staff>2</staff>") +
                                "<forward><duration>2</duration></forward>" +
                                TabNote("A", 2, 1, 5, 0, "<voice>2</voice><staff>2</staff>") +
                                "</measure>";
    ScratchDir dir;
    const OpenedDocument opened = Open(dir.Write("voices.musicxml", Score({{"Guitar", measure}})));
    ASSERT_FALSE(opened.error) << *opened.error;
    EXPECT_EQ(Shown(opened.document, 0, 1),
              "3---3---|");  // string 1 fret 3 twice, as the TAB staff says
    EXPECT_EQ(Shown(opened.document, 0, 2), "--------|");
    EXPECT_EQ(Shown(opened.document, 0, 6), "0-------|");
    EXPECT_EQ(Shown(opened.document, 0, 5), "------0-|");
}

TEST(MusicXmlImport, RepeatsWithEndingsPlayOutAndTempoChangesStartTabs) {
    const auto measure = [](int number, const std::string& inside, const std::string& step) {
        return "<measure number=\"" + std::to_string(number) + "\">" + inside + Note(step, 4, 4) +
               "</measure>";
    };
    const std::string measures =
        measure(1,
                kFourFour +
                    "<direction><direction-type><rehearsal>Verse</rehearsal></direction-type>"
                    "<sound tempo=\"60\"/></direction><barline location=\"left\"><repeat "
                    "direction=\"forward\"/></barline>",
                "C") +
        measure(2,
                "<barline location=\"left\"><ending number=\"1\" type=\"start\"/></barline>"
                "<barline location=\"right\"><ending number=\"1\" type=\"stop\"/><repeat "
                "direction=\"backward\"/></barline>",
                "D") +
        measure(3,
                "<barline location=\"left\"><ending number=\"2\" type=\"start\"/></barline><sound "
                "tempo=\"120\"/>"
                "<barline location=\"right\"><ending number=\"2\" type=\"discontinue\"/></barline>",
                "E");
    ScratchDir dir;
    const OpenedDocument opened = Open(dir.Write("repeat.xml", Score({{"Guitar", measures}})));
    ASSERT_FALSE(opened.error) << *opened.error;
    // C D, C again under its marker, then the second ending's E at the new tempo: whole notes
    // on the eighth grid, 250 ms a column at 60 a minute (83 x 3 ms), 125 ms at 120 (42).
    const auto bar = [](char fret) { return std::string(1, fret) + std::string(15, '-') + "|"; };
    ASSERT_EQ(opened.document.tabCount, 3);
    EXPECT_EQ(Shown(opened.document, 0, 2), bar('1') + bar('3'));
    EXPECT_EQ(Shown(opened.document, 1, 2), bar('1'));
    EXPECT_EQ(Shown(opened.document, 2, 1), bar('0'));
    EXPECT_EQ(opened.document.tabLines[0][0].substr(0, 5), "Verse");
    EXPECT_EQ(opened.document.tabLines[1][0].substr(0, 5), "Verse");
    EXPECT_EQ(ReadHeaderSettings(opened.document.tabLines[1][0])->tempo, 83);
    EXPECT_EQ(ReadHeaderSettings(opened.document.tabLines[2][0])->tempo, 42);
}

TEST(MusicXmlImport, DaCapoAlFineIsPlayedOut) {
    const std::string eighth =
        "<attributes><divisions>2</divisions><time><beats>1</beats><beat-type>8</beat-type></"
        "time></attributes>";
    const std::string measures = "<measure number=\"1\">" + eighth + Note("C", 4, 1) +
                                 "</measure>" + "<measure number=\"2\">" + Note("D", 4, 1) +
                                 "<sound fine=\"yes\"/></measure>" + "<measure number=\"3\">" +
                                 Note("E", 4, 1) + "<sound dacapo=\"yes\"/></measure>";
    ScratchDir dir;
    const OpenedDocument opened = Open(dir.Write("fine.xml", Score({{"Guitar", measures}})));
    ASSERT_FALSE(opened.error) << *opened.error;
    EXPECT_EQ(Shown(opened.document, 0, 2), "1-|3-|--|1-|3-|");
    EXPECT_EQ(Shown(opened.document, 0, 1), "--|--|0-|--|--|");
}

TEST(MusicXmlImport, ACompoundTimeSignatureAddsItsPartsUp) {
    // Five eighth notes fill a bar of five eighths however it is written, and the sixth begins
    // the next; an unreadable signature keeps the bar's length (4/4).
    const auto shown = [](const std::string& time) {
        std::string measure =
            "<measure number=\"1\"><attributes><divisions>2</divisions>" + time + "</attributes>";
        for (int eighth = 0; eighth < 5; ++eighth) measure += Note("E", 4, 1);
        const std::string measures =
            measure + "</measure><measure number=\"2\">" + Note("F", 4, 1) + "</measure>";
        ScratchDir dir;
        const OpenedDocument opened = Open(dir.Write("time.xml", Score({{"Guitar", measures}})));
        EXPECT_FALSE(opened.error);
        return Shown(opened.document, 0, 1);
    };
    const std::string fiveEighths = shown("<time><beats>5</beats><beat-type>8</beat-type></time>");
    for (const char* compound :
         {"<time><beats>3+2</beats><beat-type>8</beat-type></time>",
          "<time><beats>2+2+1</beats><beat-type>8</beat-type></time>",
          "<time><beats>1</beats><beat-type>4</beat-type><beats>3</beats><beat-type>8</beat-type>"
          "</time>"}) {
        EXPECT_EQ(shown(compound), fiveEighths) << compound;
    }
    EXPECT_NE(shown("<time><beats>3</beats><beat-type>8</beat-type></time>"), fiveEighths);
    const std::string fourFour = shown("<time><beats>4</beats><beat-type>4</beat-type></time>");
    // Parts over every prime up to 64: their common denominator would overflow any integer.
    std::string primes = "<time>";
    for (const int prime : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61}) {
        primes += "<beats>1</beats><beat-type>" + std::to_string(prime) + "</beat-type>";
    }
    EXPECT_EQ(shown(primes + "</time>"), fourFour);
    for (const char* unreadable : {"<time><beats>3+</beats><beat-type>8</beat-type></time>",
                                   "<time><beats>60+10</beats><beat-type>8</beat-type></time>",
                                   "<time><senza-misura/></time>"}) {
        EXPECT_EQ(shown(unreadable), fourFour) << unreadable;
    }
}

TEST(MusicXmlImport, TitleComposerAndLyricsGoIntoTheTexts) {
    const std::string header =
        "<work><work-title>Morning Song</work-title></work><identification><creator "
        "type=\"composer\">A. Player"
        "</creator></identification>";
    const std::string lyric = "<lyric><syllabic>begin</syllabic><text>Mor</text></lyric>";
    const std::string measures =
        "<measure number=\"1\">" + kFourFour +
        "<note><pitch><step>E</step><octave>4</octave></pitch><duration>2</duration>" + lyric +
        "</note>" + Note("E", 4, 2, "") + "</measure>";
    ScratchDir dir;
    const OpenedDocument opened =
        Open(dir.Write("song.xml", Score({{"Guitar", measures}}, header)));
    ASSERT_FALSE(opened.error);
    EXPECT_EQ(opened.document.tabTexts[0], "Morning Song\r\nby A. Player\r\nMor-\r\n");
}

TEST(MusicXmlImport, ASongLongerThan101TabsIsCutAfterTheLastBarThatFits) {
    std::string measures = "<measure number=\"1\">" + kFourFour + Note("E", 4, 4) + "</measure>";
    for (int m = 2; m <= 500; ++m)
        measures +=
            "<measure number=\"" + std::to_string(m) + "\">" + Note("E", 4, 4) + "</measure>";
    ScratchDir dir;
    const OpenedDocument opened = Open(dir.Write("long.xml", Score({{"Guitar", measures}})));
    ASSERT_FALSE(opened.error);
    // A whole-note bar on the eighth grid is 17 columns: four to a TAB, 404 bars in 101 TABs.
    EXPECT_EQ(opened.document.tabCount, 101);
    EXPECT_NE(opened.notice.find("first 404 bars"), std::string::npos) << opened.notice;
}

}  // namespace
}  // namespace fretlux::test
