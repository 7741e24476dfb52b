// SPDX-License-Identifier: MIT
// Documents written column by column for the player's tests, opened in a started window whose
// timers the test fires by hand.
#pragma once

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "document/render_fret_digits.h"
#include "document/tab_cell.h"
#include "document/tab_file_writer.h"
#include "document/tab_header.h"
#include "form_fixture.h"

namespace fretlux::testing {

// One TAB: its columns, each "-" for a rest, "|" for a bar, or notes as "line:fret" pairs
// separated by blanks (line 1 is the high e string), and the settings in its header.
struct TabSpec {
    std::vector<std::string> columns;
    TabSettings settings{41, 100, 25};
    std::string text{};
    std::string label{};  // "TAB n" when empty
};

inline std::string CellOf(const std::string& column, int line) {
    if (column == "|") return "|    ";
    std::string slot = "    ";
    std::istringstream notes(column == "-" ? "" : column);
    for (std::string note; notes >> note;) {
        const auto colon = note.find(':');
        if (std::stoi(note.substr(0, colon)) != line) continue;
        slot = std::string{FretLetter(std::stoi(note.substr(colon + 1))), 'H'} + "  ";
    }
    return "-" + slot;
}

// MIDI note of a string line's fret: line 1 is the high e string (64), line 6 the low E (40).
inline int NoteOf(int line, int fret) {
    constexpr int kOpenNotes[] = {0, 64, 59, 55, 50, 45, 40};
    return kOpenNotes[line] + fret;
}

class PlayerTest : public FormTest {
protected:
    void OpenTabs(const std::vector<TabSpec>& tabs) { OpenText("piece.flx", TabsFile(tabs)); }

    static std::string TabsFile(const std::vector<TabSpec>& tabs) {
        TabDocument document;
        document.tabCount = static_cast<int>(tabs.size());
        for (int t = 0; t < document.tabCount; ++t) {
            TabBlock& block = document.tabLines[t];
            const std::string& label = tabs[t].label;
            block[0] = StampHeader(label.empty() ? "TAB " + std::to_string(t + 1) : label,
                                   tabs[t].settings);
            for (int line = 1; line < kLinesPerTab; ++line) {
                block[line] = HeaderCell(kStringLetters[line - 1]);
                for (const std::string& column : tabs[t].columns)
                    block[line] += CellOf(column, line);
            }
            document.tabTexts[t] = tabs[t].text;
            RenderFretDigits(document, t);
        }
        return WriteEnhancedForm(document);
    }

    void ForgetMessages() { host.midiOut.messages.clear(); }

    // Notes switched on since the messages were last forgotten, in order.
    std::vector<int> NotesOn() const { return host.midiOut.NotesOn(); }

    int NoteOffs() const {
        int offs = 0;
        for (const auto& m : host.midiOut.messages) offs += m.Status() == 0x90 && m.Data2() == 0;
        return offs;
    }

    // Fires the play timer while it runs, at most maxTicks times; returns per tick the notes
    // switched on in it.
    std::vector<std::set<int>> Ticks(int maxTicks) {
        std::vector<std::set<int>> ticks;
        for (int i = 0; i < maxTicks && form.Playback().PlayTimer().Interval() > 0; ++i) {
            ForgetMessages();
            form.Playback().PlayTick();
            const auto notes = NotesOn();
            ticks.emplace_back(notes.begin(), notes.end());
        }
        return ticks;
    }
};

}  // namespace fretlux::testing
