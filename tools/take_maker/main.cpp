// SPDX-License-Identifier: MIT
// take_maker: takes of a student playing, with their truth, for judging Fretlux's listener, and
// the judges that set the listener's lines against that truth.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "take_commands.h"

namespace {

using namespace fretlux::takes;

constexpr const char* kUsage =
    "usage:\n"
    "  take_maker take IN OUT.wav TRUTH.jsonl [--track N] [--seed N] [--soundfont SF2]\n"
    "             [--patch P] [--timing MS] [--strum MS] [--wrong PERCENT] [--missed PERCENT]\n"
    "             [--noise DB_BELOW] [--detune CENTS]\n"
    "  take_maker strings OUT.wav TRUTH.jsonl [--seed N] [--notes N] [--noise DB_BELOW]\n"
    "  take_maker notes OUT.wav TRUTH.jsonl [--seed N] [--notes N] [--soundfont SF2]\n"
    "             [--patch P] [--noise DB_BELOW]\n"
    "  take_maker excerpt IN FIRST_TAB LAST_TAB OUT.flx\n"
    "  take_maker judge TRUTH.jsonl LISTEN_OUTPUT.jsonl\n"
    "  take_maker judge-tuner TRUTH.jsonl TUNE_OUTPUT.jsonl [--cents LIMIT]\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;

    double Number(const std::string& name, double fallback) const {
        const auto found = options.find(name);
        return found == options.end() ? fallback : std::strtod(found->second.c_str(), nullptr);
    }
    std::string Text(const std::string& name) const {
        const auto found = options.find(name);
        return found == options.end() ? "" : found->second;
    }
    std::optional<double> Maybe(const std::string& name) const {
        if (options.count(name) == 0) return std::nullopt;
        return Number(name, 0);
    }
};

int Usage() {
    std::cerr << kUsage;
    return 2;
}

int Take(const Arguments& args) {
    if (args.positional.size() != 3) return Usage();
    TakeRequest request;
    request.in = args.positional[0];
    request.wavePath = args.positional[1];
    request.truthPath = args.positional[2];
    if (const auto track = args.Maybe("track")) request.track = static_cast<int>(*track);
    request.soundfont = args.Text("soundfont");
    StudentHabits& habits = request.habits;
    habits.seed = static_cast<std::uint64_t>(args.Number("seed", 1));
    habits.patch = static_cast<int>(args.Number("patch", habits.patch));
    habits.timingMs = static_cast<int>(args.Number("timing", habits.timingMs));
    habits.strumMs = static_cast<int>(args.Number("strum", habits.strumMs));
    habits.wrongShare = args.Number("wrong", 0) / 100;
    habits.missedShare = args.Number("missed", 0) / 100;
    request.noiseDecibelsBelow = args.Maybe("noise");
    request.detuneCents = args.Number("detune", 0);
    return MakeTake(request, std::cerr);
}

int MakeTunerTakeFrom(const Arguments& args, TunerSource source) {
    if (args.positional.size() != 2) return Usage();
    TunerTakeRequest request;
    request.source = source;
    request.wavePath = args.positional[0];
    request.truthPath = args.positional[1];
    request.seed = static_cast<std::uint64_t>(args.Number("seed", 1));
    request.notes = static_cast<int>(args.Number("notes", request.notes));
    request.patch = static_cast<int>(args.Number("patch", request.patch));
    request.soundfont = args.Text("soundfont");
    request.noiseDecibelsBelow = args.Maybe("noise");
    return MakeTunerTake(request, std::cerr);
}

int Judge(const Arguments& args) {
    if (args.positional.size() != 2) return Usage();
    const auto scores = JudgeListening(args.positional[0], args.positional[1], std::cerr);
    if (!scores) return 1;
    for (const std::string& disagreement : scores->disagreements) {
        std::cerr << disagreement << '\n';
    }
    std::printf(
        "{\"columns\": %d, \"right\": %d, \"judged_right\": %d, \"faulty\": %d, \"caught\": %d, "
        "\"agreed\": %d, \"heard_as_played\": %d, \"timing_error_ms\": %.1f}\n",
        scores->columns, scores->rightColumns, scores->judgedRight, scores->faultyColumns,
        scores->caught, scores->agreed, scores->heardAsPlayed,
        scores->timed ? scores->timingErrorMs / scores->timed : 0);
    return scores->disagreements.empty() ? 0 : 1;
}

int JudgeTuner(const Arguments& args) {
    if (args.positional.size() != 2) return Usage();
    const auto scores = JudgeTuning(args.positional[0], args.positional[1], std::cerr);
    if (!scores) return 1;
    for (const std::string& disagreement : scores->disagreements) {
        std::cerr << disagreement << '\n';
    }
    std::printf(
        "{\"notes\": %d, \"named\": %d, \"mean_cents_error\": %.2f, "
        "\"worst_cents_error\": %.2f}\n",
        scores->notes, scores->named, scores->named ? scores->centsError / scores->named : 0,
        scores->worstCentsError);
    const double limit = args.Number("cents", 1e9);
    if (scores->worstCentsError > limit) {
        std::cerr << "a reading is off by more than " << limit << " cents\n";
        return 1;
    }
    return scores->disagreements.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    Arguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) == 0) {
            if (i + 1 >= argc) return Usage();
            args.options[arg.substr(2)] = argv[++i];
        } else {
            args.positional.push_back(arg);
        }
    }
    if (command == "take") return Take(args);
    if (command == "strings") return MakeTunerTakeFrom(args, TunerSource::PluckedStrings);
    if (command == "notes") return MakeTunerTakeFrom(args, TunerSource::Synthesiser);
    if (command == "judge") return Judge(args);
    if (command == "judge-tuner") return JudgeTuner(args);
    if (command == "excerpt" && args.positional.size() == 4) {
        return WriteExcerpt(args.positional[0], std::atoi(args.positional[1].c_str()),
                            std::atoi(args.positional[2].c_str()), args.positional[3], std::cerr);
    }
    return Usage();
}
