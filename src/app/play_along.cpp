// SPDX-License-Identifier: MIT
#include "app/play_along.h"

#include <algorithm>

#include "document/tab_cell.h"

namespace fretlux {

std::vector<FretPosition> SoundingPositions(const TabColumn& cells) {
    std::vector<FretPosition> positions;
    for (int line = 1; line < kLinesPerTab; ++line) {
        const std::string& cell = cells[line];
        for (const std::size_t slot : {std::size_t{1}, std::size_t{3}}) {
            if (cell.size() < slot + 2) continue;
            const std::optional<SlotNote> note = DecodeSlot(std::string_view(cell).substr(slot, 2));
            if (note && note->sounding) positions.push_back({kLinesPerTab - line, note->fret});
        }
    }
    return positions;
}

PlayAlong::PlayAlong(Host& host, ListeningHost& listening) : host_(host), listening_(listening) {}

bool PlayAlong::Begin(PlayAlongMode mode, const std::string& file) {
    End();
    lastMarks_.clear();
    best_ = BestScores::FromText(listening_.BestScoresText());
    session_.emplace(mode, file, best_);
    const std::string error = listening_.StartListening(mode, [this](const HeardOnset& onset) {
        if (!session_) return;
        HeardOnset heard = onset;
        heard.milliseconds -= static_cast<double>(startMs_);
        session_->Hear(heard, SessionMs());
    });
    // The session's time starts with the player's, once the input runs: opening a device, or
    // reading the file that stands in for one, takes a moment that is no part of the playing.
    startMs_ = listening_.NowMs();
    if (error.empty()) return true;
    session_.reset();
    host_.ShowMessage({error, MessageButtons::Ok, MessageIcon::Exclamation});
    return false;
}

void PlayAlong::End() {
    hearingTimer_.SetInterval(0);
    if (!session_) return;
    listening_.StopListening();
    const std::string summary = JudgeLastPass();
    session_.reset();
    if (!summary.empty()) host_.ShowMessage({summary});
}

std::optional<PlayAlongMode> PlayAlong::Mode() const {
    return session_ ? std::optional(session_->Mode()) : std::nullopt;
}

bool PlayAlong::MayPass(int tab, int column, const TabColumn& cells) {
    if (!session_ || session_->Mode() != PlayAlongMode::Wait) return true;
    return session_->MayPass({tab, column, SessionMs(), SoundingPositions(cells)}, SessionMs());
}

void PlayAlong::EndOnceHeard() {
    if (!session_ || session_->Mode() != PlayAlongMode::Score) {
        End();
        return;
    }
    session_->EndPass();
    const std::int64_t hearing = listening_.NowMs() - listening_.HeardUntilMs();
    hearingTimer_.SetInterval(
        static_cast<int>(std::max<std::int64_t>(1, hearing + ScoredPlayAlong::kSettleMs)));
}

void PlayAlong::HearingTick() { End(); }

void PlayAlong::EndIfHearingOut() {
    if (hearingTimer_.Interval() > 0) End();
}

void PlayAlong::Sounded(int tab, int column, const TabColumn& cells) {
    if (!session_ || session_->Mode() != PlayAlongMode::Score) return;
    PlayAlongColumn sounded{tab, column, SessionMs(), SoundingPositions(cells)};
    listening_.ExpectNotes(startMs_ + sounded.milliseconds, sounded.Notes(),
                           session_->TuningOffsetCents());
    session_->Sounded(std::move(sounded));
}

void PlayAlong::EndPass() {
    if (session_) session_->EndPass();
}

std::string PlayAlong::Advance() {
    if (!session_ || session_->Mode() != PlayAlongMode::Score) return {};
    std::string summary = session_->Advance(HeardUntilMs());
    if (summary.empty()) return summary;
    lastMarks_ = session_->LastPass();
    listening_.SaveBestScoresText(best_.Text());
    return summary;
}

std::vector<FretPosition> PlayAlong::ExpectedNotes() const {
    if (!session_ || session_->Mode() != PlayAlongMode::Wait) return {};
    return session_->Waiting().Expected();
}

std::vector<FretPosition> PlayAlong::WrongNotes() const {
    if (!session_ || session_->Mode() != PlayAlongMode::Wait) return {};
    return session_->Waiting().WrongNotes();
}

bool PlayAlong::ColumnRight() const {
    return session_ && session_->Mode() == PlayAlongMode::Wait &&
           session_->Waiting().Current() == WaitingPlayAlong::State::Right;
}

std::vector<ColumnJudgement> PlayAlong::MarksOf(int tab) const {
    std::vector<ColumnJudgement> marks;
    const std::vector<ColumnJudgement>& shown =
        session_ && !session_->Marks().empty() ? session_->Marks() : lastMarks_;
    for (const ColumnJudgement& mark : shown) {
        if (mark.expected.tab == tab) marks.push_back(mark);
    }
    return marks;
}

std::int64_t PlayAlong::SessionMs() { return listening_.NowMs() - startMs_; }

double PlayAlong::HeardUntilMs() {
    return static_cast<double>(listening_.HeardUntilMs() - startMs_);
}

std::string PlayAlong::JudgeLastPass() {
    if (!session_ || session_->Mode() != PlayAlongMode::Score) return {};
    std::string summary = session_->Finish();
    lastMarks_ = session_->LastPass();
    listening_.SaveBestScoresText(best_.Text());
    return summary;
}

}  // namespace fretlux
