// SPDX-License-Identifier: MIT
// The main window as a presentation model: the document, the view state, the models of the
// controls, and every command, named for what it does. The Qt window draws these models and
// forwards its events here; it decides nothing itself. The window's original control names live
// on in ui/ only, as the Qt object names and the table of the menu commands.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/chord_finder.h"
#include "app/column_clipboard.h"
#include "app/control_models.h"
#include "app/document_file.h"
#include "app/edit_history.h"
#include "app/fretboard_panel.h"
#include "app/host.h"
#include "app/label_box.h"
#include "app/midi_settings_form.h"
#include "app/picture_button_panel.h"
#include "app/player.h"
#include "app/sound_settings.h"
#include "app/start_settings.h"
#include "app/tab_columns.h"
#include "app/window_controls.h"
#include "chords/fast_find_form.h"
#include "document/tab_document.h"
#include "document/tab_file_reader.h"
#include "document/tab_header.h"
#include "fretboard/tuning.h"
#include "playback/midi_state.h"
#include "playback/patch_list.h"
#include "playback/timed_midi_message.h"

namespace fretlux {

inline constexpr const char* kTooManyTabsMessage =
    "A document holds at most 101 TABs: delete one before inserting another.";

// Hints the fretboard writes into the help line.
inline constexpr const char* kFretboardHint =
    "HELP: Left click to select this note on fretboard, double right click to delete";
inline constexpr const char* kLeftRightHint = "HELP: Rotate fretboard left to right";
inline constexpr const char* kUpDownHint = "HELP: Rotate fretboard upside down";
inline constexpr const char* kStringNamesHint =
    "HELP: Click a string's name to hear the open string";

// The other controls with a hint of their own in the help line.
enum class PointedControl {
    txtTAB,
    lblTAB,
    hscTAB,
    hscTempo,
    hscVolume,
    HScrollPatch,
    lblNote,
    // The fretboard's positions and its string names on either side.
    Fretboard,
    StringNames,
    // The window's background, where the help line shows the TAB position again.
    Background
};

// What a menu entry or a picture button runs.
enum class Command {
    NewDocument,
    OpenFile,
    SaveAsTab,
    SaveAsFretlux,
    ExportMidi,
    ExportWave,
    ExportMusicXml,
    Undo,
    Redo,
    CutColumns,
    CopyColumns,
    PasteColumns,
    PasteBarLine,
    InsertTab,
    DeleteTab,
    PasteFretboard,
    ClearFretboard,
    MarkSounding,
    MarkSilent,
    OpenTextToTab,
    EditTabText,
    EditInOutsideEditor,
    StartPlayback,
    StepForward,
    StepBack,
    StopPlayback,
    PlayFretboard,
    NextTab,
    PreviousTab,
    TuneGuitar,
    ShowTuner,
    PlayAlongWait,
    PlayAlongScore,
    FindChord,
    ToggleSound,
    ShowMidiSettings,
    ShowInputSettings,
    RotateLeftRight,
    RotateUpDown,
    OpenOtherLesson,
    ShowHelp,
    ShowTabHelp,
    ShowAbout,
    // Practice: the metronome on or off, a free speed, the speed trainer, the beats and the
    // clicks' volume.
    ToggleMetronome,
    AskSpeed,
    OpenSpeedTrainer,
    OpenBeats,
    AskMetronomeVolume,
};

// The menus whose entries are a list: the entry's place in its menu picks what it opens.
enum class MenuList {
    Chords,
    Scales,
    BasicLessons,
    IntermediateLessons,
    SongLessons,
    // Play > Speed's fixed speeds (kSpeedMenuPercents) and Settings > Count-in's bars (0..2).
    Speeds,
    CountIns
};

inline constexpr std::array<int, 3> kSpeedMenuPercents = {50, 75, 100};

class FretluxForm {
public:
    explicit FretluxForm(Host& host);
    FretluxForm(const FretluxForm&) = delete;
    FretluxForm& operator=(const FretluxForm&) = delete;

    // Start-up; false when this copy must not go on (another one is running).
    bool StartUp();
    // The last step of start-up when no file was named, once the window is on screen: on the
    // program's first run on this machine the Introduction lesson opens and plays; otherwise the
    // window shows the blank TAB that New makes, ready to write on.
    void OpenStartDocument();
    // Opens a file named on the command line or dropped on the window, as Open does with the
    // file chosen in its dialog.
    void OpenNamedFile(const std::string& path);
    // The sound's set-up has finished: a notice when it stays silent.
    void SoundSetUpDone();
    // Shows a document read elsewhere as Open shows the one it has read, playback stopped.
    void ShowReadDocument(TabDocument read);

    void Run(Command command);
    void Run(MenuList list, int index);
    // Exit, also run when the window is closed by any means; false when the user chose to stay.
    bool Exit();
    // Whether closing or replacing the document would lose work: a command has changed it since
    // it was loaded or last saved as Fretlux, or a TAB plays at other settings than then.
    bool DocumentChanged() const;

    // The parts the window shows and binds.
    WindowControls& Controls() { return controls_; }
    const WindowControls& Controls() const { return controls_; }
    const TabDocument& Document() const { return document; }
    const std::string& DocumentPath() const { return file_.Path(); }
    const TabColumns& Columns() const { return columns_; }
    Player& Playback() { return player_; }
    const Player& Playback() const { return player_; }
    // The fretboard, whose marks the mouse makes on it directly.
    FretboardPanel& Board() { return board_; }
    const FretboardPanel& Board() const { return board_; }
    MidiState& Midi() { return sound_.Midi(); }

    // Typed characters, seen by the window before the control that has the focus; never
    // consumed, so a key typed into the label box is typed there as well. Space starts and
    // stops playback; the window keeps it from a text box, where it types a blank.
    void TypeCharacter(int keyAscii);
    // The mouse and the keys on the TAB lines, x in the units of the column geometry; a key by
    // its code (kKeyLeft ...) and the Shift/Ctrl/Alt bits.
    void PressOnTabLines(double x);
    void DragOnTabLines(int button, double x);
    void ReleaseOnTabLines(double x);
    void PressKeyOnTabLines(int keyCode, int shift);
    // Puts the cursor on the column with length columns selected from it, as a press and a drag
    // on the TAB lines do; both stay within the TAB.
    void SelectColumns(int column, int length) { columns_.Select(column, length); }
    // The label box lost the focus: the label's next edit is an undo step of its own.
    void EndLabelEdit();

    PictureButtonPanel& Buttons() { return buttons_; }
    const PictureButtonPanel& Buttons() const { return buttons_; }

    // The help line: the hint of the control the pointer is over, or the TAB position the TAB
    // bar's thumb is dragged to.
    void HintControl(PointedControl control);
    void HintButton(HintedButton button);
    void HintFinger(int index);
    void PreviewTabPosition(int value);

private:
    // The commands, each run by a menu entry, a picture button or a key.
    void Perform(Command command);
    void NewDocument();
    void OpenFile();
    void SaveAsFretlux();
    void SaveAsTab();
    // Writes the document as MusicXML to a file chosen in the save dialog.
    void ExportMusicXml();
    // Exports of what Start would play from the first TAB, as fretlux-cli export and render
    // write it for the document as it stands (the shown TAB with the settings of the bars).
    void ExportMidi();
    void ExportWave();
    // Undo and Redo of the changes to the document, with the view as it was.
    void Undo();
    void Redo();
    void CutColumns();
    void CopyColumns();
    void PasteColumns();
    void PasteBarLine();
    void InsertTab();
    void DeleteTab();
    void PasteFretboard();
    void RotateLeftRight();
    void RotateUpDown();
    // The TAB's text, Text to TAB and the outside editor.
    void EditTabText();
    void EditInOutsideEditor();
    void OpenTextToTab();
    // Lessons and Scales menus; the index is the entry's place in its menu.
    void OpenBasicLesson(int index);
    void OpenIntermediateLesson(int index);
    void OpenSongLesson(int index);
    void OpenOtherLesson();
    void OpenScaleChart(int index);
    // Chords menu: browse the chord file of root index 0..11, or find one chord.
    void BrowseChords(int index);
    void FindChord();
    void ShowHelp();
    void ShowTabHelp();
    void ShowAboutWindow();
    // Practice (practice_commands.cpp).
    void ChooseSpeed(int percent);
    void ChooseCountIn(int bars);
    void ToggleMetronome();
    void AskSpeed();
    void OpenSpeedTrainer();
    void OpenBeats();
    void AskMetronomeVolume();
    // The beats chosen for the document's name, or the usual ones; and keeping the beats in use
    // under the document's name once it has one.
    void RecallBeats();
    void RememberBeats();

    // The TAB bar moved to another TAB: the one it left keeps the bars' settings, the one it
    // shows brings its own.
    void ShowChosenTab();
    void ShowCurrentTab();
    void LabelEdited();
    void ClearDocument();
    // Brings a fresh document into the view as the window starts it: the start-up sound
    // settings, a clear fretboard, its first TAB shown, nothing to undo and nothing changed.
    void ShowDocument();
    // Replaces the document with the file, which then names the document and the window takes
    // the title; false when the user kept the shown document (Cancel, or its save did not
    // happen) or the file could not be read, which leave everything as it was.
    bool LoadDocument(const std::string& path, const std::string& title);
    void DeleteSelectedColumns();
    void SplitTabIntoColumns();
    // The work of the commands that other commands share; a command never runs another command.
    void StartNewDocument();
    void LoadUserFile(const std::string& path);
    void PasteFretboardColumn();
    void CopySelection();
    void RunButtonCommand(HintedButton button);
    // The rotation buttons turn the board as soon as they are pressed.
    void PressPictureButton(HintedButton button);
    TabSettings BarSettings() const;
    // The document as saving and the exports take it: the shown TAB with the bars' settings in
    // its header, as leaving the TAB would put them there.
    TabDocument StandingDocument() const;
    // One blank TAB, untitled, with nothing to undo: what New makes.
    void ShowBlankDocument();
    void SetTabCount(int count);
    // The help line shows "TAB: n of m" for the TAB shown and the TAB count.
    void ShowTabPosition();
    void ReplaceColumns(const std::array<std::string, kLinesPerTab>& inserted);
    void ShowWithCursorAfterInsertedColumn();
    int CurrentTabIndex() const { return controls_.hscTAB.Value() - 1; }
    bool ShowsTab() const { return controls_.hscTAB.Value() > 0; }
    EditPicture EditPictureFor(int tabNumber) const;
    void ChooseReleasedEditPicture();
    // Opens the file with the desktop's program for it, or says that there is none.
    void OpenWithDesktopProgram(const std::string& path);
    // A help page's path: the help folder of the program directory and the page's file name.
    std::string HelpPage(const char* name) const;
    void Rotate(void (*flip)(Orientation&, StringNameLabels&));
    // The document of a Lessons or Scales entry: the program directory, prefix, index, ".flx".
    std::string ProgramFile(const char* prefix, int index) const;
    bool LoadLesson(const std::string& path);
    void PlayLessonFile(const std::string& path);

    // Undo steps (undo_commands.cpp): a command's changes make one step through an UndoStep.
    friend class UndoStep;
    EditSnapshot TakeSnapshot() const;
    void RestoreSnapshot(EditSnapshot snapshot);
    // The state before the outermost command that runs, or nothing inside another one.
    std::optional<EditSnapshot> BeginUndoStep();
    void EndUndoStep(std::optional<EditSnapshot> before);
    void RecordEdit(EditSnapshot before);
    // A change of the label box's text: the user's edits of one label make one step.
    void NoteLabelEdit();
    void ClearEditHistory();
    void ShowUndoMenu();
    // Sets the label box's text as the program, not the user, changes it.
    void ShowLabel(const std::string& text);
    // Delete TAB without a step of its own: a TAB left without columns goes as part of whatever
    // showed it.
    void DeleteCurrentTab();
    void DeleteColumnsAtCursor();
    // The cursor moved by a key: a column of notes it came to sounds.
    void MoveCursorTo(int column);
    // What Start would send from the first TAB of the document as it stands (export_commands.cpp).
    std::vector<TimedMidiMessage> PlayedMessages() const;
    std::optional<std::string> AskExportPath(const char* extension, const char* filter);
    // The help line names the file an export wrote, or the failure is reported.
    void ShowExportResult(const std::string& path, const std::optional<std::string>& failure);

    Host& host_;
    WindowControls controls_;
    DocumentFile file_{host_, controls_.caption, [this] { return StandingDocument(); }};
    // The document the parts work on, which the file part keeps.
    TabDocument& document = file_.Document();
    TabColumns columns_;
    LabelBox label_{controls_.txtTAB};
    ColumnClipboard clipboard_;
    // Before the sound, which sounds the notes the way the board is turned.
    FretboardPanel board_{sound_.Midi()};
    SoundSettings sound_;

    Player player_;
    ChordFinder chordFinder_{host_};
    PictureButtonPanel buttons_{{
        [this](HintedButton button) { PressPictureButton(button); },
        [this](HintedButton button) { RunButtonCommand(button); },
        [this](HintedButton button) { HintButton(button); },
        [this] { ChooseReleasedEditPicture(); },
    }};
};

}  // namespace fretlux
