// SPDX-License-Identifier: MIT
#include "playalong/best_scores.h"

#include <cmath>
#include <sstream>

namespace fretlux {
namespace {

// Higher is better: the share of right columns first, then how close and steady the timing was.
bool Beats(const BestScores::Score& a, const BestScores::Score& b) {
    const long long shareA = static_cast<long long>(a.right) * b.columns;
    const long long shareB = static_cast<long long>(b.right) * a.columns;
    if (shareA != shareB) return shareA > shareB;
    return std::fabs(a.meanTimingMs) + a.timingSpreadMs <
           std::fabs(b.meanTimingMs) + b.timingSpreadMs;
}

}  // namespace

BestScores BestScores::FromText(const std::string& text) {
    BestScores scores;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int tab = 0;
        Score score;
        std::string file;
        fields >> tab >> score.columns >> score.right >> score.meanTimingMs >> score.timingSpreadMs;
        if (!fields || fields.get() != ' ' || !std::getline(fields, file) || file.empty()) {
            continue;
        }
        scores.best_[{file, tab}] = score;
    }
    return scores;
}

std::string BestScores::Text() const {
    std::ostringstream text;
    for (const auto& [key, score] : best_) {
        text << key.second << ' ' << score.columns << ' ' << score.right << ' '
             << score.meanTimingMs << ' ' << score.timingSpreadMs << ' ' << key.first << '\n';
    }
    return text.str();
}

std::vector<int> BestScores::Offer(const std::string& file,
                                   const std::vector<ColumnJudgement>& pass) {
    std::map<int, std::vector<ColumnJudgement>> byTab;
    for (const ColumnJudgement& judgement : pass)
        byTab[judgement.expected.tab].push_back(judgement);
    std::vector<int> improved;
    for (const auto& [tab, judgements] : byTab) {
        const TakeSummary summary = Summarise(judgements);
        Score score{summary.columns, summary.right, 0.0, 0.0};
        if (summary.timing) {
            score.meanTimingMs = summary.timing->mean;
            score.timingSpreadMs = summary.timing->standardDeviation;
        }
        const auto found = best_.find({file, tab});
        if (found == best_.end() || Beats(score, found->second)) {
            best_[{file, tab}] = score;
            improved.push_back(tab);
        }
    }
    return improved;
}

const BestScores::Score* BestScores::Best(const std::string& file, int tab) const {
    const auto found = best_.find({file, tab});
    return found == best_.end() ? nullptr : &found->second;
}

}  // namespace fretlux
