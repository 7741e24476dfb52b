// SPDX-License-Identifier: MIT
#include "cli/play_options.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "document/strings.h"

namespace fretlux {

namespace {

constexpr int kMaxTabNumber = 101;
constexpr int kMaxColumn = 200;
constexpr int kMaxPasses = 100000;
constexpr int kMaxTrainerStep = kMaxSpeedPercent - kMinSpeedPercent;
constexpr int kMaxPassesPerStep = 1000;

// A whole number from min to max written with digits only.
std::optional<int> NumberIn(std::string_view text, int min, int max) {
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), IsDigit)) {
        return std::nullopt;
    }
    const int number = std::stoi(std::string(text));
    if (number < min || number > max) return std::nullopt;
    return number;
}

// The parts of text between the separators, in order; as many parts as separators plus one,
// else none.
std::optional<std::vector<std::string_view>> Split(std::string_view text,
                                                   std::string_view separators) {
    std::vector<std::string_view> parts;
    for (const char separator : separators) {
        const auto at = text.find(separator);
        if (at == std::string_view::npos) return std::nullopt;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::optional<LoopedSelection> ReadLoop(std::string_view text) {
    const auto parts = Split(text, ":-");
    if (!parts) return std::nullopt;
    const auto tab = NumberIn((*parts)[0], 1, kMaxTabNumber);
    const auto first = NumberIn((*parts)[1], 0, kMaxColumn);
    const auto last = NumberIn((*parts)[2], 0, kMaxColumn);
    // A loop needs two columns at least; one column is not looped.
    if (!tab || !first || !last || *last <= *first) return std::nullopt;
    return LoopedSelection{*tab, *first, *last, 0};
}

std::optional<SpeedTrainerSettings> ReadTrainer(std::string_view text) {
    const auto parts = Split(text, ":::");
    if (!parts) return std::nullopt;
    const auto start = NumberIn((*parts)[0], kMinSpeedPercent, kMaxSpeedPercent);
    const auto step = NumberIn((*parts)[1], 0, kMaxTrainerStep);
    const auto passes = NumberIn((*parts)[2], 1, kMaxPassesPerStep);
    const auto end = NumberIn((*parts)[3], kMinSpeedPercent, kMaxSpeedPercent);
    if (!start || !step || !passes || !end) return std::nullopt;
    return SpeedTrainerSettings{*start, *step, *passes, *end};
}

class OptionTaker {
public:
    explicit OptionTaker(std::vector<std::string>& args) : args_(args) {}

    // The value after the option, taken out with it; nothing when the option is not given. A
    // second one, or one without a value, is an error.
    std::optional<std::string> Value(std::string_view option) {
        const auto at = std::find(args_.begin(), args_.end(), option);
        if (at == args_.end()) return std::nullopt;
        given_ = true;
        if (at + 1 == args_.end()) {
            Fail(std::string(option) + " needs a value");
            return std::nullopt;
        }
        std::string value = *(at + 1);
        args_.erase(at, at + 2);
        if (std::find(args_.begin(), args_.end(), option) != args_.end()) {
            Fail(std::string(option) + " is given twice");
        }
        return value;
    }

    bool Flag(std::string_view option) {
        const auto count = std::erase(args_, std::string(option));
        if (count > 1) Fail(std::string(option) + " is given twice");
        given_ = given_ || count > 0;
        return count > 0;
    }

    // The option's value as a number from min to max, with what the option takes when it is
    // anything else.
    std::optional<int> Number(std::string_view option, int min, int max, std::string_view takes) {
        const auto value = Value(option);
        if (!value) return std::nullopt;
        const auto number = NumberIn(*value, min, max);
        if (!number) Fail(std::string(option) + " takes " + std::string(takes));
        return number;
    }

    void Fail(std::string error) {
        if (error_.empty()) error_ = std::move(error);
    }
    bool Given() const { return given_; }
    const std::string& Error() const { return error_; }

private:
    std::vector<std::string>& args_;
    bool given_ = false;
    std::string error_;
};

}  // namespace

TakenPlayOptions TakePlayOptions(std::vector<std::string>& args) {
    OptionTaker taker(args);
    PracticeSettings practice;
    if (const auto bars = taker.Number("--count-in", 0, kMaxCountInBars, "0, 1 or 2 bars")) {
        practice.countInBars = *bars;
    }
    practice.metronome = taker.Flag("--metronome");
    if (const auto beats = taker.Number("--beats-per-bar", kMinBeatsPerBar, kMaxBeatsPerBar,
                                        "a number of beats from 2 to 12")) {
        practice.beats.beatsPerBar = *beats;
    }
    practice.beats.columnsPerBeat =
        taker.Number("--columns-per-beat", kMinColumnsPerBeat, kMaxColumnsPerBeat,
                     "a number of columns from 1 to 16");
    if (const auto speed = taker.Number("--speed", kMinSpeedPercent, kMaxSpeedPercent,
                                        "a percentage from 25 to 200")) {
        practice.speedPercent = *speed;
    }
    std::optional<LoopedSelection> loop;
    if (const auto value = taker.Value("--loop")) {
        loop = ReadLoop(*value);
        if (!loop) taker.Fail("--loop takes TAB:FIRST-LAST, two columns at least");
    }
    const auto passes = taker.Number("--passes", 1, kMaxPasses, "a number of passes from 1");
    if (const auto value = taker.Value("--trainer")) {
        practice.trainer = ReadTrainer(*value);
        if (!practice.trainer) {
            taker.Fail("--trainer takes START:STEP:PASSES:END, percentages from 25 to 200");
        }
    }
    if (loop && passes) {
        loop->passes = *passes;
    } else if (loop || passes) {
        taker.Fail("--loop and --passes go together");
    } else if (practice.trainer) {
        taker.Fail("--trainer needs --loop and --passes");
    }
    return {{practice, loop}, taker.Given(), taker.Error()};
}

}  // namespace fretlux
