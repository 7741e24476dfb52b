// SPDX-License-Identifier: MIT
// The Lessons and Scales menus: lessons and scale charts are documents in the program directory;
// a lesson loads and plays with its explanations in the tutor window, a scale chart only shows
// its first TAB. The Introduction opens by itself on the program's first run on a machine.
#include "app/fretlux_form.h"
#include "document/file_names.h"

namespace fretlux {

// The index is appended to the prefix as it stands, so Intermediate lesson 0 is lesson10.flx.
std::string FretluxForm::ProgramFile(const char* prefix, int index) const {
    return host_.ProgramDirectory() + kPathSeparator + prefix + std::to_string(index) + ".flx";
}

void FretluxForm::OpenBasicLesson(int index) { PlayLessonFile(ProgramFile("lesson", index)); }

void FretluxForm::OpenIntermediateLesson(int index) {
    PlayLessonFile(ProgramFile("lesson1", index));
}

void FretluxForm::OpenSongLesson(int index) { PlayLessonFile(ProgramFile("lesson2", index)); }

void FretluxForm::PlayLessonFile(const std::string& path) {
    if (LoadLesson(path)) player_.Start();
}

// A lesson that did not load (the shown document kept, or the file missing) neither plays nor
// turns the shown document into one.
bool FretluxForm::LoadLesson(const std::string& path) {
    if (!LoadDocument(path, BaseTitle() + "  Tutor")) return false;
    player_.EnterLesson();
    return true;
}

void FretluxForm::OpenScaleChart(int index) {
    if (!LoadDocument(ProgramFile("scales", index), BaseTitle() + "  Scales")) return;
    controls_.hscTAB.SetValue(1);
    // A chart without a TAB has nothing to show.
    if (ShowsTab()) ShowCurrentTab();
}

// A lesson from anywhere plays as the menu's lessons do; the dialog starts where those are.
void FretluxForm::OpenOtherLesson() {
    const auto chosen = host_.ShowFileDialog(
        {FileDialogMode::Open, kFretluxFilesFilter, host_.ProgramDirectory(), ""});
    if (!chosen || chosen->empty()) return;
    PlayLessonFile(*chosen);
}

// The first run counts as done only once the Introduction has opened, so that a machine whose
// first start could not show it is greeted by it next time.
void FretluxForm::OpenStartDocument() {
    if (host_.IsFirstRun() && LoadLesson(ProgramFile("lesson", 0)) && ShowsTab()) {
        host_.RecordFirstRun();
        player_.Start();
        return;
    }
    ClearDocument();
    ShowBlankDocument();
}

}  // namespace fretlux
