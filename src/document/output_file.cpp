// SPDX-License-Identifier: MIT
#include "document/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "document/interrupt_cleanup.h"

namespace fretlux {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kNameAttempts = 100;
constexpr int kNameLength = 8;

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The system's devices and the program's own streams (/dev/stdout, /proc/self/fd/1) are written
// into, never replaced, even where they lead to a regular file.
bool IsSystemPath(const std::string& path) {
    return path.starts_with("/dev/") || path.starts_with("/proc/");
}

// A short name, so that a target name of the longest length allowed still leaves room for it.
std::string UniqueNameIn(const std::string& directory) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string name = directory + "/.fretlux-";
    for (int i = 0; i < kNameLength; ++i) name += kLetters[random() % kLetters.size()];
    return name;
}

// The file a symbolic link finally names; a link to nothing names the file it will create.
std::string FollowLink(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

// Writes all of bytes at the file's position, or at offset when one is given; the errno on
// failure, 0 on success.
int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset = std::nullopt) {
    while (!bytes.empty()) {
        const ssize_t written =
            offset ? ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(*offset))
                   : ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (offset) *offset += static_cast<std::uint64_t>(written);
    }
    return 0;
}

void SyncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

std::optional<std::string> OutputFile::Open(const std::string& path) {
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) return Fail(EISDIR);
    if (IsSystemPath(path) || (exists && !S_ISREG(status.st_mode))) {
        intoSpecialFile_ = true;
        target_ = path;
        return OpenStaging(std::filesystem::temp_directory_path().string());
    }
    target_ = FollowLink(path);
    if (exists) {
        keptMode_ = status.st_mode & 07777;
        keptOwner_ = status.st_uid;
        keptGroup_ = status.st_gid;
    }
    return OpenStaging(DirectoryOf(target_));
}

// An unnamed file where the file system offers one, so that nothing is left behind whatever
// ends the program; else a new file under a unique hidden name, never one that existed before.
std::optional<std::string> OutputFile::OpenStaging(const std::string& directory) {
    // An unnamed file is named through /proc when it is whole, so it needs /proc mounted.
    if (::access("/proc/self/fd", F_OK) == 0) {
        fd_ = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (fd_ >= 0) return std::nullopt;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = UniqueNameIn(directory);
        fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            stagingPath_ = name;
            RemoveOnInterrupt(stagingPath_);
            return std::nullopt;
        }
        if (errno != EEXIST) return Fail(errno);
    }
    return Fail(EEXIST);
}

std::optional<std::string> OutputFile::Write(std::string_view bytes) {
    if (failure_ || fd_ < 0) return failure_;
    if (buffer_.size() + bytes.size() < kBufferSize) {
        buffer_.append(bytes);
        return std::nullopt;
    }
    if (auto failure = FlushBuffer()) return failure;
    if (const int error = WriteAll(fd_, bytes)) return Fail(error);
    return std::nullopt;
}

std::optional<std::string> OutputFile::WriteAt(std::uint64_t offset, std::string_view bytes) {
    if (auto failure = FlushBuffer()) return failure;
    if (const int error = WriteAll(fd_, bytes, offset)) return Fail(error);
    return std::nullopt;
}

std::optional<std::string> OutputFile::FlushBuffer() {
    if (failure_ || fd_ < 0) return failure_;
    const int error = WriteAll(fd_, buffer_);
    buffer_.clear();
    if (error) return Fail(error);
    return std::nullopt;
}

std::optional<std::string> OutputFile::Commit() {
    if (auto failure = FlushBuffer()) return failure;
    if (auto failure = intoSpecialFile_ ? CopyIntoTarget() : ReplaceTarget()) return failure;
    Discard();
    return std::nullopt;
}

std::optional<std::string> OutputFile::ReplaceTarget() {
    if (keptMode_) {
        // Only root may give a file away; the owner goes first, as a change of owner may clear
        // the set-id bits of the mode.
        if (::geteuid() == 0 && ::fchown(fd_, keptOwner_, keptGroup_) != 0) return Fail(errno);
        if (::fchmod(fd_, *keptMode_) != 0) return Fail(errno);
    }
    if (::fsync(fd_) != 0) return Fail(errno);
    const std::string directory = DirectoryOf(target_);
    // An unnamed file is named only now, a moment before the rename puts it in place.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; stagingPath_.empty(); ++attempt) {
        if (attempt == kNameAttempts) return Fail(EEXIST);
        const std::string name = UniqueNameIn(directory);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            stagingPath_ = name;
            RemoveOnInterrupt(stagingPath_);
        } else if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    if (::rename(stagingPath_.c_str(), target_.c_str()) != 0) return Fail(errno);
    ForgetOnInterrupt(stagingPath_);
    stagingPath_.clear();
    SyncDirectory(directory);
    return std::nullopt;
}

std::optional<std::string> OutputFile::CopyIntoTarget() {
    const int out = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (out < 0) return Fail(errno);
    struct stat status {};
    int error = ::fstat(out, &status) != 0 ? errno : 0;
    // A regular file reached through /dev/stdout and the like gets exactly the new bytes.
    if (!error && S_ISREG(status.st_mode) && ::ftruncate(out, 0) != 0) error = errno;
    std::string chunk(kBufferSize, '\0');
    for (off_t offset = 0; !error;) {
        const ssize_t got = ::pread(fd_, chunk.data(), chunk.size(), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        error = WriteAll(out, std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        offset += got;
    }
    if (::close(out) != 0 && !error) error = errno;
    if (error) return Fail(error);
    return std::nullopt;
}

void OutputFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!stagingPath_.empty()) {
        ::unlink(stagingPath_.c_str());
        ForgetOnInterrupt(stagingPath_);
        stagingPath_.clear();
    }
    buffer_.clear();
}

std::optional<std::string> OutputFile::Fail(int error) {
    if (!failure_) failure_ = std::strerror(error);
    Discard();
    return failure_;
}

}  // namespace fretlux
