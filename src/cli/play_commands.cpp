// SPDX-License-Identifier: MIT
#include "cli/play_commands.h"

#include <thread>
#include <vector>

#include "app/tab_player.h"
#include "cli/commands.h"
#include "cli/read_input.h"
#include "document/file_messages.h"
#include "document/safe_save.h"
#include "playback/standard_midi_file.h"
#include "playback/wave_file.h"
#include "sound/fluidsynth_output.h"
#include "sound/offline_render.h"
#include "sound/wave_rendering.h"

namespace fretlux {

namespace {

// How long the last notes may ring after playback halted, before the synthesiser is closed.
constexpr auto kRingOut = std::chrono::seconds(2);
constexpr int kProgressBarWidth = 40;

// The file's document, when it can be opened and holds the loop the options ask for; else the
// reason is reported, a file as the window reports it, and exitCode says the exit code.
std::optional<TabDocument> ReadPlayable(const std::string& in, std::optional<int> track,
                                        const PlayOptions& options, std::ostream& err,
                                        int& exitCode) {
    exitCode = kExitFileFailure;
    auto document = ReadInput(in, track, err);
    if (!document || !options.loop) return document;
    if (const auto outside = LoopOutsideDocument(*document, *options.loop)) {
        err << "fretlux-cli: --loop: " << *outside << '\n';
        exitCode = kExitUsage;
        return std::nullopt;
    }
    return document;
}

// Plays the file's document on the virtual clock and keeps what it sent.
std::optional<std::vector<TimedMidiMessage>> RecordPlayback(const std::string& in,
                                                            std::optional<int> track,
                                                            const PlayOptions& options,
                                                            std::ostream& err, int& exitCode) {
    const auto document = ReadPlayable(in, track, options, err, exitCode);
    if (!document) return std::nullopt;
    return PlayDocument(*document, options);
}

int ReportSaveFailure(const std::string& description, std::ostream& err) {
    err << SaveFailedMessage(description) << '\n';
    return kExitFileFailure;
}

void DrawProgress(double fraction, std::ostream& err) {
    const int filled = static_cast<int>(fraction * kProgressBarWidth);
    err << "\rRendering [" << std::string(filled, '#')
        << std::string(kProgressBarWidth - filled, ' ') << "] " << static_cast<int>(fraction * 100)
        << '%' << std::flush;
}

}  // namespace

int LogPlayback(const std::string& in, std::ostream& out, std::ostream& err,
                std::optional<int> track, const PlayOptions& options) {
    int exitCode = kExitSuccess;
    const auto document = ReadPlayable(in, track, options, err, exitCode);
    if (!document) return exitCode;
    PlayDocument(
        *document, PlayClock::Virtual,
        [&out](const TimedMidiMessage& m) {
            out << m.milliseconds << ' ' << m.Status() << ' ' << m.Data1() << ' ' << m.Data2()
                << '\n';
        },
        options);
    return FinishStandardOutput(out, err);
}

int PlayAloud(const std::string& in, std::ostream& err, std::optional<int> track,
              const PlayOptions& options) {
    int exitCode = kExitSuccess;
    const auto document = ReadPlayable(in, track, options, err, exitCode);
    if (!document) return exitCode;
    FluidSynthOutput synthesiser;
    synthesiser.Open();
    synthesiser.WaitUntilSetUp();
    err << synthesiser.Status() << '\n';
    PlayDocument(
        *document, PlayClock::RealTime,
        [&](const TimedMidiMessage& m) { synthesiser.SendShortMessage(m.message); }, options);
    std::this_thread::sleep_for(kRingOut);
    synthesiser.Close();
    return kExitSuccess;
}

int ExportMidiFile(const std::string& in, const std::string& outPath, std::ostream& err,
                   std::optional<int> track, const PlayOptions& options) {
    if (RefusedAsInput(in, outPath, err)) return kExitFileFailure;
    int exitCode = kExitSuccess;
    const auto events = RecordPlayback(in, track, options, err, exitCode);
    if (!events) return exitCode;
    if (const auto failure = SaveFileReplacing(outPath, StandardMidiFileBytes(*events))) {
        return ReportSaveFailure(*failure, err);
    }
    return kExitSuccess;
}

int RenderWaveFile(const std::string& in, const std::string& outPath, bool progressBar,
                   std::ostream& err, std::optional<int> track, const PlayOptions& options) {
    if (RefusedAsInput(in, outPath, err)) return kExitFileFailure;
    int exitCode = kExitSuccess;
    const auto events = RecordPlayback(in, track, options, err, exitCode);
    if (!events) return exitCode;
    std::string failure;
    const auto synth = CreateRenderingSynth(failure);
    if (!synth) {
        err << "fretlux-cli: no sound to render: " << failure << '\n';
        return kExitFileFailure;
    }
    WaveFileWriter wave;
    if (!wave.Open(outPath, static_cast<int>(synth->SampleRate()))) {
        return ReportSaveFailure(wave.Error(), err);
    }
    const FrameSink sink = [&wave](auto left, auto right) { return wave.Append(left, right); };
    const ProgressReport progress = [&err](double fraction) { DrawProgress(fraction, err); };
    const bool rendered =
        RenderOffline(*synth, *events, sink, progressBar ? progress : nullptr, failure);
    if (progressBar) err << '\n';
    if (rendered && wave.Finish()) return kExitSuccess;
    return ReportSaveFailure(wave.Error().empty() ? failure : wave.Error(), err);
}

}  // namespace fretlux
