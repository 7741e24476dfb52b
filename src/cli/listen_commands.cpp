// SPDX-License-Identifier: MIT
#include "cli/listen_commands.h"

#include <cmath>
#include <vector>

#include "app/tab_player.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/read_input.h"
#include "exports/note_spelling.h"
#include "listening/take_judge.h"
#include "listening/tuner.h"
#include "listening/wave_reader.h"

namespace fretlux {

namespace {

std::optional<MonoAudio> ReadTake(const std::string& take, std::ostream& err) {
    TakeReading reading = ReadTakeFile(take);
    if (!reading.audio) err << "fretlux-cli: " << reading.error << '\n';
    return std::move(reading.audio);
}

void WriteNotes(JsonWriter& json, const std::vector<int>& notes) {
    json.BeginArray();
    for (const int note : notes) json.Number(note);
    json.EndArray();
}

void WriteJudgement(const ColumnJudgement& judgement, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject();
    json.Key("tab").Number(judgement.expected.tab);
    json.Key("column").Number(judgement.expected.column);
    json.Key("time_ms").Number(judgement.expected.milliseconds);
    json.Key("expected");
    WriteNotes(json, judgement.expected.notes);
    json.Key("heard");
    WriteNotes(json, judgement.heard);
    json.Key("verdict").String(VerdictName(judgement.verdict));
    json.Key("offset_ms");
    if (judgement.offsetMs) {
        json.Number(*judgement.offsetMs);
    } else {
        json.Null();
    }
    json.EndObject();
    json.Flush();
    out << '\n';
}

void WriteSummary(const TakeSummary& summary, std::ostream& out) {
    JsonWriter json(out);
    json.BeginObject().Key("summary").BeginObject();
    json.Key("columns").Number(summary.columns);
    json.Key("right").Number(summary.right);
    json.Key("wrong").Number(summary.wrong);
    json.Key("missed").Number(summary.missed);
    json.Key("timing_ms").BeginObject();
    if (summary.timing) {
        json.Key("mean").OneDecimal(summary.timing->mean);
        json.Key("sd").OneDecimal(summary.timing->standardDeviation);
    } else {
        json.Key("mean").Null();
        json.Key("sd").Null();
    }
    json.EndObject().EndObject().EndObject();
    json.Flush();
    out << '\n';
}

}  // namespace

int PrintTunedNotes(const std::string& take, std::ostream& out, std::ostream& err) {
    const std::optional<MonoAudio> audio = ReadTake(take, err);
    if (!audio) return kExitFileFailure;
    for (const TunerNote& note : HearNotes(*audio)) {
        JsonWriter json(out);
        json.BeginObject();
        json.Key("time_ms").Number(
            std::llround(1000.0 * static_cast<double>(note.onsetSample) / audio->sampleRate));
        json.Key("string").Number(note.pitch.openString);
        json.Key("note").String(NoteNameWithOctave(note.pitch.midi));
        json.Key("midi").Number(note.pitch.midi);
        json.Key("cents").OneDecimal(note.pitch.cents);
        json.EndObject();
        json.Flush();
        out << '\n';
    }
    return FinishStandardOutput(out, err);
}

int PrintTakeJudgement(const std::string& in, const std::string& take, std::ostream& out,
                       std::ostream& err, std::optional<int> track, const PlayOptions& options) {
    int exitCode = kExitFileFailure;
    const std::optional<TabDocument> document = ReadPlayable(in, track, options, err, exitCode);
    if (!document) return exitCode;
    const std::optional<MonoAudio> audio = ReadTake(take, err);
    if (!audio) return kExitFileFailure;
    std::vector<ExpectedColumn> columns;
    for (const PlayedColumn& played : PlayedColumns(*document, options)) {
        columns.push_back({played.tab, played.column, played.milliseconds, played.notes});
    }
    const std::vector<ColumnJudgement> judgements = JudgeTake(*audio, columns);
    for (const ColumnJudgement& judgement : judgements) WriteJudgement(judgement, out);
    WriteSummary(Summarise(judgements), out);
    return FinishStandardOutput(out, err);
}

}  // namespace fretlux
