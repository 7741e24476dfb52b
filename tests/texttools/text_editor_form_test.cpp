// SPDX-License-Identifier: MIT
#include "texttools/text_editor_form.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "scripted_text_services.h"

namespace fretlux {
namespace {

using ScriptedServices = testing::ScriptedTextServices;

TEST(TextEditorFormTest, SaveHandsBackTheTextAndCloseAsksFirst) {
    const struct {
        const char* rule;
        int item;
        std::string typed;
        SaveChangesAnswer answer;
        std::optional<std::string> result;
        int questions;
        bool closes;
    } rows[] = {
        {"Save hands back the text as it is", 0, "Line 1\r\nLine 2", SaveChangesAnswer::Discard,
         "Line 1\r\nLine 2", 0, true},
        {"an emptied box too", 0, "", SaveChangesAnswer::Discard, "", 0, true},
        {"any text at all", 0, "***EXIT***", SaveChangesAnswer::Discard, "***EXIT***", 0, true},
        {"Close answered Discard keeps the text", 1, "Edited", SaveChangesAnswer::Discard,
         std::nullopt, 1, true},
        {"Close answered Save saves", 1, "Edited", SaveChangesAnswer::Save, "Edited", 1, true},
        {"Close answered Cancel stays open", 1, "Edited", SaveChangesAnswer::Cancel, std::nullopt,
         1, false},
        {"no third item", 2, "Edited", SaveChangesAnswer::Save, std::nullopt, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        ScriptedServices services;
        services.answer = row.answer;
        TextEditorForm form("Old", services);
        form.Load();
        EXPECT_EQ(form.text, "Old");
        form.text = row.typed;
        form.RunFileItem(row.item);
        EXPECT_EQ(form.Result(), row.result);
        EXPECT_EQ(services.questions, row.questions);
        EXPECT_EQ(form.closeRequested, row.closes);
    }
}

TEST(TextEditorFormTest, ClipboardCommandsWorkOnTheSelectionsBytes) {
    const struct {
        const char* rule;
        std::string text;
        std::size_t start, length;
        int item;  // 0 Cut, 1 Copy, 2 Paste
        std::string clipboard;
        std::string textAfter, clipboardAfter;
        std::size_t startAfter, lengthAfter;
        int writes;
    } rows[] = {
        // Latin-1 bytes stay bytes: the form never decodes the text.
        {"copy leaves the text", "caf\xE9\r\nC G", 1, 4, 1, "earlier", "caf\xE9\r\nC G", "af\xE9\r",
         1, 4, 1},
        {"cut leaves the caret in its place", "Intro\r\nVerse\r\nChorus", 5, 7, 0, "",
         "Intro\r\nChorus", "\r\nVerse", 5, 0, 1},
        {"cut without a selection empties the clipboard", "abc", 1, 0, 0, "earlier", "abc", "", 1,
         0, 1},
        {"paste replaces and puts the caret after", "play slowly", 5, 6, 2, "very\r\nfast",
         "play very\r\nfast", "very\r\nfast", 15, 0, 0},
        {"paste without a selection inserts", "AD", 1, 0, 2, "BC", "ABCD", "BC", 3, 0, 0},
        {"a selection past the end is cut to the text", "abc", 1, 10, 0, "", "a", "bc", 1, 0, 1},
        {"and so is a caret", "a", 7, 2, 2, "Z", "aZ", "Z", 2, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        ScriptedServices services;
        services.clipboard = row.clipboard;
        TextEditorForm form(row.text, services);
        form.Load();
        form.selStart = row.start;
        form.selLength = row.length;
        form.RunEditItem(row.item);
        EXPECT_EQ(form.text, row.textAfter);
        EXPECT_EQ(services.clipboard, row.clipboardAfter);
        EXPECT_EQ(form.selStart, row.startAfter);
        EXPECT_EQ(form.selLength, row.lengthAfter);
        EXPECT_EQ(services.clipboardWrites, row.writes);
    }
}

}  // namespace
}  // namespace fretlux
