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

TEST_F(TextToTabFormTest, EachBoxShowsTheSymbolOfItsStringLineTopFirstOrNothing) {
    Load("3--h-1");
    EXPECT_EQ(form.txtTAB, (Boxes{"3", "-", "-", "h", "-", "1"}));
    Load("x-/");
    EXPECT_EQ(form.txtTAB, (Boxes{"x", "-", "/", "", "", ""}));
    EXPECT_FALSE(form.closeRequested);
}

TEST_F(TextToTabFormTest, TheBoxKeepsTheFirstCharacterOfItsNewTextOrAHyphen) {
    const std::pair<std::string, std::string> rows[] = {
        {"h", "h"},    // typed into an emptied box
        {"h-", "h"},   // typed before the old character
        {"-h", "-"},   // typed after it: the old one stays
        {"", "-"},     // emptied
        {"7", "7"},    // digits are the TAB's business, not the box's
        {"xyz", "x"},  // pasted
        {" ", " "},
    };
    for (const auto& [typed, kept] : rows) {
        Load("------");
        Type(2, typed);
        EXPECT_EQ(form.txtTAB, (Boxes{"-", "-", kept, "-", "-", "-"})) << typed;
    }
}

TEST_F(TextToTabFormTest, SaveHandsBackTheBoxesTopFirstAndCloses) {
    Load("3-----");
    Type(1, "h-");
    Type(5, "");
    EXPECT_EQ(dialogText, "3-----");  // nothing goes back before Save
    form.cmdSave_Click();
    EXPECT_EQ(dialogText, "3h----");
    EXPECT_TRUE(form.closeRequested);

    // An untouched empty box gives fewer than six, and the caller leaves the TAB as it was.
    Load("ab");
    Type(0, "x-");
    form.cmdSave_Click();
    EXPECT_EQ(dialogText, "xb");
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

}  // namespace
}  // namespace fretlux
