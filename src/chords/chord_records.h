// SPDX-License-Identifier: MIT
// A chord file is read as comma-delimited fields, not as lines: leading blanks are skipped, a
// field ends at a comma or at the end of its line, and a field that opens with a double quote
// runs to the next double quote, which is not part of it (what follows that quote up to the next
// comma or line end is dropped). CR bytes are dropped wherever they stand.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fretlux {

// One field. Only its first characters can ever be taken as a chord, so a record keeps those and
// remembers its length and whether "--" stands anywhere in it; a huge line costs no memory.
struct ChordRecord {
    static constexpr std::size_t kKeptCharacters = 400;
    std::string head;
    std::size_t length = 0;
    bool hasDoubleHyphen = false;
};

// Cuts a byte stream, fed in pieces of any size, into records.
class ChordRecordReader {
public:
    // Calls onRecord(const ChordRecord&) for every record this piece completes.
    template <typename OnRecord>
    void Feed(std::string_view bytes, OnRecord&& onRecord);
    // Calls onRecord for a last record the stream left unfinished.
    template <typename OnRecord>
    void Finish(OnRecord&& onRecord);

private:
    enum class State { BeforeField, Unquoted, Quoted, AfterQuote };

    void Append(char ch);
    // True when ch completed a record.
    bool Take(char ch);

    State state_ = State::BeforeField;
    // Something of the current line was read: the end of the stream completes a record then.
    bool started_ = false;
    ChordRecord record_;
    // The record's character before the one being appended, for the "--" search.
    char previous_ = '\0';
    ChordRecord completed_;
};

template <typename OnRecord>
void ChordRecordReader::Feed(std::string_view bytes, OnRecord&& onRecord) {
    for (const char ch : bytes) {
        if (Take(ch)) onRecord(static_cast<const ChordRecord&>(completed_));
    }
}

template <typename OnRecord>
void ChordRecordReader::Finish(OnRecord&& onRecord) {
    if (!started_) return;
    started_ = false;
    state_ = State::BeforeField;
    onRecord(static_cast<const ChordRecord&>(record_));
    record_ = {};
    previous_ = '\0';
}

}  // namespace fretlux
