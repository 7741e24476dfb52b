// SPDX-License-Identifier: MIT
// Fuzz target of the Guitar Pro 3-5 reader: any input either is refused with an ImportError or
// reads into a song whose every track converts into a well-formed document.
#include <cstdint>
#include <string_view>

#include "import/guitar_pro_reader.h"
#include "import_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fretlux;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        CheckImportedSong(ReadGuitarPro(bytes));
    } catch (const ImportError&) {
        // Refused, as a damaged file must be.
    }
    return 0;
}
