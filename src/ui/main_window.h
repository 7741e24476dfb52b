// SPDX-License-Identifier: MIT
// The main window: draws the presentation model and forwards every menu command, mouse, key and
// scroll event to its handlers. It decides nothing itself; after each forwarded event it re-reads
// the model and updates the widgets that differ.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/fretlux_form.h"
#include "ui/main_menu.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace fretlux {

class FretboardButtons;
class FretboardView;
class HoverHints;
class KeyPreviewFilter;
class PlayerButtons;
class ScrollBarBinding;
class TabLinesView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(FretluxForm& model, QWidget* parent = nullptr);
    ~MainWindow() override;

    void SyncFromModel();

    // What Host::EndProgram does for this window: once the running handler has returned, the
    // window closes without asking anything more and the event loop ends.
    void EndProgram();
    // What a later start of the program handed over: the window comes to the front and opens
    // the file as a dropped file is opened; "" brings it to the front only.
    void TakeHandedOverFile(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // A file dropped on the window opens as Open would open it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The checks of the speed, metronome, trainer and count-in entries.
    void ShowPracticeMenus();
    void BuildLayout();
    QWidget* BuildTabView();
    QWidget* BuildNoteLine();
    QWidget* BuildSettingsBars();
    void ConnectControls();
    // The pointer over the widget shows the control's hint in the help line.
    void ShowHint(QWidget& widget, PointedControl control);
    void ConnectScrollBar(ScrollBarBinding& binding);
    // Each menu entry runs the command the table of menu commands gives its control name.
    void ConnectMenuCommands();
    template <size_t N>
    void ConnectMenuArray(const std::array<QAction*, N>& actions);
    void ConnectFretboard();
    bool KeyIsForTheFocusedControl(int keyAscii) const;
    // Runs a model handler, then shows what it changed.
    void Run(const std::function<void()>& handler);

    FretluxForm& model_;
    MainMenuActions menu_;
    FretboardView* fretboard_ = nullptr;
    PlayerButtons* playerButtons_ = nullptr;
    FretboardButtons* fretboardButtons_ = nullptr;
    QLabel* lblNote_ = nullptr;
    QLineEdit* txtTab_ = nullptr;
    TabLinesView* tabLines_ = nullptr;
    QScrollBar* hscTab_ = nullptr;
    QScrollBar* hscTempo_ = nullptr;
    QScrollBar* hscVolume_ = nullptr;
    QScrollBar* hscPatch_ = nullptr;
    QLabel* lblHelp_ = nullptr;
    QLabel* lblTempo_ = nullptr;
    QLabel* lblBeatsPerMinute_ = nullptr;
    QLabel* lblVolume_ = nullptr;
    QLabel* lblPatchNum_ = nullptr;
    QLabel* lblPatch_ = nullptr;
    std::unique_ptr<ScrollBarBinding> tabBinding_;
    std::unique_ptr<ScrollBarBinding> tempoBinding_;
    std::unique_ptr<ScrollBarBinding> volumeBinding_;
    std::unique_ptr<ScrollBarBinding> patchBinding_;
    KeyPreviewFilter* keyPreview_ = nullptr;
    HoverHints* hoverHints_ = nullptr;
    // Whether the label box's text was read as UTF-8, so that an edit is written back the same way.
    bool txtTabUtf8_ = true;
    bool endingProgram_ = false;
};

}  // namespace fretlux
