// SPDX-License-Identifier: MIT
#include <algorithm>
#include <vector>

#include "voicing.h"

namespace fretlux::chordgen {

namespace {

constexpr int kFingers = 4;
constexpr double kBarreCost = 2.75;
constexpr double kBarreStringCost = 0.5;
// Barring with another finger than the index is harder still.
constexpr double kOtherFingerBarreCost = 2.0;
// A finger lower than one finger per fret stretches the hand; a higher one only crowds it.
constexpr double kStretchCost = 1.5;

struct Press {
    int string;
    int fret;
};

class FingerSearch {
public:
    FingerSearch(const Frets& frets, std::vector<Press> presses)
        : frets_(frets), presses_(std::move(presses)) {
        lowest_ = presses_.front().fret;
    }

    std::optional<Fingering> Best() {
        Assign(0, 0);
        return best_;
    }

private:
    // Presses go in order of fret, then from the bass up; fingers never go down along it, and
    // move on at every new fret. One finger on several presses of one fret is a barre.
    void Assign(std::size_t next, int previousFinger) {
        if (next == presses_.size()) {
            Evaluate();
            return;
        }
        const bool sameFret = next > 0 && presses_[next].fret == presses_[next - 1].fret;
        const int first = sameFret ? previousFinger : previousFinger + 1;
        for (int finger = std::max(first, 1); finger <= kFingers; ++finger) {
            chosen_[next] = finger;
            Assign(next + 1, finger);
        }
    }

    void Evaluate() {
        double cost = 0;
        for (std::size_t i = 0; i < presses_.size(); ++i) {
            const int natural = std::min(presses_[i].fret - lowest_ + 1, kFingers);
            const int offset = chosen_[i] - natural;
            cost += offset >= 0 ? offset : -kStretchCost * offset;
            for (std::size_t j = 0; j < i; ++j) {
                // Adjacent fingers reach one fret apart, or two with a stretch.
                const int fretGap = presses_[i].fret - presses_[j].fret;
                if (chosen_[i] > chosen_[j] && fretGap > chosen_[i] - chosen_[j] + 1) return;
            }
        }
        for (int finger = 1; finger <= kFingers; ++finger) {
            const auto barreCost = BarreCost(finger);
            if (!barreCost) return;
            cost += *barreCost;
        }
        if (FingersCross()) return;
        if (best_ && best_->cost <= cost) return;
        Fingering fingering;
        fingering.cost = cost;
        for (std::size_t i = 0; i < presses_.size(); ++i) {
            fingering.fingers[presses_[i].string] = chosen_[i];
        }
        best_ = fingering;
    }

    // Two fingers side by side on one fret, far apart across the strings, leave no room for a
    // finger pressing a higher fret on a string between them.
    bool FingersCross() const {
        for (std::size_t i = 0; i < presses_.size(); ++i) {
            for (std::size_t j = i + 1; j < presses_.size(); ++j) {
                if (presses_[i].fret != presses_[j].fret || chosen_[i] == chosen_[j]) continue;
                const int low = std::min(presses_[i].string, presses_[j].string);
                const int high = std::max(presses_[i].string, presses_[j].string);
                if (high - low <= 3) continue;
                for (const Press& between : presses_) {
                    if (between.string > low && between.string < high &&
                        between.fret > presses_[i].fret) {
                        return true;
                    }
                }
            }
        }
        return false;
    }

    // A finger on several strings lies flat across the fret: every string between them must be
    // pressed there or higher up, or it would sound the barre's fret or be silenced.
    std::optional<double> BarreCost(int finger) const {
        int lowString = 0;
        int highString = 0;
        int count = 0;
        int fret = 0;
        for (std::size_t i = 0; i < presses_.size(); ++i) {
            if (chosen_[i] != finger) continue;
            if (count == 0) lowString = presses_[i].string;
            highString = presses_[i].string;
            fret = presses_[i].fret;
            ++count;
        }
        if (count < 2) return 0.0;
        for (int s = lowString + 1; s < highString; ++s) {
            if (frets_[s] < fret) return std::nullopt;
            // The ring finger lies flat over the strings of one fret (the A-shape's middle
            // strings); the middle and little fingers hold two neighbouring strings at most.
            if (finger != 1 && frets_[s] != fret) return std::nullopt;
        }
        if ((finger == 2 || finger == 4) && highString - lowString > 1) return std::nullopt;
        return kBarreCost + kBarreStringCost * (count - 1) +
               (finger == 1 ? 0.0 : kOtherFingerBarreCost);
    }

    const Frets& frets_;
    std::vector<Press> presses_;
    int lowest_ = 0;
    std::array<int, kStringCount> chosen_{};
    std::optional<Fingering> best_;
};

}  // namespace

int LowestFret(const Frets& frets) {
    int lowest = 0;
    for (int s = 1; s <= kStringCount; ++s) {
        if (frets[s] > 0 && (lowest == 0 || frets[s] < lowest)) lowest = frets[s];
    }
    return lowest;
}

int HighestFret(const Frets& frets) {
    int highest = 0;
    for (int s = 1; s <= kStringCount; ++s) highest = std::max(highest, frets[s]);
    return highest;
}

std::optional<Fingering> AssignFingers(const Frets& frets) {
    std::vector<Press> presses;
    for (int s = 1; s <= kStringCount; ++s) {
        if (frets[s] > 0) presses.push_back({s, frets[s]});
    }
    if (presses.empty()) return Fingering{};
    std::stable_sort(presses.begin(), presses.end(),
                     [](const Press& a, const Press& b) { return a.fret < b.fret; });
    return FingerSearch(frets, std::move(presses)).Best();
}

}  // namespace fretlux::chordgen
