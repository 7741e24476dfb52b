// SPDX-License-Identifier: MIT
#include "import/open_document.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/tab_cell.h"
#include "document/tab_file_reader.h"
#include "import/gpif_reader.h"
#include "import/gpx_container.h"
#include "import/guitar_pro_reader.h"
#include "import/musicxml_reader.h"
#include "import/song_to_document.h"
#include "import/zip_archive.h"

namespace fretlux {

namespace {

constexpr size_t kMaxImportedFileBytes = 64u << 20;
constexpr size_t kSniffBytes = 4096;

enum class FileKind { Text, Binary, GuitarPro, MusicXml, Zip, GuitarPro6 };

// The kind of the file at path, and its bytes when it is one Fretlux imports.
struct Sniffed {
    FileKind kind = FileKind::Text;
    std::string bytes;
};

Sniffed SniffFile(const std::string& path) {
    Sniffed sniffed;
    // Only a regular file is looked into: a FIFO or a device could keep the reader waiting, or
    // give up bytes that the TAB reader then misses. The TAB reader decides whether to take it.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return sniffed;
    std::ifstream in(path, std::ios::binary);
    // A file that cannot be read is left to the TAB reader, which names the system's reason.
    if (!in) return sniffed;
    std::string head(kSniffBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (GuitarProVersion(head) != 0)
        sniffed.kind = FileKind::GuitarPro;
    else if (IsMusicXml(head))
        sniffed.kind = FileKind::MusicXml;
    else if (IsZip(head))
        sniffed.kind = FileKind::Zip;
    else if (head.starts_with("BCFZ") || head.starts_with("BCFS"))
        sniffed.kind = FileKind::GuitarPro6;
    if (sniffed.kind == FileKind::Text) {
        // Any NUL byte marks a binary file; the whole file is scanned in pieces, never held.
        std::string piece = std::move(head);
        while (!piece.empty()) {
            if (piece.find('\0') != std::string::npos) {
                sniffed.kind = FileKind::Binary;
                break;
            }
            piece.resize(1 << 16);
            in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
            piece.resize(static_cast<size_t>(in.gcount()));
        }
        return sniffed;
    }
    sniffed.bytes = std::move(head);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        sniffed.bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (sniffed.bytes.size() > kMaxImportedFileBytes)
            throw ImportError("a file larger than 64 MB");
    }
    return sniffed;
}

// The score inside a zip archive: a Guitar Pro 7 or 8 score, or a compressed MusicXML file's
// root file as its container names it, else its first MusicXML document.
ImportedSong ReadZippedScore(const std::string& bytes) {
    const ZipArchive archive(bytes);
    if (const auto gpif = archive.Read("Content/score.gpif"))
        return ReadGpif(*gpif, "Guitar Pro 7");
    if (const auto container = archive.Read("META-INF/container.xml")) {
        const size_t at = container->find("full-path=\"");
        if (at != std::string::npos) {
            const size_t start = at + 11;
            const std::string rootFile =
                container->substr(start, container->find('"', start) - start);
            if (const auto score = archive.Read(rootFile)) return ReadMusicXml(*score);
        }
    }
    for (const std::string& name : archive.Names()) {
        if (name.starts_with("META-INF/")) continue;
        if (const auto content = archive.Read(name); content && IsMusicXml(*content))
            return ReadMusicXml(*content);
    }
    throw ImportError("a zip archive that holds neither a MusicXML score nor a Guitar Pro score");
}

std::optional<ImportedSong> ReadSong(const Sniffed& sniffed) {
    switch (sniffed.kind) {
        case FileKind::GuitarPro:
            return ReadGuitarPro(sniffed.bytes);
        case FileKind::MusicXml:
            return ReadMusicXml(sniffed.bytes);
        case FileKind::Zip:
            return ReadZippedScore(sniffed.bytes);
        case FileKind::GuitarPro6: {
            const auto gpif = ReadGpxFile(sniffed.bytes, "score.gpif");
            if (!gpif) throw ImportError("a Guitar Pro 6 file without a score");
            return ReadGpif(*gpif, "Guitar Pro 6");
        }
        case FileKind::Binary:
            throw ImportError(
                "a file that is neither a TAB file nor a Guitar Pro or MusicXML file");
        case FileKind::Text:
            return std::nullopt;
    }
    return std::nullopt;
}

TrackSummary Summarise(const ImportedTrack& track) {
    TrackSummary summary{
        track.name,      static_cast<int>(track.tuning.size()), track.tuning, track.capo, 0,
        track.percussion};
    for (const ImportedBar& bar : track.bars) {
        for (const ImportedChord& chord : bar.chords)
            summary.notes += static_cast<int>(chord.notes.size());
    }
    return summary;
}

TrackSummary SummariseTabDocument(const TabDocument& document) {
    TrackSummary summary{"", 6, {40, 45, 50, 55, 59, 64}, 0, 0, false};
    for (int t = 0; t < document.tabCount; ++t) {
        for (int l = 1; l < kLinesPerTab; ++l) {
            const std::string& line =
                document.tabLines[static_cast<size_t>(t)][static_cast<size_t>(l)];
            for (size_t p = kCellWidth; p + 1 < line.size(); p += kCellWidth) {
                const std::string_view cell = std::string_view(line).substr(p, kCellWidth);
                for (size_t slot = 1; slot + 1 < cell.size(); slot += 2) {
                    const auto note = DecodeSlot(cell.substr(slot, 2));
                    if (note && note->sounding) ++summary.notes;
                }
            }
        }
    }
    return summary;
}

std::string NoSuchTrack(int number, size_t count) {
    return "there is no track " + std::to_string(number) + "; the file has " +
           std::to_string(count) + (count == 1 ? " track" : " tracks");
}

}  // namespace

int DefaultTrack(const std::vector<TrackSummary>& tracks) {
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t].strings == 6 && !tracks[t].percussion) return static_cast<int>(t) + 1;
    }
    return 1;
}

std::string DescribeTrack(int number, const TrackSummary& track) {
    std::string tuning;
    for (const int pitch : track.tuning) tuning += (tuning.empty() ? "" : " ") + PitchName(pitch);
    std::string text = std::to_string(number) + ". " +
                       (track.name.empty() ? "(no name)" : track.name) + ": " +
                       std::to_string(track.strings) + " strings, " + tuning;
    if (track.capo > 0) text += ", capo " + std::to_string(track.capo);
    if (track.percussion) text += ", percussion";
    return text + ", " + std::to_string(track.notes) + (track.notes == 1 ? " note" : " notes");
}

bool IsImportedFile(const std::string& path) {
    const FileKind kind = SniffFile(path).kind;
    return kind != FileKind::Text && kind != FileKind::Binary;
}

OpenedDocument OpenDocumentFile(const std::string& path, const TrackChooser& chooseTrack,
                                const TabSettings& startSettings, FileKinds kinds) {
    OpenedDocument opened;
    try {
        const Sniffed sniffed = SniffFile(path);
        const std::optional<ImportedSong> song = ReadSong(sniffed);
        if (!song) {
            TabReadResult read = ReadTabFile(path, FormOfPath(path), kinds);
            if (read.error) {
                opened.error = std::move(read.error);
                return opened;
            }
            const std::optional<int> track = chooseTrack({SummariseTabDocument(read.document)});
            if (!track) {
                opened.cancelled = true;
            } else if (*track != 1) {
                opened.error = NoSuchTrack(*track, 1);
            } else {
                opened.document = std::move(read.document);
            }
            return opened;
        }
        std::vector<TrackSummary> summaries;
        for (const ImportedTrack& track : song->tracks) summaries.push_back(Summarise(track));
        const std::optional<int> track = chooseTrack(summaries);
        if (!track) {
            opened.cancelled = true;
            return opened;
        }
        if (*track < 1 || static_cast<size_t>(*track) > summaries.size()) {
            opened.error = NoSuchTrack(*track, summaries.size());
            return opened;
        }
        ConvertedSong converted =
            SongToDocument(*song, static_cast<size_t>(*track - 1), startSettings);
        opened.document = std::move(converted.document);
        opened.notice = std::move(converted.notice);
    } catch (const ImportError& error) {
        opened.error = error.what();
    } catch (const std::bad_alloc&) {
        opened.error = std::string(kOutOfMemory);
    }
    return opened;
}

TrackListing ListTracks(const std::string& path) {
    TrackListing listing;
    const OpenedDocument opened = OpenDocumentFile(
        path,
        [&listing](const std::vector<TrackSummary>& tracks) -> std::optional<int> {
            listing.tracks = tracks;
            return std::nullopt;
        },
        TabSettings{});
    if (opened.error) {
        listing.tracks.clear();
        listing.error = opened.error;
    }
    return listing;
}

}  // namespace fretlux
