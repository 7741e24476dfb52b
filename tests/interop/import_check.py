#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks Fretlux's import of Guitar Pro and MusicXML files against MuseScore 3, outside CI.

For each file, MuseScore 3 imports it and writes what it plays as MIDI (for .gp and .gpx files,
which MuseScore 3 does not read, alphaTab does, when --alphatab names its module: npm install
@coderline/alphatab, then node_modules/@coderline/alphatab/dist/alphaTab.mjs); fretlux-cli
plays the same file with --log. Both are cut into chords (the pitches struck together) and the two chord
sequences are aligned in order: the share of MuseScore's chords that Fretlux plays in the same
order ("found") should be at least 95 %, and Fretlux's chords that MuseScore does not play
("extra") under 5 %. Timing is not compared: Fretlux plays on a grid of its own.

usage: import_check.py FRETLUX_CLI [--alphatab MODULE] FILE...
"""
import difflib
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from musescore_check import chords, musescore_command, read_midi, run  # noqa: E402


def fretlux_notes(cli, path):
    """The note-ons of fretlux-cli play --log as (milliseconds, pitch)."""
    log = subprocess.run([cli, "play", path, "--log"], check=True, capture_output=True,
                         text=True, timeout=300).stdout
    notes = []
    for line in log.splitlines():
        ms, status, pitch, velocity = (int(field) for field in line.split())
        if status & 0xF0 == 0x90 and velocity > 0:
            notes.append((ms, pitch))
    return notes


def alphatab_notes(module, path):
    """The note-ons alphaTab plays as (tick, pitch): ticks stand in for milliseconds, as only the
    grouping into chords is compared."""
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "alphatab_notes.mjs")
    out = subprocess.run(["node", script, os.path.abspath(module), path], check=True,
                         capture_output=True, text=True, timeout=300).stdout
    return [tuple(int(field) for field in line.split()) for line in out.splitlines()]


def compare(cli, musescore, alphatab, path, work):
    if alphatab and path.endswith((".gp", ".gpx")):
        notes = alphatab_notes(alphatab, path)
    else:
        midi = os.path.join(work, os.path.basename(path) + ".mid")
        run(musescore + ["-o", midi, path])
        notes = read_midi(midi)
    theirs = [pitches for _, pitches in chords(notes)]
    ours = [pitches for _, pitches in chords(fretlux_notes(cli, path))]
    matcher = difflib.SequenceMatcher(None, theirs, ours, autojunk=False)
    same = sum(block.size for block in matcher.get_matching_blocks())
    found = same / len(theirs) if theirs else 1.0
    extra = (len(ours) - same) / len(ours) if ours else 0.0
    return found, extra, len(theirs), len(ours)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    cli, files, alphatab = sys.argv[1], sys.argv[2:], None
    if files[:1] == ["--alphatab"] and len(files) > 1:
        alphatab, files = files[1], files[2:]
    musescore = musescore_command()
    if musescore is None:
        print("MuseScore 3 (mscore3) is not installed; nothing checked")
        return 0
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        for path in files:
            try:
                found, extra, theirs, ours = compare(cli, musescore, alphatab, path, work)
            except (subprocess.SubprocessError, ValueError) as error:
                print(f"{path}: not compared: {error}")
                failures += 1
                continue
            ok = found >= 0.95 and extra < 0.05
            failures += 0 if ok else 1
            print(f"{'ok  ' if ok else 'FAIL'} {os.path.basename(path)}: found {found:.0%} of "
                  f"{theirs} chords, {extra:.0%} extra of {ours}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
