// SPDX-License-Identifier: MIT
#include "listening/column_hearing.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "listening/note_evidence.h"
#include "listening/onset_look.h"
#include "listening/other_notes.h"
#include "listening/pitch_names.h"
#include "listening/single_note_in_place.h"

namespace fretlux {

namespace {

// A chord's note plucked again while it rang broke step with the old vibration, and its partials
// are not lost in the others: they hold this share of the energy of all peaks after the onsets.
constexpr double kReplayedLevel = 0.0015;
// At a faint onset, the new energy must be this share of all the energy after it.
constexpr double kFaintOnsetRise = 0.01;
// A ringing chord swells as its strings trade energy, or as a sampled chord's loops turn, and a
// keen ear may take the swell for a strum. Its strings then carry on in step with their old
// vibration: this many of them or more, each with less than the share kSwellBrokenShare of its
// energy out of step. A strum that only the keen ear hears seldom leaves two strings so, as a pick
// or a finger stops what a string rang and a synthesiser releases its old voice. The share is
// stricter than a single note's, as a strum through an overdriven amplifier may bring one string
// back in step by chance and a second within 30 %.
constexpr int kStringsInStepOfSwell = 2;
constexpr double kSwellBrokenShare = 0.2;
// A chord strummed again through an overdriven amplifier adds little to the level the amplifier
// already holds, so only the keen ear hears its onset; yet a fifth or more of what sounds after
// it is new, where a synthesiser's release or a wandering fading string brings less. There, the
// strings' broken phases tell that they were struck again, as at an ordinary onset. So too a
// new note picked while the last one rings on another string: it is not yet nearly all that
// sounds, as a single note struck again is, but much of what sounds is new.
constexpr double kDrivenStrumRise = 0.2;
// In a chord, a string plucked again more softly than it rang shows it in its higher partials,
// which had died away in the old vibration; so its own partials are counted further up. A single
// note's partials are all its own already, and that far up, those of a note a semitone or two
// away come within reach.
constexpr int kCountedOwnPartialsInChord = 12;

// The notes of expected other than note.
std::vector<int> OthersThan(int note, const std::vector<int>& expected) {
    std::vector<int> others;
    std::copy_if(expected.begin(), expected.end(), std::back_inserter(others),
                 [note](int other) { return other != note; });
    return others;
}

// How many of the chord's strings carried on in step with what they rang, each followed on the
// partials that no other string of the chord has.
int StringsCarriedOn(const Look& look, const std::vector<int>& chord) {
    return static_cast<int>(std::count_if(chord.begin(), chord.end(), [&](int note) {
        return ReplayOf(look, note, OthersThan(note, chord)).CarriedOn(kSwellBrokenShare);
    }));
}

// Whether some of note's counted partials belong to none of the others.
bool HasOwnPartials(int note, const std::vector<int>& others) {
    const double fundamental = FrequencyOfNote(note);
    for (int n = 1; n <= kCountedPartials && n * fundamental <= kHighestHertz; ++n) {
        if (std::none_of(others.begin(), others.end(),
                         [&](int other) { return IsPartialOf(n * fundamental, other); }))
            return true;
    }
    return false;
}

// Whether an expected note began: its partials rose, counting only those that the other
// expected notes do not share when it has such partials of its own (an octave above another
// note of the chord has none, and is then judged on all of its partials), or, when phaseTells,
// they broke step with the old vibration.
bool ExpectedNoteBegan(const Look& look, int note, const std::vector<int>& expected, double total,
                       bool phaseTells) {
    const std::vector<int> others = OthersThan(note, expected);
    // Partials shared with another note of the chord tell nothing of a string plucked again, as
    // the other string may be the one that was.
    if (!HasOwnPartials(note, others))
        return EvidenceOf(look, note, kExpectedRise, look.floor) >= kExpectedShare * total;
    if (others.empty())
        return SingleNoteBegan(look, note, {}, total, kOwnPartialsShare, phaseTells);
    return EvidenceOf(look, note, kExpectedRise, look.ownPartialsFloor, others,
                      kCountedOwnPartialsInChord) >= kOwnPartialsShare * total ||
           (phaseTells && Replayed(look, note, others, kReplayedLevel));
}

// Whether a chord's note with no partials of its own, every one of them another string's too, was
// plucked again at an ordinary onset where no other note began: its partials broke step with the
// old vibration. The other string may be the one that broke them; but a strum strikes every
// string, and a note whose partials the chord sounds anyway changes it least when left out. So
// a chord played right is not judged wrong for want of proof that such a string was struck.
bool DoubledNoteStruckAgain(const Look& look, int note, const std::vector<int>& expected) {
    const std::vector<int> others = OthersThan(note, expected);
    return !others.empty() && !HasOwnPartials(note, others) &&
           Replayed(look, note, {}, kReplayedLevel);
}

}  // namespace

std::vector<int> NotesBegun(std::span<const float> samples, int sampleRate,
                            const OnsetGroup& onsets, const std::vector<int>& expected) {
    const std::optional<Look> found = LookAt(samples, sampleRate, onsets);
    if (!found) return {};
    const Look& look = *found;
    if (!onsets.louder && expected.size() == 1 &&
        StruckAgainAlone(ReplayOf(look, expected.front(), {}))) {
        return expected;
    }
    double total = 0.0;
    for (const NewPeak& peak : RisingPeaks(look, kExpectedRise)) total += peak.energy;
    std::vector<int> heard;
    if (total <= 0.0 || (onsets.faint && total < kFaintOnsetRise * look.afterEnergy)) return heard;
    if (!onsets.louder && total < kDrivenStrumRise * look.afterEnergy) return heard;
    if (onsets.faint && expected.size() > 1 &&
        StringsCarriedOn(look, expected) >= kStringsInStepOfSwell) {
        return heard;
    }
    // A string plucked again while it rang makes an ordinary onset, so at a faint one the phase
    // of a fading string that wanders (in noise, or in a sample's release) is no new pluck, unless
    // much of what sounds there is new.
    const bool phaseTells =
        !onsets.faint || (expected.size() > 1 && total >= kDrivenStrumRise * look.afterEnergy);
    std::vector<int> others = OtherNotes(look, expected, total);
    for (const int note : expected) {
        if (ExpectedNoteBegan(look, note, expected, total, phaseTells) ||
            (!onsets.faint && others.empty() && DoubledNoteStruckAgain(look, note, expected))) {
            heard.push_back(note);
        }
    }
    if (expected.size() == 1) {
        HearInPlaceOfSingleNote(look, expected.front(), total, phaseTells, heard, others);
    }
    for (const int note : WithoutSlips(look, std::move(others))) {
        if (std::find(heard.begin(), heard.end(), note) == heard.end()) heard.push_back(note);
    }
    std::sort(heard.begin(), heard.end());
    return heard;
}

}  // namespace fretlux
