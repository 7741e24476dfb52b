// SPDX-License-Identifier: MIT
// Laid out after the public descriptions of the formats: a version string, the song's texts,
// its MIDI channels, the bar headers, the tracks, then every bar of every track, beat by beat.
// Version 4 adds lyrics and a second byte of effect flags; version 5 adds page and sound
// settings, a second voice, and rearranges a few fields.
#include "import/guitar_pro_reader.h"

#include <array>

#include "import/byte_reader.h"

namespace fretlux {

namespace {

constexpr int kChannels = 64;
constexpr int kPercussionChannel = 9;
// The bar numbers (from 1, -1 for none) of: coda, double coda, segno, segno segno, fine; then of
// the jumps da capo, al coda, al double coda, al fine; da segno, al coda, al double coda, al fine;
// da segno segno, al coda, al double coda, al fine; da coda, da double coda.
constexpr int kDirections = 19;

struct Channel {
    int patch = 0;
    int volume = 0;
};

class GuitarProParser {
public:
    GuitarProParser(std::string_view bytes, int version, bool version500)
        : in_(bytes, "Guitar Pro " + std::to_string(version)),
          version_(version),
          version500_(version500) {}

    ImportedSong Parse();

private:
    void ReadInfo();
    void ReadLyrics();
    void ReadChannels();
    void ReadBarHeaders(int count);
    void ApplyDirections(const std::array<int, kDirections>& directions);
    void ReadTrack(int number);
    void ReadBar(int barIndex, ImportedTrack& track);
    int ReadBeat(ImportedTrack& track, ImportedBar& bar, int onset, int barIndex);
    int ReadDuration(int flags);
    void ReadChord();
    void ReadBeatEffects(bool& vibrato);
    void ReadMixTable(int barIndex);
    void ReadNote(ImportedNote& note);
    void ReadNoteEffects(ImportedNote& note);
    void ReadBend();
    int PitchOf(const ImportedTrack& track, int string, int fret) const;

    ByteReader in_;
    int version_;
    bool version500_;  // Guitar Pro 5.00 differs from 5.10 in a few padding bytes
    ImportedSong song_;
    std::array<Channel, kChannels> channels_{};
    std::vector<std::pair<int, std::string>> lyrics_;
    std::vector<int> lastFret_;  // per string of the track being read, for tied notes
};

void GuitarProParser::ReadInfo() {
    song_.title = in_.IntByteSizeString();
    in_.IntByteSizeString();  // subtitle
    song_.artist = in_.IntByteSizeString();
    in_.IntByteSizeString();                     // album
    in_.IntByteSizeString();                     // words (and music before version 5)
    if (version_ == 5) in_.IntByteSizeString();  // music
    in_.IntByteSizeString();                     // copyright
    song_.author = in_.IntByteSizeString();
    in_.IntByteSizeString();  // instructions
    const int noticeLines = in_.Count(4);
    for (int i = 0; i < noticeLines; ++i) in_.IntByteSizeString();
}

void GuitarProParser::ReadLyrics() {
    in_.Int();  // the track they belong to
    for (int line = 0; line < 5; ++line) {
        const int startBar = in_.Int();
        std::string text = in_.IntSizeString();
        if (!text.empty() && startBar >= 1) lyrics_.emplace_back(startBar - 1, std::move(text));
    }
}

void GuitarProParser::ReadChannels() {
    for (Channel& channel : channels_) {
        channel.patch = in_.Int();
        channel.volume = in_.SignedByte();
        in_.Skip(5 + 2);  // balance, chorus, reverb, phaser, tremolo, two unused bytes
    }
}

void GuitarProParser::ReadBarHeaders(int count) {
    song_.bars.resize(static_cast<size_t>(count));
    unsigned endingsSinceRepeat = 0;
    for (int i = 0; i < count; ++i) {
        in_.SetPlace("the header of bar " + std::to_string(i + 1));
        MasterBar& bar = song_.bars[static_cast<size_t>(i)];
        if (i > 0) {
            bar.numerator = song_.bars[static_cast<size_t>(i - 1)].numerator;
            bar.denominator = song_.bars[static_cast<size_t>(i - 1)].denominator;
            if (version_ == 5) in_.Skip(1);
        }
        const int flags = in_.Byte();
        if (flags & 0x01) bar.numerator = in_.Byte();
        if (flags & 0x02) bar.denominator = in_.Byte();
        bar.repeatStart = (flags & 0x04) != 0;
        if (bar.repeatStart) endingsSinceRepeat = 0;
        if (flags & 0x08) bar.repeatPlays = std::max(2, in_.Byte() + (version_ == 5 ? 0 : 1));
        if (version_ < 5 && (flags & 0x10)) {
            // The number of the ending; it covers every pass not taken by an earlier ending.
            const int number = std::min(in_.Byte(), 31);
            bar.alternateEndings = ((1u << number) - 1) & ~endingsSinceRepeat;
            endingsSinceRepeat |= bar.alternateEndings;
        }
        if (flags & 0x20) {
            bar.marker = in_.IntByteSizeString();
            in_.Skip(4);  // colour
        }
        if (version_ == 5 && (flags & 0x10))
            bar.alternateEndings = static_cast<unsigned>(in_.Byte());
        if (flags & 0x40) in_.Skip(2);  // key signature
        if (version_ == 5) {
            if (flags & 0x03) in_.Skip(4);  // beam groups
            if (!(flags & 0x10)) in_.Skip(1);
            in_.Skip(1);  // triplet feel
        }
        const bool powerOfTwo =
            bar.denominator > 0 && (bar.denominator & (bar.denominator - 1)) == 0;
        if (bar.numerator < 1 || bar.numerator > 64 || !powerOfTwo || bar.denominator > 64) {
            in_.Fail("with a time signature of " + std::to_string(bar.numerator) + "/" +
                     std::to_string(bar.denominator) + " in");
        }
        bar.length = bar.numerator * 4 * kTicksPerQuarter / bar.denominator;
    }
}

// The double coda and the second segno are taken as the coda and the segno.
void GuitarProParser::ApplyDirections(const std::array<int, kDirections>& directions) {
    const auto bar = [&](int direction) -> MasterBar* {
        const int number = directions[static_cast<size_t>(direction)];
        if (number < 1 || static_cast<size_t>(number) > song_.bars.size()) return nullptr;
        return &song_.bars[static_cast<size_t>(number - 1)];
    };
    for (const int d : {0, 1}) {
        if (MasterBar* b = bar(d)) b->coda = true;
    }
    for (const int d : {2, 3}) {
        if (MasterBar* b = bar(d)) b->segno = true;
    }
    if (MasterBar* b = bar(4)) b->fine = true;
    for (int d = 5; d < 17; ++d) {
        if (MasterBar* b = bar(d)) b->jumpBack = d < 9 ? JumpBack::ToStart : JumpBack::ToSegno;
    }
    for (const int d : {17, 18}) {
        if (MasterBar* b = bar(d)) b->toCoda = true;
    }
}

void GuitarProParser::ReadTrack(int number) {
    in_.SetPlace("track " + std::to_string(number));
    if (version_ == 5 && (number == 1 || version500_)) in_.Skip(1);
    ImportedTrack track;
    track.percussion = (in_.Byte() & 0x01) != 0;
    track.name = in_.ByteSizeString(40);
    const int stringCount = in_.Int();
    if (stringCount < 1 || stringCount > 7)
        in_.Fail("with " + std::to_string(stringCount) + " strings in");
    std::array<int, 7> tuning{};
    for (int& value : tuning) value = in_.Int();
    for (int s = stringCount - 1; s >= 0; --s) {
        if (tuning[static_cast<size_t>(s)] < 0 || tuning[static_cast<size_t>(s)] > 127) {
            in_.Fail("with a string tuned out of range in");
        }
        track.tuning.push_back(tuning[static_cast<size_t>(s)]);
    }
    in_.Int();  // port
    const int channel = in_.Int() - 1;
    in_.Int();  // effect channel
    if (channel >= 0 && channel < kChannels) {
        const Channel& sound = channels_[static_cast<size_t>(channel)];
        if (sound.patch >= 0 && sound.patch < 128) track.patch = sound.patch;
        // Channel volumes count in sixteenths of the MIDI range.
        if (sound.volume >= 0) track.volume = std::min(127, sound.volume * 8);
        if (channel % 16 == kPercussionChannel) track.percussion = true;
    }
    in_.Int();  // frets
    track.capo = in_.Int();
    if (track.capo < 0 || track.capo > 24) track.capo = 0;
    in_.Skip(4);  // colour
    if (version_ == 5) {
        in_.Skip(2 + 1 + 1);    // display flags, auto accentuation, bank
        in_.Skip(1 + 12 + 12);  // humanise and bytes of unknown use
        in_.Skip(12);           // sound engine instrument
        if (version500_) {
            in_.Skip(3);
        } else {
            in_.Skip(4 + 4);  // effect number, equaliser
            in_.IntByteSizeString();
            in_.IntByteSizeString();
        }
    }
    track.lyrics = lyrics_;
    song_.tracks.push_back(std::move(track));
}

int GuitarProParser::ReadDuration(int flags) {
    const int value = in_.SignedByte();
    if (value < -2 || value > 4) in_.Fail("with a note value of " + std::to_string(value) + " in");
    int ticks = 4 * kTicksPerQuarter >> (value + 2);
    if (flags & 0x01) ticks += ticks / 2;
    if (flags & 0x20) {
        const int tuplet = in_.Int();
        if (tuplet < 1 || tuplet > 16)
            in_.Fail("with a tuplet of " + std::to_string(tuplet) + " in");
        int normal = 1;
        while (normal * 2 < tuplet) normal *= 2;
        ticks = ticks * normal / tuplet;
    }
    return ticks;
}

void GuitarProParser::ReadChord() {
    const bool newFormat = in_.Bool();
    if (!newFormat) {
        in_.IntByteSizeString();
        if (in_.Int() != 0) in_.Skip(6 * 4);
        return;
    }
    if (version_ == 3) {
        in_.Skip(1 + 3 + 5 * 4 + 1);
        in_.ByteSizeString(22);
        in_.Skip(3 * 4 + 4 + 6 * 4 + 4 + 3 * 2 * 4 + 7 + 1);
        return;
    }
    in_.Skip(16);
    in_.ByteSizeString(21);
    in_.Skip(4 + 4 + 7 * 4 + 32);
}

void GuitarProParser::ReadBend() {
    in_.Skip(1 + 4);  // type and height
    const int points = in_.Count(9);
    in_.Skip(static_cast<size_t>(points) * 9);
}

void GuitarProParser::ReadBeatEffects(bool& vibrato) {
    const int flags1 = in_.Byte();
    const int flags2 = version_ >= 4 ? in_.Byte() : 0;
    if (flags1 & 0x03) vibrato = true;
    if (version_ == 3) {
        if (flags1 & 0x20) in_.Skip(1 + 4);  // tapping or tremolo bar
    } else {
        if (flags1 & 0x20) in_.Skip(1);  // tapping, slapping, popping
        if (flags2 & 0x04) ReadBend();   // tremolo bar
    }
    if (flags1 & 0x40) in_.Skip(2);  // stroke
    if (flags2 & 0x02) in_.Skip(1);  // pick stroke
}

void GuitarProParser::ReadMixTable(int barIndex) {
    in_.SignedByte();                 // instrument: the track keeps the one it starts with
    if (version_ == 5) in_.Skip(16);  // sound engine instrument
    std::array<int, 6> values{};
    for (int& value : values) value = in_.SignedByte();
    if (version_ == 5) in_.IntByteSizeString();  // tempo name
    const int tempo = in_.Int();
    for (int value : values) {
        if (value >= 0) in_.Skip(1);  // how long the change takes
    }
    if (tempo >= 0) {
        in_.Skip(1);
        if (version_ == 5 && !version500_) in_.Skip(1);  // hide tempo
        if (tempo > 0 && !song_.bars[static_cast<size_t>(barIndex)].tempo) {
            song_.bars[static_cast<size_t>(barIndex)].tempo = tempo;
        }
    }
    if (version_ >= 4) in_.Skip(1);  // applies to all tracks
    if (version_ == 5) {
        in_.Skip(1);  // wah
        if (!version500_) {
            in_.IntByteSizeString();
            in_.IntByteSizeString();
        }
    }
}

void GuitarProParser::ReadNoteEffects(ImportedNote& note) {
    const int flags1 = in_.Byte();
    const int flags2 = version_ >= 4 ? in_.Byte() : 0;
    note.hammerOrPull = (flags1 & 0x02) != 0;
    if (flags1 & 0x01) {
        note.bend = true;
        ReadBend();
    }
    if (flags1 & 0x10) {
        const int fret = version_ == 5 ? in_.Byte() : in_.SignedByte();
        in_.Skip(version_ == 5 ? 4 : 3);  // dynamics, transition, duration (and flags)
        if (fret >= 0 && fret <= 99) note.graceInterval = fret - note.fret;
    }
    if (version_ == 3) {
        if (flags1 & 0x04) note.slide = Slide::Shift;
        return;
    }
    if (flags2 & 0x04) in_.Skip(1);  // tremolo picking
    if (flags2 & 0x08) {
        const int slide = version_ == 5 ? in_.Byte() : in_.SignedByte();
        if (version_ == 5) {
            if (slide & 0x03)
                note.slide = Slide::Shift;
            else if (slide & 0x04)
                note.slide = Slide::OutDown;
            else if (slide & 0x08)
                note.slide = Slide::OutUp;
        } else {
            if (slide == 1 || slide == 2)
                note.slide = Slide::Shift;
            else if (slide == 3)
                note.slide = Slide::OutDown;
            else if (slide == 4)
                note.slide = Slide::OutUp;
        }
    }
    if (flags2 & 0x10) {
        const int harmonic = in_.SignedByte();
        if (version_ == 5 && harmonic == 2) in_.Skip(3);
        if (version_ == 5 && harmonic == 3) in_.Skip(1);
    }
    if (flags2 & 0x20) in_.Skip(2);  // trill
    if (flags2 & 0x40) note.vibrato = true;
}

void GuitarProParser::ReadNote(ImportedNote& note) {
    const int flags = in_.Byte();
    if (flags & 0x20) {
        const int type = in_.Byte();
        note.tied = type == 2;
        note.dead = type == 3;
    }
    if (version_ < 5 && (flags & 0x01)) in_.Skip(2);  // duration of its own
    if (flags & 0x10) in_.Skip(1);                    // dynamics
    if (flags & 0x20) note.fret = in_.SignedByte();
    if (flags & 0x80) in_.Skip(2);  // fingering
    if (version_ == 5) {
        if (flags & 0x01) in_.Skip(8);  // duration percentage
        in_.Skip(1);
    }
    if (flags & 0x08) ReadNoteEffects(note);
    if (note.fret < 0 || note.fret > 99)
        in_.Fail("with a fret of " + std::to_string(note.fret) + " in");
}

int GuitarProParser::PitchOf(const ImportedTrack& track, int string, int fret) const {
    return track.tuning[track.tuning.size() - static_cast<size_t>(string)] + track.capo + fret;
}

int GuitarProParser::ReadBeat(ImportedTrack& track, ImportedBar& bar, int onset, int barIndex) {
    const int flags = in_.Byte();
    bool empty = false;
    if (flags & 0x40) empty = (in_.Byte() & 0x02) == 0;
    const int ticks = ReadDuration(flags);
    if (flags & 0x02) ReadChord();
    if (flags & 0x04) in_.IntByteSizeString();  // text
    bool vibrato = false;
    if (flags & 0x08) ReadBeatEffects(vibrato);
    if (flags & 0x10) ReadMixTable(barIndex);
    const int strings = in_.Byte();
    ImportedChord chord{onset, {}};
    for (int string = 1; string <= 7; ++string) {
        if (!(strings & (1 << (7 - string)))) continue;
        ImportedNote note;
        note.string = string;
        note.vibrato = vibrato;
        ReadNote(note);
        if (string > static_cast<int>(track.tuning.size())) continue;
        int& last = lastFret_[static_cast<size_t>(string - 1)];
        if (note.tied && last >= 0) note.fret = last;
        last = note.fret;
        note.pitch = PitchOf(track, string, note.fret);
        chord.notes.push_back(note);
    }
    if (version_ == 5) {
        if (in_.Short() & 0x0800) in_.Skip(1);
    }
    if (!chord.notes.empty()) bar.chords.push_back(std::move(chord));
    return empty ? 0 : ticks;
}

void GuitarProParser::ReadBar(int barIndex, ImportedTrack& track) {
    ImportedBar& bar = track.bars[static_cast<size_t>(barIndex)];
    const int voices = version_ == 5 ? 2 : 1;
    for (int voice = 0; voice < voices; ++voice) {
        const int beats = in_.Count(3);
        int onset = 0;
        for (int b = 0; b < beats; ++b) onset += ReadBeat(track, bar, onset, barIndex);
    }
    // The line break; the last bar of a file may go without it.
    if (version_ == 5 && in_.Remaining() > 0) in_.Skip(1);
}

ImportedSong GuitarProParser::Parse() {
    in_.ByteSizeString(30);
    ReadInfo();
    if (version_ < 5) in_.Skip(1);  // triplet feel
    if (version_ >= 4) ReadLyrics();
    if (version_ == 5) {
        if (!version500_) in_.Skip(4 + 4 + 11);  // master volume and equaliser
        in_.Skip(7 * 4 + 2);                     // page size, margins, proportion, header flags
        for (int i = 0; i < 10; ++i) in_.IntByteSizeString();
        in_.IntByteSizeString();  // tempo name
    }
    song_.tempo = in_.Int();
    if (song_.tempo < 1 || song_.tempo > 1000) song_.tempo = 120;
    if (version_ == 5 && !version500_) in_.Skip(1);  // hide tempo
    in_.Skip(version_ == 3 ? 4 : 5);                 // key and octave
    ReadChannels();
    std::array<int, kDirections> directions{};
    directions.fill(-1);
    if (version_ == 5) {
        for (int& bar : directions) bar = in_.Short();
        in_.Skip(4);  // master reverb
    }
    const int barCount = in_.Count(3);
    const int trackCount = in_.Count(60);
    if (trackCount == 0) in_.Fail("without a track in");
    ReadBarHeaders(barCount);
    ApplyDirections(directions);
    for (int t = 1; t <= trackCount; ++t) ReadTrack(t);
    if (version_ == 5) in_.Skip(version500_ ? 2 : 1);
    // Every bar of every track takes at least its beat count's four bytes.
    if (static_cast<size_t>(barCount) * song_.tracks.size() * 4 > in_.Remaining()) {
        in_.SetPlace("the bars it announces");
        in_.Fail("that ends before");
    }
    for (ImportedTrack& track : song_.tracks) track.bars.resize(static_cast<size_t>(barCount));
    std::vector<std::vector<int>> lastFrets;
    for (const ImportedTrack& track : song_.tracks) lastFrets.emplace_back(track.tuning.size(), -1);
    for (int b = 0; b < barCount; ++b) {
        for (size_t t = 0; t < song_.tracks.size(); ++t) {
            in_.SetPlace("bar " + std::to_string(b + 1) + " of track " + std::to_string(t + 1));
            lastFret_.swap(lastFrets[t]);
            lastFret_.resize(7, -1);
            ReadBar(b, song_.tracks[t]);
            lastFret_.swap(lastFrets[t]);
        }
    }
    return std::move(song_);
}

}  // namespace

int GuitarProVersion(std::string_view bytes) {
    if (bytes.size() < 31) return 0;
    const std::string_view version =
        bytes.substr(1, std::min<size_t>(30, static_cast<uint8_t>(bytes[0])));
    constexpr std::string_view kPrefix = "FICHIER GUITAR PRO v";
    if (version.substr(0, kPrefix.size()) != kPrefix || version.size() <= kPrefix.size()) return 0;
    const char major = version[kPrefix.size()];
    return major >= '3' && major <= '5' ? major - '0' : 0;
}

ImportedSong ReadGuitarPro(std::string_view bytes) {
    const int version = GuitarProVersion(bytes);
    if (version == 0) throw ImportError("not a Guitar Pro 3, 4 or 5 file");
    const std::string_view versionText = bytes.substr(1, static_cast<uint8_t>(bytes[0]));
    const bool version500 = version == 5 && versionText.ends_with("5.00");
    return GuitarProParser(bytes, version, version500).Parse();
}

}  // namespace fretlux
