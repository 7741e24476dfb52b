// SPDX-License-Identifier: MIT
// How well fretlux-cli listen and tune hear a student: the takes of take_set.h, in tune (and one
// seed of them through the other guitars), and on a guitar out of tune; detuned plucked strings and
// notes rendered in tune for the tuner. The commands run as separate processes, so their CPU time
// is theirs alone.
//
//   listening_takes_bench [SEEDS] [--tuner]    (2 seeds unless given; --tuner: the tuner alone)
//
// Prints, per group, the share of right columns judged right, the share of wrong or left-out
// columns caught, the tuner's error in cents, and the CPU time per second of audio.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "listening/tuner.h"
#include "listening/wave_reader.h"
#include "take_set.h"
#include "truth_lines.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace fretlux::takes;
using fretlux::LiveTuner;
using fretlux::ReadTakeFile;
using fretlux::TakeReading;

constexpr int kTunerNotes = 12;
// A student's guitar that nobody has tuned for a while, or that was tuned by ear to itself: the
// takes of one seed again, every string this far from concert pitch.
constexpr std::array kUntunedCents{-40.0, 40.0};

// ", 40 c flat"
std::string Detuning(double cents) {
    return ", " + std::to_string(std::lround(std::fabs(cents))) +
           (cents < 0 ? " c flat" : " c sharp");
}

struct Run {
    bool ok = false;
    double cpuSeconds = 0;
};

// Runs the command with its standard output to outPath, its standard error to errPath.
Run RunCommand(const std::vector<std::string>& args, const std::string& outPath,
               const std::string& errPath) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Run run;
    if (spawned != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpuSeconds = double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec) +
                     1e-6 * double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    return run;
}

// The length of a 16-bit stereo WAVE file as take_maker writes it.
double AudioSeconds(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    unsigned char header[44] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    const auto word = [&header](int at) {
        return std::uint32_t(header[at]) | std::uint32_t(header[at + 1]) << 8 |
               std::uint32_t(header[at + 2]) << 16 | std::uint32_t(header[at + 3]) << 24;
    };
    const double rate = word(24);
    return rate > 0 ? word(40) / 4.0 / rate : 0;
}

double Percent(int part, int whole) { return whole ? 100.0 * part / whole : 0; }

struct Group {
    Group(std::string groupName, double rightTarget)
        : name(std::move(groupName)), target(rightTarget) {}

    std::string name;
    double target;  // for the right columns judged right, in percent; 0 for none
    int right = 0;
    int judgedRight = 0;
    int faulty = 0;
    int caught = 0;
    int heardAsPlayed = 0;
    double timingErrorMs = 0;
    int timed = 0;
    int failedRuns = 0;
    std::vector<std::string> examples;

    void Add(const VerdictScores& scores) {
        right += scores.rightColumns;
        judgedRight += scores.judgedRight;
        faulty += scores.faultyColumns;
        caught += scores.caught;
        heardAsPlayed += scores.heardAsPlayed;
        timingErrorMs += scores.timingErrorMs;
        timed += scores.timed;
        for (const std::string& line : scores.disagreements) {
            if (examples.size() < 3) examples.push_back(line);
        }
    }
    void Print() const {
        std::printf("%-28s right judged right %5.1f %% of %5d", name.c_str(),
                    Percent(judgedRight, right), right);
        if (target > 0) std::printf(" (target %.0f %%)", target);
        std::printf(
            ", faults caught %5.1f %% of %4d (target 95 %%), notes heard as played "
            "%5.1f %%, onset error %.1f ms",
            Percent(caught, faulty), faulty, Percent(heardAsPlayed, right + faulty),
            timed ? timingErrorMs / timed : 0);
        if (failedRuns) std::printf(", %d runs failed", failedRuns);
        std::printf("\n");
        for (const std::string& example : examples) std::printf("    e.g. %s\n", example.c_str());
    }
};

struct TunerGroup {
    TunerGroup(std::string groupName, double centsTarget)
        : name(std::move(groupName)), target(centsTarget) {}

    std::string name;
    double target;
    int notes = 0;
    int named = 0;
    double centsError = 0;
    double worst = 0;
    int failedRuns = 0;
    std::vector<std::string> examples;

    void Add(const TunerScores& scores) {
        notes += scores.notes;
        named += scores.named;
        centsError += scores.centsError;
        worst = std::max(worst, scores.worstCentsError);
        for (const std::string& line : scores.disagreements) {
            if (examples.size() < 3) examples.push_back(line);
        }
    }
    void Print() const {
        std::printf(
            "%-28s notes named %5.1f %% of %4d, mean error %.2f cents, worst %.2f "
            "(target %.0f)",
            name.c_str(), Percent(named, notes), notes, named ? centsError / named : 0, worst,
            target);
        if (failedRuns) std::printf(", %d runs failed", failedRuns);
        std::printf("\n");
        for (const std::string& example : examples) std::printf("    e.g. %s\n", example.c_str());
    }
};

// The window's tuner on a tuner take: its readings from when a note has settled until a second
// after its onset (the takes' notes last longer), against the note's truth.
struct LiveTunerGroup {
    explicit LiveTunerGroup(std::string groupName) : name(std::move(groupName)) {}

    std::string name;
    int readings = 0;
    int named = 0;
    int green = 0;  // within the needle's green ±3 cents
    double centsError = 0;
    std::vector<std::string> examples;

    void Add(const std::string& wavePath, const std::string& truthPath) {
        const TakeReading take = ReadTakeFile(wavePath);
        std::ifstream file(truthPath);
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        std::vector<std::string> unreadable;
        const std::vector<TunerReading> truth = ReadTunerLines(text, unreadable);
        if (!take.audio || truth.empty()) return;
        const int rate = take.audio->sampleRate;
        LiveTuner tuner(rate);
        const std::span<const float> samples(take.audio->samples);
        constexpr std::size_t kBlock = 512;
        for (std::size_t at = 0; at < samples.size(); at += kBlock) {
            tuner.Feed(samples.subspan(at, std::min(kBlock, samples.size() - at)),
                       [&](const fretlux::TunerReading& reading) { Judge(reading, truth, rate); });
        }
    }
    void Judge(const fretlux::TunerReading& reading, const std::vector<TunerReading>& truth,
               int rate) {
        const double ms = 1000.0 * double(reading.endSample) / rate;
        for (const TunerReading& note : truth) {
            if (ms < double(note.timeMs) + 300 || ms > double(note.timeMs) + 1000) continue;
            ++readings;
            const double error = reading.pitched ? 100.0 * (reading.pitch.midi - note.midi) +
                                                       reading.pitch.cents - note.cents
                                                 : 1e9;
            if (reading.pitched && reading.pitch.midi == note.midi) {
                ++named;
                centsError += std::abs(error);
                if (std::abs(error) <= 3) ++green;
            } else if (examples.size() < 3) {
                examples.push_back(note.note + " at " + std::to_string(note.timeMs) + " ms read " +
                                   (reading.pitched ? std::to_string(reading.pitch.midi)
                                                    : std::string("as no pitch")) +
                                   " at " + std::to_string(std::lround(ms)) + " ms");
            }
        }
    }
    void Print() const {
        std::printf(
            "%-28s readings naming the note %5.1f %% of %5d, mean error %.2f cents, within "
            "±3 cents %5.1f %%\n",
            name.c_str(), Percent(named, readings), readings, named ? centsError / named : 0,
            Percent(green, readings));
        for (const std::string& example : examples) std::printf("    e.g. %s\n", example.c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 2;
    const bool tunerOnly = argc > 2 && std::string(argv[2]) == "--tuner";
    const fs::path work =
        fs::temp_directory_path() / ("fretlux-listening-" + std::to_string(getpid()));
    fs::create_directories(work);
    const std::string cli = FRETLUX_CLI_PATH;
    const std::string err = (work / "stderr").string();
    std::ostringstream quiet;

    struct Kinds {
        Group singles, chords, noisy;
        void Print() const {
            singles.Print();
            chords.Print();
            noisy.Print();
        }
    };
    Kinds inTune{{"single notes", 97}, {"chords", 95}, {"with noise", 90}};
    Kinds otherGuitars{{"single notes, other guitars", 0},
                       {"chords, other guitars", 0},
                       {"with noise, other guitars", 0}};
    std::vector<Kinds> untuned;
    for (const double cents : kUntunedCents) {
        untuned.push_back({{"single notes" + Detuning(cents), 97},
                           {"chords" + Detuning(cents), 95},
                           {"with noise" + Detuning(cents), 90}});
    }
    // The takes in tune by soundfont and patch, with noise or without.
    std::map<std::string, Group> sounds;
    double listenCpu = 0, listenAudio = 0;
    int takes = 0;   // in tune
    int judged = 0;  // in all
    const auto judgeInto = [&](Kinds& kinds, bool inTuneTakes) {
        return [&, inTuneTakes](const TakeCase& take) {
            Group& group = take.noise ? kinds.noisy : take.chords ? kinds.chords : kinds.singles;
            Group* bySound = inTuneTakes
                                 ? &sounds.try_emplace(take.sound, take.sound, 0).first->second
                                 : nullptr;
            const std::string heard = (work / "heard.jsonl").string();
            const Run run =
                RunCommand({cli, "listen", take.request.in, take.request.wavePath}, heard, err);
            ++judged;
            takes += inTuneTakes;
            const auto scores = JudgeListening(take.request.truthPath, heard, quiet);
            if (!run.ok || !scores) {
                ++group.failedRuns;
                if (bySound) ++bySound->failedRuns;
                return;
            }
            group.Add(*scores);
            if (bySound) {
                bySound->Add(*scores);
                listenCpu += run.cpuSeconds;
                listenAudio += AudioSeconds(take.request.wavePath);
            }
            std::fprintf(stderr, "\r%d takes judged (%s, %s)   ", judged, take.lesson,
                         take.sound.c_str());
        };
    };
    bool made = tunerOnly ||
                (MakeEachTake(work, {seeds}, judgeInto(inTune, true)) &&
                 MakeEachTake(work, {.patches = kOtherPatches}, judgeInto(otherGuitars, true)));
    for (std::size_t u = 0; made && !tunerOnly && u < untuned.size(); ++u) {
        made = MakeEachTake(work, {.detuneCents = kUntunedCents[u]}, judgeInto(untuned[u], false));
    }
    if (!made) return 1;
    std::fprintf(stderr, "\n");

    TunerGroup plucked{"plucked strings", 2}, pluckedNoisy{"plucked strings, noise", 2},
        rendered{"rendered notes", 3};
    double tuneCpu = 0, tuneAudio = 0;
    LiveTunerGroup livePlucked{"live, plucked strings"}, livePluckedNoisy{"live, strings, noise"},
        liveRendered{"live, rendered notes"};
    const auto judgeTuning = [&](const TunerTakeRequest& request, TunerGroup& group,
                                 LiveTunerGroup& live) {
        if (MakeTunerTake(request, std::cerr) != 0) {
            ++group.failedRuns;
            return;
        }
        const std::string heard = (work / "tuned.jsonl").string();
        const Run run = RunCommand({cli, "tune", request.wavePath}, heard, err);
        const auto scores = JudgeTuning(request.truthPath, heard, quiet);
        if (!run.ok || !scores) {
            ++group.failedRuns;
            return;
        }
        group.Add(*scores);
        live.Add(request.wavePath, request.truthPath);
        tuneCpu += run.cpuSeconds;
        tuneAudio += AudioSeconds(request.wavePath);
    };
    for (int seed = 1; seed <= 2 * seeds; ++seed) {
        TunerTakeRequest request;
        request.wavePath = (work / "strings.wav").string();
        request.truthPath = (work / "strings.jsonl").string();
        request.seed = static_cast<std::uint64_t>(seed);
        request.notes = kTunerNotes;
        judgeTuning(request, plucked, livePlucked);
        request.noiseDecibelsBelow = kNoiseBelow;
        judgeTuning(request, pluckedNoisy, livePluckedNoisy);
    }
    for (const auto& [soundfontName, soundfont] : InstalledSoundfonts()) {
        for (const int patch : kPatches) {
            TunerTakeRequest request;
            request.source = TunerSource::Synthesiser;
            request.wavePath = (work / "notes.wav").string();
            request.truthPath = (work / "notes.jsonl").string();
            request.seed = static_cast<std::uint64_t>(patch);
            request.notes = kTunerNotes;
            request.patch = patch;
            request.soundfont = soundfont;
            judgeTuning(request, rendered, liveRendered);
        }
    }

    if (!tunerOnly) {
        std::printf(
            "fretlux-cli listen on %d takes in tune (%.0f s of audio), one seed of them through "
            "4 more guitar patches, %d %% wrong and %d %% left-out columns, noise %.0f dB below "
            "the playing where noted; %d more, those of one seed on guitars out of tune\n",
            takes, listenAudio, int(100 * kWrongShare), int(100 * kMissedShare), kNoiseBelow,
            judged - takes);
        inTune.Print();
        otherGuitars.Print();
        for (const Kinds& kinds : untuned) kinds.Print();
        for (auto& [name, group] : sounds) {
            group.examples.clear();
            group.Print();
        }
    }
    plucked.Print();
    pluckedNoisy.Print();
    rendered.Print();
    livePlucked.Print();
    livePluckedNoisy.Print();
    liveRendered.Print();
    std::printf(
        "CPU time per second of audio: listen %.1f %%, tune %.1f %% of one core "
        "(target 10 %%)\n",
        listenAudio > 0 ? 100 * listenCpu / listenAudio : 0,
        tuneAudio > 0 ? 100 * tuneCpu / tuneAudio : 0);
    fs::remove_all(work);
    return 0;
}
