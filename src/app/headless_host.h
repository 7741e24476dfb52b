// SPDX-License-Identifier: MIT
// The window's outside world when there is no window: the one file to open stands ready for the
// open dialog, a message box answers with its default button, the text windows and the chord finder
// close at once as if by their own close button, and sound goes to the output given; nothing is
// rendered.
#pragma once

#include <optional>
#include <string>

#include "app/host.h"

namespace fretlux {

class HeadlessHost final : public Host {
public:
    explicit HeadlessHost(MidiOutput& output) : output_(output) {}

    // What the next open dialog answers.
    void ChooseFile(std::string path) { chosenFile_ = std::move(path); }

    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
    std::string ProgramDirectory() const override;
    bool AnotherCopyRunning() override { return false; }
    int LogicalDpiY() const override { return 96; }
    std::string EnterTabFilesDirectory() override { return "."; }
    bool IsFirstRun() override { return false; }
    void RecordFirstRun() override {}
    void EndProgram() override {}
    MidiOutput& MidiOut() override { return output_; }
    void ShowMidiSettings(MidiSettingsForm&) override {}
    std::optional<std::string> ShowTextEditor(TextEditorForm& form) override {
        form.Load();
        return form.Result();
    }
    std::optional<std::string> ShowTextToTab(TextToTabForm& form) override {
        form.Load();
        return form.Result();
    }
    void ShowFastFind(FastFindForm& form) override { form.Load(); }
    // Nothing here runs a lesson.
    void ShowTutor(const std::string&, TutorButtons&) override {}
    void CloseTutor() override {}
    std::string ClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& text) override { clipboard_ = text; }
    bool OpenWithAssociatedProgram(const std::string&) override { return false; }
    void ShowAbout(const AboutForm&) override {}
    void ShowHelp(const std::string&) override {}
    RenderedWave RenderWave(const std::vector<TimedMidiMessage>&) override {
        return {{}, "there is no synthesiser without a window", false};
    }
    ListeningHost& Listening() override { return listening_; }

private:
    // Nothing is heard without a window: fretlux-cli listen judges takes from files instead.
    class NoListening final : public ListeningHost {
    public:
        std::string StartListening(PlayAlongMode, std::function<void(const HeardOnset&)>) override {
            return "There is no input to listen to without a window.";
        }
        void StopListening() override {}
        bool HearsSpeakers() override { return false; }
        void ExpectNotes(std::int64_t, const std::vector<int>&, double) override {}
        std::int64_t NowMs() override { return 0; }
        std::int64_t HeardUntilMs() override { return 0; }
        void ShowInputSettings() override {}
        void ShowTuner() override {}
        std::string BestScoresText() override { return {}; }
        void SaveBestScoresText(const std::string&) override {}
    };

    MidiOutput& output_;
    NoListening listening_;
    std::optional<std::string> chosenFile_;
    std::string clipboard_;
};

}  // namespace fretlux
