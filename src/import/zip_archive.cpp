// SPDX-License-Identifier: MIT
#include "import/zip_archive.h"

#include <zip.h>

#include "import/imported_song.h"

namespace fretlux {

struct ZipArchive::Handle {
    zip_t* archive = nullptr;
    ~Handle() {
        if (archive != nullptr) zip_discard(archive);
    }
};

ZipArchive::ZipArchive(std::string_view bytes) : handle_(std::make_unique<Handle>()) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) {
        handle_->archive = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (handle_->archive == nullptr) zip_source_free(source);
    }
    const std::string description = zip_error_strerror(&error);
    zip_error_fini(&error);
    if (handle_->archive == nullptr)
        throw ImportError("a damaged zip archive (" + description + ")");
}

ZipArchive::~ZipArchive() = default;

std::vector<std::string> ZipArchive::Names() const {
    std::vector<std::string> names;
    const zip_int64_t count = zip_get_num_entries(handle_->archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (const char* name = zip_get_name(handle_->archive, static_cast<zip_uint64_t>(i), 0))
            names.emplace_back(name);
    }
    return names;
}

std::optional<std::string> ZipArchive::Read(const std::string& name) const {
    const zip_int64_t index = zip_name_locate(handle_->archive, name.c_str(), 0);
    if (index < 0) return std::nullopt;
    zip_file_t* file = zip_fopen_index(handle_->archive, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        throw ImportError("a zip archive whose " + name + " cannot be read (" +
                          zip_strerror(handle_->archive) + ")");
    }
    // The sizes an archive states may lie: read in pieces and stop at the ceiling.
    std::string content;
    char buffer[1 << 16];
    zip_int64_t got = 0;
    while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) {
        if (content.size() + static_cast<size_t>(got) > kMaxInflatedBytes) {
            zip_fclose(file);
            throw ImportError("a zip archive whose " + name + " inflates past 64 MB");
        }
        content.append(buffer, static_cast<size_t>(got));
    }
    const bool failed = got < 0;
    zip_fclose(file);
    if (failed) throw ImportError("a zip archive whose " + name + " is damaged");
    return content;
}

}  // namespace fretlux
