// SPDX-License-Identifier: MIT
// Start-up, the wiring of the controls to their handlers, and the playback settings bars.
#include "app/fretlux_form.h"

namespace fretlux {

namespace {

constexpr int kStartPatch = 25;
constexpr int kStartVolume = 100;
constexpr int kStartTempo = 41;
constexpr int kNormalDpi = 96;

}  // namespace

FretluxForm::FretluxForm(Host& host) : host_(host) {
    hscTAB.onChange = [this] { hscTAB_Change(); };
    txtTAB.onChange = [this] { txtTAB_Change(); };
    hscTempo.onChange = [this] { hscTempo_Change(); };
    hscVolume.onChange = [this] { hscVolume_Change(); };
    HScrollPatch.onChange = [this] { HScrollPatch_Change(); };
}

bool FretluxForm::Form_Load() {
    if (host_.AnotherCopyRunning()) {
        host_.ShowMessage({"Fretlux is already running"});
        host_.EndProgram();
        return false;
    }
    keyPreview = true;
    gCharWidth = host_.LogicalDpiY() == kNormalDpi ? 105 : 96;
    host_.EnterTabFilesDirectory();
    HScrollPatch.SetValue(kStartPatch);
    hscVolume.SetValue(kStartVolume);
    caption = BaseTitle();
    hscTempo.SetValue(kStartTempo);
    // The lessons read this to open the Introduction on the first run.
    firstRun = host_.IsFirstRun();
    return true;
}

void FretluxForm::Form_KeyDown(int, int) {
    // No window key has a meaning yet; the fretboard's keys will be handled here.
}

void FretluxForm::hscTempo_Change() { lblTempo.caption = std::to_string(201 - hscTempo.Value()); }

void FretluxForm::hscVolume_Change() { lblVolume.caption = " " + std::to_string(hscVolume.Value()); }

void FretluxForm::HScrollPatch_Change() {
    lblPatchNum.caption = std::to_string(HScrollPatch.Value());
}

void FretluxForm::mnuPlayStop_Click() {
    // Nothing plays yet: there is no playback to stop.
}

void FretluxForm::ShowPlayColumn() {
    // The fretboard that shows and sounds a column does not exist yet.
}

}  // namespace fretlux
