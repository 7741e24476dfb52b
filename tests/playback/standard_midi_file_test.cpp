// SPDX-License-Identifier: MIT
// The MIDI file is read back with a reader of its own that follows the file format rather than
// the writer: header chunk, track chunk, variable-length delta times turned into milliseconds
// through the file's tempo and division. A wrong byte count for a message, a wrong length or
// a broken delta time makes the reader fail or the events come back different.
#include "playback/standard_midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "playback/midi_state.h"

namespace fretlux {
namespace {

using Events = std::vector<TimedMidiMessage>;

class MidiFileReader {
public:
    explicit MidiFileReader(std::string bytes) : bytes_(std::move(bytes)) {}

    // The track's channel messages; throws at the first thing a reader would stumble on.
    Events Read() {
        Expect("MThd");
        if (Number(4) != 6) Fail("a header length other than 6");
        if (Number(2) != 0 || Number(2) != 1) Fail("not one track of format 0");
        const std::int64_t division = Number(2);
        Expect("MTrk");
        if (Number(4) != bytes_.size() - at_) Fail("a track length that is not what follows");
        std::int64_t tick = 0, microsecondsPerQuarter = -1;
        Events events;
        while (true) {
            tick += VariableLength();
            const std::uint32_t status = Number(1);
            if (status == 0xFF) {
                const std::uint32_t type = Number(1);
                const std::uint32_t length = VariableLength();
                if (type == 0x2F) {
                    if (at_ + length != bytes_.size()) Fail("bytes after the end of the track");
                    return events;
                }
                if (type == 0x51 && (length != 3 || tick != 0)) Fail("a misplaced tempo");
                const std::uint32_t value = Number(static_cast<int>(length));
                if (type == 0x51) microsecondsPerQuarter = value;
                continue;
            }
            // The writer does not use running status, so a data byte here is an error.
            if (status < 0x80 || status >= 0xF0) Fail("a status byte " + std::to_string(status));
            if (microsecondsPerQuarter != division * 1000) Fail("a tick other than 1 ms");
            const int kind = static_cast<int>(status) & 0xF0;
            const std::uint32_t data1 = Number(1);
            const std::uint32_t data2 = kind == 0xC0 || kind == 0xD0 ? 0 : Number(1);
            if (data1 >= 0x80 || data2 >= 0x80) Fail("a data byte with its top bit set");
            events.push_back({tick, PackShortMessage(int(status), int(data1), int(data2))});
        }
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(what + " at byte " + std::to_string(at_));
    }
    void Expect(const char* tag) {
        if (bytes_.compare(at_, 4, tag) != 0) Fail(std::string("no ") + tag);
        at_ += 4;
    }
    std::uint32_t Number(int bytes) {
        if (at_ + bytes > bytes_.size()) Fail("the end of the file");
        std::uint32_t value = 0;
        while (bytes-- > 0) value = value << 8 | static_cast<unsigned char>(bytes_[at_++]);
        return value;
    }
    // The standard allows at most four bytes.
    std::uint32_t VariableLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t byte = Number(1);
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return value;
        }
        Fail("a variable-length quantity longer than four bytes");
    }

    std::string bytes_;
    std::size_t at_ = 0;
};

Events ReadBack(const Events& events) {
    return MidiFileReader(StandardMidiFileBytes(events)).Read();
}

TimedMidiMessage At(std::int64_t milliseconds, int status, int data1, int data2) {
    return {milliseconds, PackShortMessage(status, data1, data2)};
}

TEST(StandardMidiFile, HasTheseBytesForAProgramChangeAndANote) {
    const std::string expected(
        "MThd\0\0\0\x06\0\0\0\x01\x01\xF4"
        "MTrk\0\0\0\x13"
        "\0\xFF\x51\x03\x07\xA1\x20"  // 500000 microseconds per quarter note
        "\0\xC0\x19"                  // program 25 on channel 1, two bytes
        "\x81\x48\x90\x40\x64"        // 200 ms later, note 64 at velocity 100
        "\0\xFF\x2F\0",
        41);
    EXPECT_EQ(StandardMidiFileBytes({At(0, 0xC0, 25, 0), At(200, 0x90, 64, 100)}), expected);
}

TEST(StandardMidiFile, EveryChannelMessageComesBackInOrderToTheMillisecond) {
    // Around each length of delta time: one byte up to 127, two up to 16383, three up to
    // 2097151, four beyond; and a pause of three and a half days, too long for one delta time.
    Events delays;
    std::int64_t time = 0;
    int note = 30;
    for (const std::int64_t delay : {0, 1, 127, 128, 129, 255, 16383, 16384, 16385, 2097151,
                                     2097152, 3600000, 0, 0x0FFFFFFF, 300000000}) {
        time += delay;
        delays.push_back(At(time, 0x90, note++, 90));
    }
    Events chord;
    for (int string = 0; string < 6; ++string) chord.push_back(At(250, 0x90, 64 - string, 0));
    for (int string = 0; string < 6; ++string) chord.push_back(At(250, 0x90, 40 + string, 100));
    // Program change and channel pressure carry one data byte, the others two; the reader
    // loses its place at the first message of the wrong length.
    const Events kinds = {
        At(0, 0xC0, 25, 0),  At(0, 0xB0, 7, 100),  At(10, 0x91, 52, 64),
        At(10, 0xD1, 90, 0), At(20, 0xE2, 0, 64),  At(20, 0xCF, 127, 0),
        At(30, 0x80, 52, 0), At(30, 0xA3, 60, 20), At(300, 0xC5, 0, 0),
    };
    for (const Events& events : {Events{}, delays, chord, kinds}) {
        EXPECT_EQ(ReadBack(events), events);
    }
}

TEST(StandardMidiFile, LeavesOutWhatIsNotAChannelMessageAndKeepsDataToSevenBits) {
    // System messages would be read as meta events or system exclusive data in a file.
    EXPECT_EQ(ReadBack({At(100, 0x90, 60, 100),
                        At(150, 0xF8, 0, 0),
                        At(160, 0xFF, 0, 0),
                        At(170, 0x45, 1, 2),
                        {200, 0x90u | 0xBCu << 8 | 0xE4u << 16}}),
              (Events{At(100, 0x90, 60, 100), At(200, 0x90, 0x3C, 0x64)}));
}

TEST(StandardMidiFile, ATimeBeforeThePreviousOneIsWrittenAsNoDelay) {
    EXPECT_EQ(ReadBack({At(-20, 0xC0, 25, 0), At(400, 0x90, 50, 90), At(380, 0x90, 50, 0)}),
              (Events{At(0, 0xC0, 25, 0), At(400, 0x90, 50, 90), At(400, 0x90, 50, 0)}));
}

}  // namespace
}  // namespace fretlux
