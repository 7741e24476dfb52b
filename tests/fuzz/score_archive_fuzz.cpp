// SPDX-License-Identifier: MIT
// Fuzz target of the readers behind Guitar Pro 6-8 and MusicXML files: the .gpx container and
// the zip archive unpack within their ceiling, and the scores they hold (or a MusicXML score on
// its own) are either refused or convert into well-formed documents.
#include <cstdint>
#include <string>
#include <string_view>

#include "import/gpif_reader.h"
#include "import/gpx_container.h"
#include "import/musicxml_reader.h"
#include "import/zip_archive.h"
#include "import_fuzz_checks.h"

namespace fretlux {
namespace {

void CheckScore(std::string_view name, const std::string& content) {
    if (name.ends_with(".gpif")) CheckImportedSong(ReadGpif(content, "Guitar Pro 7"));
    if (IsMusicXml(content)) CheckImportedSong(ReadMusicXml(content));
}

}  // namespace
}  // namespace fretlux

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fretlux;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (IsGpxContainer(bytes)) {
            const auto gpif = ReadGpxFile(bytes, "score.gpif");
            FUZZ_CHECK(!gpif || gpif->size() <= kMaxInflatedBytes);
            if (gpif) CheckScore("score.gpif", *gpif);
        } else if (IsZip(bytes)) {
            const ZipArchive archive(bytes);
            for (const std::string& name : archive.Names()) {
                // A name listed twice, or not as written, may not be found again.
                const auto content = archive.Read(name);
                if (!content) continue;
                FUZZ_CHECK(content->size() <= kMaxInflatedBytes);
                CheckScore(name, *content);
            }
        } else {
            CheckImportedSong(ReadMusicXml(bytes));
        }
    } catch (const ImportError&) {
        // Refused, as a damaged file must be.
    }
    return 0;
}
