// SPDX-License-Identifier: MIT
#include "document/tab_file_writer.h"

#include "document/output_file.h"
#include "document/strings.h"
#include "document/tab_cell.h"

namespace fretlux {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Whether the text's last line is empty: it ends with two line ends, or is one line end alone.
bool EndsWithEmptyLine(std::string_view text) {
    if (!text.ends_with(kLineEnd)) return false;
    text.remove_suffix(kLineEnd.size());
    return text.empty() || text.ends_with(kLineEnd);
}

// A stored text already ends with a line end, so the one written after it leaves an empty line
// between the text and the header. A text read back has that empty line as its last, and gets no
// second one, so that a text stays the same however often it is saved and read.
void AppendText(std::string& out, const std::string& text) {
    if (IsBlank(text)) return;
    out += text;
    if (!EndsWithEmptyLine(text)) out += kLineEnd;
}

void AppendLine(std::string& out, std::string_view line) {
    out += line;
    out += kLineEnd;
}

}  // namespace

std::string WrittenTab(const TabDocument& document, int t, TabForm form) {
    const TabBlock& block = document.tabLines[t];
    std::string out;
    AppendText(out, document.tabTexts[t]);
    if (form == TabForm::Enhanced) {
        for (const std::string& line : block) AppendLine(out, line);
        return out;
    }
    // The label the label box shows; the tempo, volume and patch stamped after it are left.
    AppendLine(out, Left(block[0], kPlainLabelLength));
    for (int l = 1; l < kLinesPerTab; ++l) AppendLine(out, DisplaySymbols(block[l]));
    return out;
}

std::string WriteTabForm(const TabDocument& document, TabForm form) {
    std::string out;
    for (int t = 0; t < document.tabCount; ++t) out += WrittenTab(document, t, form);
    return out;
}

std::string WriteEnhancedForm(const TabDocument& document) {
    return WriteTabForm(document, TabForm::Enhanced);
}

std::string WritePlainForm(const TabDocument& document) {
    return WriteTabForm(document, TabForm::Plain);
}

std::optional<std::string> SaveTabFile(const std::string& path, const TabDocument& document,
                                       TabForm form) {
    OutputFile file;
    if (auto failure = file.Open(path)) return failure;
    for (int t = 0; t < document.tabCount; ++t) {
        if (auto failure = file.Write(WrittenTab(document, t, form))) return failure;
    }
    return file.Commit();
}

}  // namespace fretlux
