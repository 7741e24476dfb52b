// SPDX-License-Identifier: MIT
// The rounding rule the document code is written in.
#include "document/rounding.h"

#include <gtest/gtest.h>

#include <utility>

namespace fretlux {
namespace {

TEST(RoundingTest, HalvesGoToTheEvenNeighbour) {
    for (const auto& [value, rounded] :
         {std::pair{0.5, 0}, std::pair{1.5, 2}, std::pair{2.5, 2}, std::pair{-1.5, -2},
          std::pair{-2.5, -2}, std::pair{2.4999, 2}, std::pair{2.5001, 3}, std::pair{-2.6, -3}}) {
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
    }
}

}  // namespace
}  // namespace fretlux
