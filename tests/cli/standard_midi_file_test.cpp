// SPDX-License-Identifier: MIT
// The MIDI file is read back with a reader of its own that follows the file format rather than
// the writer: header chunk, track chunk, variable-length delta times turned into milliseconds
// through the file's tempo and division. A wrong byte count for a message, a wrong length or
// a broken delta time makes the reader fail or the events come back different.
#include "cli/standard_midi_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "playback/midi_state.h"

namespace fretlux {
namespace {

struct ReadMidiFile {
    std::string error;  // empty when the whole file was read
    int format = -1;
    int trackCount = -1;
    int division = 0;
    std::int64_t microsecondsPerQuarter = -1;
    std::int64_t tempoTick = -1;  // when the tempo was set
    std::vector<TimedMidiMessage> events;
};

class MidiFileReader {
public:
    explicit MidiFileReader(const std::string& bytes) : bytes_(bytes) {}

    ReadMidiFile Read() {
        ReadMidiFile file;
        if (!ReadAll(file) && file.error.empty()) file.error = "the file ends early";
        return file;
    }

private:
    bool Byte(std::uint32_t& value) {
        if (at_ >= bytes_.size()) return false;
        value = static_cast<unsigned char>(bytes_[at_++]);
        return true;
    }

    bool BigEndian(int count, std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < count; ++i) {
            std::uint32_t byte;
            if (!Byte(byte)) return false;
            value = value << 8 | byte;
        }
        return true;
    }

    // The standard allows at most four bytes.
    bool VariableLength(std::uint32_t& value, std::string& error) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint32_t byte;
            if (!Byte(byte)) return false;
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) return true;
        }
        error = "a variable-length quantity longer than four bytes";
        return false;
    }

    bool Tag(const char* expected, std::string& error) {
        if (bytes_.compare(at_, 4, expected) != 0) {
            error = std::string("no ") + expected + " chunk at byte " + std::to_string(at_);
            return false;
        }
        at_ += 4;
        return true;
    }

    bool ReadAll(ReadMidiFile& file) {
        std::uint32_t length, format, tracks, division;
        if (!Tag("MThd", file.error) || !BigEndian(4, length)) return false;
        if (length != 6) {
            file.error = "header length " + std::to_string(length);
            return false;
        }
        if (!BigEndian(2, format) || !BigEndian(2, tracks) || !BigEndian(2, division)) {
            return false;
        }
        file.format = int(format);
        file.trackCount = int(tracks);
        file.division = int(division);
        if (!Tag("MTrk", file.error) || !BigEndian(4, length)) return false;
        if (length != bytes_.size() - at_) {
            file.error = "track length " + std::to_string(length) + " but " +
                         std::to_string(bytes_.size() - at_) + " bytes follow";
            return false;
        }
        return ReadTrack(file);
    }

    bool ReadTrack(ReadMidiFile& file) {
        std::int64_t tick = 0;
        while (true) {
            std::uint32_t delta, status;
            if (!VariableLength(delta, file.error) || !Byte(status)) return false;
            tick += delta;
            if (status == 0xFF) {
                std::uint32_t type, length;
                if (!Byte(type) || !VariableLength(length, file.error)) return false;
                if (at_ + length > bytes_.size()) return false;
                const std::string data = bytes_.substr(at_, length);
                at_ += length;
                if (type == 0x2F) return EndOfTrack(file);
                if (type == 0x51) {
                    if (!Tempo(data, tick, file)) return false;
                }
                continue;
            }
            // The writer does not use running status, so a data byte here is an error.
            if (status < 0x80 || status >= 0xF0) {
                file.error =
                    "status byte " + std::to_string(status) + " at byte " + std::to_string(at_ - 1);
                return false;
            }
            const int kind = int(status) & 0xF0;
            const int dataBytes = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
            std::uint32_t data1 = 0, data2 = 0;
            if (!Byte(data1) || (dataBytes == 2 && !Byte(data2))) return false;
            if (data1 >= 0x80 || data2 >= 0x80) {
                file.error = "a data byte with its top bit set";
                return false;
            }
            if (file.microsecondsPerQuarter < 0) {
                file.error = "an event before the tempo";
                return false;
            }
            const std::int64_t microseconds = tick * file.microsecondsPerQuarter / file.division;
            file.events.push_back(
                {microseconds / 1000, PackShortMessage(int(status), int(data1), int(data2))});
        }
    }

    bool Tempo(const std::string& data, std::int64_t tick, ReadMidiFile& file) {
        if (data.size() != 3) {
            file.error = "a tempo of " + std::to_string(data.size()) + " bytes";
            return false;
        }
        file.microsecondsPerQuarter = 0;
        for (const char byte : data) {
            file.microsecondsPerQuarter =
                file.microsecondsPerQuarter << 8 | static_cast<unsigned char>(byte);
        }
        file.tempoTick = tick;
        return true;
    }

    bool EndOfTrack(ReadMidiFile& file) {
        if (at_ != bytes_.size()) {
            file.error = "bytes after the end of the track";
            return false;
        }
        return true;
    }

    const std::string& bytes_;
    std::size_t at_ = 0;
};

ReadMidiFile ReadBack(const std::vector<TimedMidiMessage>& events) {
    const std::string bytes = StandardMidiFileBytes(events);
    return MidiFileReader(bytes).Read();
}

TimedMidiMessage At(std::int64_t milliseconds, int status, int data1, int data2) {
    return {milliseconds, PackShortMessage(status, data1, data2)};
}

TEST(StandardMidiFile, IsOneTrackOfFormatZeroWhoseTickIsOneMillisecond) {
    const ReadMidiFile file = ReadBack({At(0, 0x90, 60, 100), At(1, 0x90, 60, 0)});
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.format, 0);
    EXPECT_EQ(file.trackCount, 1);
    EXPECT_EQ(file.tempoTick, 0);
    EXPECT_EQ(file.division * 1000, file.microsecondsPerQuarter);
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

TEST(StandardMidiFile, AnEmptyListGivesATrackWithOnlyTempoAndEnd) {
    const ReadMidiFile file = ReadBack({});
    EXPECT_EQ(file.error, "");
    EXPECT_TRUE(file.events.empty());
    EXPECT_EQ(file.microsecondsPerQuarter, kMidiFileMicrosecondsPerQuarter);
}

TEST(StandardMidiFile, EveryDelayComesBackToTheMillisecond) {
    // Around each length of delta time: one byte up to 127, two up to 16383, three up to
    // 2097151, four beyond.
    const std::vector<std::int64_t> delays = {
        0, 1, 127, 128, 129, 255, 16383, 16384, 16385, 2097151, 2097152, 3600000, 0, 0x0FFFFFFF};
    std::vector<TimedMidiMessage> events;
    std::int64_t time = 0;
    int note = 30;
    for (const std::int64_t delay : delays) {
        time += delay;
        events.push_back(At(time, 0x90, note++, 90));
    }
    const ReadMidiFile file = ReadBack(events);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, events);
}

TEST(StandardMidiFile, APauseTooLongForOneDeltaTimeStillEndsOnTime) {
    const std::int64_t threeDays = 3LL * 24 * 3600 * 1000;  // beyond 0x0FFFFFFF ticks
    const std::vector<TimedMidiMessage> events = {At(5, 0x90, 40, 80), At(threeDays, 0x90, 40, 0),
                                                  At(threeDays + 300, 0xC0, 3, 0)};
    const ReadMidiFile file = ReadBack(events);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, events);
}

TEST(StandardMidiFile, EachMessageHasTheDataBytesItsStatusTakes) {
    // Program change and channel pressure carry one data byte, the others two; the reader
    // loses its place at the first message of the wrong length.
    const std::vector<TimedMidiMessage> events = {
        At(0, 0xC0, 25, 0),  At(0, 0xB0, 7, 100),  At(10, 0x91, 52, 64),
        At(10, 0xD1, 90, 0), At(20, 0xE2, 0, 64),  At(20, 0xCF, 127, 0),
        At(30, 0x80, 52, 0), At(30, 0xA3, 60, 20), At(300, 0xC5, 0, 0),
    };
    const ReadMidiFile file = ReadBack(events);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, events);
}

TEST(StandardMidiFile, EventsAtTheSameTimeKeepTheirOrder) {
    std::vector<TimedMidiMessage> events;
    for (int string = 0; string < 6; ++string) events.push_back(At(250, 0x90, 64 - string, 0));
    for (int string = 0; string < 6; ++string) events.push_back(At(250, 0x90, 40 + string, 100));
    const ReadMidiFile file = ReadBack(events);
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, events);
}

TEST(StandardMidiFile, LeavesOutWhatIsNotAChannelMessage) {
    // System messages would be read as meta events or system exclusive data in a file.
    const ReadMidiFile file =
        ReadBack({At(100, 0x90, 60, 100), At(150, 0xF8, 0, 0), At(160, 0xFF, 0, 0),
                  At(170, 0x45, 1, 2), At(300, 0x90, 60, 0)});
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, (std::vector{At(100, 0x90, 60, 100), At(300, 0x90, 60, 0)}));
}

TEST(StandardMidiFile, DataBytesKeepToSevenBits) {
    const TimedMidiMessage stray = {40, 0x90u | 0xBCu << 8 | 0xE4u << 16};
    const ReadMidiFile file = ReadBack({stray});
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events, (std::vector{At(40, 0x90, 0x3C, 0x64)}));
}

TEST(StandardMidiFile, ATimeBeforeThePreviousOneIsWrittenAsNoDelay) {
    const ReadMidiFile file =
        ReadBack({At(-20, 0xC0, 25, 0), At(400, 0x90, 50, 90), At(380, 0x90, 50, 0)});
    ASSERT_EQ(file.error, "");
    EXPECT_EQ(file.events,
              (std::vector{At(0, 0xC0, 25, 0), At(400, 0x90, 50, 90), At(400, 0x90, 50, 0)}));
}

}  // namespace
}  // namespace fretlux
