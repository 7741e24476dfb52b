// SPDX-License-Identifier: MIT
// The document's texts are bytes. The window shows them decoded as UTF-8 when they are valid
// UTF-8 and as Latin-1 otherwise, and writes an edited text back in the encoding it was read in.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace fretlux {

struct DecodedText {
    QString text;
    bool utf8 = true;
};

DecodedText DecodeDocumentText(std::string_view bytes);

// Latin-1 cannot hold every character; those it cannot hold become "?".
std::string EncodeDocumentText(const QString& text, bool asUtf8);

}  // namespace fretlux
