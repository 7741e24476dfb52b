// SPDX-License-Identifier: MIT
#include "exports/xml_writer.h"

namespace fretlux {

namespace {

void AppendEscaped(std::string& out, std::string_view text, bool inAttribute) {
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (code < 0x20 && ch != '\t' && ch != '\n') continue;
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += inAttribute ? "&quot;" : "\"";
                break;
            // Attribute values lose their line ends and tabs to blanks unless written as
            // references.
            case '\n':
                out += inAttribute ? "&#10;" : "\n";
                break;
            case '\t':
                out += inAttribute ? "&#9;" : "\t";
                break;
            default:
                out += ch;
        }
    }
}

}  // namespace

XmlWriter::XmlWriter(std::string_view prolog) : text_(prolog) {}

void XmlWriter::StartTag(std::string_view name, XmlAttributes attributes) {
    text_.append(open_.size() * 2, ' ');
    text_ += '<';
    text_ += name;
    for (const auto& [key, value] : attributes) {
        text_ += ' ';
        text_ += key;
        text_ += "=\"";
        AppendEscaped(text_, value, true);
        text_ += '"';
    }
}

void XmlWriter::Open(std::string_view name, XmlAttributes attributes) {
    StartTag(name, attributes);
    text_ += ">\n";
    open_.emplace_back(name);
}

void XmlWriter::Close() {
    text_.append((open_.size() - 1) * 2, ' ');
    text_ += "</" + open_.back() + ">\n";
    open_.pop_back();
}

void XmlWriter::Leaf(std::string_view name, std::string_view text, XmlAttributes attributes) {
    StartTag(name, attributes);
    text_ += '>';
    AppendEscaped(text_, text, false);
    text_ += "</";
    text_ += name;
    text_ += ">\n";
}

void XmlWriter::Empty(std::string_view name, XmlAttributes attributes) {
    StartTag(name, attributes);
    text_ += "/>\n";
}

}  // namespace fretlux
