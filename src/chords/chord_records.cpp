// SPDX-License-Identifier: MIT
#include "chords/chord_records.h"

#include <utility>

namespace fretlux {

void ChordRecordReader::Append(char ch) {
    if (record_.head.size() < ChordRecord::kKeptCharacters) record_.head += ch;
    if (ch == '-' && previous_ == '-') record_.hasDoubleHyphen = true;
    previous_ = ch;
    ++record_.length;
}

bool ChordRecordReader::Take(char ch) {
    if (ch == '\r') return false;
    if (state_ == State::Quoted) {
        if (ch == '"') {
            state_ = State::AfterQuote;
        } else {
            Append(ch);
        }
        return false;
    }
    if (ch == ',' || ch == '\n') {
        completed_ = std::exchange(record_, {});
        previous_ = '\0';
        state_ = State::BeforeField;
        // After a comma the line goes on: its end completes one more record.
        started_ = ch == ',';
        return true;
    }
    started_ = true;
    switch (state_) {
        case State::BeforeField:
            if (ch == ' ') break;
            if (ch == '"') {
                state_ = State::Quoted;
                break;
            }
            state_ = State::Unquoted;
            Append(ch);
            break;
        case State::Unquoted:
            Append(ch);
            break;
        case State::AfterQuote:
        case State::Quoted:
            break;
    }
    return false;
}

}  // namespace fretlux
