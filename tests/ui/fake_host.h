// SPDX-License-Identifier: MIT
// A Host whose answers a test queues in advance and which records what it was asked, so that
// no real dialog ever blocks a widget test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/host.h"
#include "recording_midi_output.h"

namespace fretlux {

class FakeHost : public Host {
public:
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> chosenFiles;
    std::vector<MessageBoxRequest> messages;
    std::vector<FileDialogRequest> fileDialogs;
    int endProgramCalls = 0;
    int midiSettingsShown = 0;
    int textEditorShown = 0;
    int textToTabShown = 0;
    std::string clipboard;
    std::vector<std::string> openedWithProgram;
    testing::RecordingMidiOutput midiOut;

    MessageAnswer ShowMessage(const MessageBoxRequest& request) override {
        messages.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message: " << request.text;
            return MessageAnswer::Cancel;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        if (chosenFiles.empty()) return std::nullopt;
        auto chosen = chosenFiles.front();
        chosenFiles.pop_front();
        return chosen;
    }

    std::string ProgramDirectory() const override { return "/fretlux-program"; }
    bool AnotherCopyRunning() override { return false; }
    int LogicalDpiY() const override { return 96; }
    std::string EnterTabFilesDirectory() override { return "/fretlux-program/tabfiles"; }
    bool IsFirstRun() override { return false; }
    void EndProgram() override { ++endProgramCalls; }
    MidiOutput& MidiOut() override { return midiOut; }
    void ShowMidiSettings(MidiSettingsForm&) override { ++midiSettingsShown; }
    void ShowTextEditor(TextEditorForm&) override { ++textEditorShown; }
    void ShowTextToTab(TextToTabForm&) override { ++textToTabShown; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void OpenWithAssociatedProgram(const std::string& path) override {
        openedWithProgram.push_back(path);
    }
    void ProcessPendingEvents() override {}
};

}  // namespace fretlux
