// SPDX-License-Identifier: MIT
// A host whose answers are queued by the test and whose every request is recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/host.h"
#include "recording_midi_output.h"
#include "scripted_listening.h"

namespace fretlux::testing {

class ScriptedHost : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override {
        messages.push_back(request);
        if (onMessage) onMessage();
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override {
        dialogs.push_back(request);
        if (chosenPaths.empty()) throw std::logic_error("a file dialog opened unexpectedly");
        std::optional<std::string> chosen = chosenPaths.front();
        chosenPaths.pop_front();
        return chosen;
    }
    std::optional<int> ChooseTrack(const std::vector<TrackSummary>& tracks) override {
        trackLists.push_back(tracks);
        return tracks.size() > 1 ? trackAnswer : std::optional<int>(1);
    }
    std::string ProgramDirectory() const override { return programDirectory; }
    bool AnotherCopyRunning() override { return anotherCopy; }
    int LogicalDpiY() const override { return dpi; }
    std::string EnterTabFilesDirectory() override {
        ++tabFilesEntered;
        return programDirectory + "/tabfiles";
    }
    bool IsFirstRun() override { return firstRun; }
    void RecordFirstRun() override { firstRun = false; }
    void EndProgram() override { ++endRequests; }
    MidiOutput& MidiOut() override { return midiOut; }
    void ShowMidiSettings(MidiSettingsForm& form) override {
        ++midiSettingsShown;
        if (onMidiSettings) onMidiSettings(form);
    }
    // The text windows load, then the user does what the test scripted; without a script the
    // window is closed with its own close button.
    std::optional<std::string> ShowTextEditor(TextEditorForm& form) override {
        ++textEditorShown;
        form.Load();
        if (onTextEditor) onTextEditor(form);
        return form.Result();
    }
    std::optional<std::string> ShowTextToTab(TextToTabForm& form) override {
        ++textToTabShown;
        form.Load();
        if (onTextToTab) onTextToTab(form);
        return form.Result();
    }
    // The finder loads, then the user does what the test scripted; without a script it is
    // closed with its own close button.
    void ShowFastFind(FastFindForm& form) override {
        ++fastFindShown;
        form.Load();
        if (onFastFind) onFastFind(form);
    }
    // The practice windows do what the test scripted; without a script they are cancelled.
    void ShowSpeedTrainer(SpeedTrainerForm& form) override {
        if (onSpeedTrainer) onSpeedTrainer(form);
    }
    void ShowBeats(BeatsForm& form) override {
        if (onBeats) onBeats(form);
    }
    std::optional<int> AskNumber(const NumberRequest&) override {
        if (numberAnswers.empty()) return std::nullopt;
        const int answer = numberAnswers.front();
        numberAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> RememberedText(const std::string& key) override {
        const auto found = remembered.find(key);
        if (found == remembered.end()) return std::nullopt;
        return found->second;
    }
    void RememberText(const std::string& key, const std::string& text) override {
        remembered[key] = text;
    }
    // The tutor window: the test presses its buttons through tutor while it is open.
    void ShowTutor(const std::string& text, TutorButtons& buttons) override {
        tutorTexts.push_back(text);
        tutor = &buttons;
        tutorOpen = true;
    }
    void CloseTutor() override { tutorOpen = false; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    bool OpenWithAssociatedProgram(const std::string& path) override {
        openedWithProgram.push_back(path);
        return desktopHasPrograms;
    }
    void ShowAbout(const AboutForm& form) override { aboutShown.push_back(form); }
    void ShowHelp(const std::string& path) override { helpShown.push_back(path); }
    // Hands the messages to the scripted rendering; without one the user cancels at once.
    RenderedWave RenderWave(const std::vector<TimedMidiMessage>& events) override {
        renderedEvents.push_back(events);
        return onRenderWave ? onRenderWave(events) : RenderedWave{{}, std::nullopt, true};
    }
    ListeningHost& Listening() override { return listening; }

    // The message boxes shown so far, each as "text [buttons icon default]".
    std::vector<std::string> Asked() const {
        static const char* const kButtons[] = {"Ok", "YesNo", "YesNoCancel", "SaveDiscardCancel"};
        static const char* const kIcons[] = {"None", "Question", "Exclamation"};
        static const char* const kAnswers[] = {"Ok", "Yes", "No", "Cancel", "Save", "Discard"};
        std::vector<std::string> asked;
        for (const MessageBoxRequest& m : messages) {
            asked.push_back(m.text + " [" + kButtons[int(m.buttons)] + " " + kIcons[int(m.icon)] +
                            " " + kAnswers[int(m.defaultButton)] + "]");
        }
        return asked;
    }

    // Answers, in order; a message box without a queued answer returns OK.
    std::deque<MessageAnswer> answers;
    // Paths the file dialog returns, in order; nullopt is a cancel.
    std::deque<std::optional<std::string>> chosenPaths;
    // What the track choice answers for a file of several tracks; nullopt is a cancel.
    std::optional<int> trackAnswer = 1;
    std::vector<std::vector<TrackSummary>> trackLists;
    std::vector<MessageBoxRequest> messages;
    // Runs as each message box comes up: what the window shows meanwhile.
    std::function<void()> onMessage;
    std::vector<FileDialogRequest> dialogs;
    std::string programDirectory = "/opt/fretlux";
    bool anotherCopy = false;
    int dpi = 96;
    bool firstRun = false;
    int tabFilesEntered = 0;
    int endRequests = 0;
    RecordingMidiOutput midiOut;
    int midiSettingsShown = 0;
    std::function<void(MidiSettingsForm&)> onMidiSettings;
    int textEditorShown = 0;
    std::function<void(TextEditorForm&)> onTextEditor;
    int textToTabShown = 0;
    std::function<void(TextToTabForm&)> onTextToTab;
    int fastFindShown = 0;
    std::function<void(FastFindForm&)> onFastFind;
    // Every text the tutor window showed, in order.
    std::vector<std::string> tutorTexts;
    TutorButtons* tutor = nullptr;
    bool tutorOpen = false;
    std::function<void(SpeedTrainerForm&)> onSpeedTrainer;
    std::function<void(BeatsForm&)> onBeats;
    // What the number windows answer, in order; without an answer they are cancelled.
    std::deque<int> numberAnswers;
    // What the settings keep across runs.
    std::map<std::string, std::string> remembered;
    std::string clipboard;
    std::vector<std::string> openedWithProgram;
    bool desktopHasPrograms = true;
    std::vector<AboutForm> aboutShown;
    std::vector<std::string> helpShown;
    std::vector<std::vector<TimedMidiMessage>> renderedEvents;
    std::function<RenderedWave(const std::vector<TimedMidiMessage>&)> onRenderWave;
    ScriptedListening listening;
};

}  // namespace fretlux::testing
