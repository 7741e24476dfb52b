// SPDX-License-Identifier: MIT
// Builds one JSON value as text, on one line, with ", " between items and ": " after keys.
// The caller opens and closes containers in order; the writer places the separators.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fretlux {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the open object.
    JsonWriter& Key(std::string_view name);
    // text must be UTF-8 (see BytesAsUtf8); quotes, backslashes and control characters are
    // escaped.
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void AppendQuoted(std::string_view text);

    std::string text_;
    // Per open container: whether it holds an item already.
    std::vector<bool> holdsItem_;
    bool afterKey_ = false;
};

}  // namespace fretlux
