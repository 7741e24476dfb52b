// SPDX-License-Identifier: MIT
// Both written forms list, per TAB: its text, with one more line end when the text is not blank
// and does not already end with an empty line; the header; and the six string lines, every line
// ended by CR LF. The enhanced form keeps every cell whole; the plain form keeps one character per
// position, as other TAB readers expect.
#pragma once

#include <optional>
#include <string>

#include "document/tab_document.h"
#include "document/tab_file_reader.h"

namespace fretlux {

// Characters of a header the plain form keeps: the label, without the stamped settings.
inline constexpr int kPlainLabelLength = 79;

// The written form of TAB index t alone; a whole form is these, TAB after TAB.
std::string WrittenTab(const TabDocument& document, int t, TabForm form);
std::string WriteEnhancedForm(const TabDocument& document);
std::string WritePlainForm(const TabDocument& document);
std::string WriteTabForm(const TabDocument& document, TabForm form);

// Writes the document to path through OutputFile one TAB at a time, so that a large document is
// never held twice in memory. Returns the description of a failure.
std::optional<std::string> SaveTabFile(const std::string& path, const TabDocument& document,
                                       TabForm form);

}  // namespace fretlux
