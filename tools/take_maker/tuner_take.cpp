// SPDX-License-Identifier: MIT
#include "tuner_take.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "fretboard/tuning.h"
#include "reference_pitch.h"
#include "seeded_random.h"

namespace fretlux::takes {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kLowestNote = 38;   // D2, a low E string tuned down a tone
constexpr int kHighestNote = 82;  // Bb5, 932 Hz: 45 cents sharp still within 1,000 Hz
constexpr double kWidestDetune = 45;
constexpr int kMostPartials = 30;
constexpr double kDampSeconds = 0.04;
constexpr double kPickNoiseSeconds = 0.003;
constexpr double kGlideSeconds = 0.08;
// Open strings from the low E up, with their numbers as guitarists count them.
constexpr std::array<int, 6> kOpenStrings = {40, 45, 50, 55, 59, 64};

// A note to tune: an open string half of the time, else any note of the range.
int ChooseNote(SeededRandom& random) {
    if (random.Chance(0.5)) return kOpenStrings[static_cast<size_t>(random.Between(0, 5))];
    return random.Between(kLowestNote, kHighestNote);
}

// A plucked string whose first partial settles at frequency: partials slightly sharp of the
// harmonic series (stiffness), each a little off that ideal too, weighted by where it was
// plucked, the higher ones dying sooner; the pitch a few cents sharp at the pluck, settling within
// a few tenths of a second; the click of the pick at the start and the hand damping it at the end.
void PluckInto(std::vector<float>& out, size_t start, size_t length, double frequency, double peak,
               SeededRandom& random) {
    const double stiffness = random.Between(2e-5, 2e-4);
    const double pluckPoint = random.Between(0.1, 0.25);
    const double ringSeconds = std::clamp(2.5 * std::pow(110.0 / frequency, 0.4), 0.6, 4.0);
    // The pitch glide, as extra samples' worth of phase at the settled frequency.
    const double glide = std::pow(2.0, random.Between(1.0, 5.0) / 1200) - 1;
    const double glideSamples = kGlideSeconds * kSampleRate;
    std::vector<double> time(length);
    for (size_t i = 0; i < length; ++i) {
        time[i] = double(i) + glide * glideSamples * (1 - std::exp(-double(i) / glideSamples));
    }
    std::vector<float> note(length, 0.0f);
    for (int n = 1; n <= kMostPartials; ++n) {
        const double offIdeal = n == 1 ? 1.0 : std::pow(2.0, random.Between(-0.5, 0.5) / 1200);
        const double partial =
            offIdeal * n * frequency * std::sqrt(1 + stiffness * n * n) / std::sqrt(1 + stiffness);
        if (partial > 0.45 * kSampleRate) break;
        const double amplitude =
            random.Between(0.6, 1.4) * std::abs(std::sin(n * M_PI * pluckPoint)) / std::pow(n, 1.5);
        const double decay = 1.0 / (ringSeconds / (1 + 0.01 * n * n) * kSampleRate);
        const double step = 2 * M_PI * partial / kSampleRate;
        const double phase = random.Between(0.0, 2 * M_PI);
        for (size_t i = 0; i < length; ++i) {
            note[i] += static_cast<float>(amplitude * std::exp(-decay * double(i)) *
                                          std::sin(phase + step * time[i]));
        }
    }
    const size_t click = static_cast<size_t>(kPickNoiseSeconds * kSampleRate);
    for (size_t i = 0; i < length && i < 4 * click; ++i) {
        note[i] +=
            static_cast<float>(0.3 * random.Between(-1.0, 1.0) * std::exp(-double(i) / click));
    }
    const size_t damp = static_cast<size_t>(kDampSeconds * kSampleRate);
    for (size_t i = 0; i < damp && i < length; ++i) {
        note[length - 1 - i] *= static_cast<float>(double(i) / double(damp));
    }
    float loudest = 0;
    for (const float sample : note) loudest = std::max(loudest, std::abs(sample));
    for (size_t i = 0; i < length; ++i) {
        out[start + i] += static_cast<float>(peak / loudest) * note[i];
    }
}

}  // namespace

TunerReading ReadingFor(std::int64_t timeMs, int midi, double cents) {
    TunerReading reading{timeMs, 0, "", midi, cents};
    const double pitch = midi + cents / 100.0;
    double nearest = 1e9;
    for (size_t s = 0; s < kOpenStrings.size(); ++s) {
        // From the low string up, replaced only when nearer: a tie keeps the lower string.
        if (std::abs(pitch - kOpenStrings[s]) < nearest) {
            nearest = std::abs(pitch - kOpenStrings[s]);
            reading.string = 6 - static_cast<int>(s);
        }
    }
    const size_t name = static_cast<size_t>(((midi - kOpenStrings[0]) % 12 + 12) % 12) * 2;
    reading.note = std::string(kNoteNameTable.substr(name, 2));
    if (reading.note.back() == ' ') reading.note.pop_back();
    reading.note += std::to_string(midi / 12 - 1);
    return reading;
}

TunerTake PluckedStrings(std::uint64_t seed, int noteCount) {
    SeededRandom random(seed);
    TunerTake take;
    take.audio.sampleRate = kSampleRate;
    std::vector<float> mono;
    size_t at = kSampleRate / 2;
    for (int i = 0; i < noteCount; ++i) {
        const int midi = ChooseNote(random);
        const double cents = std::round(random.Between(-kWidestDetune, kWidestDetune) * 10) / 10;
        const size_t length = static_cast<size_t>(random.Between(1.2, 2.5) * kSampleRate);
        mono.resize(at + length + kSampleRate, 0.0f);
        PluckInto(mono, at, length, NoteFrequency(midi, cents), random.Between(0.2, 0.5), random);
        take.readings.push_back(ReadingFor(std::llround(at * 1000.0 / kSampleRate), midi, cents));
        at += length;
        if (random.Chance(0.7)) at += static_cast<size_t>(random.Between(0.3, 0.8) * kSampleRate);
    }
    take.audio.left = mono;
    take.audio.right = std::move(mono);
    return take;
}

std::optional<TunerTake> RenderedNotes(std::uint64_t seed, int noteCount, int patch,
                                       const std::string& soundfontPath, std::string& failure) {
    SeededRandom random(seed);
    constexpr int kNoteMs = 2000;
    constexpr int kGapMs = 500;
    constexpr int kSettleMs = 300;
    std::vector<TimedMidiMessage> events = {{0, static_cast<std::uint32_t>(0xC0 | patch << 8)}};
    std::vector<TunerReading> readings;
    std::int64_t at = kGapMs;
    for (int i = 0; i < noteCount; ++i) {
        const int midi = std::max(ChooseNote(random), kOpenStrings[0]);
        events.push_back({at, static_cast<std::uint32_t>(0x90 | midi << 8 | 100 << 16)});
        events.push_back({at + kNoteMs, static_cast<std::uint32_t>(0x80 | midi << 8)});
        readings.push_back(ReadingFor(at, midi, 0.0));
        at += kNoteMs + kGapMs;
    }
    auto audio = RenderEvents(events, soundfontPath, failure);
    if (!audio) return std::nullopt;
    // What sounds, measured once the attack is over, in whole tenths of a cent.
    for (TunerReading& reading : readings) {
        const double cents = ReferenceCents(*audio, reading.timeMs + kSettleMs,
                                            reading.timeMs + kNoteMs - kSettleMs, reading.midi);
        const double pitch = reading.midi * 100 + std::round(cents * 10) / 10;
        const int midi = static_cast<int>(std::lround(pitch / 100));
        reading = ReadingFor(reading.timeMs, midi, pitch - midi * 100);
    }
    return TunerTake{std::move(*audio), std::move(readings)};
}

}  // namespace fretlux::takes
