// SPDX-License-Identifier: MIT
// The TAB view: which TAB is shown, its label and symbols, its columns, and the column cursor
// that the mouse moves over the six TAB labels.
#include "app/fretlux_form.h"
#include "document/strings.h"
#include "document/tab_cell.h"
#include "document/tab_header.h"

namespace fretlux {

namespace {

constexpr int kShownLabelLength = 79;
constexpr int kShownSymbols = 80;

std::string TabPosition(int value, int maximum) {
    return "TAB: " + std::to_string(value) + " of " + std::to_string(maximum);
}

}  // namespace

EditPicture FretluxForm::EditPictureFor(int tabNumber) const {
    return document.tabTexts[tabNumber - 1].empty() ? EditPicture::imgEdit2Up
                                                    : EditPicture::imgEditUp;
}

void FretluxForm::ShowChosenTab() {
    const int v = controls_.hscTAB.Value();
    if (const int left = columns_.ShownTab(); left > 0) {
        std::string& header = document.tabLines[left - 1][0];
        header = StampHeader(header, {controls_.hscTempo.Value(), controls_.hscVolume.Value(),
                                      controls_.HScrollPatch.Value()});
    }
    ShowTabPosition();
    columns_.SetShownTab(v);
    if (v == 0) {
        controls_.imgEdit = EditPicture::imgEdit2Up;
        return;
    }
    if (const auto settings = ReadHeaderSettings(document.tabLines[v - 1][0])) {
        controls_.hscTempo.SetValue(settings->tempo);
        controls_.hscVolume.SetValue(settings->volume);
        controls_.HScrollPatch.SetValue(settings->patch);
    }
    // A TAB without settings of its own takes the bars as they stand; only a change of them
    // while it is shown is a change of the document.
    file_.KeepFirstShownSettings(v - 1, BarSettings());
    controls_.imgEdit = EditPictureFor(v);
    ShowCurrentTab();
    columns_.Select(0, 0);
}

void FretluxForm::PreviewTabPosition(int value) {
    controls_.lblHelp = {TabPosition(value, controls_.hscTAB.Max()), kBlack};
}

void FretluxForm::ShowTabPosition() {
    controls_.lblHelp = {TabPosition(controls_.hscTAB.Value(), controls_.hscTAB.Max()), kBlack};
}

// While a TAB is shown its header is whatever the label box holds; the settings come back into
// it when the TAB is left.
void FretluxForm::LabelEdited() {
    NoteLabelEdit();
    if (ShowsTab()) document.tabLines[CurrentTabIndex()][0] = label_.Stored();
}

void FretluxForm::ShowCurrentTab() {
    const TabBlock& block = document.tabLines[CurrentTabIndex()];
    ShowLabel(Left(block[0], kShownLabelLength));
    for (int l = 1; l < kLinesPerTab; ++l) {
        controls_.lblTAB[l].caption = Left(DisplaySymbols(block[l]), kShownSymbols);
    }
    SplitTabIntoColumns();
    // Its bar lines give the beats.
    player_.ShowBeatsPerMinute();
}

// A TAB left with header cells only has nothing to show: it removes itself.
void FretluxForm::SplitTabIntoColumns() {
    if (!columns_.Split(document.tabLines[CurrentTabIndex()])) DeleteCurrentTab();
}

void FretluxForm::PressOnTabLines(double x) { columns_.Press(x); }

void FretluxForm::DragOnTabLines(int button, double x) { columns_.Drag(button, x); }

void FretluxForm::ReleaseOnTabLines(double x) {
    if (columns_.Release(x)) player_.SoundCursorColumn();
}

}  // namespace fretlux
