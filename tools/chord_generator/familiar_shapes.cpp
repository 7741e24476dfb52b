// SPDX-License-Identifier: MIT
#include "familiar_shapes.h"

#include <array>
#include <string_view>

namespace fretlux::chordgen {

namespace {

struct BookShape {
    int rootPitch;  // 0 = C
    int type;
    // Per string from the low E string: a fret digit, or x for a string not played.
    std::string_view frets;
    std::string_view fingers;
};

constexpr int kC = 0, kD = 2, kE = 4, kF = 5, kG = 7, kA = 9, kB = 11;
constexpr int kMinor = 16, kSeventh = 6, kMinorSeventh = 21, kMajor = 26, kMajorSeventh = 28,
              kSus2 = 30, kSus4 = 31;

// The first chords a guitarist learns, as chord books print them. E minor is fingered 2 and 3,
// as the lessons teach it, so that E major only adds finger 1.
constexpr std::array<BookShape, 40> kBookShapes = {{
    {kC, kMajor, "x32010", "x32010"},        {kD, kMajor, "xx0232", "xx0132"},
    {kE, kMajor, "022100", "023100"},        {kF, kMajor, "133211", "134211"},
    {kG, kMajor, "320003", "210003"},        {kA, kMajor, "x02220", "x01230"},
    {kB, kMajor, "x24442", "x13331"},        {kC, kMinor, "x35543", "x13421"},
    {kD, kMinor, "xx0231", "xx0231"},        {kE, kMinor, "022000", "023000"},
    {kF, kMinor, "133111", "134111"},        {kG, kMinor, "355333", "134111"},
    {kA, kMinor, "x02210", "x02310"},        {kB, kMinor, "x24432", "x13421"},
    {kC, kSeventh, "x32310", "x32410"},      {kD, kSeventh, "xx0212", "xx0213"},
    {kE, kSeventh, "020100", "020100"},      {kF, kSeventh, "131211", "131211"},
    {kG, kSeventh, "320001", "320001"},      {kA, kSeventh, "x02020", "x01020"},
    {kB, kSeventh, "x21202", "x21304"},      {kC, kMajorSeventh, "x32000", "x32000"},
    {kD, kMajorSeventh, "xx0222", "xx0123"}, {kE, kMajorSeventh, "021100", "031200"},
    {kF, kMajorSeventh, "xx3210", "xx3210"}, {kG, kMajorSeventh, "320002", "310002"},
    {kA, kMajorSeventh, "x02120", "x02130"}, {kB, kMajorSeventh, "x2434x", "x1324x"},
    {kC, kMinorSeventh, "x35343", "x13121"}, {kD, kMinorSeventh, "xx0211", "xx0211"},
    {kE, kMinorSeventh, "020000", "010000"}, {kF, kMinorSeventh, "131111", "131111"},
    {kG, kMinorSeventh, "353333", "131111"}, {kA, kMinorSeventh, "x02010", "x02010"},
    {kB, kMinorSeventh, "x20202", "x10203"}, {kA, kSus2, "x02200", "x01200"},
    {kD, kSus2, "xx0230", "xx0130"},         {kA, kSus4, "x02230", "x01230"},
    {kD, kSus4, "xx0233", "xx0134"},         {kE, kSus4, "022200", "023400"},
}};

Voicing Parse(const BookShape& shape) {
    Voicing voicing;
    for (int s = 1; s <= kStringCount; ++s) {
        const char fret = shape.frets[s - 1];
        voicing.frets[s] = fret == 'x' ? kMuted : fret - '0';
        const char finger = shape.fingers[s - 1];
        voicing.fingers[s] = finger == 'x' ? 0 : finger - '0';
    }
    return voicing;
}

bool HasOpenString(const Frets& frets) {
    for (int s = 1; s <= kStringCount; ++s) {
        if (frets[s] == 0) return true;
    }
    return false;
}

char LetterOf(int rootPitch) {
    switch (rootPitch) {
        case kC:
            return 'C';
        case kA:
            return 'A';
        case kG:
            return 'G';
        case kE:
            return 'E';
        case kD:
            return 'D';
        default:
            return 0;
    }
}

}  // namespace

std::optional<Voicing> FamiliarFirstShape(int rootPitch, int type) {
    for (const BookShape& shape : kBookShapes) {
        if (shape.rootPitch == rootPitch && shape.type == type) return Parse(shape);
    }
    return std::nullopt;
}

std::optional<char> MovedOpenShape(int type, const Frets& frets) {
    const int shift = LowestFret(frets);
    if (shift == 0 || HasOpenString(frets)) return std::nullopt;
    for (const BookShape& shape : kBookShapes) {
        const Frets open = Parse(shape).frets;
        if (shape.type != type || LetterOf(shape.rootPitch) == 0 || !HasOpenString(open)) continue;
        bool same = true;
        for (int s = 1; s <= kStringCount && same; ++s) {
            same = open[s] == kMuted ? frets[s] == kMuted : frets[s] == open[s] + shift;
        }
        if (same) return LetterOf(shape.rootPitch);
    }
    return std::nullopt;
}

}  // namespace fretlux::chordgen
