// SPDX-License-Identifier: MIT
// MusicXML tells open spanners of one kind apart by a number, and the readers of MusicXML 3.x
// accept the numbers 1 to 6 only; a file with any other is refused whole by some of them. So
// every spanner gets the lowest number of its kind that no open spanner holds, and gives it
// back when it stops.
#pragma once

#include <array>
#include <optional>

namespace fretlux {

enum class Spanner { Slur, Slide, WavyLine };

class SpannerNumbers {
public:
    static constexpr int kHighest = 6;

    // The number of a spanner of kind starting now, which its stop will name by the same key;
    // nothing when six of its kind are open already, and the spanner must be left out.
    std::optional<int> Start(Spanner kind, int key);
    // The number the spanner started under key holds, free again from now; nothing when that
    // spanner got none.
    std::optional<int> Stop(Spanner kind, int key);

private:
    static constexpr int kKinds = 3;
    // Per kind and number, the key of the spanner holding it.
    std::array<std::array<std::optional<int>, kHighest>, kKinds> holders_;
};

}  // namespace fretlux
