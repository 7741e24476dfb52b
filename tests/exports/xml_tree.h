// SPDX-License-Identifier: MIT
// A small XML reader for the tests: it reads a whole document into a tree and throws on anything
// that is not well-formed (unbalanced tags, unquoted or repeated attributes, stray "<" or "&",
// unknown entities, text outside the root). Enough to read back what the writers write.
#pragma once

#include <cctype>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fretlux::testing {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<XmlElement> children;

    const XmlElement* Child(std::string_view childName) const {
        for (const XmlElement& child : children) {
            if (child.name == childName) return &child;
        }
        return nullptr;
    }
    std::string ChildText(std::string_view childName) const {
        const XmlElement* child = Child(childName);
        return child ? child->text : std::string();
    }
    bool Has(std::string_view childName) const { return Child(childName) != nullptr; }
    std::string Attribute(const std::string& key) const {
        const auto found = attributes.find(key);
        return found == attributes.end() ? std::string() : found->second;
    }
};

class XmlReader {
public:
    explicit XmlReader(std::string_view text) : text_(text) {}

    XmlElement Document() {
        SkipProlog();
        XmlElement root = Element();
        SkipSpace();
        if (pos_ != text_.size()) Fail("content after the root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(what + " at offset " + std::to_string(pos_));
    }
    bool At(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
    void Expect(std::string_view s) {
        if (!At(s)) Fail("expected " + std::string(s));
        pos_ += s.size();
    }
    void SkipSpace() {
        while (pos_ < text_.size() &&
               std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
    }
    void SkipPast(std::string_view end) {
        const size_t found = text_.find(end, pos_);
        if (found == std::string_view::npos) Fail("unterminated " + std::string(end));
        pos_ = found + end.size();
    }
    void SkipProlog() {
        SkipSpace();
        while (At("<?") || At("<!")) {
            SkipPast(">");
            SkipSpace();
        }
    }
    std::string Name() {
        const size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                std::string_view("-_:.").find(text_[pos_]) != std::string_view::npos)) {
            ++pos_;
        }
        if (pos_ == start) Fail("expected a name");
        return std::string(text_.substr(start, pos_ - start));
    }
    // Character data up to the next "<" (or the closing quote), with references resolved.
    std::string CharacterData(char end) {
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != end) {
            const char ch = text_[pos_];
            if (ch == '<') Fail("stray <");
            if (ch != '&') {
                out += ch;
                ++pos_;
                continue;
            }
            const size_t semicolon = text_.find(';', pos_);
            if (semicolon == std::string_view::npos) Fail("unterminated reference");
            const std::string_view entity = text_.substr(pos_ + 1, semicolon - pos_ - 1);
            static const std::map<std::string_view, char> kNamed = {
                {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
            if (const auto named = kNamed.find(entity); named != kNamed.end()) {
                out += named->second;
            } else if (entity == "#10" || entity == "#9") {
                out += entity == "#10" ? '\n' : '\t';
            } else {
                Fail("unknown reference &" + std::string(entity) + ";");
            }
            pos_ = semicolon + 1;
        }
        if (pos_ == text_.size()) Fail("unexpected end");
        return out;
    }
    XmlElement Element() {
        Expect("<");
        XmlElement element{Name(), {}, {}, {}};
        while (true) {
            SkipSpace();
            if (At("/>")) {
                pos_ += 2;
                return element;
            }
            if (At(">")) break;
            std::string key = Name();
            Expect("=\"");
            std::string value = CharacterData('"');
            ++pos_;
            if (!element.attributes.emplace(std::move(key), std::move(value)).second) {
                Fail("repeated attribute");
            }
        }
        ++pos_;
        while (true) {
            element.text += CharacterData('<');
            if (At("</")) break;
            element.children.push_back(Element());
        }
        pos_ += 2;
        if (Name() != element.name) Fail("mismatched end tag of " + element.name);
        SkipSpace();
        Expect(">");
        return element;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace fretlux::testing
