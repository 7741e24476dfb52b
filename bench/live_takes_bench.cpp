// SPDX-License-Identifier: MIT
// How well the live listener hears a student, and how soon: each take of take_set.h is pushed
// through the analysis thread as an audio callback would push it (faster than real time; the
// live_listening_probe measures the time the analysis itself takes), and the sound of every
// onset is judged against the column it belongs to at each hearing (a faint onset, which only the
// keen detector found, only where no other onset came). Prints per group:
// - Score mode, which judges the whole hearing: right columns judged right, faults caught;
// - Wait mode, which judges every hearing: the share of right columns judged right by each
//   hearing (and not taken back by a later hearing), the delay from the column's first note to
//   the hearing that did it, and the share of faulty columns left green after all hearings;
//   and, as Wait mode may hold at a column that sounds the notes still ringing, how many onsets
//   that only the keen ear found came apart from any note played (where the sound grew louder,
//   and where it did not), how many of those were heard as the notes ringing struck again, and
//   how many of these came late enough for Wait mode to have reached the next column.
//
//   live_takes_bench [SEEDS] [--quieter DB] [--detune CENTS] [--other-guitars]
// (1 seed unless given; --quieter: every take that many decibels quieter, as from a microphone
// turned low; --detune: played on a guitar whose every string lies that far from concert pitch;
// --other-guitars: played on jazz, muted, overdriven and distortion guitar.)
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "listening/analysis_thread.h"
#include "listening/take_judge.h"
#include "listening/tuning_follower.h"
#include "listening/wave_reader.h"
#include "playalong/play_along_session.h"
#include "playalong/waiting_play_along.h"
#include "take_set.h"
#include "truth_lines.h"

namespace {

namespace fs = std::filesystem;
using namespace fretlux;
using takes::ColumnLine;

using Hearings = std::vector<std::shared_ptr<const OnsetSound>>;  // of one onset, in order

// Every onset's hearings, in the order of the onsets. Score mode tells the listener each
// column's notes as the player sounds them; Wait mode does not, but has onsets where the sound
// grew no louder reported too. Here every column is told before any is heard, so at concert
// pitch: the guitar's tuning is not known yet.
std::vector<Hearings> HearLive(const MonoAudio& take, const std::vector<ColumnLine>& expect) {
    std::mutex mutex;
    std::map<std::int64_t, Hearings> byOnset;
    {
        ListeningReports reports;
        reports.unswelled = expect.empty();
        reports.sound = [&](std::shared_ptr<const OnsetSound> sound) {
            const std::lock_guard lock(mutex);
            byOnset[sound->onsetSample].push_back(std::move(sound));
        };
        const double seconds = static_cast<double>(take.samples.size()) / take.sampleRate;
        AnalysisThread thread(take.sampleRate, std::move(reports), seconds + 1.0);
        for (const ColumnLine& line : expect) {
            thread.ExpectNotes(line.timeMs * take.sampleRate / 1000, line.expected, 0.0);
        }
        const std::span<const float> samples(take.samples);
        for (std::size_t at = 0; at < samples.size(); at += 256) {
            thread.Push(samples.subspan(at, std::min<std::size_t>(256, samples.size() - at)));
        }
        thread.Stop();
    }
    std::vector<Hearings> onsets;
    for (auto& [onset, hearings] : byOnset) onsets.push_back(std::move(hearings));
    return onsets;
}

struct Group {
    explicit Group(const char* groupName) : name(groupName) {}

    const char* name;
    int right = 0;
    int judgedRight = 0;  // by the whole hearing
    int faulty = 0;
    int caught = 0;
    std::array<int, kHearingSeconds.size()> greenBy{};  // right columns judged right by hearing k
    std::vector<double> greenDelaysMs;
    int faultsTurnedGreen = 0;
    // Of the keen ear's onsets apart from any note played, where the sound grew no louder ([0])
    // and louder ([1]): all, those heard as the notes ringing struck again, and those of these
    // late enough for Wait mode to have reached the next column.
    std::array<int, 2> faintApart{};
    std::array<int, 2> ringingStruckAgain{};
    std::array<int, 2> struckAgainLate{};

    void Print() const {
        const auto percent = [](int part, int whole) { return whole ? 100.0 * part / whole : 0; };
        std::printf(
            "%-13s Score: right judged right %5.1f %% of %4d, faults caught %5.1f %% of %3d\n",
            name, percent(judgedRight, right), right, percent(caught, faulty), faulty);
        std::printf("%-13s Wait: right columns judged right by", "");
        int sum = 0;
        for (std::size_t k = 0; k < greenBy.size(); ++k) {
            sum += greenBy[k];
            std::printf(" %.0f ms %.1f %%%s", 1000 * kHearingSeconds[k], percent(sum, right),
                        k + 1 < greenBy.size() ? "," : "\n");
        }
        std::vector<double> delays = greenDelaysMs;
        std::sort(delays.begin(), delays.end());
        if (!delays.empty()) {
            std::printf(
                "%-13s       from the first note: median %.0f ms, 90 %% within %.0f ms; "
                "faults left green %.1f %%\n",
                "", delays[delays.size() / 2], delays[delays.size() * 9 / 10],
                percent(faultsTurnedGreen, faulty));
        }
        std::printf(
            "%-13s       keen ear's onsets apart from any note played: %d where the sound grew "
            "louder, %d where it did not;\n",
            "", faintApart[1], faintApart[0]);
        std::printf(
            "%-13s       heard as the notes still ringing struck again: %d and %d, of them %d and "
            "%d where Wait mode may already hold at the next column\n",
            "", ringingStruckAgain[1], ringingStruckAgain[0], struckAgainLate[1],
            struckAgainLate[0]);
    }
};

constexpr std::size_t kNotGreen = kHearingSeconds.size();

// A column of the expected notes, each placed where a hand would most likely play it.
PlayAlongColumn ColumnOf(const std::vector<int>& notes) {
    PlayAlongColumn column;
    for (const int note : notes) column.positions.push_back(*PlaceHeardNote(note, {}));
    return column;
}

// As Score mode judges a column: the guitar's tuning followed from column to column.
std::vector<int> ScoreHearing(const std::vector<const Hearings*>& onsets,
                              const std::vector<int>& expected, TuningFollower& tuning) {
    std::vector<int> heard;
    for (const Hearings* hearings : onsets) {
        tuning.Hear(*hearings->back(), expected);
        const std::vector<int> notes =
            NotesBegun(*hearings->back(), expected, tuning.OffsetCents());
        heard.insert(heard.end(), notes.begin(), notes.end());
    }
    std::sort(heard.begin(), heard.end());
    heard.erase(std::unique(heard.begin(), heard.end()), heard.end());
    return heard;
}

bool Faint(const Hearings* hearings) { return hearings->front()->onsets.faint; }

// Each column's onsets, faint ones only where no other onset came.
std::vector<std::vector<const Hearings*>> OnsetsOfColumns(const std::vector<ColumnLine>& truth,
                                                          const std::vector<Hearings>& onsets,
                                                          int rate) {
    std::vector<ExpectedColumn> columns;
    for (const ColumnLine& line : truth) {
        columns.push_back({line.tab, line.column, line.timeMs, line.expected});
    }
    std::vector<double> onsetMs;
    for (const Hearings& hearings : onsets) {
        onsetMs.push_back(1000.0 * static_cast<double>(hearings.front()->onsetSample) / rate);
    }
    const auto owners = AssignOnsets(onsetMs, columns);
    std::vector<std::vector<const Hearings*>> ofColumns(truth.size());
    for (std::size_t o = 0; o < onsets.size(); ++o) {
        if (owners[o]) ofColumns[*owners[o]].push_back(&onsets[o]);
    }
    for (auto& mine : ofColumns) {
        if (!std::all_of(mine.begin(), mine.end(), Faint)) std::erase_if(mine, Faint);
    }
    return ofColumns;
}

// The keen ear's onsets that came more than kApartMs from any note played, each judged against the
// notes of the column played last before it, which still ring: Wait mode holding at a column of
// the same notes would take them for the column played. It reaches the next column no sooner than
// kGreenMs after the first hearing of the note played turned its column green, and takes none of
// the keen ear's onsets from before.
constexpr double kApartMs = 100;
constexpr double kNextColumnMs =
    1000 * kHearingSeconds.front() + static_cast<double>(PlayAlongSession::kGreenMs);

void JudgeFaintApart(const std::vector<ColumnLine>& truth, const std::vector<Hearings>& onsets,
                     int rate, Group& group) {
    std::vector<const ColumnLine*> played;
    for (const ColumnLine& line : truth) {
        if (!line.notes.empty()) played.push_back(&line);
    }
    const auto playedMs = [](const ColumnLine* line) {
        return static_cast<double>(line->timeMs) + line->offsetMs.value_or(0);
    };
    for (const Hearings& hearings : onsets) {
        const OnsetSound& sound = *hearings.back();
        if (!sound.onsets.faint) continue;
        const double ms = 1000.0 * static_cast<double>(sound.onsetSample) / rate;
        const auto next = std::find_if(played.begin(), played.end(),
                                       [&](const ColumnLine* line) { return playedMs(line) > ms; });
        if (next == played.begin() || ms - playedMs(*(next - 1)) <= kApartMs ||
            (next != played.end() && playedMs(*next) - ms <= kApartMs)) {
            continue;
        }
        const std::size_t louder = sound.onsets.louder ? 1 : 0;
        ++group.faintApart[louder];
        std::vector<int> ringing = (*(next - 1))->notes;
        std::sort(ringing.begin(), ringing.end());
        if (NotesBegun(sound, ringing, 0.0) != ringing) continue;
        ++group.ringingStruckAgain[louder];
        group.struckAgainLate[louder] += ms - playedMs(*(next - 1)) >= kNextColumnMs;
    }
}

void Judge(const std::vector<ColumnLine>& truth, const std::vector<Hearings>& waitOnsets,
           const std::vector<Hearings>& scoreOnsets, int rate, Group& group) {
    const auto waitColumns = OnsetsOfColumns(truth, waitOnsets, rate);
    const auto scoreColumns = OnsetsOfColumns(truth, scoreOnsets, rate);
    JudgeFaintApart(truth, waitOnsets, rate, group);
    TuningFollower scoreTuning;
    // Like the window's, it waits at one column after another.
    WaitingPlayAlong wait;
    for (std::size_t c = 0; c < truth.size(); ++c) {
        const std::vector<const Hearings*>& mine = waitColumns[c];
        const std::vector<int>& expected = truth[c].expected;
        const bool playedRight = truth[c].verdict == "right";
        const bool scoredRight = !scoreColumns[c].empty() &&
                                 ScoreHearing(scoreColumns[c], expected, scoreTuning) == expected;
        // Wait mode hears every hearing of the column's onsets in turn; the column is green
        // from the hearing that last made it right.
        std::size_t green = kNotGreen;  // the hearing that made it green
        double greenMs = 0;
        wait.Expect(ColumnOf(expected));
        for (const Hearings* hearings : mine) {
            for (std::size_t k = 0; k < hearings->size(); ++k) {
                const OnsetSound& sound = *(*hearings)[k];
                const double soundMs = 1000.0 * static_cast<double>(sound.onsetSample) / rate;
                wait.Hear({soundMs, (*hearings)[k]});
                if (wait.Current() != WaitingPlayAlong::State::Right) {
                    green = kNotGreen;
                } else if (green == kNotGreen) {
                    const double heardMs =
                        soundMs +
                        1000.0 * static_cast<double>(sound.samples.size() - sound.onsets.last) /
                            rate;
                    // A faint onset is heard once, whole.
                    green = Faint(hearings) ? kHearingSeconds.size() - 1 : k;
                    greenMs = heardMs;
                }
            }
        }
        if (playedRight) {
            ++group.right;
            group.judgedRight += scoredRight;
            if (green != kNotGreen) {
                ++group.greenBy[green];
                group.greenDelaysMs.push_back(greenMs - static_cast<double>(truth[c].timeMs) -
                                              truth[c].offsetMs.value_or(0));
            }
        } else {
            ++group.faulty;
            group.caught += !scoredRight;
            group.faultsTurnedGreen += green != kNotGreen;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 1;
    double quieter = 0.0;
    double detune = 0.0;
    std::span<const int> patches = takes::kPatches;
    for (int a = 2; a < argc; ++a) {
        const std::string option = argv[a];
        if (option == "--other-guitars") patches = takes::kOtherPatches;
        if (option == "--quieter" && a + 1 < argc) quieter = std::atof(argv[++a]);
        if (option == "--detune" && a + 1 < argc) detune = std::atof(argv[++a]);
    }
    const auto gain = static_cast<float>(std::pow(10.0, -quieter / 20.0));
    const fs::path work = fs::temp_directory_path() / ("fretlux-live-" + std::to_string(getpid()));
    fs::create_directories(work);
    Group singles{"single notes"}, chords{"chords"}, noisy{"with noise"};
    int takes = 0;
    const takes::TakeSet set{seeds, detune, patches};
    const bool made = takes::MakeEachTake(work, set, [&](const takes::TakeCase& take) {
        TakeReading audio = ReadTakeFile(take.request.wavePath);
        std::ifstream truthFile(take.request.truthPath);
        std::stringstream truthText;
        truthText << truthFile.rdbuf();
        const takes::ColumnLines truth = takes::ReadColumnLines(truthText.str(), "played");
        if (!audio.audio) return;
        for (float& sample : audio.audio->samples) sample *= gain;
        Judge(truth.columns, HearLive(*audio.audio, {}), HearLive(*audio.audio, truth.columns),
              audio.audio->sampleRate,
              take.noise    ? noisy
              : take.chords ? chords
                            : singles);
        std::fprintf(stderr, "\r%d takes heard (%s, %s)   ", ++takes, take.lesson,
                     take.sound.c_str());
    });
    std::fprintf(stderr, "\n");
    fs::remove_all(work);
    if (!made) return 1;
    std::printf(
        "The live listener on %d takes, %.0f dB quieter than rendered, the guitar %+.0f cents "
        "from concert pitch, noise %.0f dB below the playing where noted\n",
        takes, quieter, detune, takes::kNoiseBelow);
    singles.Print();
    chords.Print();
    noisy.Print();
    return 0;
}
