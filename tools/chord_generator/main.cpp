// SPDX-License-Identifier: MIT
// Writes the twelve chord files ChordA.flx .. ChordG#.flx into the directory given.
#include <iostream>

#include "chord_chart.h"
#include "chords/chord_names.h"
#include "document/safe_save.h"
#include "document/tab_file_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: chord_generator DIRECTORY\n";
        return 2;
    }
    for (int root = 0; root < fretlux::kChordRoots; ++root) {
        const std::string path = fretlux::ChordFileName(argv[1], root);
        const auto failure = fretlux::SaveFileReplacing(
            path, fretlux::WriteEnhancedForm(fretlux::chordgen::ChordChart(root)));
        if (failure) {
            std::cerr << path << ": " << *failure << '\n';
            return 1;
        }
    }
    return 0;
}
