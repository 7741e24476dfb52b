// SPDX-License-Identifier: MIT
#include "cli/commands.h"

#include <unistd.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/start_settings.h"
#include "cli/chord_command.h"
#include "cli/document_json.h"
#include "cli/listen_commands.h"
#include "cli/play_commands.h"
#include "cli/read_input.h"
#include "document/file_messages.h"
#include "document/safe_save.h"
#include "document/strings.h"
#include "document/tab_file_writer.h"
#include "exports/musicxml_writer.h"
#include "import/open_document.h"

namespace fretlux {

namespace {

constexpr std::string_view kUsage =
    "usage: fretlux-cli convert IN OUT\n"
    "       fretlux-cli dump IN\n"
    "       fretlux-cli play IN [--log]\n"
    "       fretlux-cli export IN OUT.mid|OUT.musicxml\n"
    "       fretlux-cli render IN OUT.wav\n"
    "       fretlux-cli tracks IN\n"
    "       fretlux-cli chord FILE TYPE VARIATION\n"
    "       fretlux-cli listen IN TAKE.wav\n"
    "       fretlux-cli tune TAKE.wav\n"
    "\n"
    "  IN is a TAB file (the Fretlux form when its name ends in \"flx\", else plain), a Guitar\n"
    "  Pro 3 to 8 file (.gp3, .gp4, .gp5, .gpx, .gp) or a MusicXML score (.musicxml, .xml,\n"
    "  .mxl): its content decides. --track N (from 1), given to any command but tracks, tune\n"
    "  and chord, reads that track of a file that holds several; else the first six-string\n"
    "  track.\n"
    "\n"
    "  convert  read IN and write it to OUT, in the Fretlux form when OUT ends\n"
    "           in \"flx\" (any case), else in the plain TAB form\n"
    "  dump     print IN as JSON\n"
    "  tracks   print one JSON line per track of IN: name, strings, tuning, capo, notes\n"
    "  play     play IN as the window does after Open and Start, through the built-in\n"
    "           synthesiser; with --log print each MIDI message instead, one per line:\n"
    "           milliseconds since Start, status, data 1, data 2\n"
    "  export   write the messages play would send as a Standard MIDI File, or with OUT\n"
    "           ending in \".musicxml\" or \".xml\" the notes as MusicXML for notation programs\n"
    "  render   render them through the built-in synthesiser into a WAVE file\n"
    "  chord    read chord type TYPE (0..32), variation VARIATION (0..2) out of FILE as the\n"
    "           chord finder reads a chord file, and print the six strings' note contents as\n"
    "           JSON, low E string first (null where the file has no such chord)\n"
    "  listen   judge TAKE.wav, someone playing IN from the press of Start on: one JSON line\n"
    "           per column that begins notes, with the notes expected and heard, the verdict\n"
    "           (right, wrong or missed) and the timing, then a summary line\n"
    "  tune     print one JSON line per note heard in TAKE.wav: its time, the nearest open\n"
    "           string (6 = low E), the note and how many cents it is off\n"
    "\n"
    "  TAKE.wav holds 16-bit or 32-bit float PCM, mono or stereo, at 8000 to 192000 Hz.\n";

// Runs save, which writes a file and gives the description of its failure; whatever goes wrong,
// memory included, is reported as the window reports a failed Save.
int SaveReporting(const std::function<std::optional<std::string>()>& save, std::ostream& err) {
    std::optional<std::string> failure;
    try {
        failure = save();
    } catch (const std::exception& exception) {
        failure = exception.what();
    }
    if (!failure) return kExitSuccess;
    err << SaveFailedMessage(*failure) << '\n';
    return kExitFileFailure;
}

bool NamesMusicXml(const std::string& path) {
    const std::string extension = UpperAscii(std::filesystem::path(path).extension().string());
    return extension == ".MUSICXML" || extension == ".XML";
}

}  // namespace

int ConvertTabFile(const std::string& in, const std::string& outPath, std::ostream& err,
                   std::optional<int> track) {
    // A TAB file may be converted in place; a file of another program's is never overwritten.
    if (IsImportedFile(in) && RefusedAsInput(in, outPath, err)) return kExitFileFailure;
    const std::optional<TabDocument> document = ReadInput(in, track, err);
    if (!document) return kExitFileFailure;
    return SaveReporting([&] { return SaveTabFile(outPath, *document, FormOfPath(outPath)); }, err);
}

int ExportMusicXmlFile(const std::string& in, const std::string& outPath, std::ostream& err,
                       std::optional<int> track) {
    if (RefusedAsInput(in, outPath, err)) return kExitFileFailure;
    const std::optional<TabDocument> document = ReadInput(in, track, err);
    if (!document) return kExitFileFailure;
    const std::string title = std::filesystem::path(in).stem().string();
    return SaveReporting(
        [&] { return SaveFileReplacing(outPath, MusicXmlScore(*document, kStartSettings, title)); },
        err);
}

bool RefusedAsInput(const std::string& in, const std::string& outPath, std::ostream& err) {
    std::error_code ignored;
    if (!std::filesystem::equivalent(in, outPath, ignored)) return false;
    err << "fretlux-cli: " << outPath << " is the file being read; give the output another name\n";
    return true;
}

int DumpTabFile(const std::string& in, std::ostream& out, std::ostream& err,
                std::optional<int> track) {
    const std::optional<TabDocument> document = ReadInput(in, track, err);
    if (!document) return kExitFileFailure;
    WriteDocumentJson(*document, out);
    out << '\n';
    return FinishStandardOutput(out, err);
}

int FinishStandardOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return kExitSuccess;
    err << "fretlux-cli: could not write to standard output\n";
    return kExitFileFailure;
}

// Takes "--track N" out of args: N, or nothing when it is not given; false for a malformed one.
bool TakeTrackOption(std::vector<std::string>& args, std::optional<int>& track) {
    const auto option = std::find(args.begin(), args.end(), "--track");
    if (option == args.end()) return true;
    if (option + 1 == args.end()) return false;
    const std::string& number = *(option + 1);
    if (number.empty() || number.size() > 6 || !std::all_of(number.begin(), number.end(), IsDigit))
        return false;
    track = std::stoi(number);
    args.erase(option, option + 2);
    return true;
}

int RunCommandLine(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage;
        return FinishStandardOutput(out, err);
    }
    std::optional<int> track;
    if (!TakeTrackOption(args, track)) {
        err << kUsage;
        return kExitUsage;
    }
    if (args.size() == 3 && args[0] == "convert")
        return ConvertTabFile(args[1], args[2], err, track);
    if (args.size() == 2 && args[0] == "dump") return DumpTabFile(args[1], out, err, track);
    if (args.size() == 2 && args[0] == "tracks" && !track) return PrintTracks(args[1], out, err);
    if (args.size() == 3 && args[0] == "play" && args[2] == "--log") {
        return LogPlayback(args[1], out, err, track);
    }
    if (args.size() == 2 && args[0] == "play") return PlayAloud(args[1], err, track);
    if (args.size() == 3 && args[0] == "export") {
        if (NamesMusicXml(args[2])) return ExportMusicXmlFile(args[1], args[2], err, track);
        return ExportMidiFile(args[1], args[2], err, track);
    }
    if (args.size() == 3 && args[0] == "render") {
        return RenderWaveFile(args[1], args[2], isatty(STDERR_FILENO) == 1, err, track);
    }
    if (args.size() == 3 && args[0] == "listen") {
        return PrintTakeJudgement(args[1], args[2], out, err, track);
    }
    if (args.size() == 2 && args[0] == "tune" && !track) return PrintTunedNotes(args[1], out, err);
    if (args.size() == 4 && args[0] == "chord" && !track) {
        if (const auto status = PrintChord(args[1], args[2], args[3], out, err)) return *status;
    }
    err << kUsage;
    return kExitUsage;
}

}  // namespace fretlux
