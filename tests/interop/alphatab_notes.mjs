// SPDX-License-Identifier: MIT
// Prints the notes alphaTab plays for a Guitar Pro or MusicXML file, one "tick pitch" line per
// note-on, for import_check.py. usage: node alphatab_notes.mjs ALPHATAB_MODULE FILE [TRACK]
import { readFileSync } from "node:fs";

const [modulePath, file, track] = process.argv.slice(2);
const alphaTab = await import(modulePath);
const score = alphaTab.importer.ScoreLoader.loadScoreFromBytes(new Uint8Array(readFileSync(file)));
const midiFile = new alphaTab.midi.MidiFile();
const handler = new alphaTab.midi.AlphaSynthMidiFileHandler(midiFile);
new alphaTab.midi.MidiFileGenerator(score, new alphaTab.Settings(), handler).generate();
const wanted = track === undefined ? null : score.tracks[Number(track) - 1].playbackInfo.primaryChannel;
for (const event of midiFile.events) {
    if (event.type !== alphaTab.midi.MidiEventType.NoteOn || event.noteVelocity === 0) continue;
    if (wanted !== null && event.channel !== wanted) continue;
    console.log(`${event.tick} ${event.noteKey}`);
}
