// SPDX-License-Identifier: MIT
#include "take_commands.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "app/tab_player.h"
#include "cli/read_input.h"
#include "document/safe_save.h"
#include "document/tab_file_writer.h"
#include "sound/soundfont_synth.h"
#include "take_audio.h"
#include "truth_lines.h"
#include "tuner_take.h"

namespace fretlux::takes {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongArguments = 2;

std::string SoundfontOrDefault(const std::string& soundfont) {
    return soundfont.empty() ? ChooseSoundfont().path : soundfont;
}

bool Save(const std::string& path, const std::string& bytes, std::ostream& err) {
    if (const auto failure = SaveFileReplacing(path, bytes)) {
        err << "take_maker: " << path << ": " << *failure << '\n';
        return false;
    }
    return true;
}

bool SaveWave(const std::string& path, const TakeAudio& audio, std::ostream& err) {
    std::string failure;
    if (WriteTake(path, audio, failure)) return true;
    err << "take_maker: " << path << ": " << failure << '\n';
    return false;
}

std::optional<std::string> ReadWhole(const std::string& path, std::ostream& err) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        err << "take_maker: cannot read " << path << '\n';
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

int MakeTake(const TakeRequest& request, std::ostream& err) {
    const auto document = ReadInput(request.in, request.track, err);
    if (!document) return kFailed;
    const StudentTake take =
        PlayAsStudent(PlayDocument(*document), PlayedColumns(*document), request.habits);
    std::string failure;
    auto audio = RenderEvents(take.events, SoundfontOrDefault(request.soundfont), failure,
                              request.detuneCents);
    if (!audio) {
        err << "take_maker: no sound to render: " << failure << '\n';
        return kFailed;
    }
    if (request.noiseDecibelsBelow) {
        AddRoomNoise(*audio, *request.noiseDecibelsBelow, request.habits.seed);
    }
    std::ostringstream truth;
    WriteColumnTruth(truth, take.columns);
    if (!SaveWave(request.wavePath, *audio, err)) return kFailed;
    return Save(request.truthPath, truth.str(), err) ? kDone : kFailed;
}

int MakeTunerTake(const TunerTakeRequest& request, std::ostream& err) {
    std::optional<TunerTake> take;
    if (request.source == TunerSource::PluckedStrings) {
        take = PluckedStrings(request.seed, request.notes);
    } else {
        std::string failure;
        take = RenderedNotes(request.seed, request.notes, request.patch,
                             SoundfontOrDefault(request.soundfont), failure);
        if (!take) {
            err << "take_maker: no sound to render: " << failure << '\n';
            return kFailed;
        }
    }
    if (request.noiseDecibelsBelow) {
        AddRoomNoise(take->audio, *request.noiseDecibelsBelow, request.seed);
    }
    std::ostringstream truth;
    WriteTunerTruth(truth, take->readings);
    if (!SaveWave(request.wavePath, take->audio, err)) return kFailed;
    return Save(request.truthPath, truth.str(), err) ? kDone : kFailed;
}

int WriteExcerpt(const std::string& in, int first, int last, const std::string& out,
                 std::ostream& err) {
    const auto document = ReadInput(in, std::nullopt, err);
    if (!document) return kFailed;
    if (first < 1 || last < first || last > document->tabCount) {
        err << "take_maker: " << in << " has TABs 1 to " << document->tabCount << '\n';
        return kWrongArguments;
    }
    TabDocument excerpt;
    for (int t = first; t <= last; ++t) {
        excerpt.tabLines[static_cast<size_t>(t - first)] = document->tabLines[size_t(t - 1)];
        excerpt.tabTexts[static_cast<size_t>(t - first)] = document->tabTexts[size_t(t - 1)];
    }
    excerpt.tabCount = last - first + 1;
    return Save(out, WriteEnhancedForm(excerpt), err) ? kDone : kFailed;
}

std::optional<VerdictScores> JudgeListening(const std::string& truthPath,
                                            const std::string& heardPath, std::ostream& err) {
    const auto truthText = ReadWhole(truthPath, err);
    const auto heardText = ReadWhole(heardPath, err);
    if (!truthText || !heardText) return std::nullopt;
    const ColumnLines truth = ReadColumnLines(*truthText, "played");
    if (!truth.unreadable.empty()) {
        err << "take_maker: " << truthPath << " is not a take's truth\n";
        return std::nullopt;
    }
    return JudgeVerdicts(truth, ReadColumnLines(*heardText, "heard"));
}

std::optional<TunerScores> JudgeTuning(const std::string& truthPath, const std::string& heardPath,
                                       std::ostream& err) {
    const auto truthText = ReadWhole(truthPath, err);
    const auto heardText = ReadWhole(heardPath, err);
    if (!truthText || !heardText) return std::nullopt;
    std::vector<std::string> unreadable;
    const auto truth = ReadTunerLines(*truthText, unreadable);
    if (!unreadable.empty()) {
        err << "take_maker: " << truthPath << " is not a tuner take's truth\n";
        return std::nullopt;
    }
    TunerScores scores = JudgeReadings(truth, ReadTunerLines(*heardText, unreadable));
    for (const std::string& line : unreadable) {
        scores.disagreements.insert(scores.disagreements.begin(), "unreadable line: " + line);
    }
    return scores;
}

}  // namespace fretlux::takes
