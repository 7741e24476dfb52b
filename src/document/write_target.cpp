// SPDX-License-Identifier: MIT
#include "document/write_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace fretlux {

namespace {

// As many links as the system itself follows in one path before it gives up.
constexpr int kMostLinks = 40;

}  // namespace

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::variant<std::string, int> ResolveWriteTarget(const std::string& path) {
    std::string current = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno != ENOENT) return errno;
            struct stat directory {};
            if (::stat(DirectoryOf(current).c_str(), &directory) != 0) return errno;
            if (!S_ISDIR(directory.st_mode)) return ENOTDIR;
            return current;
        }
        if (!S_ISLNK(status.st_mode)) return current;
        std::vector<char> target(static_cast<std::size_t>(status.st_size) + 2);
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) return errno;
        // A link that grew since lstat is read again.
        if (static_cast<std::size_t>(length) >= target.size() - 1) continue;
        const std::string named(target.data(), static_cast<std::size_t>(length));
        current = named.starts_with('/') ? named : DirectoryOf(current) + "/" + named;
    }
    return ELOOP;
}

bool NamesStandardOutput(const std::string& path) {
    const std::string normal = std::filesystem::path(path).lexically_normal().string();
    return normal == "/dev/stdout" || normal == "/dev/fd/1" || normal == "/proc/self/fd/1" ||
           normal == "/proc/thread-self/fd/1" ||
           normal == "/proc/" + std::to_string(::getpid()) + "/fd/1";
}

}  // namespace fretlux
