// SPDX-License-Identifier: MIT
#include "document/staging_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <memory>
#include <optional>
#include <random>
#include <string_view>

namespace fretlux {

namespace {

constexpr std::string_view kPrefix = ".fretlux-";
constexpr int kRandomLength = 8;

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// The writer's process id in a staging name, or nothing when the name is not one.
std::optional<pid_t> WriterOf(std::string_view name) {
    if (!name.starts_with(kPrefix)) return std::nullopt;
    name.remove_prefix(kPrefix.size());
    pid_t writer = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), writer);
    const std::string_view rest(end, static_cast<std::size_t>(name.data() + name.size() - end));
    if (error != std::errc() || writer <= 0 || rest.size() != kRandomLength + 1 || rest[0] != '-') {
        return std::nullopt;
    }
    return writer;
}

}  // namespace

std::string StagingNameIn(const std::string& directory) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string name = directory + "/" + std::string(kPrefix) + std::to_string(::getpid()) + "-";
    for (int i = 0; i < kRandomLength; ++i) name += kLetters[random() % kLetters.size()];
    return name;
}

void RemoveAbandonedStagingFiles(const std::string& directory) {
    const std::unique_ptr<DIR, DirectoryCloser> entries(::opendir(directory.c_str()));
    if (!entries) return;
    const int directoryFd = ::dirfd(entries.get());
    while (const dirent* entry = ::readdir(entries.get())) {
        const std::optional<pid_t> writer = WriterOf(entry->d_name);
        // A writer that runs under another user answers EPERM, and its file stays.
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH) {
            ::unlinkat(directoryFd, entry->d_name, 0);
        }
    }
}

}  // namespace fretlux
