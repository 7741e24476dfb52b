// SPDX-License-Identifier: MIT
// Fuzz target of the readers behind compressed and plain MusicXML: a zip archive's entries are
// inflated within their ceiling, and a score is either refused or converts into a well-formed
// document.
#include <cstdint>
#include <string>
#include <string_view>

#include "import/musicxml_reader.h"
#include "import/zip_archive.h"
#include "import_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fretlux;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        if (IsZip(bytes)) {
            const ZipArchive archive(bytes);
            for (const std::string& name : archive.Names()) {
                const auto content = archive.Read(name);
                IMPORT_FUZZ_CHECK(content && content->size() <= kMaxInflatedBytes);
            }
            return 0;
        }
        CheckImportedSong(ReadMusicXml(bytes));
    } catch (const ImportError&) {
        // Refused, as a damaged file must be.
    }
    return 0;
}
