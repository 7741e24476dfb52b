// SPDX-License-Identifier: MIT
// Writes small Guitar Pro 5.10 files for tests and benchmarks: one six-string track in standard
// tuning, every bar of eighth notes (4/4 unless told) on the low E string, bar b beat n at fret
// (b + n) mod 13, with counts that may be made to lie.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

namespace fretlux::test {

struct GuitarProSketch {
    int bars = 1;
    int statedBars = -1;   // the bar count written into the file; -1 = bars
    int beatsPerBar = 8;   // eighth notes
    int statedBeats = -1;  // the beat count written for each bar; -1 = beatsPerBar
    int strings = 6;
    int numerator = 4;
    int denominator = 4;
    int tuplet = 0;  // a tuplet written on every beat, 0 = none
    int tempo = 120;
    std::string title = "";
    std::string marker = "";  // on the first bar
    std::string lyrics = "";  // one line of them, sung from lyricsBar (0-based)
    int lyricsBar = 0;
    int tempoChangeBar = -1;  // 0-based; its first beat changes the tempo to newTempo
    int newTempo = 0;
    // Navigation (0-based bars, -1 = none): segno, "D.S. al Coda", "to coda" and coda.
    int segnoBar = -1;
    int dalSegnoAlCodaBar = -1;
    int toCodaBar = -1;
    int codaBar = -1;
};

class GuitarProBuilder {
public:
    std::string Build(const GuitarProSketch& sketch) {
        bytes_.clear();
        const std::string_view version = "FICHIER GUITAR PRO v5.10";
        Byte(static_cast<int>(version.size()));
        bytes_ += version;
        bytes_.append(30 - version.size(), '\0');
        Text(sketch.title);
        for (int i = 0; i < 8; ++i) Text("");  // subtitle .. instructions
        Int(0);                                // notice lines
        Int(0);                                // lyrics track
        for (int line = 0; line < 5; ++line) {
            const std::string_view words = line == 0 ? std::string_view(sketch.lyrics) : "";
            Int(sketch.lyricsBar + 1);
            Int(static_cast<int>(words.size()));
            bytes_ += words;
        }
        Int(100);  // master volume
        Int(0);
        bytes_.append(11, '\0');                // equaliser
        bytes_.append(7 * 4 + 2, '\0');         // page setup
        for (int i = 0; i < 10; ++i) Text("");  // page texts
        Text("Moderate");
        Int(sketch.tempo);
        Byte(0);  // hide tempo
        Byte(0);  // key
        Int(0);   // octave
        for (int channel = 0; channel < 64; ++channel) {
            Int(25);
            Byte(13);
            bytes_.append(7, '\0');
        }
        // Coda, double coda, segno, segno segno, fine, the 12 jumps back, da coda, da double coda.
        int directions[19];
        std::fill(std::begin(directions), std::end(directions), -1);
        directions[0] = sketch.codaBar;
        directions[2] = sketch.segnoBar;
        directions[10] = sketch.dalSegnoAlCodaBar;
        directions[17] = sketch.toCodaBar;
        for (const int bar : directions) Short(bar < 0 ? -1 : bar + 1);
        Int(0);  // master reverb
        Int(sketch.statedBars < 0 ? sketch.bars : sketch.statedBars);
        Int(1);  // tracks
        for (int bar = 0; bar < sketch.bars; ++bar) {
            if (bar > 0) {
                Byte(0);
                Byte(0);  // flags: nothing changes
                Byte(0);  // padding when there is no alternate ending
                Byte(0);  // triplet feel
                continue;
            }
            Byte(sketch.marker.empty() ? 0x03 : 0x23);
            Byte(sketch.numerator);
            Byte(sketch.denominator);
            if (!sketch.marker.empty()) {
                Text(sketch.marker);
                Int(0);  // colour
            }
            bytes_.append(4, '\x02');  // beams
            Byte(0);
            Byte(0);
        }
        Byte(0);
        Byte(0);  // track flags
        Byte(7);
        bytes_ += "Guitar ";
        bytes_.append(33, '\0');
        Int(sketch.strings);
        for (const int pitch : {64, 59, 55, 50, 45, 40, 0}) Int(pitch);
        Int(1);   // port
        Int(1);   // channel
        Int(2);   // effect channel
        Int(24);  // frets
        Int(0);   // capo
        Int(0);   // colour
        bytes_.append(4 + 25 + 12 + 8, '\0');
        Text("");
        Text("");
        Byte(0);
        for (int bar = 0; bar < sketch.bars; ++bar) {
            Int(sketch.statedBeats < 0 ? sketch.beatsPerBar : sketch.statedBeats);
            for (int beat = 0; beat < sketch.beatsPerBar; ++beat) {
                const bool tempoChange = bar == sketch.tempoChangeBar && beat == 0;
                Byte((sketch.tuplet != 0 ? 0x20 : 0) | (tempoChange ? 0x10 : 0));
                Byte(1);  // eighth
                if (sketch.tuplet != 0) Int(sketch.tuplet);
                if (tempoChange) MixTableTempo(sketch.newTempo);
                Byte(0x02);  // the low E string
                Byte(0x20);
                Byte(1);
                Byte((bar + beat) % 13);  // fret
                Byte(0);
                Byte(0);
                Byte(0);
            }
            Int(0);  // the second voice
            Byte(0);
        }
        return bytes_;
    }

private:
    // A mix table that changes only the tempo.
    void MixTableTempo(int tempo) {
        Byte(-1);                              // instrument
        for (int i = 0; i < 4; ++i) Int(-1);   // sound engine instrument
        for (int i = 0; i < 6; ++i) Byte(-1);  // volume, balance, chorus, reverb, phaser, tremolo
        Text("");
        Int(tempo);
        Byte(0);   // at once
        Byte(0);   // shown
        Byte(0);   // all tracks
        Byte(-1);  // wah
        Text("");
        Text("");
    }
    void Byte(int value) { bytes_ += static_cast<char>(value & 0xff); }
    void Short(int value) {
        Byte(value);
        Byte(value >> 8);
    }
    void Int(int value) {
        const auto bits = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<int>(bits >> shift));
    }
    void Text(std::string_view text) {
        Int(static_cast<int>(text.size()) + 1);
        Byte(static_cast<int>(text.size()));
        bytes_ += text;
    }

    std::string bytes_;
};

}  // namespace fretlux::test
