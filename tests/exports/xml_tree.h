// SPDX-License-Identifier: MIT
// What the writers write, read back into a tree by pugixml. Anything that is not well-formed
// throws, and so do what pugixml lets through: a repeated attribute, an unknown or unterminated
// entity, text or a second element beside the root.
#pragma once

#include <map>
#include <pugixml.hpp>
#include <regex>
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

inline XmlElement ElementOf(const pugi::xml_node& node) {
    XmlElement element{node.name(), {}, {}, {}};
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        if (!element.attributes.emplace(attribute.name(), attribute.value()).second) {
            throw std::runtime_error("repeated attribute " + std::string(attribute.name()));
        }
    }
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_element) element.children.push_back(ElementOf(child));
        if (child.type() == pugi::node_pcdata) element.text += child.value();
    }
    return element;
}

class XmlReader {
public:
    explicit XmlReader(std::string_view text) : text_(text) {}

    XmlElement Document() const {
        static const std::regex kUnknownEntity("&(?!(amp|lt|gt|quot|apos|#[0-9]+);)");
        if (std::regex_search(text_, kUnknownEntity)) throw std::runtime_error("unknown entity");
        const char* const blanks = " \t\r\n";
        if (text_.find_first_not_of(blanks) != text_.find('<') ||
            text_.find_first_not_of(blanks, text_.rfind('>') + 1) != std::string::npos) {
            throw std::runtime_error("text beside the root");
        }
        // Line ends and blanks in attributes stay as written.
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(
            text_.data(), text_.size(), pugi::parse_escapes | pugi::parse_ws_pcdata_single);
        if (!parsed) throw std::runtime_error(parsed.description());
        int elements = 0;
        for (const pugi::xml_node& node : document.children()) {
            elements += node.type() == pugi::node_element;
        }
        if (elements != 1) throw std::runtime_error("not one root element");
        return ElementOf(document.document_element());
    }

private:
    std::string text_;
};

}  // namespace fretlux::testing
