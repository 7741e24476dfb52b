// SPDX-License-Identifier: MIT
#include "chords/fast_find_form.h"

#include "chords/chord_names.h"

namespace fretlux {

namespace {

constexpr int kMajorPosition = kMajorType - kSecondTypeListStart;

template <typename Names>
void Fill(ListBoxModel& list, const Names& names, std::size_t first, std::size_t end) {
    list.items.assign(names.begin() + first, names.begin() + end);
}

}  // namespace

FastFindForm::FastFindForm(ChordChoice& choice) : choice_(choice) {}

void FastFindForm::Load() {
    Fill(lstChord, kRootCaptions, 0, kRootCaptions.size());
    lstChord.listIndex = choice_.gChordRoot;
    Fill(lstType, kChordTypeNames, 0, kSecondTypeListStart);
    lstType.listIndex = -1;
    Fill(lstType2, kChordTypeNames, kSecondTypeListStart, kChordTypeNames.size());
    lstType2.listIndex = kMajorPosition;
    Fill(lstVariat, kVariationNames, 0, kVariationNames.size());
    lstVariat.listIndex = 0;
}

void FastFindForm::ChooseRoot() {}

void FastFindForm::ChooseFirstListType() { lstType2.listIndex = -1; }

void FastFindForm::ChooseSecondListType() { lstType.listIndex = -1; }

void FastFindForm::Find() {
    choice_.gChordRoot = lstChord.listIndex;
    choice_.gChordType =
        lstType.listIndex >= 0 ? lstType.listIndex : lstType2.listIndex + kSecondTypeListStart;
    choice_.gChordVariation = lstVariat.listIndex;
    closeRequested = true;
}

void FastFindForm::Close() {
    choice_.gChordRoot = -1;
    closeRequested = true;
}

}  // namespace fretlux
