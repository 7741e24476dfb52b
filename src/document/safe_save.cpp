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

constexpr int kTemporaryNameAttempts = 100;

std::string TemporaryPathBeside(const std::string& path, int attempt) {
    const size_t nameStart = path.rfind(kPathSeparator) + 1;  // 0 when there is no separator
    const std::string number = attempt == 0 ? "" : "." + std::to_string(attempt);
    return path.substr(0, nameStart) + "." + path.substr(nameStart) + number + ".saving";
}

// Creates a temporary file beside path that did not exist before, so that nothing of anyone
// else's is ever overwritten or removed; gives its name back through temporary.
std::FILE* CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPathBeside(path, attempt);
        std::FILE* file = std::fopen(temporary.c_str(), "wbx");
        if (file || errno != EEXIST) return file;
    }
    return nullptr;
}

std::optional<std::string> WriteAndClose(std::FILE* file, std::string_view bytes) {
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

// A link is written through: the file it points to gets the new bytes, and the link stays.
std::string ResolvedTarget(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

std::optional<std::string> SaveFileReplacing(const std::string& requestedPath,
                                             std::string_view bytes) {
    const std::string path = ResolvedTarget(requestedPath);
    std::string temporary;
    std::FILE* file = CreateTemporaryBeside(path, temporary);
    if (!file) return std::strerror(errno);
    if (auto failure = WriteAndClose(file, bytes)) {
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
