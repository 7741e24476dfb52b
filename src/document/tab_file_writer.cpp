// SPDX-License-Identifier: MIT
#include "document/tab_file_writer.h"

#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// A stored text already ends with a line end, so the one written after it leaves an empty line
// between the text and the header.
void AppendText(std::string& out, const std::string& text) {
    if (IsBlank(text)) return;
    out += text;
    out += kLineEnd;
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += kLineEnd;
}

// The label without its first character when it fills 80 or more: the last 79 of the first 80.
std::string PlainHeader(std::string_view header) { return Right(Left(header, 80), kPlainLineLength); }

}  // namespace

std::string WriteEnhancedForm(const TabDocument& document) {
    std::string out;
    for (int t = 0; t < document.tabCount; ++t) {
        AppendText(out, document.tabTexts[t]);
        for (const std::string& line : document.tabLines[t]) AppendLine(out, line);
    }
    return out;
}

std::string WritePlainForm(const TabDocument& document) {
    std::string out;
    for (int t = 0; t < document.tabCount; ++t) {
        const TabBlock& block = document.tabLines[t];
        AppendText(out, document.tabTexts[t]);
        AppendLine(out, PlainHeader(block[0]));
        for (int l = 1; l < kLinesPerTab; ++l) {
            AppendLine(out, Left(DisplaySymbols(block[l]), kPlainLineLength));
        }
    }
    return out;
}

std::string WriteTabForm(const TabDocument& document, TabForm form) {
    return form == TabForm::Enhanced ? WriteEnhancedForm(document) : WritePlainForm(document);
}

}  // namespace fretlux
