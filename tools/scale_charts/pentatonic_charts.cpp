// SPDX-License-Identifier: MIT
// The pentatonic family: the A minor pentatonic scale, the minor hexatonic scale and the blues
// scales in A and E, each in the five boxes that cover the neck.
#include "scale_chart.h"

namespace fretlux::charts {

namespace {

constexpr int kTempo = 70;

}  // namespace

Chart APentatonicChart() {
    return {
        kTempo,
        kSteelGuitar,
        "How it is built: the A minor pentatonic scale has five notes, A C D E G. Counted from "
        "A they are the root, the minor third, the fourth, the fifth and the minor seventh "
        "(1, b3, 4, 5, b7). It is the natural minor scale without the two notes that make its "
        "half steps, B and F, which is why so few of its notes ever clash with the chords "
        "underneath.\n\n"
        "What it is for: it is the first scale most guitarists learn for soloing in rock, blues, "
        "pop and country. Use it over A minor, over a blues in A (A7, D7, E7) and for riffs. "
        "The same five notes started from C make the C major pentatonic scale, so these shapes "
        "serve songs in C major as well.\n\n"
        "The five boxes cover the whole neck and each overlaps the next: the upper notes of one "
        "box are the lower notes of the box above. Learn one box at a time, then the joins.",
        {
            {"A Pentatonic - Box 1, 5th position (frets 5 to 8)",
             ParseShape({"5/1 8/4", "5/1 7/3", "5/1 7/3", "5/1 7/3", "5/1 8/4", "5/1 8/4"}),
             "Box 1 lies at the 5th fret. The index finger stays on fret 5 on every string, the "
             "ring finger takes fret 7 and the little finger fret 8. The root A is under the "
             "index finger on the 6th and 1st strings and under the ring finger on the 4th "
             "string, at fret 7; the index plays G there.\n\n"
             "This is the home shape of the scale. Play it up from the low A and back down, one "
             "note per beat, until your fingers find it without looking."},
            {"A Pentatonic - Box 2, 7th position (frets 7 to 10)",
             ParseShape({"8/2 10/4", "7/1 10/4", "7/1 10/4", "7/1 9/3", "8/2 10/4", "8/2 10/4"}),
             "Box 2 lies at the 7th fret and begins on C, the top note of box 1 on the 6th "
             "string. On the two E strings and the 2nd string the middle and little fingers play "
             "frets 8 and 10; on the other strings the index finger takes fret 7.\n\n"
             "The root A is on the 4th string at fret 7 and on the 2nd string at fret 10."},
            {"A Pentatonic - Box 3, 10th position (frets 9 to 13)",
             ParseShape(
                 {"10/1 12/3", "10/1 12/3", "10/1 12/3", "9/1 12/4", "10/1 13/4", "10/1 12/3"}),
             "Box 3 lies at the 10th fret: index finger on fret 10, ring finger on fret 12. On "
             "the 3rd string the index reaches back to fret 9 and the little finger plays fret "
             "12; on the 2nd string the little finger reaches fret 13.\n\n"
             "The root A is on the 5th string at fret 12 and on the 2nd string at fret 10."},
            {"A Pentatonic - Box 4, 12th position (frets 12 to 15)",
             ParseShape(
                 {"12/1 15/4", "12/1 15/4", "12/1 14/3", "12/1 14/3", "13/2 15/4", "12/1 15/4"}),
             "Box 4 lies at the 12th fret, where the index finger plays the names of the open "
             "strings an octave higher. Only the 2nd string starts at fret 13, with the middle "
             "finger.\n\n"
             "The root A is on the 5th string at fret 12 and on the 3rd string at fret 14."},
            {"A Pentatonic - Box 5, 14th position (frets 14 to 17)",
             ParseShape(
                 {"15/2 17/4", "15/2 17/4", "14/1 17/4", "14/1 17/4", "15/2 17/4", "15/2 17/4"}),
             "Box 5 lies at the 14th fret. Its top note on each string is the lowest note of box 1 "
             "an octave up, at fret 17, so the cycle of boxes starts again there. The same shape "
             "lies twelve frets lower, at frets 2 to 5, where it joins box 1 from below.\n\n"
             "The root A is on both E strings at fret 17 and on the 3rd string at fret 14."},
        },
    };
}

Chart AHexatonicChart() {
    return {
        kTempo,
        kSteelGuitar,
        "How it is built: a hexatonic scale is any scale of six notes. The one in this chart is "
        "the A minor hexatonic scale, A B C D E G: the A minor pentatonic scale (A C D E G) with "
        "the second, B, added. Counted from A: 1, 2, b3, 4, 5, b7. It leaves out the sixth, the "
        "one note in which the Dorian mode and the natural minor scale differ.\n\n"
        "What it is for: having no sixth, it fits A minor in both of its usual colours, the "
        "Dorian (with F#) of rock, funk and modal jazz and the natural minor (with F) of pop and "
        "folk, and it suits Celtic and folk tunes in A minor. It sounds smoother than the "
        "pentatonic scale, with a stepwise line from A through B to C, and it leaves the choice "
        "between F and F# to the chords.\n\n"
        "Its five positions are the five pentatonic boxes with the B added.",
        {
            {"A Hexatonic - Position 1, 5th position (frets 4 to 8)",
             ParseShape(
                 {"5/1 7/3 8/4", "5/1 7/3", "5/1 7/3", "4/1 5/2 7/4", "5/1 8/4", "5/1 7/3 8/4"}),
             "Position 1 lies at the 5th fret. It is pentatonic box 1 with the B added: on the "
             "6th and 1st strings at fret 7, and on the 3rd string at fret 4, where the index "
             "finger reaches back one fret.\n\n"
             "Listen for the step from A to B to C, which the pentatonic scale jumps over."},
            {"A Hexatonic - Position 2, 7th position (frets 7 to 10)",
             ParseShape({"7/1 8/2 10/4", "7/1 10/4", "7/1 9/3 10/4", "7/1 9/3", "8/2 10/4",
                         "7/1 8/2 10/4"}),
             "Position 2 lies at the 7th fret, one finger per fret. It adds the B to pentatonic "
             "box 2 on both E strings at fret 7 and on the 4th string at fret 9.\n\n"
             "The root A is on the 4th string at fret 7 and on the 2nd string at fret 10."},
            {"A Hexatonic - Position 3, 10th position (frets 9 to 13)",
             ParseShape({"10/1 12/3", "10/1 12/3", "9/1 10/2 12/4", "9/1 12/4", "10/1 12/3 13/4",
                         "10/1 12/3"}),
             "Position 3 lies at the 10th fret. It adds the B on the 4th string at fret 9 and on "
             "the 2nd string at fret 12. On the 4th and 3rd strings the index finger reaches "
             "back to fret 9.\n\n"
             "The root A is on the 5th string at fret 12 and on the 2nd string at fret 10."},
            {"A Hexatonic - Position 4, 12th position (frets 12 to 15)",
             ParseShape({"12/1 15/4", "12/1 14/3 15/4", "12/1 14/3", "12/1 14/3", "12/1 13/2 15/4",
                         "12/1 15/4"}),
             "Position 4 lies at the 12th fret with the index finger on fret 12 on every string. "
             "It adds the B on the 5th string at fret 14 and on the 2nd string at fret 12.\n\n"
             "The root A is on the 5th string at fret 12 and on the 3rd string at fret 14."},
            {"A Hexatonic - Position 5, 14th position (frets 14 to 17)",
             ParseShape({"15/2 17/4", "14/1 15/2 17/4", "14/1 17/4", "14/1 16/3 17/4", "15/2 17/4",
                         "15/2 17/4"}),
             "Position 5 lies at the 14th fret. It adds the B on the 5th string at fret 14 and "
             "on the 3rd string at fret 16. Its top notes lead into position 1 an octave higher; "
             "the same shape lies twelve frets lower, at frets 2 to 5.\n\n"
             "The root A is on both E strings at fret 17 and on the 3rd string at fret 14."},
        },
    };
}

Chart ABluesChart() {
    return {
        kTempo,
        kSteelGuitar,
        "How it is built: the A blues scale is the A minor pentatonic scale (A C D E G) with one "
        "note added, the flattened fifth, Eb (the same key as D#). Counted from A: 1, b3, 4, b5, "
        "5, "
        "b7. The added note lies a half step between D and E and is called the blue note.\n\n"
        "What it is for: solos and riffs in blues, rock and jazz, over a blues in A (A7, D7, E7) "
        "or over A minor. The blue note is a passing note: move through it to D or to E, or "
        "bend up to it, rather than resting on it.\n\n"
        "The five boxes are the five pentatonic boxes with the blue note added; each overlaps "
        "the next up the neck.",
        {
            {"A Blues - Box 1, 5th position (frets 5 to 8)",
             ParseShape({"5/1 8/4", "5/1 6/2 7/3", "5/1 7/3", "5/1 7/3 8/4", "5/1 8/4", "5/1 8/4"}),
             "Box 1 lies at the 5th fret, one finger per fret: index on fret 5, middle on 6, ring "
             "on 7, little finger on 8. The root A is under the index finger on the 6th and 1st "
             "strings and under the ring finger on the 4th string, at fret 7; the index plays G "
             "there.\n\n"
             "The blue note Eb is on the 5th string at fret 6 and on the 3rd string at fret 8. "
             "Listen for the tension it adds and for how it leans into the note beside it."},
            {"A Blues - Box 2, 7th position (frets 7 to 10)",
             ParseShape(
                 {"8/2 10/4", "7/1 10/4", "7/1 10/4", "7/1 8/2 9/3", "8/2 10/4", "8/2 10/4"}),
             "Box 2 lies at the 7th fret and begins on C, where box 1 ended on the 6th string. "
             "The blue note is on the 3rd string at fret 8, between D at fret 7 and E at fret 9: "
             "those three notes in a row are the sound of the blues in one gesture.\n\n"
             "The root A is on the 4th string at fret 7 and on the 2nd string at fret 10."},
            {"A Blues - Box 3, 10th position (frets 9 to 13)",
             ParseShape({"10/1 11/2 12/3", "10/1 12/3", "10/1 12/3", "9/1 12/4", "10/1 13/4",
                         "10/1 11/2 12/3"}),
             "Box 3 lies at the 10th fret and has the blue note twice, on both E strings at fret "
             "11, between D at fret 10 and E at fret 12. On the 3rd string the index finger "
             "reaches back to fret 9; on the 2nd string the little finger reaches fret 13.\n\n"
             "The root A is on the 5th string at fret 12 and on the 2nd string at fret 10."},
            {"A Blues - Box 4, 12th position (frets 12 to 15)",
             ParseShape({"12/1 15/4", "12/1 15/4", "12/1 13/2 14/3", "12/1 14/3", "13/2 15/4",
                         "12/1 15/4"}),
             "Box 4 lies at the 12th fret, with its blue note on the 4th string at fret 13, "
             "between D and E. The index finger plays fret 12 on every string but the 2nd, which "
             "starts at fret 13 with the middle finger.\n\n"
             "The root A is on the 5th string at fret 12 and on the 3rd string at fret 14."},
            {"A Blues - Box 5, 14th position (frets 14 to 17)",
             ParseShape({"15/2 17/4", "15/2 17/4", "14/1 17/4", "14/1 17/4", "15/2 16/3 17/4",
                         "15/2 17/4"}),
             "Box 5 lies at the 14th fret, with its blue note on the 2nd string at fret 16, "
             "between D and E. Its top notes lead into box 1 an octave up, at fret 17; the same "
             "shape lies twelve frets lower, at frets 2 to 5.\n\n"
             "The root A is on both E strings at fret 17 and on the 3rd string at fret 14."},
        },
    };
}

Chart EBluesChart() {
    return {
        kTempo,
        kSteelGuitar,
        "How it is built: the E blues scale is the E minor pentatonic scale (E G A B D) with the "
        "flattened fifth, Bb (the same key as A#), added. Counted from E: 1, b3, 4, b5, 5, b7. "
        "The Bb "
        "is the blue note.\n\n"
        "What it is for: E is the guitar's own blues key. The lowest string is the root and the "
        "open strings ring under the riffs. Use it over E7, A7 and B7 in a blues in E, over E "
        "minor, and for the riffs that are played on the low strings.\n\n"
        "The boxes have the shapes of the A blues chart, five frets lower; the open position "
        "comes back an octave up at the 12th fret.",
        {
            {"E Blues - Open position (frets 0 to 3)",
             ParseShape({"0/0 3/3", "0/0 1/1 2/2", "0/0 2/2", "0/0 2/2 3/3", "0/0 3/3", "0/0 3/3"}),
             "In the open position every string starts open, and the fingers play fret 1 with "
             "the index, fret 2 with the middle finger and fret 3 with the ring finger.\n\n"
             "The blue note Bb is on the 5th string at fret 1 and on the 3rd string at fret 3. "
             "Let the low E ring: this is the sound of countless blues riffs."},
            {"E Blues - Box 2, 2nd position (frets 2 to 5)",
             ParseShape({"3/2 5/4", "2/1 5/4", "2/1 5/4", "2/1 3/2 4/3", "3/2 5/4", "3/2 5/4"}),
             "Box 2 lies at the 2nd fret and begins on G, the top of the open position on the "
             "6th string. The blue note is on the 3rd string at fret 3, between A at fret 2 and "
             "B at fret 4.\n\n"
             "The root E is on the 4th string at fret 2 and on the 2nd string at fret 5."},
            {"E Blues - Box 3, 5th position (frets 4 to 8)",
             ParseShape({"5/1 6/2 7/3", "5/1 7/3", "5/1 7/3", "4/1 7/4", "5/1 8/4", "5/1 6/2 7/3"}),
             "Box 3 lies at the 5th fret and has the blue note on both E strings at fret 6, "
             "between A and B. On the 3rd string the index finger reaches back to fret 4; on the "
             "2nd string the little finger reaches fret 8.\n\n"
             "The root E is on the 5th string at fret 7 and on the 2nd string at fret 5."},
            {"E Blues - Box 4, 7th position (frets 7 to 10)",
             ParseShape({"7/1 10/4", "7/1 10/4", "7/1 8/2 9/3", "7/1 9/3", "8/2 10/4", "7/1 10/4"}),
             "Box 4 lies at the 7th fret, with its blue note on the 4th string at fret 8, "
             "between A and B.\n\n"
             "The root E is on the 5th string at fret 7 and on the 3rd string at fret 9."},
            {"E Blues - Box 5, 9th position (frets 9 to 12)",
             ParseShape(
                 {"10/2 12/4", "10/2 12/4", "9/1 12/4", "9/1 12/4", "10/2 11/3 12/4", "10/2 12/4"}),
             "Box 5 lies at the 9th fret, with its blue note on the 2nd string at fret 11. Its "
             "top notes lead into the open shape an octave up, at fret 12.\n\n"
             "The root E is on both E strings at fret 12 and on the 3rd string at fret 9."},
            {"E Blues - Open shape an octave up, 12th position (frets 12 to 15)",
             ParseShape({"12/1 15/4", "12/1 13/2 14/3", "12/1 14/3", "12/1 14/3 15/4", "12/1 15/4",
                         "12/1 15/4"}),
             "At the 12th fret the open position comes back an octave higher: the index finger "
             "on fret 12 takes the place of the open strings. The blue note is on the 5th string "
             "at fret 13 and on the 3rd string at fret 15.\n\n"
             "Play it after the open position and compare: the same notes, brighter, and closer "
             "together under the fingers."},
        },
    };
}

}  // namespace fretlux::charts
