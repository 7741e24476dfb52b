// SPDX-License-Identifier: MIT
// The program's Host: Qt message boxes and file dialogs, the modal windows, the lock that keeps a
// second copy out, the program and tabfiles directories, the screen's resolution, the first-run
// marker, the clipboard and the desktop's file associations.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "app/host.h"
#include "desktop/first_run_marker.h"
#include "desktop/qt_listening_host.h"
#include "desktop/single_instance_lock.h"

namespace fretlux {

class HelpWindow;
class TutorWindow;

// Where the host keeps its files; tests give temporary directories.
struct HostDirectories {
    QString lockDirectory;
    QString configDirectory;
    // Parent of the "Fretlux" folder used when the program directory cannot hold tabfiles/.
    QString documentsDirectory;

    // The user's runtime, configuration and documents locations; the application and
    // organisation names must be set before.
    static HostDirectories Standard();
};

class QtHost final : public Host {
public:
    explicit QtHost(const HostDirectories& directories = HostDirectories::Standard());
    ~QtHost() override;

    // Dialogs are shown over this window.
    void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }
    // What ending the program means: the window closes for real and the event loop ends.
    void SetEndProgram(std::function<void()> endProgram) { endProgram_ = std::move(endProgram); }
    // Shows the main window's model anew while a command waits on a modal window: before a
    // message box, so that the box stands over what the command has done so far, before the
    // chord finder (over the board it cleared), and whenever the MIDI settings window's channel
    // bar changes the main window's patch and volume bars. The tutor window's buttons, which
    // run outside the main window, show it after their commands.
    void SetShowModel(std::function<void()> showModel) { showModel_ = std::move(showModel); }
    // The output the program's sound goes to; set before the window's model is made.
    void SetMidiOutput(MidiOutput& output) { midiOutput_ = &output; }

    MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
    std::optional<int> ChooseTrack(const std::vector<TrackSummary>& tracks) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) override;
    std::string ProgramDirectory() const override;
    bool AnotherCopyRunning() override;
    int LogicalDpiY() const override;
    std::string EnterTabFilesDirectory() override;
    bool IsFirstRun() override;
    void RecordFirstRun() override;
    void EndProgram() override;
    MidiOutput& MidiOut() override { return *midiOutput_; }
    void ShowMidiSettings(MidiSettingsForm& form) override;
    std::optional<std::string> ShowTextEditor(TextEditorForm& form) override;
    std::optional<std::string> ShowTextToTab(TextToTabForm& form) override;
    void ShowFastFind(FastFindForm& form) override;
    void ShowSpeedTrainer(SpeedTrainerForm& form) override;
    void ShowBeats(BeatsForm& form) override;
    std::optional<int> AskNumber(const NumberRequest& request) override;
    // Kept in a settings file of the configuration directory.
    std::optional<std::string> RememberedText(const std::string& key) override;
    void RememberText(const std::string& key, const std::string& text) override;
    void ShowTutor(const std::string& text, TutorButtons& buttons) override;
    void CloseTutor() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    bool OpenWithAssociatedProgram(const std::string& path) override;
    void ShowAbout(const AboutForm& form) override;
    void ShowHelp(const std::string& path) override;
    RenderedWave RenderWave(const std::vector<TimedMidiMessage>& events) override;
    ListeningHost& Listening() override { return listening_; }

private:
    QWidget* DialogOwner() const;

    HostDirectories directories_;
    SingleInstanceLock instanceLock_;
    FirstRunMarker firstRunMarker_;
    QPointer<QWidget> dialogParent_;
    // Made when a lesson first shows a text, kept (hidden) for the next.
    QPointer<TutorWindow> tutor_;
    // Made at its first use and kept, so that it stays open beside the main window.
    QPointer<HelpWindow> helpWindow_;
    std::function<void()> endProgram_;
    std::function<void()> showModel_;
    MidiOutput* midiOutput_ = nullptr;
    QtListeningHost listening_{[this] { return DialogOwner(); }, [this] { return midiOutput_; }};
};

}  // namespace fretlux
