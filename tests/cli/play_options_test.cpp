// SPDX-License-Identifier: MIT
#include "cli/play_options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace fretlux {
namespace {

using Args = std::vector<std::string>;

Args Words(const std::string& line) {
    Args words;
    std::istringstream in(line);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

TEST(PlayOptions, EveryOptionIsTakenOutWithItsValueWhereverItStands) {
    Args args = Words(
        "--metronome play --count-in 2 in.tab --speed 75 --log --beats-per-bar 3 "
        "--columns-per-beat 4 --loop 2:5-12 --passes 9 --trainer 50:10:3:90");
    const TakenPlayOptions taken = TakePlayOptions(args);
    EXPECT_EQ(taken.error, "");
    EXPECT_TRUE(taken.given);
    EXPECT_EQ(args, (Args{"play", "in.tab", "--log"}));
    PracticeSettings practice{2, true, kMaxMetronomeVolume, {3, 4}, 75, {{50, 10, 3, 90}}};
    EXPECT_EQ(taken.options, (PlayOptions{practice, {{2, 5, 12, 9}}}));
}

TEST(PlayOptions, WithoutThemTheArgumentsAndTheDefaultsStay) {
    Args args = {"play", "in.tab", "--log"};
    const TakenPlayOptions taken = TakePlayOptions(args);
    EXPECT_FALSE(taken.given);
    EXPECT_EQ(taken.error, "");
    EXPECT_EQ(args, (Args{"play", "in.tab", "--log"}));
    EXPECT_EQ(taken.options, PlayOptions{});
}

TEST(PlayOptions, MalformedOrOutOfRangeValuesAreErrors) {
    const char* const wrong[] = {
        "--count-in 3",
        "--count-in",
        "--beats-per-bar 1",
        "--beats-per-bar 13",
        "--columns-per-beat 0",
        "--columns-per-beat 17",
        "--speed 24",
        "--speed 201",
        "--speed -50",
        "--speed 75%",
        "--metronome --metronome",
        "--speed 50 --speed 60",
        "--loop 1:4-4 --passes 2",
        "--loop 0:0-3 --passes 2",
        "--loop 1:0-3",
        "--passes 2",
        "--loop 1:0-3 --passes 0",
        "--loop 1-0:3 --passes 2",
        "--loop 1:0-3 --passes 2 --trainer 60:5:2",
        "--loop 1:0-3 --passes 2 --trainer 60:5:0:100",
        "--loop 1:0-3 --passes 2 --trainer 20:5:2:100",
        "--trainer 60:5:2:100",
    };
    for (const char* options : wrong) {
        Args args = Words(options);
        EXPECT_NE(TakePlayOptions(args).error, "") << options;
    }
}

}  // namespace
}  // namespace fretlux
