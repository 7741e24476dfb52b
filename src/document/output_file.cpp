// SPDX-License-Identifier: MIT
#include "document/output_file.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>
#include <variant>

#include "document/interrupt_cleanup.h"
#include "document/staging_names.h"
#include "document/write_target.h"

namespace fretlux {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kNameAttempts = 100;
constexpr auto kReaderPoll = std::chrono::milliseconds(20);

// Writes all of bytes at the file's position, or at offset when one is given; the errno on
// failure, 0 on success. A descriptor left non-blocking by whoever shared it is waited for.
int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset = std::nullopt) {
    while (!bytes.empty()) {
        const ssize_t written =
            offset ? ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(*offset))
                   : ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready{fd, POLLOUT, 0};
            ::poll(&ready, 1, -1);
            continue;
        }
        if (written < 0) return errno;
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (offset) *offset += static_cast<std::uint64_t>(written);
    }
    return 0;
}

// A staged file never takes descriptor 0, 1 or 2 when one of them is closed, so that nothing
// printed later lands in it.
int AboveStandardStreams(int fd) {
    if (fd < 0 || fd > STDERR_FILENO) return fd;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno;
    ::close(fd);
    errno = error;
    return moved;
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
    if (NamesStandardOutput(path)) {
        kind_ = Target::StandardOutput;
        // A closed standard output has nowhere to take the bytes.
        if (::fcntl(STDOUT_FILENO, F_GETFD) < 0) return Fail(errno);
        targetFd_ = STDOUT_FILENO;
        return OpenStagingInMemory();
    }
    // What the path is decides, never where it stands: a regular file anywhere is replaced.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) return Fail(EISDIR);
        if (!S_ISREG(status.st_mode)) return OpenWrittenInto(path, S_ISFIFO(status.st_mode));
    } else if (errno != ENOENT) {
        return Fail(errno);
    }
    return OpenReplaced(path);
}

std::optional<std::string> OutputFile::OpenReplaced(const std::string& path) {
    const auto resolved = ResolveWriteTarget(path);
    if (const int* error = std::get_if<int>(&resolved)) return Fail(*error);
    target_ = std::get<std::string>(resolved);
    struct stat status {};
    if (::stat(target_.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) return Fail(EISDIR);
        keptMode_ = status.st_mode & 07777;
        keptOwner_ = status.st_uid;
        keptGroup_ = status.st_gid;
    }
    const std::string directory = DirectoryOf(target_);
    RemoveAbandonedStagingFiles(directory);
    return OpenStaging(directory);
}

std::optional<std::string> OutputFile::OpenWrittenInto(const std::string& path, bool fifo) {
    kind_ = Target::WrittenInto;
    target_ = path;
    // Opening a FIFO without a reader would wait for one for ever; opened without waiting, it
    // refuses (ENXIO) and is asked again until a reader comes or the time is up.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kFifoReaderWaitMs);
    while ((targetFd_ = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) < 0) {
        if (errno == EINTR) continue;
        if (!fifo || errno != ENXIO) return Fail(errno);
        if (std::chrono::steady_clock::now() >= deadline) return Fail(kNoFifoReader);
        std::this_thread::sleep_for(kReaderPoll);
    }
    targetFd_ = AboveStandardStreams(targetFd_);
    if (targetFd_ < 0) return Fail(errno);
    // Once open, the bytes are written as into any file, waiting for a slow reader.
    const int flags = ::fcntl(targetFd_, F_GETFL);
    if (flags < 0 || ::fcntl(targetFd_, F_SETFL, flags & ~O_NONBLOCK) != 0) return Fail(errno);
    return OpenStagingInMemory();
}

// An unnamed file where the file system offers one, so that nothing is left behind whatever
// ends the program; else a new file under a unique hidden name, never one that existed before.
std::optional<std::string> OutputFile::OpenStaging(const std::string& directory) {
    // An unnamed file is named through /proc when it is whole, so it needs /proc mounted.
    if (::access("/proc/self/fd", F_OK) == 0) {
        fd_ = AboveStandardStreams(::open(directory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
        if (fd_ >= 0) return std::nullopt;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return Fail(errno);
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = StagingNameIn(directory);
        fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            stagingPath_ = name;
            RemoveOnInterrupt(stagingPath_);
            fd_ = AboveStandardStreams(fd_);
            if (fd_ < 0) return Fail(errno);
            return std::nullopt;
        }
        if (errno != EEXIST) return Fail(errno);
    }
    return Fail(EEXIST);
}

// Standard output and special files take the bytes at once at the end; until then they are
// held in memory, as no directory (TMPDIR least of all) is sure to take them.
std::optional<std::string> OutputFile::OpenStagingInMemory() {
    fd_ = AboveStandardStreams(::memfd_create("fretlux-output", MFD_CLOEXEC));
    if (fd_ < 0) return Fail(errno);
    return std::nullopt;
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
    if (auto failure = kind_ == Target::Replaced ? ReplaceTarget() : CopyIntoTarget()) {
        return failure;
    }
    Discard();
    return std::nullopt;
}

std::optional<std::string> OutputFile::ReplaceTarget() {
    if (keptMode_) {
        // Only root may give a file away. Anyone may keep its group when they belong to it;
        // else the file takes their own group, and the mode below still keeps others out.
        if (::geteuid() == 0) {
            if (::fchown(fd_, keptOwner_, keptGroup_) != 0) return Fail(errno);
        } else if (::fchown(fd_, static_cast<uid_t>(-1), keptGroup_) != 0 && errno != EPERM) {
            return Fail(errno);
        }
        // After the owner, as a change of owner may clear the set-id bits of the mode.
        if (::fchmod(fd_, *keptMode_) != 0) return Fail(errno);
    }
    if (::fsync(fd_) != 0) return Fail(errno);
    const std::string directory = DirectoryOf(target_);
    {
        // An unnamed file is named only now; no interrupt of this thread comes between that and
        // the rename, and one that another thread takes removes the name noted.
        const InterruptsDeferred deferred;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; stagingPath_.empty(); ++attempt) {
            if (attempt == kNameAttempts) return Fail(EEXIST);
            const std::string name = StagingNameIn(directory);
            RemoveOnInterrupt(name);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                stagingPath_ = name;
                continue;
            }
            const int error = errno;
            ForgetOnInterrupt(name);
            if (error != EEXIST) return Fail(error);
        }
        if (::rename(stagingPath_.c_str(), target_.c_str()) != 0) return Fail(errno);
        ForgetOnInterrupt(stagingPath_);
        stagingPath_.clear();
    }
    SyncDirectory(directory);
    return std::nullopt;
}

std::optional<std::string> OutputFile::CopyIntoTarget() {
    // A reader that went away ends the write with EPIPE, not the program with SIGPIPE.
    sigset_t brokenPipe;
    sigset_t previous;
    ::sigemptyset(&brokenPipe);
    ::sigaddset(&brokenPipe, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &brokenPipe, &previous);
    std::string chunk(kBufferSize, '\0');
    int error = 0;
    for (off_t offset = 0; !error;) {
        const ssize_t got = ::pread(fd_, chunk.data(), chunk.size(), offset);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        error = WriteAll(targetFd_, std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        offset += got;
    }
    if (error == EPIPE) {
        const timespec noWait{};
        ::sigtimedwait(&brokenPipe, nullptr, &noWait);
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (kind_ == Target::WrittenInto && ::close(std::exchange(targetFd_, -1)) != 0 && !error) {
        error = errno;
    }
    if (error) return Fail(error);
    return std::nullopt;
}

void OutputFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    // Standard output is the program's, not this file's, to close.
    if (kind_ == Target::WrittenInto && targetFd_ >= 0) ::close(targetFd_);
    targetFd_ = -1;
    if (!stagingPath_.empty()) {
        ::unlink(stagingPath_.c_str());
        ForgetOnInterrupt(stagingPath_);
        stagingPath_.clear();
    }
    buffer_.clear();
}

std::optional<std::string> OutputFile::Fail(int error) { return Fail(std::strerror(error)); }

std::optional<std::string> OutputFile::Fail(std::string_view description) {
    if (!failure_) failure_ = std::string(description);
    Discard();
    return failure_;
}

}  // namespace fretlux
