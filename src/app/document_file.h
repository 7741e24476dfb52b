// SPDX-License-Identifier: MIT
// The open document and its file: the document, the path that names it, whether it has changed
// since it was loaded or saved, its undo history, and the file dialogs and questions of opening
// and saving it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/edit_history.h"
#include "app/host.h"
#include "document/tab_document.h"
#include "document/tab_file_writer.h"
#include "document/tab_header.h"

namespace fretlux {

inline constexpr const char* kUntitledPath = "UNTITLED.FLX";
// Every file dialog names its kinds of file the same way; Open shows every file Fretlux reads
// first.
inline constexpr const char* kFretluxFilesFilter = "Fretlux Files (*.flx)|*.flx";
inline constexpr const char* kTabFilesFilter = "TAB Files (*.tab)|*.tab";
inline constexpr const char* kOpenFilter =
    "Fretlux, TAB, Guitar Pro and MusicXML Files "
    "(*.flx;*.tab;*.gp3;*.gp4;*.gp5;*.gpx;*.gp;*.musicxml;*.xml;*.mxl)|"
    "*.flx;*.tab;*.gp3;*.gp4;*.gp5;*.gpx;*.gp;*.musicxml;*.xml;*.mxl|"
    "Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|"
    "Guitar Pro Files (*.gp3;*.gp4;*.gp5;*.gpx;*.gp)|*.gp3;*.gp4;*.gp5;*.gpx;*.gp|"
    "MusicXML Files (*.musicxml;*.xml;*.mxl)|*.musicxml;*.xml;*.mxl|All Files (*.*)|*.*";
// Title of the window: "Fretlux  (Ver 1.10)".
std::string BaseTitle();

class DocumentFile {
public:
    // standing gives the document as saving takes it: the shown TAB with the settings of the
    // bars in its header. caption is the window's title, which a save renames.
    DocumentFile(Host& host, std::string& caption, std::function<TabDocument()> standing);
    DocumentFile(const DocumentFile&) = delete;
    DocumentFile& operator=(const DocumentFile&) = delete;

    TabDocument& Document() { return document_; }
    const TabDocument& Document() const { return document_; }
    const std::string& Path() const { return path_; }
    EditHistory& History() { return history_; }

    // Where the save dialogs of the program's own files start.
    void SetTabFilesDirectory(std::string directory) { tabFilesDirectory_ = std::move(directory); }

    // Whether closing or replacing the document would lose work: a command has changed it since
    // it was loaded or last saved as Fretlux, or a TAB plays at other settings than then.
    bool Changed() const;
    // The document as it stands is the one loaded or saved: nothing in it is a change.
    void MarkSaved();
    // A TAB without settings of its own takes the bars as they stand when first shown; only a
    // change of them while it is shown is a change of the document.
    void KeepFirstShownSettings(int tabIndex, const TabSettings& bars);

    // Asks whether to save a changed document before it goes; true when it may go: unchanged,
    // No, or saved.
    bool AskToSave();
    // Saves in the given form through the save dialog; true when the file was written. Only the
    // Fretlux form counts as saved.
    bool Save(TabForm form);
    // The file Open chose, or nothing.
    std::optional<std::string> ChooseFileToOpen();
    // Reads a file as Open does, reporting a failure or a notice; nothing when it could not be
    // read or the user cancelled the choice of a track.
    std::optional<TabDocument> Read(const std::string& path);
    // The document now comes from path.
    void Rename(const std::string& path) { path_ = path; }

    // The save dialog for the document in another form, proposing its name with the extension;
    // the chosen path, or nothing.
    std::optional<std::string> ChooseSavePath(const char* filter, const char* extension);
    // A file that is already there is replaced only when the user agrees.
    bool MayWriteTo(const std::string& path);
    void ShowSaveError(const std::string& description);
    void ShowOpenError(const std::string& description);

private:
    // Where the save dialogs start: the document's folder, or the TAB folder for the program's
    // own files, which are not the user's to overwrite.
    std::string SaveDirectory() const;

    Host& host_;
    std::string& caption_;
    std::function<TabDocument()> standing_;
    TabDocument document_;
    std::string path_;
    EditHistory history_;
    // Each TAB's settings when the document was loaded or saved, or, for a TAB that had none, as
    // it was first shown since: a TAB without settings plays at the bars as they stand.
    std::array<std::optional<TabSettings>, kMaxTabs> savedSettings_;
    std::string tabFilesDirectory_;
    // The dialog's initial directory: one dialog serves every file command, so the directory one
    // command gives it stays for the next.
    std::string dialogDirectory_;
};

}  // namespace fretlux
