// SPDX-License-Identifier: MIT
// Guitar Pro 3 to 7 files written by Guitar Pro itself, opened as the window opens them.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/tab_header.h"
#include "guitar_pro_builder.h"
#include "import_test_support.h"

namespace fretlux::test {
namespace {

struct SampleTab {
    std::string name;                // without the extension
    int tab;                         // 0-based
    std::vector<std::string> lines;  // what lines 1..6 show, high E first
};

// Every sample, in all five formats, reads into the same TABs; these were checked chord by
// chord against MuseScore's import of the same files.
const std::vector<SampleTab> kSamples = {
    // The second bar holds five quarter notes in 4/4 and grows to hold them, as players play it.
    {"hammer",
     0,
     {"----------------|------------------|", "1---2-----------|------------------|",
      "3h--4---9h--10--|13h-14h-15--19h-20|", "--------11h-12--|------------------|",
      "5h--6-----------|------------------|", "7h--8-----------|16h-17--18--------|"}},
    {"bends",
     0,
     {"----------------|----------------|", "----------------|----------------|",
      "3b------3b------|10b-------------|", "----------------|----------------|",
      "----------------|----------------|", "----------------|----------------|"}},
    {"dead",
     0,
     {"----------------|", "----------------|", "------------x---|", "--------x-------|",
      "----x-----------|", "x---------------|"}},
    // Each grace note takes the grid point before its note; the first, with none before it,
    // pushes its note one step on.
    {"grace",
     0,
     {"----------------|", "----------------|", "3-2-2-2---------|", "----------------|",
      "----------------|", "----------------|"}},
    // Triplet quarters on the thirty-second grid go to its nearest points.
    {"tuplets",
     0,
     {std::string(64, '-') + "|", std::string(64, '-') + "|", std::string(64, '-') + "|",
      std::string(64, '-') + "|", "3---------3-----------3" + std::string(41, '-') + "|",
      std::string(64, '-') + "|"}},
};

class GuitarProSample : public ::testing::TestWithParam<std::string> {};

TEST_P(GuitarProSample, ShowsTheNotesAndTechniquesOfTheSong) {
    for (const SampleTab& sample : kSamples) {
        const OpenedDocument opened = Open(Sample(sample.name + GetParam()));
        ASSERT_FALSE(opened.error) << sample.name << ": " << *opened.error;
        ASSERT_GT(opened.document.tabCount, sample.tab);
        for (int l = 1; l <= 6; ++l) {
            EXPECT_EQ(Shown(opened.document, sample.tab, l),
                      sample.lines[static_cast<size_t>(l - 1)])
                << sample.name << GetParam() << " line " << l;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, GuitarProSample,
                         ::testing::Values(".gp3", ".gp4", ".gp5", ".gpx", ".gp"));

TEST(GuitarProImport, SlidesPointToTheNextNoteOrOffTheString) {
    // Version 3 knows one slide, towards the next note; version 5 also slides off the string.
    EXPECT_EQ(Shown(Open(Sample("slides.gp3")).document, 0, 2),
              "1/--2-----------|1---2---3/--4\\--|");
    EXPECT_EQ(Shown(Open(Sample("slides.gp5")).document, 0, 2),
              "1/--2-----------|1---2---3\\--4/--|");
}

TEST(GuitarProImport, RepeatsArePlayedOutAndWholeBarsFillTabs) {
    const OpenedDocument opened = Open(Sample("repeat-close.gp5"));
    ASSERT_FALSE(opened.error);
    // The one bar is played five times: four bars of 17 columns fit a TAB, the fifth starts the
    // next.
    ASSERT_EQ(opened.document.tabCount, 2);
    EXPECT_EQ(Shown(opened.document, 0, 6),
              "1---2---3---4---|1---2---3---4---|1---2---3---4---|1---2---3---4---|");
    EXPECT_EQ(Shown(opened.document, 1, 6), "1---2---3---4---|");
}

TEST(GuitarProImport, TheTempoBecomesMillisecondsPerColumnWithTheTracksSound) {
    // 120 quarter notes a minute on the thirty-second grid: 31.25 ms a column, stored as 10 x 3 ms.
    const auto settings = ReadHeaderSettings(Open(Sample("tuplets.gp5")).document.tabLines[0][0]);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->tempo, 10);
    EXPECT_EQ(settings->patch, 25);
    EXPECT_EQ(settings->volume, 104);
    // On the eighth grid the same tempo is 125 ms, stored as 42.
    EXPECT_EQ(ReadHeaderSettings(Open(Sample("hammer.gp5")).document.tabLines[0][0])->tempo, 42);
}

TEST(GuitarProImport, AMarkerLabelsItsTabATempoChangeStartsOneAndLyricsJoinTheirTab) {
    // MuseScore plays this built file with the same change: 250 ms an eighth, then 500 from bar 2.
    ScratchDir dir;
    const OpenedDocument opened =
        Open(dir.Write("built.gp5", GuitarProBuilder().Build({.bars = 3,
                                                              .title = "Built",
                                                              .marker = "Verse",
                                                              .lyrics = "la la la",
                                                              .lyricsBar = 2,
                                                              .tempoChangeBar = 1,
                                                              .newTempo = 60})));
    ASSERT_FALSE(opened.error) << *opened.error;
    ASSERT_EQ(opened.document.tabCount, 2);
    EXPECT_EQ(opened.document.tabLines[0][0].substr(0, 6), "Verse ");
    EXPECT_EQ(opened.document.tabTexts[0], "Built\r\n");
    EXPECT_EQ(opened.document.tabTexts[1], "la la la\r\n");
    EXPECT_EQ(Shown(opened.document, 0, 6), "0-1-2-3-4-5-6-7-|");
    EXPECT_EQ(Shown(opened.document, 1, 6), "1-2-3-4-5-6-7-8-|2-3-4-5-6-7-8-9-|");
    // 125 ms a column at 120 a minute (42 x 3 ms), 250 ms at 60 (83 x 3 ms).
    EXPECT_EQ(ReadHeaderSettings(opened.document.tabLines[0][0])->tempo, 42);
    EXPECT_EQ(ReadHeaderSettings(opened.document.tabLines[1][0])->tempo, 83);
}

TEST(GuitarProImport, DalSegnoAlCodaIsPlayedOut) {
    // Bars of one eighth note each, bar b at fret b: segno on bar 1, "to coda" on bar 2, the
    // jump on bar 3, the coda on bar 4. alphaTab plays this built file in the same order.
    ScratchDir dir;
    const OpenedDocument opened =
        Open(dir.Write("navigation.gp5", GuitarProBuilder().Build({.bars = 5,
                                                                   .beatsPerBar = 1,
                                                                   .numerator = 1,
                                                                   .denominator = 8,
                                                                   .segnoBar = 1,
                                                                   .dalSegnoAlCodaBar = 3,
                                                                   .toCodaBar = 2,
                                                                   .codaBar = 4})));
    ASSERT_FALSE(opened.error) << *opened.error;
    EXPECT_EQ(Shown(opened.document, 0, 6), "0-|1-|2-|3-|1-|2-|4-|");
}

TEST(GuitarProImport, TracksAreListedWithTheirStringsAndNotes) {
    const TrackListing listing = ListTracks(Sample("repeat-close.gp5"));
    ASSERT_FALSE(listing.error);
    ASSERT_EQ(listing.tracks.size(), 1u);
    EXPECT_EQ(listing.tracks[0].name, "Steel Guitar");
    EXPECT_EQ(listing.tracks[0].tuning, (std::vector<int>{40, 45, 50, 55, 59, 64}));
    EXPECT_EQ(listing.tracks[0].notes, 12);  // as written: the repeat is not played out
    EXPECT_TRUE(Open(Sample("repeat-close.gp5"), 2).error->find("no track 2") != std::string::npos);
}

}  // namespace
}  // namespace fretlux::test
