// SPDX-License-Identifier: MIT
#include "document/file_names.h"

namespace fretlux {

std::string DirectoryPart(std::string_view path) {
    const size_t slash = path.rfind(kPathSeparator);
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string NamePart(std::string_view path) {
    const size_t slash = path.rfind(kPathSeparator);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ProposedFileName(std::string_view path, std::string_view extension) {
    const std::string name = NamePart(path);
    const size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + std::string(extension);
}

}  // namespace fretlux
