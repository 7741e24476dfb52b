// SPDX-License-Identifier: MIT
#include "cli/json_writer.h"

#include <cmath>
#include <cstdlib>

namespace fretlux {

namespace {

constexpr std::size_t kPassOnSize = 1 << 16;

}  // namespace

void JsonWriter::Flush() {
    if (out_ == nullptr) return;
    out_->write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
}

void JsonWriter::BeforeValue() {
    if (text_.size() >= kPassOnSize) Flush();
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (holdsItem_.empty()) return;
    if (holdsItem_.back()) text_ += ", ";
    holdsItem_.back() = true;
}

void JsonWriter::AppendQuoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    text_ += '"';
    for (const char ch : text) {
        const unsigned char code = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            text_ += '\\';
            text_ += ch;
        } else if (code < 0x20) {
            text_ += "\\u00";
            text_ += kHex[code >> 4];
            text_ += kHex[code & 0x0F];
        } else {
            text_ += ch;
        }
    }
    text_ += '"';
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    holdsItem_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    holdsItem_.pop_back();
    text_ += '}';
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    holdsItem_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    holdsItem_.pop_back();
    text_ += ']';
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    AppendQuoted(name);
    text_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
    BeforeValue();
    AppendQuoted(text);
    return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::OneDecimal(double value) {
    BeforeValue();
    const long long tenths = std::llround(value * 10.0);
    // Built from whole tenths, so a value that rounds to nought is never written "-0.0".
    if (tenths < 0) text_ += '-';
    text_ +=
        std::to_string(std::llabs(tenths) / 10) + '.' + std::to_string(std::llabs(tenths) % 10);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
    return *this;
}

}  // namespace fretlux
