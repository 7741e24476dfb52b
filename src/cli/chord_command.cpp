// SPDX-License-Identifier: MIT
#include "cli/chord_command.h"

#include "chords/chord_names.h"
#include "chords/load_chord.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "document/file_messages.h"
#include "document/utf8_text.h"

namespace fretlux {

namespace {

// A decimal number from 0 to last, written with digits alone.
std::optional<int> NumberUpTo(const std::string& text, int last) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    if (value > last) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> PrintChord(const std::string& file, const std::string& type,
                              const std::string& variation, std::ostream& out, std::ostream& err) {
    const auto typeNumber = NumberUpTo(type, kChordTypes - 1);
    const auto variationNumber = NumberUpTo(variation, kChordVariations - 1);
    if (!typeNumber || !variationNumber) return std::nullopt;
    const ChordLoad load = LoadChordFile(file, *typeNumber, *variationNumber);
    if (load.error) {
        err << OpenFailedMessage(*load.error) << '\n';
        return kExitFileFailure;
    }
    JsonWriter json;
    json.BeginArray();
    for (int s = 1; s <= 6; ++s) {
        if (load.slots) {
            json.String(Latin1AsUtf8((*load.slots)[s]));
        } else {
            json.Null();
        }
    }
    json.EndArray();
    out << json.Text() << '\n';
    out.flush();
    if (out) return kExitSuccess;
    err << "fretlux-cli: could not write to standard output\n";
    return kExitFileFailure;
}

}  // namespace fretlux
