// SPDX-License-Identifier: MIT
// A lesson source made into the document the program reads: one TAB per step, its label and
// settings in the header, its explanation as the TAB's text, its music as the string lines.
#pragma once

#include <string>

#include "document/tab_document.h"
#include "lesson_builder/lesson_source.h"

namespace fretlux::lessons {

struct LessonDocument {
    TabDocument document;
    long playbackMilliseconds;  // from Start to the last column, as the player times it
};

// Throws std::runtime_error naming the step of a mistake.
LessonDocument BuildLessonDocument(const LessonSource& lesson);

// Running text broken into lines of at most width characters: a paragraph ends at an empty
// line, and a line starting with "- " is an item of a list, wrapped under its own first word.
std::string WrapText(const std::vector<std::string>& lines, int width);

}  // namespace fretlux::lessons
