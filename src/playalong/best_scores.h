// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "listening/take_judge.h"

namespace fretlux {

// The best Score-mode result per file and TAB, kept between runs as text (one line each).
class BestScores {
public:
    struct Score {
        int columns = 0;
        int right = 0;
        // Over the right columns; both 0 when there were none.
        double meanTimingMs = 0.0;
        double timingSpreadMs = 0.0;
        bool operator==(const Score&) const = default;
    };

    // Reads what Text() wrote; lines it cannot read are left out.
    static BestScores FromText(const std::string& text);
    std::string Text() const;

    // Keeps the pass's result for each TAB it played where it beats the best so far (more of
    // its columns right, then steadier timing); returns the TABs with a new best.
    std::vector<int> Offer(const std::string& file, const std::vector<ColumnJudgement>& pass);
    const Score* Best(const std::string& file, int tab) const;

private:
    std::map<std::pair<std::string, int>, Score> best_;
};

}  // namespace fretlux
