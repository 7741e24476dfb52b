// SPDX-License-Identifier: MIT
#include "listening/note_evidence.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "listening/pitch_names.h"

namespace fretlux {

namespace {

// A note was plucked again while it rang when this share of its partials' energy after the onsets
// is not what rang before.
constexpr double kReplayedShare = 0.3;
// A string plucked again may start in step with its old vibration, by chance, and no louder than
// it rang. Yet a fresh pluck's partials swell over the first tenth of a second, as its two planes
// of vibration and the guitar's body trade energy (and a sampled note's attack builds up), while
// a string that rings on, or is let go, only fades: it was plucked again when its partials' power
// in the second half of the stretch after the onsets is this many times that in the first.
constexpr double kSwell = 1.5;
// Over a shorter look, as at the first hearings of a live onset, each half is too short to tell a
// partial from the attack of a string beside it in the spectrum.
constexpr double kShortestSwellLookSeconds = 0.1;
// Through a distortion pedal, most of a low note's energy lies above its eighth partial, so a
// single note's share of what sounds counts its partials up to this one. Its phase is judged on
// the first eight alone: higher up, a note a minor third away all but shares partials with it
// (D3's twelfth and F3's tenth lie 16 cents apart), and a wrong note would pass for it.
constexpr int kSoundingPartialsOfSingleNote = 16;
// A partial left with less than this share of the energy it carried on with was damped, not
// plucked again: what is left of it is too faint to follow. A string struck again more softly
// than it rang keeps more, though a synthesiser stops the old voice of a note struck again and
// sounds a new one, which may have a quarter of the old one's energy or less.
constexpr double kFadedShare = 0.12;
// A single note struck again may rise no more than a ringing string's wander: through an
// overdriven amplifier, which holds the sound at one level, or as a sampled guitar's new voice no
// louder than the old one. Yet it is then nearly all that sounds, this share or more. Where nothing
// was played, what breaks step is a fading note's release or the room's echo of it, under other
// strings still ringing, and it holds half of what sounds or a little more.
constexpr double kAloneLevel = 0.7;
// Such a new voice may start nearly in step with the old one. Where the note is nearly all that
// sounds, this much of its energy out of step tells that it was struck again.
constexpr double kAloneBrokenShare = 0.2;

// The floor a note's partials are held to when those that the notes in others share are left
// out: what is left of a chord's note are its own partials, which have the lower floor.
double FloorBeside(const Look& look, const std::vector<int>& others) {
    return others.empty() ? look.floor : look.ownPartialsFloor;
}

}  // namespace

// The energy of a partial after the onsets that the partial ringing before does not explain:
// what rang is followed through the two stretches before (its decay and any slight detuning)
// and carried on to the stretch after, where it may only have been damped. A string plucked
// again while it rang starts afresh, out of step with the old vibration.
double UnexplainedEnergy(const Look& look, double hertz) {
    const auto centre = [](std::ptrdiff_t start, std::size_t size) {
        return static_cast<double>(start) + 0.5 * static_cast<double>(size);
    };
    const auto earlier = PartialPhasor(look.earlier, look.earlierStart, hertz, look.sampleRate);
    const auto later = PartialPhasor(look.later, look.laterStart, hertz, look.sampleRate);
    const auto after = PartialPhasor(look.afterSamples, look.afterStart, hertz, look.sampleRate);
    if (std::abs(earlier) == 0.0 || std::abs(later) == 0.0) return std::norm(after);
    const double steps = (centre(look.afterStart, look.afterSamples.size()) -
                          centre(look.laterStart, look.later.size())) /
                         (centre(look.laterStart, look.later.size()) -
                          centre(look.earlierStart, look.earlier.size()));
    const std::complex<double> perStep = later / earlier;
    const std::complex<double> carried =
        later *
        std::polar(std::min(1.0, std::pow(std::abs(perStep), steps)), std::arg(perStep) * steps);
    if (std::norm(after) < kFadedShare * std::norm(carried)) return 0.0;
    const double damping =
        std::clamp(std::real(after * std::conj(carried)) / std::norm(carried), 0.0, 1.0);
    return std::norm(after - damping * carried);
}

// The new energy in the first counted partials of note that stand floor high, leaving out
// partials that one of the notes explained also has.
double EvidenceOf(const Look& look, int note, double rise, double floor,
                  const std::vector<int>& explained, int counted) {
    double evidence = 0.0;
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= counted && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (peak && std::none_of(explained.begin(), explained.end(),
                                 [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            evidence += NewEnergy(look, *peak, rise, floor);
        }
    }
    return evidence;
}

Replay ReplayOf(const Look& look, int note, const std::vector<int>& others) {
    Replay replay{.afterEnergy = look.afterEnergy};
    if (look.earlier.empty()) return replay;
    const double floor = FloorBeside(look, others);
    HalvesPower halves{0.0, 0.0};
    const bool maySwell = static_cast<double>(look.afterSamples.size()) >=
                          kShortestSwellLookSeconds * look.sampleRate;
    const double fundamental = FrequencyOfNote(note);
    const int lastPartial = others.empty() ? kSoundingPartialsOfSingleNote : kCountedPartials;
    for (int n = 1; n <= lastPartial && n * fundamental <= kHighestHertz; ++n) {
        const auto peak = PartialPeak(look.after, fundamental, n);
        if (!peak || peak->magnitude < floor ||
            std::any_of(others.begin(), others.end(),
                        [&](int other) { return IsPartialOf(peak->hertz, other); })) {
            continue;
        }
        replay.sounding += peak->magnitude * peak->magnitude;
        if (n > kCountedPartials) continue;
        replay.unexplained += UnexplainedEnergy(look, peak->hertz);
        replay.soundingJudged += peak->magnitude * peak->magnitude;
        if (maySwell) {
            const HalvesPower power = PowerInHalves(look, peak->hertz);
            halves.first += power.first;
            halves.second += power.second;
        }
    }
    replay.swells = maySwell && halves.second >= kSwell * halves.first;
    return replay;
}

// Whether note, ringing before the onsets, was plucked again, its partials holding at least the
// share level of all the energy after them.
bool Replayed(const Look& look, int note, const std::vector<int>& others, double level) {
    return ReplayOf(look, note, others).Shows(level, kReplayedShare);
}

// Whether a single note that is nearly all that sounds after the onsets was struck again.
bool StruckAgainAlone(const Replay& replay) { return replay.Shows(kAloneLevel, kAloneBrokenShare); }

// Whether a single note began, leaving out the partials that the notes in explained have too: its
// partials rose, holding at least the given share of the new energy total, or, when phaseTells, it
// was plucked again. Where the phase does not tell, at a faint onset, a rise is no pluck when the
// partials carried on in step with what rang: a ringing string's partials swell as its two planes
// of vibration trade energy, or as a sample's loop turns, and a keen ear takes the swell for an
// onset.
bool SingleNoteBegan(const Look& look, int note, const std::vector<int>& explained, double total,
                     double share, bool phaseTells) {
    const bool rose = EvidenceOf(look, note, kExpectedRise, look.floor, explained) >= share * total;
    if (!phaseTells) return rose && !ReplayOf(look, note, explained).CarriedOn(kReplayedShare);
    if (rose) return true;
    const Replay replay = ReplayOf(look, note, explained);
    return replay.Shows(kReplayedSingleLevel, kReplayedShare) ||
           (explained.empty() && StruckAgainAlone(replay));
}

}  // namespace fretlux
