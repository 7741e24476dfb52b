// SPDX-License-Identifier: MIT
#include "chords/fast_find_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fretlux {
namespace {

std::string Choice(const ChordChoice& choice) {
    return std::to_string(choice.gChordRoot) + " " + std::to_string(choice.gChordType) + " " +
           std::to_string(choice.gChordVariation);
}

TEST(FastFindFormTest, OpensWithThePreviousRootMajorAndVariationOne) {
    ChordChoice choice;
    FastFindForm first(choice);
    first.Load();
    EXPECT_EQ(first.lstChord.items.size(), 12u);
    EXPECT_EQ(first.lstChord.items[4], "C#/Db");
    EXPECT_EQ(first.lstType.items.front() + " " + first.lstType.items.back(), "+5 minor");
    EXPECT_EQ(first.lstType2.items.front() + " " + first.lstType2.items.back(), "m+5 aug");
    EXPECT_EQ(first.lstVariat.items.back(), "Variation 3");
    EXPECT_EQ(first.lstChord.listIndex, 0);
    EXPECT_EQ(first.lstType.listIndex, -1);
    EXPECT_EQ(first.lstType2.items[first.lstType2.listIndex], "Major");
    EXPECT_EQ(first.lstVariat.listIndex, 0);
    first.Find();
    EXPECT_TRUE(first.closeRequested);
    EXPECT_EQ(Choice(choice), "0 26 0");

    choice = {7, 3, 2};
    FastFindForm again(choice);
    again.Load();
    EXPECT_EQ(again.lstChord.listIndex, 7);
    EXPECT_EQ(again.lstType2.listIndex, 9);
    EXPECT_EQ(again.lstVariat.listIndex, 0);
}

TEST(FastFindFormTest, TheTwoTypeListsClearEachOtherAndFindOrCloseSetTheChoice) {
    struct Step {
        const char* list;
        int position;
    };
    const struct {
        std::vector<Step> steps;
        std::string choice;
    } rows[] = {
        {{{"lstType", 16}, {"lstType2", 4}}, "3 21 2"},  // minor, then m7
        {{{"lstType2", 4}, {"lstType", 16}}, "3 16 2"},  // m7, then minor
        {{{"lstType2", 15}}, "3 32 2"},                  // aug
    };
    for (const auto& row : rows) {
        ChordChoice choice;
        FastFindForm form(choice);
        form.Load();
        form.lstChord.listIndex = 3;
        form.ChooseRoot();
        form.lstVariat.listIndex = 2;
        for (const Step& step : row.steps) {
            if (std::string(step.list) == "lstType") {
                form.lstType.listIndex = step.position;
                form.ChooseType();
            } else {
                form.lstType2.listIndex = step.position;
                form.ChooseVariation();
            }
        }
        EXPECT_TRUE(form.lstType.listIndex == -1 || form.lstType2.listIndex == -1);
        form.Find();
        EXPECT_EQ(Choice(choice), row.choice);
    }

    // Close gives up the choice: the next opening selects no root, and Find then does the same.
    ChordChoice choice{5, 6, 1};
    FastFindForm closing(choice);
    closing.Load();
    closing.Close();
    EXPECT_TRUE(closing.closeRequested);
    EXPECT_EQ(Choice(choice), "-1 6 1");
    FastFindForm next(choice);
    next.Load();
    EXPECT_EQ(next.lstChord.listIndex, -1);
    next.Find();
    EXPECT_EQ(Choice(choice), "-1 26 0");
}

}  // namespace
}  // namespace fretlux
