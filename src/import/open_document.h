// SPDX-License-Identifier: MIT
// The one way a file becomes a document, for the window and the command line alike: the content
// decides between Guitar Pro, MusicXML and text; a text file is read as a TAB file, in the form
// its name selects.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/tab_document.h"
#include "document/tab_file_reader.h"
#include "document/tab_header.h"

namespace fretlux {

struct TrackSummary {
    std::string name;
    int strings = 6;
    std::vector<int> tuning;  // MIDI note numbers, lowest string first
    int capo = 0;
    int notes = 0;  // as written, repeats not played out
    bool percussion = false;
};

struct OpenedDocument {
    TabDocument document;
    std::optional<std::string> error;  // the description for the failed-open message
    std::string notice;      // something the user must be told about a document that did open
    bool cancelled = false;  // the choice of track was cancelled; nothing was opened
};

// Given the tracks of a file, the 1-based number of the one to open, or nothing to cancel.
using TrackChooser = std::function<std::optional<int>(const std::vector<TrackSummary>&)>;

// The first track with six strings that is not percussion, else the first (1-based).
int DefaultTrack(const std::vector<TrackSummary>& tracks);

// One line naming the track and its facts, for a list to choose from.
std::string DescribeTrack(int number, const TrackSummary& track);

// startSettings supply the volume where a file names none; kinds say whether a text file may
// be a FIFO or a device, as for the TAB reader.
OpenedDocument OpenDocumentFile(const std::string& path, const TrackChooser& chooseTrack,
                                const TabSettings& startSettings,
                                FileKinds kinds = FileKinds::RegularOnly);

// Whether the file is one of the formats Fretlux reads but never writes (Guitar Pro, MusicXML).
bool IsImportedFile(const std::string& path);

struct TrackListing {
    std::vector<TrackSummary> tracks;
    std::optional<std::string> error;
};

TrackListing ListTracks(const std::string& path);

}  // namespace fretlux
