// SPDX-License-Identifier: MIT
#include "document/safe_save.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "document/file_names.h"

namespace fretlux {

namespace {

std::string TemporaryPathBeside(const std::string& path) {
    const size_t nameStart = path.rfind(kPathSeparator) + 1;  // 0 when there is no separator
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + ".saving";
}

std::optional<std::string> WriteAll(const std::string& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return std::strerror(errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) return std::strerror(writeErrno);
    if (!closed) return std::strerror(errno);
    return std::nullopt;
}

// A replaced file keeps its permissions, as it would if it had been rewritten in place.
void KeepPermissionsOf(const std::string& target, const std::string& replacement) {
    std::error_code ignored;
    const auto status = std::filesystem::status(target, ignored);
    if (ignored || !std::filesystem::is_regular_file(status)) return;
    std::filesystem::permissions(replacement, status.permissions(), ignored);
}

}  // namespace

std::optional<std::string> SaveFileReplacing(const std::string& path, std::string_view bytes) {
    const std::string temporary = TemporaryPathBeside(path);
    if (auto failure = WriteAll(temporary, bytes)) {
        std::remove(temporary.c_str());
        return failure;
    }
    KeepPermissionsOf(path, temporary);
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return error.message();
    }
    return std::nullopt;
}

}  // namespace fretlux
