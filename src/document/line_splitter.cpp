// SPDX-License-Identifier: MIT
#include "document/line_splitter.h"

namespace fretlux {

void LineSplitter::Append(std::string_view bytes) {
    size_t start = 0;
    for (size_t cr = bytes.find('\r'); cr != std::string_view::npos; cr = bytes.find('\r', start)) {
        pending_.append(bytes.substr(start, cr - start));
        start = cr + 1;
    }
    pending_.append(bytes.substr(start));
    if (pending_.size() > maxLineLength_) tooLong_ = true;
}

}  // namespace fretlux
