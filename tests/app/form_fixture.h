// SPDX-License-Identifier: MIT
// A host whose answers are queued by the test and whose every request is recorded, and a started
// main window over it, with a private directory for the files it opens and saves.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/fretlux_form.h"
#include "app/host.h"
#include "recording_midi_output.h"

namespace fretlux::testing {

class ScriptedHost : public Host {
public:
    MessageAnswer ShowMessage(const MessageBoxRequest& request) override {
        messages.push_back(request);
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

    std::string ProgramDirectory() const override { return programDirectory; }
    bool AnotherCopyRunning() override { return anotherCopy; }
    int LogicalDpiY() const override { return dpi; }
    std::string EnterTabFilesDirectory() override {
        ++tabFilesEntered;
        return programDirectory + "/tabfiles";
    }
    bool IsFirstRun() override { return firstRun; }
    void EndProgram() override { ++endRequests; }
    MidiOutput& MidiOut() override { return midiOut; }
    void ShowMidiSettings(MidiSettingsForm& form) override {
        ++midiSettingsShown;
        if (onMidiSettings) onMidiSettings(form);
    }
    // The text windows load, then the user does what the test scripted; without a script the
    // window is closed with its own close button.
    void ShowTextEditor(TextEditorForm& form) override {
        ++textEditorShown;
        form.Form_Load();
        if (onTextEditor) onTextEditor(form);
    }
    void ShowTextToTab(TextToTabForm& form) override {
        ++textToTabShown;
        form.Form_Load();
        if (onTextToTab) onTextToTab(form);
    }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void OpenWithAssociatedProgram(const std::string& path) override {
        openedWithProgram.push_back(path);
    }
    void ProcessPendingEvents() override {
        ++pendingEventRuns;
        if (onPendingEvents) onPendingEvents();
    }

    // Answers, in order; a message box without a queued answer returns OK.
    std::deque<MessageAnswer> answers;
    // Paths the file dialog returns, in order; nullopt is a cancel.
    std::deque<std::optional<std::string>> chosenPaths;

    std::vector<MessageBoxRequest> messages;
    std::vector<FileDialogRequest> dialogs;
    std::string programDirectory = "/opt/fretlux";
    bool anotherCopy = false;
    int dpi = 96;
    bool firstRun = false;
    int tabFilesEntered = 0;
    int endRequests = 0;
    RecordingMidiOutput midiOut;
    int midiSettingsShown = 0;
    // What the user does in the MIDI settings window while it is shown.
    std::function<void(MidiSettingsForm&)> onMidiSettings;
    int textEditorShown = 0;
    std::function<void(TextEditorForm&)> onTextEditor;
    int textToTabShown = 0;
    std::function<void(TextToTabForm&)> onTextToTab;
    std::string clipboard;
    std::vector<std::string> openedWithProgram;
    int pendingEventRuns = 0;
    std::function<void()> onPendingEvents;
};

class FormTest : public ::testing::Test {
protected:
    FormTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        directory = std::filesystem::temp_directory_path() /
                    ("fretlux-app-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        form.Form_Load();
    }
    ~FormTest() override { std::filesystem::remove_all(directory); }

    std::string PathOf(const std::string& name) const { return (directory / name).string(); }

    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Opens a file of the test directory through File > Open, answering any save question No.
    void Open(const std::string& name) {
        host.chosenPaths.push_back(PathOf(name));
        if (form.hscTAB.Value() > 0) host.answers.push_back(MessageAnswer::No);
        form.mnuFOpen_Click();
    }

    void OpenText(const std::string& name, const std::string& bytes) {
        WriteFile(name, bytes);
        Open(name);
    }

    const std::string& Line(int tabNumber, int line) const {
        return form.document.tabLines[tabNumber - 1][line];
    }

    ScriptedHost host;
    FretluxForm form{host};
    std::filesystem::path directory;
};

// A plain TAB block whose high E line holds the given positions after "e|"; every line ends in
// "---" so that it is a string line whatever the positions are.
inline std::string PlainBlock(const std::string& label, const std::string& highE) {
    const std::string rest = std::string(highE.size(), '-') + "---\n";
    return label + "\n" + "e|" + highE + "---\nB|" + rest + "G|" + rest + "D|" + rest + "A|" +
           rest + "E|" + rest;
}

}  // namespace fretlux::testing
