// SPDX-License-Identifier: MIT
#include "document/line_splitter.h"

#include <algorithm>

namespace fretlux {

void LineSplitter::Append(std::string_view bytes) {
    if (bytes.find('\r') == std::string_view::npos) {
        pending_.append(bytes);
        return;
    }
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(pending_),
                 [](char ch) { return ch != '\r'; });
}

}  // namespace fretlux
