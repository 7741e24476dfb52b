// SPDX-License-Identifier: MIT
// Builds one JSON value as text, on one line, with ", " between items and ": " after keys.
// The caller opens and closes containers in order; the writer places the separators. Given a
// stream, the writer passes the text on as it goes, so a large listing never sits in memory whole.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace fretlux {

class JsonWriter {
public:
    JsonWriter() = default;
    explicit JsonWriter(std::ostream& out) : out_(&out) {}
    ~JsonWriter() { Flush(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

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
    // value rounded to one decimal, always written with it: -12.3, 0.0.
    JsonWriter& OneDecimal(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // The text so far, when written without a stream.
    const std::string& Text() const { return text_; }
    // Passes the text held on to the stream.
    void Flush();

private:
    void BeforeValue();
    void AppendQuoted(std::string_view text);

    std::ostream* out_ = nullptr;
    std::string text_;
    // Per open container: whether it holds an item already.
    std::vector<bool> holdsItem_;
    bool afterKey_ = false;
};

}  // namespace fretlux
