// SPDX-License-Identifier: MIT
// Everything the window's behaviour needs from the outside world. The program gives Qt-backed
// implementations; tests give scripted ones.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/about_form.h"
#include "app/listening_host.h"
#include "app/midi_settings_form.h"
#include "app/tutor_buttons.h"
#include "chords/fast_find_form.h"
#include "import/open_document.h"
#include "playback/beats_form.h"
#include "playback/midi_output.h"
#include "playback/speed_trainer_form.h"
#include "playback/timed_midi_message.h"
#include "playback/wave_file.h"
#include "texttools/text_editor_form.h"
#include "texttools/text_to_tab_form.h"

namespace fretlux {

enum class MessageButtons { Ok, YesNo, YesNoCancel, SaveDiscardCancel };
enum class MessageIcon { None, Question, Exclamation };
enum class MessageAnswer { Ok, Yes, No, Cancel, Save, Discard };

inline constexpr const char* kProgramTitle = "Fretlux";

struct MessageBoxRequest {
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    std::string title = kProgramTitle;
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::Open;
    // Pairs of description and pattern, all separated by vertical bars.
    std::string filter;
    // Empty: the current directory.
    std::string initialDirectory;
    std::string fileName;
};

// A small window that asks for one whole number.
struct NumberRequest {
    std::string title;
    std::string prompt;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    std::string suffix;  // shown after the number, as " %"
};

class Host {
public:
    virtual ~Host() = default;

    // Modal: returns the button pressed.
    virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;
    // Which of a file's tracks to open (1-based), or nothing to cancel; the window asks only
    // when there is more than one.
    virtual std::optional<int> ChooseTrack(const std::vector<TrackSummary>& tracks) {
        return DefaultTrack(tracks);
    }
    // Modal: returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) = 0;

    // The directory the program and its data live in, without a trailing separator.
    virtual std::string ProgramDirectory() const = 0;
    // Whether another copy of the program is running; this copy then must not go on.
    virtual bool AnotherCopyRunning() = 0;
    // The screen's logical pixels per inch, vertically.
    virtual int LogicalDpiY() const = 0;
    // The directory the file dialogs start in: the tabfiles directory under the program
    // directory, made when missing, or a folder in the user's documents when that cannot be.
    // Makes it the current directory.
    virtual std::string EnterTabFilesDirectory() = 0;
    // True until the first run on this machine has been recorded.
    virtual bool IsFirstRun() = 0;
    virtual void RecordFirstRun() = 0;
    // Ends the program after the current handler returns.
    virtual void EndProgram() = 0;

    // Where the program's sound goes; opened at start-up and closed at Exit.
    virtual MidiOutput& MidiOut() = 0;
    // Shows the MIDI settings window modally over the given state.
    virtual void ShowMidiSettings(MidiSettingsForm& form) = 0;
    // Show the TAB text window and the Text to TAB window modally over the given state; they
    // return the window's result once it has closed.
    virtual std::optional<std::string> ShowTextEditor(TextEditorForm& form) = 0;
    virtual std::optional<std::string> ShowTextToTab(TextToTabForm& form) = 0;
    // Shows the Chord Fast Finder modally over the given state; returns once it has closed.
    virtual void ShowFastFind(FastFindForm& form) = 0;
    // Show the Speed Trainer and Beats windows modally over their models; their Result says what
    // OK chose. Without a window they close at once, choosing nothing.
    virtual void ShowSpeedTrainer(SpeedTrainerForm&) {}
    virtual void ShowBeats(BeatsForm&) {}
    // Asks for a number; nothing when the user cancelled, as without a window.
    virtual std::optional<int> AskNumber(const NumberRequest&) { return std::nullopt; }
    // A text the program keeps across runs under a key, and keeping one; without a window
    // nothing is kept.
    virtual std::optional<std::string> RememberedText(const std::string&) { return std::nullopt; }
    virtual void RememberText(const std::string&, const std::string&) {}
    // The tutor window, beside the main window and never blocking it: shows a lesson step's
    // text, its buttons running the given commands; shown again while open, it shows the new
    // text. Only CloseTutor closes it.
    virtual void ShowTutor(const std::string& text, TutorButtons& buttons) = 0;
    virtual void CloseTutor() = 0;

    // The system clipboard, as text.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // Opens the file with the program the desktop associates with it; false when the desktop
    // has none (or could not start it).
    virtual bool OpenWithAssociatedProgram(const std::string& path) = 0;
    // Shows the About window modally.
    virtual void ShowAbout(const AboutForm& form) = 0;
    // Shows a help page (an HTML file) in the program's help window, beside the main window.
    virtual void ShowHelp(const std::string& path) = 0;
    // Renders the messages through the built-in synthesiser into the bytes of the WAVE file
    // fretlux-cli render writes for them, showing the progress with a way to cancel.
    virtual RenderedWave RenderWave(const std::vector<TimedMidiMessage>& events) = 0;
    // Hearing the student play: the input, the Input settings and Tuner windows, the best
    // play-along scores.
    virtual ListeningHost& Listening() = 0;
};

}  // namespace fretlux
