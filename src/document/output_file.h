// SPDX-License-Identifier: MIT
// The one way Fretlux writes a file. The bytes go to a new file of its own in the target's
// directory, unnamed while it is written where the file system allows; only once every byte is
// written and synced does it take the target's place, by a rename. So a failed or interrupted
// write never costs the file that was there, and never touches a file of anyone else's. A
// symbolic link is written through to its target, and a replaced file keeps its permissions
// and, where the user may set it, its group.
// Two kinds of target are never replaced. The program's own standard output (/dev/stdout,
// /dev/fd/1, /proc/self/fd/1) gets the bytes through descriptor 1, where it stands and in its
// append mode, whatever it is. A target that is not a regular file (a device, a FIFO) is
// written into. Both get the bytes only once they are all there, held in memory meanwhile.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fretlux {

// How long a FIFO target is given to find a reader before the write fails.
inline constexpr int kFifoReaderWaitMs = 5000;
inline constexpr std::string_view kNoFifoReader = "no program reads it";

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // A file that was not committed is thrown away; the target stays as it was.
    ~OutputFile();

    // Each returns the description of the failure, or nothing on success. After a failure the
    // file is thrown away and every later call fails.
    std::optional<std::string> Open(const std::string& path);
    std::optional<std::string> Write(std::string_view bytes);
    // Overwrites bytes already written, from offset on (a header whose sizes are known last).
    std::optional<std::string> WriteAt(std::uint64_t offset, std::string_view bytes);
    // Puts the written file in the target's place.
    std::optional<std::string> Commit();

private:
    enum class Target { Replaced, WrittenInto, StandardOutput };

    std::optional<std::string> Fail(int error);
    std::optional<std::string> Fail(std::string_view description);
    std::optional<std::string> FlushBuffer();
    std::optional<std::string> OpenReplaced(const std::string& path);
    std::optional<std::string> OpenWrittenInto(const std::string& path, bool fifo);
    std::optional<std::string> OpenStaging(const std::string& directory);
    std::optional<std::string> OpenStagingInMemory();
    std::optional<std::string> ReplaceTarget();
    std::optional<std::string> CopyIntoTarget();
    void Discard();

    Target kind_ = Target::Replaced;
    int fd_ = -1;
    // Where a target that is written into gets the bytes.
    int targetFd_ = -1;
    // The staged file's name while it has one; empty while it is unnamed.
    std::string stagingPath_;
    std::string target_;
    // The mode, owner and group of the file replaced, when there was one.
    std::optional<unsigned> keptMode_;
    unsigned keptOwner_ = 0;
    unsigned keptGroup_ = 0;
    std::string buffer_;
    std::optional<std::string> failure_;
};

}  // namespace fretlux
