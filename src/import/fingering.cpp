// SPDX-License-Identifier: MIT
#include "import/fingering.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>

namespace fretlux {

namespace {

// Open strings of lines 1..6.
constexpr std::array<int, 6> kOpenPitch{64, 59, 55, 50, 45, 40};
constexpr int kHandSpan = 4;  // frets between the index and the little finger

struct Search {
    const std::vector<int>& pitches;
    std::vector<size_t> order;  // highest pitch first: the few strings that reach it go first
    int handPosition;
    std::vector<int> line;  // per pitch, 0 = not placed
    std::vector<int> bestLine;
    int bestPlaced = -1;
    int bestCost = 0;

    int Cost() const {
        int low = kMaxFret + 1, high = 0, sum = 0;
        for (size_t i = 0; i < pitches.size(); ++i) {
            if (line[i] == 0) continue;
            const int fret = pitches[i] - kOpenPitch[static_cast<size_t>(line[i] - 1)];
            sum += fret;
            if (fret == 0) continue;
            low = std::min(low, fret);
            high = std::max(high, fret);
        }
        if (high == 0) return sum;
        const int stretch = std::max(0, high - low - kHandSpan);
        const int shift = handPosition == 0 ? 0 : std::abs(low - handPosition);
        return stretch * 1000 + shift * 10 + sum;
    }

    void Visit(size_t k, int placed, unsigned usedLines) {
        if (k == order.size()) {
            const int cost = Cost();
            if (placed > bestPlaced || (placed == bestPlaced && cost < bestCost)) {
                bestPlaced = placed;
                bestCost = cost;
                bestLine = line;
            }
            return;
        }
        // Not enough strings left to beat the best: stop here.
        if (placed + static_cast<int>(order.size() - k) < bestPlaced) return;
        const size_t i = order[k];
        for (int l = 1; l <= 6; ++l) {
            const int fret = pitches[i] - kOpenPitch[static_cast<size_t>(l - 1)];
            if (fret < 0 || fret > kMaxFret || (usedLines & (1u << l))) continue;
            line[i] = l;
            Visit(k + 1, placed + 1, usedLines | (1u << l));
            line[i] = 0;
        }
        Visit(k + 1, placed, usedLines);
    }
};

}  // namespace

int PitchInGuitarRange(int pitch) {
    while (pitch < kLowestGuitarPitch) pitch += 12;
    while (pitch > kHighestGuitarPitch) pitch -= 12;
    return pitch;
}

std::vector<std::optional<StringFret>> Fingering::Place(const std::vector<int>& pitches) {
    Search search{pitches, {}, handPosition_, std::vector<int>(pitches.size(), 0), {}};
    search.order.resize(pitches.size());
    std::iota(search.order.begin(), search.order.end(), 0);
    std::stable_sort(search.order.begin(), search.order.end(),
                     [&](size_t a, size_t b) { return pitches[a] > pitches[b]; });
    if (search.order.size() > 6) search.order.resize(6);
    search.Visit(0, 0, 0);

    std::vector<std::optional<StringFret>> result(pitches.size());
    int low = 0;
    for (size_t i = 0; i < pitches.size(); ++i) {
        const int l = i < search.bestLine.size() ? search.bestLine[i] : 0;
        if (l == 0) continue;
        const int fret = pitches[i] - kOpenPitch[static_cast<size_t>(l - 1)];
        result[i] = StringFret{l, fret};
        if (fret > 0 && (low == 0 || fret < low)) low = fret;
    }
    if (low > 0) handPosition_ = low;
    return result;
}

}  // namespace fretlux
