// SPDX-License-Identifier: MIT
#include "cli/read_input.h"

#include "app/start_settings.h"
#include "app/tab_player.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "document/file_messages.h"
#include "document/utf8_text.h"
#include "import/open_document.h"

namespace fretlux {

std::optional<TabDocument> ReadInput(const std::string& in, std::optional<int> track,
                                     std::ostream& err) {
    OpenedDocument opened;
    try {
        opened = OpenDocumentFile(
            in,
            [track](const std::vector<TrackSummary>& tracks) {
                return track.value_or(DefaultTrack(tracks));
            },
            kStartSettings, FileKinds::Any);
    } catch (const std::exception& exception) {
        opened.error = exception.what();
    }
    if (opened.error) {
        err << OpenFailedMessage(*opened.error) << '\n';
        return std::nullopt;
    }
    if (!opened.notice.empty()) err << "fretlux-cli: " << opened.notice << '\n';
    return std::move(opened.document);
}

int PrintTracks(const std::string& in, std::ostream& out, std::ostream& err) {
    const TrackListing listing = ListTracks(in);
    if (listing.error) {
        err << OpenFailedMessage(*listing.error) << '\n';
        return kExitFileFailure;
    }
    for (size_t t = 0; t < listing.tracks.size(); ++t) {
        const TrackSummary& track = listing.tracks[t];
        {
            JsonWriter json(out);
            json.BeginObject().Key("track").Number(static_cast<long long>(t + 1));
            json.Key("name").String(BytesAsUtf8(track.name)).Key("strings").Number(track.strings);
            json.Key("tuning").BeginArray();
            for (const int pitch : track.tuning) json.Number(pitch);
            json.EndArray()
                .Key("capo")
                .Number(track.capo)
                .Key("notes")
                .Number(track.notes)
                .EndObject();
        }
        out << '\n';
    }
    return FinishStandardOutput(out, err);
}

std::optional<TabDocument> ReadPlayable(const std::string& in, std::optional<int> track,
                                        const PlayOptions& options, std::ostream& err,
                                        int& exitCode) {
    exitCode = kExitFileFailure;
    auto document = ReadInput(in, track, err);
    if (!document || !options.loop) return document;
    if (const auto outside = LoopOutsideDocument(*document, *options.loop)) {
        err << "fretlux-cli: --loop: " << *outside << '\n';
        exitCode = kExitUsage;
        return std::nullopt;
    }
    return document;
}

}  // namespace fretlux
