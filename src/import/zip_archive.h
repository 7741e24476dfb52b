// SPDX-License-Identifier: MIT
// Reading files out of a zip archive held in memory, with a ceiling on what may be inflated.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fretlux {

inline constexpr size_t kMaxInflatedBytes = 64u << 20;

inline bool IsZip(std::string_view bytes) { return bytes.starts_with("PK\x03\x04"); }

class ZipArchive {
public:
    // Throws ImportError when bytes are no readable zip archive.
    explicit ZipArchive(std::string_view bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    std::vector<std::string> Names() const;
    // The file's bytes, or nothing when there is no such file; ImportError when it is damaged
    // or inflates past kMaxInflatedBytes.
    std::optional<std::string> Read(const std::string& name) const;

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

}  // namespace fretlux
