// SPDX-License-Identifier: MIT
// Every shape of a chord within reach of one hand is scored for how a guitarist would judge it:
// the root in the bass, many strings sounding, no string muted in the middle, few fingers and no
// stretch, open strings in the open position. The best shape low on the neck is the first
// variation, unless chord books agree on another, and the best pair of movable shapes above it
// the other two.
#include "voicing_search.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "chord_tones.h"
#include "familiar_shapes.h"

namespace fretlux::chordgen {

namespace {

constexpr int kHighestPosition = 15;
// One finger per fret: a shape spans four frets at most.
constexpr int kReach = 3;
// Open strings ring only beside fretted notes of the open position.
constexpr int kOpenPositionReach = 4;
constexpr int kMinimumStrings = 3;

constexpr double kRootNotInBass = 30.0;
constexpr double kPerString = -3.0;
constexpr double kInnerMute = 6.0;
constexpr double kPerFinger = 1.0;
// Two neighbouring frets are at ease; every fret more costs more than the one before.
constexpr double kSpanCost = 1.0;
constexpr double kPerOpenString = -1.0;
constexpr double kPerToneLeftOut = 0.3;
// The first variation sits as low as a good shape allows; the others climb only as far as
// their quality asks.
constexpr double kFirstVariationPerFret = 1.5;
constexpr double kMovablePerFret = 0.8;

struct Candidate {
    Voicing voicing;
    double score = 0;
    int position = 0;
    // The string and fret of the root in the bass; string 0 when the bass is another tone.
    int rootString = 0;
    int rootFret = 0;
};

int PitchClass(int pitch) { return ((pitch % 12) + 12) % 12; }

class ShapeSearch {
public:
    ShapeSearch(int rootPitch, int type) : root_(rootPitch), spelling_(SpellingOf(type)) {
        for (const ChordTone& tone : spelling_.tones) {
            isTone_[PitchClass(root_ + tone.semitones)] = true;
        }
    }

    // Every playable shape with its lowest pressed fret at position (0: nothing pressed).
    void Collect(int position, std::vector<Candidate>& out) {
        position_ = position;
        out_ = &out;
        frets_.fill(kMuted);
        Choose(1);
    }

private:
    void Choose(int s) {
        if (s > kStringCount) {
            Consider();
            return;
        }
        frets_[s] = kMuted;
        Choose(s + 1);
        if (isTone_[PitchClass(kOpenStringPitch[s])]) {
            frets_[s] = 0;
            Choose(s + 1);
        }
        if (position_ > 0) {
            for (int fret = position_; fret <= position_ + kReach; ++fret) {
                if (!isTone_[PitchClass(kOpenStringPitch[s] + fret)]) continue;
                frets_[s] = fret;
                Choose(s + 1);
            }
        }
        frets_[s] = kMuted;
    }

    void Consider() {
        if (LowestFret(frets_) != position_) return;
        int sounding = 0;
        int open = 0;
        int first = 0;
        int last = 0;
        int bass = std::numeric_limits<int>::max();
        std::array<bool, 12> sounded{};
        for (int s = 1; s <= kStringCount; ++s) {
            if (frets_[s] == kMuted) continue;
            ++sounding;
            if (frets_[s] == 0) ++open;
            if (first == 0) first = s;
            last = s;
            const int pitch = kOpenStringPitch[s] + frets_[s];
            bass = std::min(bass, pitch);
            sounded[PitchClass(pitch)] = true;
        }
        if (sounding < kMinimumStrings) return;
        if (open > 0 && HighestFret(frets_) > kOpenPositionReach) return;
        const int innerMutes = last - first + 1 - sounding;
        // One muted string inside a movable jazz shape; none among ringing open strings.
        if (innerMutes > 1 || (innerMutes == 1 && open > 0)) return;
        int leftOut = 0;
        for (const ChordTone& tone : spelling_.tones) {
            if (sounded[PitchClass(root_ + tone.semitones)]) continue;
            if (tone.defining) return;
            ++leftOut;
        }
        const auto fingering = AssignFingers(frets_);
        if (!fingering) return;
        int distinctFingers = 0;
        for (int finger = 1; finger <= 4; ++finger) {
            for (int s = 1; s <= kStringCount; ++s) {
                if (fingering->fingers[s] == finger) {
                    ++distinctFingers;
                    break;
                }
            }
        }
        double score = fingering->cost;
        if (PitchClass(bass) != root_) score += kRootNotInBass;
        score += kPerString * sounding + kInnerMute * innerMutes + kPerFinger * distinctFingers +
                 kPerOpenString * open + kPerToneLeftOut * leftOut;
        if (position_ > 0) {
            const int stretch = std::max(0, HighestFret(frets_) - position_ - 1);
            score += kSpanCost * stretch * stretch;
        }
        const bool rootInBass = PitchClass(bass) == root_;
        out_->push_back({{frets_, fingering->fingers},
                         score,
                         position_,
                         rootInBass ? first : 0,
                         rootInBass ? frets_[first] : 0});
    }

    int root_;
    const ChordSpelling& spelling_;
    std::array<bool, 12> isTone_{};
    int position_ = 0;
    Frets frets_{};
    std::vector<Candidate>* out_ = nullptr;
};

bool HasOpenString(const Frets& frets) {
    return std::find(frets.begin() + 1, frets.end(), 0) != frets.end();
}

// The usual movable shapes hold the root in the bass on one of the three lowest strings.
bool IsMovableShape(const Candidate& candidate) {
    return candidate.rootString >= 1 && candidate.rootString <= 3;
}

const Candidate* FirstVariation(const std::vector<Candidate>& all) {
    const Candidate* first = nullptr;
    double bestCost = std::numeric_limits<double>::max();
    for (const Candidate& candidate : all) {
        const double cost = candidate.score + kFirstVariationPerFret * candidate.position;
        if (cost < bestCost) {
            bestCost = cost;
            first = &candidate;
        }
    }
    return first;
}

// The candidate with the frets of a chord book's shape: the book's shape must keep every rule the
// search keeps.
const Candidate& FamiliarCandidate(const std::vector<Candidate>& all, const Voicing& shape) {
    const auto same = std::find_if(all.begin(), all.end(), [&](const Candidate& candidate) {
        const Frets& frets = candidate.voicing.frets;
        return std::equal(frets.begin() + 1, frets.end(), shape.frets.begin() + 1);
    });
    if (same == all.end()) throw std::runtime_error("a familiar shape breaks a rule");
    return *same;
}

// The best pair of shapes above the first variation, the lower first. With strict rules only
// the usual shapes on different bass strings count; without them any two movable shapes do.
std::pair<const Candidate*, const Candidate*> HigherVariations(const std::vector<Candidate>& all,
                                                               int above, bool strict) {
    std::map<std::pair<int, int>, const Candidate*> best;
    for (const Candidate& candidate : all) {
        if (candidate.position <= above || HasOpenString(candidate.voicing.frets)) continue;
        if (strict && !IsMovableShape(candidate)) continue;
        const std::pair<int, int> key = strict ? std::pair{candidate.rootString, candidate.rootFret}
                                               : std::pair{0, candidate.position};
        const Candidate*& kept = best[key];
        if (kept == nullptr || candidate.score < kept->score) kept = &candidate;
    }
    std::pair<const Candidate*, const Candidate*> chosen{nullptr, nullptr};
    double bestCost = std::numeric_limits<double>::max();
    for (const auto& [lowKey, low] : best) {
        for (const auto& [highKey, high] : best) {
            if (high->position <= low->position) continue;
            if (strict && low->rootString == high->rootString) continue;
            const double cost =
                low->score + high->score + kMovablePerFret * (low->position + high->position);
            if (cost < bestCost) {
                bestCost = cost;
                chosen = {low, high};
            }
        }
    }
    return chosen;
}

}  // namespace

std::array<Voicing, kVariations> ChooseVoicings(int rootPitch, int type) {
    ShapeSearch search(rootPitch, type);
    std::vector<Candidate> all;
    for (int position = 0; position <= kHighestPosition; ++position) search.Collect(position, all);
    const std::optional<Voicing> familiar = FamiliarFirstShape(rootPitch, type);
    const Candidate* first = familiar ? &FamiliarCandidate(all, *familiar) : FirstVariation(all);
    if (first == nullptr)
        throw std::runtime_error("no shape for chord type " + std::to_string(type));
    auto [second, third] = HigherVariations(all, first->position, true);
    if (second == nullptr) std::tie(second, third) = HigherVariations(all, first->position, false);
    if (second == nullptr) {
        throw std::runtime_error("no movable shapes for chord type " + std::to_string(type));
    }
    return {familiar ? *familiar : first->voicing, second->voicing, third->voicing};
}

}  // namespace fretlux::chordgen
