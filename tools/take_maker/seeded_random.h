// SPDX-License-Identifier: MIT
// Random numbers that are the same for a seed on every compiler and library: the standard
// distributions are not, so a take made here from seed 7 would differ from one made elsewhere.
#pragma once

#include <cmath>
#include <cstdint>

namespace fretlux::takes {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    // SplitMix64: every seed, 0 included, gives a full-quality sequence.
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // In [0, 1).
    double Fraction() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
    double Between(double low, double high) { return low + (high - low) * Fraction(); }
    // A whole number from low to high, both included.
    int Between(int low, int high) {
        return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Chance(double probability) { return Fraction() < probability; }
    // Standard normal, by Box and Muller.
    double Gaussian() {
        const double u = 1.0 - Fraction();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * M_PI * Fraction());
    }

private:
    std::uint64_t state_;
};

}  // namespace fretlux::takes
