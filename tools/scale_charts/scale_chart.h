// SPDX-License-Identifier: MIT
// A scale chart: one scale shown in several positions up the neck, one TAB per position, each
// played from its lowest note to its highest and back, every note with its finger.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/tab_document.h"

namespace fretlux::charts {

struct FingeredNote {
    int fret;
    int finger;  // 0 for an open string
};

// The notes of one position, string by string from the low E string (index 0) to the high E
// string (index 5), each string's notes from low to high.
using Shape = std::array<std::vector<FingeredNote>, 6>;

// A shape as a guitarist writes it down, one text per string from the low E string, each note
// "fret/finger": {"5/1 8/4", "5/1 7/3", ...}.
Shape ParseShape(const std::array<std::string_view, 6>& strings);

// The same fingering moved up the neck by the given number of frets.
Shape Shifted(Shape shape, int frets);

struct Position {
    std::string label;
    Shape shape;
    // What this position shows; paragraphs separated by "\n\n".
    std::string text;
};

struct Chart {
    // The tempo of a TAB whose notes stand two columns apart, and the instrument of every TAB.
    int tempo;
    int patch;
    // How the scale is built and what it is used for, closing the text of every TAB.
    std::string about;
    std::vector<Position> positions;
};

inline constexpr int kVolume = 100;
inline constexpr int kNylonGuitar = 24;
inline constexpr int kSteelGuitar = 25;

// The charts, each in its own family's file.
Chart ABluesChart();
Chart EBluesChart();
Chart AHexatonicChart();
Chart APentatonicChart();
Chart ADiminishedChart();
Chart AMajorChart();
Chart AMinorChart();
Chart FModesChart();

// The chart as a document: one TAB per position.
TabDocument ChartDocument(const Chart& chart);

}  // namespace fretlux::charts
