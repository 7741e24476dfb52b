// SPDX-License-Identifier: MIT
#include "texttools/text_to_tab_form.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace fretlux {
namespace {

using Boxes = std::array<std::string, 6>;

class TextToTabFormTest : public ::testing::Test {
protected:
    void Load(const std::string& symbols) {
        dialogText = symbols;
        form.Form_Load();
    }

    // The user changes a box's text; the form then applies its rule to it.
    void Type(int index, const std::string& text) {
        form.txtTAB.at(static_cast<std::size_t>(index)) = text;
        form.txtTAB_Change(index);
    }

    std::string dialogText;
    TextToTabForm form{dialogText};
};

TEST_F(TextToTabFormTest, EachBoxShowsTheSymbolOfItsStringLineTopFirst) {
    Load("3--h-1");
    EXPECT_EQ(form.txtTAB, (Boxes{"3", "-", "-", "h", "-", "1"}));
    EXPECT_FALSE(form.closeRequested);
}

TEST_F(TextToTabFormTest, BoxesWithoutASymbolStayEmpty) {
    Load("x-/");
    EXPECT_EQ(form.txtTAB, (Boxes{"x", "-", "/", "", "", ""}));
}

TEST_F(TextToTabFormTest, LoadingAgainForgetsWhatTheBoxesHeld) {
    Load("abcdef");
    Load("");
    EXPECT_EQ(form.txtTAB, (Boxes{"", "", "", "", "", ""}));
}

struct BoxRuleCase {
    std::string typed;
    std::string kept;
};

class TextToTabBoxRule : public TextToTabFormTest,
                         public ::testing::WithParamInterface<BoxRuleCase> {};

TEST_P(TextToTabBoxRule, TheBoxKeepsTheFirstCharacterOfItsNewText) {
    Load("------");
    Type(2, GetParam().typed);
    EXPECT_EQ(form.txtTAB[2], GetParam().kept);
    // The other boxes are not touched.
    EXPECT_EQ(form.txtTAB[1], "-");
    EXPECT_EQ(form.txtTAB[3], "-");
}

INSTANTIATE_TEST_SUITE_P(
    Typed, TextToTabBoxRule,
    ::testing::Values(BoxRuleCase{"h", "h"},    // typed into an emptied box
                      BoxRuleCase{"h-", "h"},   // typed before the old character
                      BoxRuleCase{"-h", "-"},   // typed after it: the old one stays
                      BoxRuleCase{"", "-"},     // emptied
                      BoxRuleCase{"7", "7"},    // digits are the TAB's business, not the box's
                      BoxRuleCase{"xyz", "x"},  // pasted
                      BoxRuleCase{" ", " "}));

TEST_F(TextToTabFormTest, SaveHandsBackTheSixCharactersTopFirstAndCloses) {
    Load("3-----");
    Type(1, "h-");
    Type(5, "");
    form.cmdSave_Click();
    EXPECT_EQ(dialogText, "3h----");
    EXPECT_TRUE(form.closeRequested);
}

TEST_F(TextToTabFormTest, SaveWithAnUntouchedEmptyBoxHandsBackFewerThanSix) {
    Load("ab");
    Type(0, "x-");
    form.cmdSave_Click();
    // Too short: the caller leaves the TAB as it was.
    EXPECT_EQ(dialogText, "xb");
}

TEST_F(TextToTabFormTest, SaveAfterFillingTheEmptyBoxesHandsBackSix) {
    Load("abcde");
    Type(5, "f");
    form.cmdSave_Click();
    EXPECT_EQ(dialogText, "abcdef");
}

TEST_F(TextToTabFormTest, CloseHandsBackNothingAndCloses) {
    Load("abcdef");
    Type(0, "z");
    form.cmdClose_Click();
    EXPECT_EQ(dialogText, "");
    EXPECT_TRUE(form.closeRequested);
}

TEST_F(TextToTabFormTest, UntilSaveOrCloseTheCharactersPassedInStay) {
    Load("abcdef");
    Type(0, "z");
    EXPECT_EQ(dialogText, "abcdef");
    EXPECT_FALSE(form.closeRequested);
}

}  // namespace
}  // namespace fretlux
