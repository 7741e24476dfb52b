// SPDX-License-Identifier: MIT
// The Help menu (the two help pages and the About window), files opened from outside the
// program, and the notice that the sound stays silent.
#include "app/fretlux_form.h"
#include "document/file_names.h"

namespace fretlux {

namespace {

constexpr const char* kHelpDirectory = "help";
constexpr const char* kLicence =
    "Free software under the MIT licence: use, copy, change and share it as you like.";
constexpr const char* kSilentSoundNotice =
    "NOTE: Fretlux plays silently (no audio device or soundfont): see Settings > Midi";

}  // namespace

void FretluxForm::OpenWithDesktopProgram(const std::string& path) {
    if (host_.OpenWithAssociatedProgram(path)) return;
    host_.ShowMessage({"There is no program on this desktop that opens\r" + path,
                       MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok});
}

std::string FretluxForm::HelpPage(const char* name) const {
    return host_.ProgramDirectory() + kPathSeparator + kHelpDirectory + kPathSeparator + name;
}

// The pages show in Fretlux's own help window, so that reading them needs no browser.
void FretluxForm::ShowHelp() { host_.ShowHelp(HelpPage("help.htm")); }

void FretluxForm::ShowTabHelp() { host_.ShowHelp(HelpPage("tab.htm")); }

void FretluxForm::ShowAboutWindow() {
    AboutForm frmAbout;
    frmAbout.lblAbout = std::string("Version ") + kVersion;
    frmAbout.licence = kLicence;
    frmAbout.sound = host_.MidiOut().Status();
    host_.ShowAbout(frmAbout);
}

void FretluxForm::SoundSetUpDone() {
    if (host_.MidiOut().Silent()) controls_.lblHelp = {kSilentSoundNotice, kHintBlue};
}

void FretluxForm::OpenNamedFile(const std::string& path) { LoadUserFile(path); }

void FretluxForm::LoadUserFile(const std::string& path) {
    LoadDocument(path, BaseTitle() + "  " + path);
}

}  // namespace fretlux
