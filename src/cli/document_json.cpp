// SPDX-License-Identifier: MIT
#include "cli/document_json.h"

#include <optional>
#include <string_view>

#include "cli/json_writer.h"
#include "document/tab_cell.h"
#include "document/utf8_text.h"

namespace fretlux {

namespace {

// The two letters of a cell starting at character index start (0-based), or fewer past its end.
std::string_view SlotAt(std::string_view cell, size_t start) {
    return start < cell.size() ? cell.substr(start, 2) : std::string_view();
}

void WriteNote(JsonWriter& json, int fretboardString, const SlotNote& note) {
    json.BeginObject();
    json.Key("string").Number(fretboardString);
    json.Key("fret").Number(note.fret);
    json.Key("finger").Number(note.finger);
    json.Key("sounding").Bool(note.sounding);
    json.EndObject();
}

// Every cell after the header cell, also past the columns the window shows, so that the listing
// hides nothing the file held.
void WriteCells(JsonWriter& json, std::string_view line, int fretboardString) {
    json.BeginArray();
    for (size_t p = kCellWidth; p < line.size(); p += kCellWidth) {
        const std::string_view cell = line.substr(p, kCellWidth);
        json.BeginObject();
        json.Key("column").Number(static_cast<long long>((p - kCellWidth) / kCellWidth));
        json.Key("symbol").String(BytesAsUtf8(cell.substr(0, 1)));
        json.Key("notes").BeginArray();
        for (const size_t slot : {size_t{1}, size_t{3}}) {
            if (const std::optional<SlotNote> note = DecodeSlot(SlotAt(cell, slot))) {
                WriteNote(json, fretboardString, *note);
            }
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteTab(JsonWriter& json, const TabDocument& document, int t) {
    const TabBlock& block = document.tabLines[t];
    json.BeginObject();
    json.Key("number").Number(t + 1);
    json.Key("header").String(BytesAsUtf8(block[0]));
    json.Key("text").String(BytesAsUtf8(document.tabTexts[t]));
    json.Key("lines").BeginArray();
    for (int l = 1; l < kLinesPerTab; ++l) {
        json.BeginObject();
        json.Key("string").String(kStringLetters.substr(l - 1, 1));
        json.Key("line").Number(l);
        json.Key("cells");
        // TAB line l shows fretboard string 7 - l (1 = low E .. 6 = high E).
        WriteCells(json, block[l], kLinesPerTab - l);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace

void WriteDocumentJson(const TabDocument& document, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("tabCount").Number(document.tabCount);
    json.Key("tabs").BeginArray();
    for (int t = 0; t < document.tabCount; ++t) WriteTab(json, document, t);
    json.EndArray();
    json.EndObject();
}

}  // namespace fretlux
