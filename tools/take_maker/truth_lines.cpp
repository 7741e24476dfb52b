// SPDX-License-Identifier: MIT
#include "truth_lines.h"

#include <cstdio>

#include "cli/json_writer.h"
#include "json_value.h"

namespace fretlux::takes {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<double> NumberOf(const JsonValue& object, std::string_view key) {
    const JsonValue* value = object.Find(key);
    if (value == nullptr || value->kind != JsonValue::Kind::Number) return std::nullopt;
    return value->number;
}

std::optional<std::vector<int>> NotesOf(const JsonValue& object, std::string_view key) {
    const JsonValue* value = object.Find(key);
    if (value == nullptr || value->kind != JsonValue::Kind::Array) return std::nullopt;
    std::vector<int> notes;
    for (const JsonValue& item : value->items) {
        if (item.kind != JsonValue::Kind::Number) return std::nullopt;
        notes.push_back(static_cast<int>(item.number));
    }
    return notes;
}

std::optional<VerdictSummary> SummaryOf(const JsonValue& summary) {
    const auto columns = NumberOf(summary, "columns");
    const auto right = NumberOf(summary, "right");
    const auto wrong = NumberOf(summary, "wrong");
    const auto missed = NumberOf(summary, "missed");
    if (!columns || !right || !wrong || !missed) return std::nullopt;
    return VerdictSummary{int(*columns), int(*right), int(*wrong), int(*missed)};
}

std::optional<ColumnLine> ColumnOf(const JsonValue& line, std::string_view notesKey) {
    const auto tab = NumberOf(line, "tab");
    const auto column = NumberOf(line, "column");
    const auto time = NumberOf(line, "time_ms");
    const auto expected = NotesOf(line, "expected");
    const auto notes = NotesOf(line, notesKey);
    const JsonValue* verdict = line.Find("verdict");
    const JsonValue* offset = line.Find("offset_ms");
    if (!tab || !column || !time || !expected || !notes || verdict == nullptr ||
        verdict->kind != JsonValue::Kind::String || offset == nullptr) {
        return std::nullopt;
    }
    ColumnLine result{int(*tab), int(*column),  static_cast<std::int64_t>(*time), *expected,
                      *notes,    verdict->text, NumberOf(line, "offset_ms")};
    return result;
}

}  // namespace

void WriteColumnTruth(std::ostream& out, const std::vector<TakenColumn>& columns) {
    for (const TakenColumn& taken : columns) {
        {
            JsonWriter json(out);
            json.BeginObject().Key("tab").Number(taken.expected.tab);
            json.Key("column").Number(taken.expected.column);
            json.Key("time_ms").Number(taken.expected.milliseconds);
            json.Key("expected").BeginArray();
            for (const int note : taken.expected.notes) json.Number(note);
            json.EndArray().Key("played").BeginArray();
            for (const int note : taken.played) json.Number(note);
            json.EndArray().Key("verdict").String(VerdictName(taken.verdict));
            json.Key("offset_ms");
            if (taken.offsetMs) {
                json.Number(*taken.offsetMs);
            } else {
                json.Null();
            }
            json.EndObject();
        }
        out << '\n';
    }
}

void WriteTunerTruth(std::ostream& out, const std::vector<TunerReading>& readings) {
    for (const TunerReading& reading : readings) {
        char cents[32];
        std::snprintf(cents, sizeof cents, "%.1f", reading.cents);
        out << "{\"time_ms\": " << reading.timeMs << ", \"string\": " << reading.string
            << ", \"note\": \"" << reading.note << "\", \"midi\": " << reading.midi
            << ", \"cents\": " << cents << "}\n";
    }
}

ColumnLines ReadColumnLines(std::string_view text, std::string_view notesKey) {
    ColumnLines result;
    for (const std::string_view line : Lines(text)) {
        const auto value = ParseJson(line);
        std::optional<ColumnLine> column;
        if (value && value->kind == JsonValue::Kind::Object) {
            if (const JsonValue* summary = value->Find("summary")) {
                result.summary = SummaryOf(*summary);
                if (result.summary) continue;
            } else {
                column = ColumnOf(*value, notesKey);
            }
        }
        if (column) {
            result.columns.push_back(std::move(*column));
        } else {
            result.unreadable.emplace_back(line);
        }
    }
    return result;
}

std::vector<TunerReading> ReadTunerLines(std::string_view text,
                                         std::vector<std::string>& unreadable) {
    std::vector<TunerReading> readings;
    for (const std::string_view line : Lines(text)) {
        const auto value = ParseJson(line);
        if (value && value->kind == JsonValue::Kind::Object) {
            const auto time = NumberOf(*value, "time_ms");
            const auto string = NumberOf(*value, "string");
            const auto midi = NumberOf(*value, "midi");
            const auto cents = NumberOf(*value, "cents");
            const JsonValue* note = value->Find("note");
            if (time && string && midi && cents && note != nullptr &&
                note->kind == JsonValue::Kind::String) {
                readings.push_back({static_cast<std::int64_t>(*time), int(*string), note->text,
                                    int(*midi), *cents});
                continue;
            }
        }
        unreadable.emplace_back(line);
    }
    return readings;
}

}  // namespace fretlux::takes
