// SPDX-License-Identifier: MIT
#include "json_value.h"

#include <cctype>
#include <cstdlib>

namespace fretlux::takes {

namespace {

constexpr int kDeepestNesting = 64;

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document() {
        JsonValue value;
        if (!Value(value, 0)) return std::nullopt;
        SkipBlanks();
        if (at_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    void SkipBlanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    }
    bool Take(char c) {
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool Word(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, int depth) {
        if (depth > kDeepestNesting) return false;
        SkipBlanks();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '{') return Object(value, depth);
        if (c == '[') return Array(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return String(value.text);
        }
        if (Word("null")) return true;
        if (Word("true")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = true;
            return true;
        }
        if (Word("false")) {
            value.kind = JsonValue::Kind::Bool;
            return true;
        }
        return Number(value);
    }

    bool Number(JsonValue& value) {
        const std::string rest(text_.substr(at_, 64));
        char* end = nullptr;
        value.number = std::strtod(rest.c_str(), &end);
        if (end == rest.c_str()) return false;
        value.kind = JsonValue::Kind::Number;
        at_ += static_cast<size_t>(end - rest.c_str());
        return true;
    }

    // Escapes other than \uXXXX are kept as the character they stand for; \uXXXX, which none of
    // the lines read here holds, as a question mark.
    bool String(std::string& out) {
        ++at_;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) {
                ++at_;
                const char escaped = text_[at_];
                if (escaped == 'u') {
                    out += '?';
                    at_ += 4;
                } else {
                    out += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
                }
            } else {
                out += text_[at_];
            }
            ++at_;
        }
        if (at_ >= text_.size()) return false;
        ++at_;
        return true;
    }

    bool Array(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++at_;
        if (Take(']')) return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1)) return false;
        } while (Take(','));
        return Take(']');
    }

    bool Object(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++at_;
        if (Take('}')) return true;
        do {
            SkipBlanks();
            if (at_ >= text_.size() || text_[at_] != '"') return false;
            value.members.emplace_back();
            if (!String(value.members.back().first) || !Take(':') ||
                !Value(value.members.back().second, depth + 1)) {
                return false;
            }
        } while (Take(','));
        return Take('}');
    }

    std::string_view text_;
    size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) return &value;
    }
    return nullptr;
}

std::optional<JsonValue> ParseJson(std::string_view text) { return JsonParser(text).Document(); }

}  // namespace fretlux::takes
