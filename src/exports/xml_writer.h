// SPDX-License-Identifier: MIT
// Writes an XML document element by element, indented two spaces a level. Texts and attribute
// values must be UTF-8; they are escaped, and the control characters XML 1.0 forbids (carriage
// returns among them, so CR LF line ends become LF) are left out.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fretlux {

using XmlAttributes = std::initializer_list<std::pair<std::string_view, std::string>>;

class XmlWriter {
public:
    // prolog: the lines before the root element (declaration, document type).
    explicit XmlWriter(std::string_view prolog);

    void Open(std::string_view name, XmlAttributes attributes = {});
    void Close();
    // An element that holds only text.
    void Leaf(std::string_view name, std::string_view text, XmlAttributes attributes = {});
    void Empty(std::string_view name, XmlAttributes attributes = {});

    // The document; every element opened must have been closed.
    const std::string& Text() const { return text_; }

private:
    void StartTag(std::string_view name, XmlAttributes attributes);

    std::string text_;
    std::vector<std::string> open_;
};

}  // namespace fretlux
