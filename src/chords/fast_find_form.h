// SPDX-License-Identifier: MIT
// The Chord Fast Finder as a presentation model: four list boxes (roots, the two halves of the
// type list, the variations) and Find and Close. The choice goes back through the three
// selection values; the window's own close button leaves them as they were.
#pragma once

#include <string>
#include <vector>

namespace fretlux {

inline constexpr const char* kFastFindCaption = "Chord Fast Finder";
// The first type number of the second type list.
inline constexpr int kSecondTypeListStart = 17;

// The finder's choice, kept between its uses. gChordRoot -1: no chord was chosen.
struct ChordChoice {
    int gChordRoot = 0;
    int gChordType = 0;
    int gChordVariation = 0;
};

// A list box: its items in the order added, and the selected position (-1: none).
struct ListBoxModel {
    std::vector<std::string> items;
    int listIndex = -1;
};

class FastFindForm {
public:
    explicit FastFindForm(ChordChoice& choice);

    // Fills the lists: the previous root selected, "Major" and "Variation 1" selected.
    void Load();
    // A list's selection was changed by the user; the view has set its listIndex already.
    void ChooseRoot();
    void ChooseFirstListType();
    void ChooseSecondListType();
    void Find();
    void Close();

    ListBoxModel lstChord;
    ListBoxModel lstType;
    ListBoxModel lstType2;
    ListBoxModel lstVariat;
    // Set by Find and Close: the window is to close now.
    bool closeRequested = false;

private:
    ChordChoice& choice_;
};

}  // namespace fretlux
