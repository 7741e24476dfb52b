// SPDX-License-Identifier: MIT
#include "student_take.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "seeded_random.h"

namespace fretlux::takes {

namespace {

constexpr int kNoteOn = 0x90;
constexpr int kNoteOff = 0x80;
constexpr int kProgramChange = 0xC0;
constexpr int kLowestGuitarNote = 40;
constexpr int kHighestGuitarNote = 88;
constexpr int kFarthestWrongNote = 3;  // semitones
// In a chord with a wrong note, how often the fault is a string left out rather than a wrong fret.
constexpr double kLeftOutStringShare = 0.3;
// Hands are uneven: each note's velocity is the written one times a factor in this range.
constexpr double kSoftestTouch = 0.7;
constexpr double kHardestTouch = 1.1;

// How the student plays one sounding column.
struct ColumnPlan {
    int offsetMs = 0;
    int strumStepMs = 0;
    std::map<int, int> playedFor;  // expected note -> played note, absent when not played
    std::map<int, int> strumRank;  // played note -> its place from the low string up
};

int Kind(const TimedMidiMessage& m) { return m.Status() & 0xF0; }
bool BeginsNote(const TimedMidiMessage& m) { return Kind(m) == kNoteOn && m.Data2() > 0; }
bool EndsNote(const TimedMidiMessage& m) {
    return Kind(m) == kNoteOff || (Kind(m) == kNoteOn && m.Data2() == 0);
}

TimedMidiMessage Message(std::int64_t ms, int status, int data1, int data2) {
    return {std::max<std::int64_t>(ms, 0),
            static_cast<std::uint32_t>(status | (data1 << 8) | (data2 << 16))};
}

// A note 1 to 3 semitones from note that the column does not hold and a guitar can play: the
// distance drawn first, then the others, each first in the direction drawn. Only a cluster no
// hand can finger would leave none, and then the note stays right.
int WrongNoteFor(int note, const std::vector<int>& column, SeededRandom& random) {
    const int direction = random.Chance(0.5) ? 1 : -1;
    const int first = random.Between(1, kFarthestWrongNote);
    for (int d = 0; d < kFarthestWrongNote; ++d) {
        const int step = (first - 1 + d) % kFarthestWrongNote + 1;
        for (const int sign : {direction, -direction}) {
            const int candidate = note + sign * step;
            if (candidate < kLowestGuitarNote || candidate > kHighestGuitarNote) continue;
            if (std::find(column.begin(), column.end(), candidate) == column.end()) {
                return candidate;
            }
        }
    }
    return note;
}

// The time to the previous and to the next column (a second where there is none).
std::pair<std::int64_t, std::int64_t> Gaps(const std::vector<PlayedColumn>& columns, size_t c) {
    std::int64_t before = 1000;
    std::int64_t after = 1000;
    if (c > 0) before = columns[c].milliseconds - columns[c - 1].milliseconds;
    if (c + 1 < columns.size()) after = columns[c + 1].milliseconds - columns[c].milliseconds;
    return {before, after};
}

// Whether a note of the plan was played on a wrong fret.
bool SlippedFret(const ColumnPlan& plan) {
    return std::any_of(plan.playedFor.begin(), plan.playedFor.end(),
                       [](const auto& written) { return written.first != written.second; });
}

// previous is the plan of the column before, if any. Whether a slip is repeated is drawn from
// slips, so that the other habits draw the same numbers as where no slip is ever repeated.
ColumnPlan PlanColumn(const std::vector<PlayedColumn>& columns, size_t c,
                      const StudentHabits& habits, const ColumnPlan* previous, SeededRandom& random,
                      SeededRandom& slips, TakenColumn& taken) {
    const std::vector<int>& notes = columns[c].notes;
    ColumnPlan plan;
    const auto [before, after] = Gaps(columns, c);
    const int room =
        static_cast<int>(std::min<std::int64_t>(habits.timingMs, std::min(before, after) / 3));
    plan.offsetMs = static_cast<int>(std::lround(random.Between(-1.0, 1.0) * room));
    for (const int note : notes) plan.playedFor[note] = note;

    const double fault = random.Fraction();
    if (fault < habits.missedShare) {
        plan.playedFor.clear();
    } else if (fault < habits.missedShare + habits.wrongShare) {
        const int faulty = notes[static_cast<size_t>(random.Between(0, int(notes.size()) - 1))];
        if (notes.size() > 1 && random.Chance(kLeftOutStringShare)) {
            plan.playedFor.erase(faulty);
        } else {
            plan.playedFor[faulty] = WrongNoteFor(faulty, notes, random);
        }
    } else if (previous && SlippedFret(*previous) && columns[c - 1].notes == notes &&
               slips.Chance(habits.repeatedSlipShare)) {
        plan.playedFor = previous->playedFor;
    }

    for (const auto& [note, played] : plan.playedFor) taken.played.push_back(played);
    std::sort(taken.played.begin(), taken.played.end());
    taken.played.erase(std::unique(taken.played.begin(), taken.played.end()), taken.played.end());
    for (size_t rank = 0; rank < taken.played.size(); ++rank) {
        plan.strumRank[taken.played[rank]] = static_cast<int>(rank);
    }
    if (taken.played.size() > 1 && habits.strumMs > 0) {
        // Every string of the strum stays nearer to its own column than to the next.
        const std::int64_t span = (after - 1) / 2 - plan.offsetMs;
        const int widest = std::max(
            0, static_cast<int>(span / static_cast<std::int64_t>(taken.played.size() - 1)));
        plan.strumStepMs =
            std::min(random.Between(std::max(1, habits.strumMs / 2), habits.strumMs), widest);
    }
    if (taken.played.empty()) {
        taken.verdict = Verdict::Missed;
    } else {
        taken.offsetMs = plan.offsetMs;
        taken.verdict = taken.played == notes ? Verdict::Right : Verdict::Wrong;
    }
    return plan;
}

}  // namespace

StudentTake PlayAsStudent(const std::vector<TimedMidiMessage>& score,
                          const std::vector<PlayedColumn>& columns, const StudentHabits& habits) {
    SeededRandom random(habits.seed);
    SeededRandom slips(~habits.seed);
    StudentTake take;
    std::map<std::int64_t, ColumnPlan> plans;  // by the column's time
    const ColumnPlan* previous = nullptr;
    for (size_t c = 0; c < columns.size(); ++c) {
        TakenColumn taken{columns[c], {}, std::nullopt, Verdict::Right};
        ColumnPlan& plan = plans[columns[c].milliseconds] =
            PlanColumn(columns, c, habits, previous, random, slips, taken);
        previous = &plan;
        take.columns.push_back(std::move(taken));
    }

    int channel = 0;
    for (const TimedMidiMessage& m : score) {
        if (BeginsNote(m)) {
            channel = m.Status() & 0x0F;
            break;
        }
    }
    take.events.push_back(Message(0, kProgramChange | channel, habits.patch, 0));
    // The note that sounds for each written note still held, per channel.
    std::map<std::pair<int, int>, int> sounding;
    for (const TimedMidiMessage& m : score) {
        if (Kind(m) == kProgramChange) continue;
        const auto plan = plans.find(m.milliseconds);
        const std::int64_t at = m.milliseconds + (plan == plans.end() ? 0 : plan->second.offsetMs);
        const std::pair<int, int> key{m.Status() & 0x0F, m.Data1()};
        if (BeginsNote(m) && plan != plans.end()) {
            const auto played = plan->second.playedFor.find(m.Data1());
            if (played == plan->second.playedFor.end()) continue;
            sounding[key] = played->second;
            const double touch = random.Between(kSoftestTouch, kHardestTouch);
            const int velocity =
                std::clamp(static_cast<int>(std::lround(m.Data2() * touch)), 1, 127);
            const int strum = plan->second.strumRank[played->second] * plan->second.strumStepMs;
            take.events.push_back(Message(at + strum, m.Status(), played->second, velocity));
        } else if (EndsNote(m) && sounding.count(key) > 0) {
            take.events.push_back(Message(at, m.Status(), sounding[key], m.Data2()));
            sounding.erase(key);
        } else {
            take.events.push_back(Message(at, m.Status(), m.Data1(), m.Data2()));
        }
    }
    std::stable_sort(take.events.begin(), take.events.end(),
                     [](const auto& a, const auto& b) { return a.milliseconds < b.milliseconds; });
    return take;
}

}  // namespace fretlux::takes
