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

void FretluxForm::mnuLesson_Click(int index) { OpenLesson(ProgramFile("lesson", index)); }

void FretluxForm::mnuLessonI_Click(int index) { OpenLesson(ProgramFile("lesson1", index)); }

void FretluxForm::mnuLessonS_Click(int index) { OpenLesson(ProgramFile("lesson2", index)); }

void FretluxForm::OpenLesson(const std::string& path) {
    LoadLesson(path);
    mnuPlayStart_Click();
}

// Lesson mode and playback follow whatever the loading did: a missing file has been reported,
// and a cancelled save question has left the previous document, which then plays.
void FretluxForm::LoadLesson(const std::string& path) {
    previousPath = gCurrentPath;
    gCurrentPath = path;
    const std::string titleBefore = caption;
    caption = BaseTitle() + "  Tutor";
    LoadDocument(titleBefore);
    gLessonMode = true;
}

void FretluxForm::mnuScales_Click(int index) {
    previousPath = gCurrentPath;
    gCurrentPath = ProgramFile("scales", index);
    const std::string titleBefore = caption;
    LoadDocument(titleBefore);
    caption = BaseTitle() + "  Scales";
    hscTAB.SetValue(1);
    ShowCurrentTab();
}

// A lesson from anywhere plays as the menu's lessons do; the dialog starts where those are.
void FretluxForm::mnuLessonMore_Click() {
    const auto chosen = host_.ShowFileDialog(
        {FileDialogMode::Open, kFretluxFilesFilter, host_.ProgramDirectory(), ""});
    if (!chosen || chosen->empty()) return;
    OpenLesson(*chosen);
}

// The first run counts as done only once the Introduction has opened, so that a machine whose
// first start could not show it is greeted by it next time.
void FretluxForm::OpenStartDocument() {
    if (host_.IsFirstRun()) {
        LoadLesson(ProgramFile("lesson", 0));
        if (ShowsTab()) {
            // Recorded before playing, as playing opens the tutor window, which holds the
            // program until the user closes it.
            host_.RecordFirstRun();
            mnuPlayStart_Click();
            return;
        }
    }
    ClearDocument();
    ShowBlankDocument();
    startDocumentShown_ = true;
}

}  // namespace fretlux
