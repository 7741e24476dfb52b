#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks Fretlux's MusicXML against a notation program, outside CI.

For each tab: fretlux-cli writes it as MIDI (what Fretlux plays) and as MusicXML; MuseScore 3
imports the MusicXML and writes it back as MIDI and as MusicXML. The script compares the notes
(pitch, order, onset) of the two MIDI files, and the measures, tempo marks, strings and frets of
the two MusicXML files.

Fretlux's player differs from the notation in known, small ways that show up as onset
differences: a bar column the player does not skip (one at column 0, the second of two) costs
it one silent column, and the last column of a TAB lasts as long as a column of the next TAB.
Onsets are therefore compared as the time between successive chords, and every difference is
listed. MuseScore also sounds what Fretlux does not: dead notes ("x"), and the chromatic steps
of a slide longer than a semitone; these are its extra chords.

usage: musescore_check.py FRETLUX_CLI [TAB ...]   (default: the tabs beside this script)
"""
import difflib
import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TOLERANCE_MS = 2


def read_midi(path):
    """The note-ons of a Standard MIDI File as (milliseconds, pitch), in time order."""
    data = open(path, "rb").read()
    if data[:4] != b"MThd":
        raise ValueError(path + ": not a MIDI file")
    division = int.from_bytes(data[12:14], "big")
    pos = 8 + int.from_bytes(data[4:8], "big")
    notes, tempos = [], [(0, 500000)]
    while pos < len(data):
        length = int.from_bytes(data[pos + 4:pos + 8], "big")
        track, pos = data[pos + 8:pos + 8 + length], pos + 8 + length
        i, tick, status = 0, 0, 0
        while i < len(track):
            delta = 0
            while True:
                byte = track[i]
                i += 1
                delta = (delta << 7) | (byte & 0x7F)
                if byte < 0x80:
                    break
            tick += delta
            if track[i] >= 0x80:
                status = track[i]
                i += 1
            if status == 0xFF:
                kind, size = track[i], track[i + 1]
                if kind == 0x51:
                    tempos.append((tick, int.from_bytes(track[i + 2:i + 5], "big")))
                i += 2 + size
            elif status in (0xF0, 0xF7):
                size = track[i]
                i += 1 + size
            else:
                size = 1 if status & 0xF0 in (0xC0, 0xD0) else 2
                if status & 0xF0 == 0x90 and track[i + 1] > 0:
                    notes.append((tick, track[i]))
                i += size
    tempos.sort(key=lambda tempo: tempo[0])  # stable: a tempo at tick 0 replaces the default

    def milliseconds(tick):
        ms, last_tick, tempo = 0.0, 0, tempos[0][1]
        for at, value in tempos[1:]:
            if at >= tick:
                break
            ms += (at - last_tick) * tempo / division / 1000
            last_tick, tempo = at, value
        return ms + (tick - last_tick) * tempo / division / 1000

    return sorted((milliseconds(tick), pitch) for tick, pitch in notes)


def chords(notes):
    """Notes grouped by onset (within 1 ms) as (onset, pitches); a pitch struck twice at once
    counts once, as both staves of the score play every note."""
    grouped = []
    for ms, pitch in notes:
        if grouped and ms - grouped[-1][0] <= 1:
            grouped[-1][1].add(pitch)
        else:
            grouped.append((ms, {pitch}))
    return [(ms, tuple(sorted(pitches))) for ms, pitches in grouped]


def score_facts(path):
    """Measures, tempo marks and the TAB staff's (string, fret) in order, from a MusicXML file."""
    root = ET.parse(path).getroot()
    measures = root.findall("part/measure")
    tempos = [s.get("tempo") for s in root.iter("sound") if s.get("tempo")]
    frets = []
    for note in root.iter("note"):
        technical = note.find("notations/technical")
        tied_on = any(t.get("type") == "stop" for t in note.findall("tie"))
        if technical is not None and technical.find("fret") is not None and not tied_on:
            frets.append((technical.findtext("string"), technical.findtext("fret")))
    return len(measures), [round(float(t), 1) for t in tempos], frets


def musescore_command():
    program = shutil.which("mscore3") or shutil.which("musescore3")
    if program is None:
        return None
    if os.environ.get("DISPLAY") or not shutil.which("xvfb-run"):
        os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
        return [program]
    return ["xvfb-run", "-a", program]


def run(command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=300)


def check(cli, musescore, tab, work):
    base = os.path.join(work, os.path.splitext(os.path.basename(tab))[0])
    run([cli, "export", tab, base + ".mid"])
    run([cli, "export", tab, base + ".musicxml"])
    run(musescore + ["-o", base + ".ms.mid", base + ".musicxml"])
    run(musescore + ["-o", base + ".ms.musicxml", base + ".musicxml"])
    tab_count = json.loads(subprocess.run([cli, "dump", tab], check=True, capture_output=True,
                                          text=True).stdout)["tabCount"]

    played = chords(read_midi(base + ".mid"))
    imported = chords(read_midi(base + ".ms.mid"))
    matcher = difflib.SequenceMatcher(None, [p for _, p in played], [p for _, p in imported],
                                      autojunk=False)
    pairs = [(block.a + k, block.b + k) for block in matcher.get_matching_blocks()
             for k in range(block.size)]
    notes_played = sum(len(p) for _, p in played)
    notes_matched = sum(len(played[a][1]) for a, _ in pairs)
    gaps, differences = 0, []
    for (a0, b0), (a1, b1) in zip(pairs, pairs[1:]):
        if a1 != a0 + 1 or b1 != b0 + 1:
            continue
        gaps += 1
        delta = (played[a1][0] - played[a0][0]) - (imported[b1][0] - imported[b0][0])
        if abs(delta) > TOLERANCE_MS:
            differences.append((a1, round(delta)))

    ours, theirs = score_facts(base + ".musicxml"), score_facts(base + ".ms.musicxml")
    same_frets = sum(1 for x, y in zip(ours[2], theirs[2]) if x == y)
    name = os.path.basename(tab)
    print(f"{name}: {tab_count} TABs, {len(played)} chords / {notes_played} notes played; "
          f"MuseScore: {len(imported)} chords, {notes_matched} notes matched in pitch and order, "
          f"{len(played) - len(pairs)} chords missing, {len(imported) - len(pairs)} extra")
    print(f"  onsets: {gaps - len(differences)} of {gaps} chord-to-chord times agree within "
          f"{TOLERANCE_MS} ms" + (f"; differing (chord, ms): {differences}" if differences else ""))
    print(f"  measures {ours[0]} -> {theirs[0]}; tempo marks {ours[1]} -> {theirs[1]}; "
          f"strings/frets kept {same_frets} of {len(ours[2])}")
    return not (len(played) - len(pairs)) and ours[0] == theirs[0] and ours[1] == theirs[1]


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    musescore = musescore_command()
    if musescore is None:
        print("musescore3 is not installed: nothing checked")
        return 0
    here = os.path.dirname(os.path.abspath(__file__))
    tabs = sys.argv[2:] or sorted(glob.glob(os.path.join(here, "tabs", "*")))
    with tempfile.TemporaryDirectory() as work:
        results = [check(os.path.abspath(sys.argv[1]), musescore, tab, work) for tab in tabs]
    print(f"{sum(results)} of {len(results)} tabs: every chord, measure and tempo mark arrived")
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
