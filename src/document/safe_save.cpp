// SPDX-License-Identifier: MIT
#include "document/safe_save.h"

#include "document/output_file.h"

namespace fretlux {

std::optional<std::string> SaveFileReplacing(const std::string& path, std::string_view bytes) {
    OutputFile file;
    if (auto failure = file.Open(path)) return failure;
    if (auto failure = file.Write(bytes)) return failure;
    return file.Commit();
}

}  // namespace fretlux
