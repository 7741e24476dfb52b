// SPDX-License-Identifier: MIT
// The TAB text window and Text to TAB over their models: what the user sees, selects and types
// reaches the model as the document's bytes, and the model's answers come back to the widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <memory>
#include <optional>

#include "desktop/text_editor_dialog.h"
#include "desktop/text_to_tab_dialog.h"
#include "scripted_text_services.h"

namespace fretlux {
namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

using ScriptedServices = testing::ScriptedTextServices;

class TextEditorDialogTest : public ::testing::Test {
protected:
    // The window as the host opens it, over the given bytes.
    void Open(const std::string& text) {
        form = std::make_unique<TextEditorForm>(text, services);
        form->Load();
        dialog = std::make_unique<TextEditorDialog>(*form, nullptr);
        box = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtEdit"));
        ASSERT_NE(box, nullptr);
    }

    void Select(qsizetype from, qsizetype to) {
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
    }

    void Run(const char* item) {
        QAction* action = dialog->findChild<QAction*>(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    QMenu* EditMenu() { return dialog->findChild<QMenu*>(QStringLiteral("mnuEdit")); }
    QAction* EditItem(int index) {
        return dialog->findChild<QAction*>(QStringLiteral("mnuEditItem%1").arg(index));
    }

    ScriptedServices services;
    std::unique_ptr<TextEditorForm> form;
    std::unique_ptr<TextEditorDialog> dialog;
    QPlainTextEdit* box = nullptr;
};

TEST_F(TextEditorDialogTest, ShowsTheTextLineByLineAndSaveHandsBackTheSameBytes) {
    // No-break spaces (which the box reports as blanks) and line separators are characters of the
    // text, not blanks or line ends.
    const std::pair<std::string, const char*> rows[] = {
        {"Am \xE2\x86\x92 G\r\nM\xC3\xBCnchen\r\n\r\nEnde",
         "Am \xE2\x86\x92 G\nM\xC3\xBCnchen\n\nEnde"},
        {"caf\xE9\xA0noir\r\nna\xEFve", "caf\xC3\xA9 noir\nna\xC3\xAFve"},  // Latin-1
        {"one\xE2\x80\xA8two", nullptr},
    };
    for (const auto& [text, shown] : rows) {
        Open(text);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Text Editor"));
        EXPECT_FALSE(box->isReadOnly());
        if (shown) {
            EXPECT_EQ(box->toPlainText(), Utf8(shown));
        }
        Run("mnuFileItem0");
        EXPECT_EQ(form->Result(), text);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
}

// Shift+Enter would make a line separator inside the paragraph, which the text cannot hold: every
// line break the user sees is saved as a line end, and an edited text keeps its encoding, UTF-8
// or Latin-1.
TEST_F(TextEditorDialogTest, EveryTypedLineBreakIsSavedAsCrLf) {
    for (const std::string& text : {std::string("zw\xC3\xB6lf"), std::string("\xE9")}) {
        Open(text);
        box->moveCursor(QTextCursor::End);
        QTest::keyClick(box, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("b"));
        QTest::keyClick(box, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QTest::keyClick(box, Qt::Key_Return);
        Run("mnuFileItem0");
        EXPECT_EQ(form->Result(), text + "\r\nb\r\n\r\n");
    }
}

TEST_F(TextEditorDialogTest, TheSelectionReachesTheModelAsByteOffsetsIntoTheEncodedText) {
    // U+00DC is two bytes, the line end two, U+20AC three and U+1F3B8 (two UTF-16 units) four.
    Open("\xC3\x9C\r\n\xE2\x82\xAC \xF0\x9F\x8E\xB8 x");
    Select(2, 6);
    Run("mnuEditItem1");
    EXPECT_EQ(form->selStart, 4u);
    EXPECT_EQ(form->selLength, 8u);
    EXPECT_EQ(services.clipboard, "\xE2\x82\xAC \xF0\x9F\x8E\xB8");
    EXPECT_EQ(box->textCursor().selectedText(), Utf8("\xE2\x82\xAC \xF0\x9F\x8E\xB8"));
}

TEST_F(TextEditorDialogTest, TheSelectionOfALatin1TextCountsOneByteACharacter) {
    Open("d\xE9j\xE0\r\nvu");
    Select(3, 6);
    Run("mnuEditItem1");
    EXPECT_EQ(form->selStart, 3u);
    EXPECT_EQ(form->selLength, 4u);
    EXPECT_EQ(services.clipboard, "\xE0\r\nv");

    // A character Latin-1 cannot hold takes the "?" it will be written as: one for the euro sign,
    // one for each half of U+1F3B8.
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(Utf8(" \xE2\x82\xAC\xF0\x9F\x8E\xB8 ok"));
    Select(12, 14);
    Run("mnuEditItem1");
    EXPECT_EQ(form->selStart, 13u);
    EXPECT_EQ(services.clipboard, "ok");
    EXPECT_EQ(form->text, "d\xE9j\xE0\r\nvu ??? ok");
}

TEST_F(TextEditorDialogTest, PasteIntoALatin1TextKeepsItsCharactersAndTheirEncoding) {
    Open("caf\xE9 ");
    Select(5, 5);
    // The clipboard hands over UTF-8 whatever the document's encoding.
    services.clipboard = "cr\xC3\xA8me \xE2\x82\xAC";
    Run("mnuEditItem2");
    EXPECT_EQ(box->toPlainText(), Utf8("caf\xC3\xA9 cr\xC3\xA8me \xE2\x82\xAC"));
    EXPECT_EQ(box->textCursor().position(), 12);
    Run("mnuFileItem0");
    // Latin-1 has no euro sign.
    EXPECT_EQ(form->Result(), "caf\xE9 cr\xE8me ?");
}

TEST_F(TextEditorDialogTest, PasteOverASelectionBreaksLinesAndCanBeUndone) {
    Open("Intro\r\nOutro");
    Select(0, 5);
    services.clipboard = "Verse 1\r\nVerse 2";
    Run("mnuEditItem2");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Verse 1\nVerse 2\nOutro"));
    EXPECT_EQ(box->textCursor().position(), 15);
    EXPECT_EQ(form->selStart, 16u);
    box->undo();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Intro\nOutro"));
}

TEST_F(TextEditorDialogTest, TheEditMenuGreysOutCutAndCopyWithoutASelectionButTheirKeysWork) {
    Open("chord");
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    box->setFocus();
    Select(0, 2);
    emit EditMenu()->aboutToShow();
    EXPECT_TRUE(EditItem(0)->isEnabled());
    EXPECT_TRUE(EditItem(1)->isEnabled());
    Select(1, 1);
    emit EditMenu()->aboutToShow();
    EXPECT_FALSE(EditItem(0)->isEnabled());
    EXPECT_FALSE(EditItem(1)->isEnabled());
    EXPECT_TRUE(EditItem(2)->isEnabled());
    EXPECT_EQ(EditItem(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(EditItem(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(EditItem(2)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    // Opened without a selection, the menu left Cut greyed out, yet with a selection its key
    // cuts, through the model.
    Select(0, 2);
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(services.clipboard, "ch");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("ord"));
    EXPECT_EQ(form->text, "ord");
    // Without a selection Copy's key does nothing at all.
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(services.clipboardWrites, 1);
    services.clipboard = "+";
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("+ord"));
}

TEST_F(TextEditorDialogTest, CloseAnsweredNoHandsBackNothingAndClosesTheWindowAsEscapeDoes) {
    for (const bool yes : {false, true}) {
        Open("Old");
        box->setPlainText(QStringLiteral("New"));
        services.answer = yes ? SaveChangesAnswer::Save : SaveChangesAnswer::Discard;
        if (yes) {
            Run("mnuFileItem1");
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }
        EXPECT_EQ(form->Result(), yes ? std::optional<std::string>("New") : std::nullopt);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
    }
}

class TextToTabDialogTest : public ::testing::Test {
protected:
    TextToTabDialogTest() {
        form.Load();
        dialog = std::make_unique<TextToTabDialog>(form, nullptr);
    }

    QLineEdit* Box(int index) {
        return dialog->findChild<QLineEdit*>(QStringLiteral("txtTAB%1").arg(index));
    }
    QPushButton* Button(const char* name) {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    TextToTabForm form{"3-----"};
    std::unique_ptr<TextToTabDialog> dialog;
};

TEST_F(TextToTabDialogTest, TheTabKeyRunsFromSaveThroughTheBoxesTopFirstToClose) {
    QList<QWidget*> order;
    QWidget* widget = Button("cmdSave");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != Button("cmdSave"));
    const QList<QWidget*> expected{
        Button("cmdSave"), Box(0), Box(1), Box(2), Box(3), Box(4), Box(5), Button("cmdClose")};
    EXPECT_EQ(order, expected);
}

TEST_F(TextToTabDialogTest, ABoxKeepsTheFirstCharacterOfWhatTheUserTyped) {
    // Typed after the character: the old one stays.
    Box(0)->end(false);
    QTest::keyClicks(Box(0), QStringLiteral("7"));
    EXPECT_EQ(Box(0)->text(), QStringLiteral("3"));
    // Typed before it: the new one stays, and the caret goes back before it for the next key.
    Box(1)->home(false);
    QTest::keyClicks(Box(1), QStringLiteral("h"));
    EXPECT_EQ(Box(1)->text(), QStringLiteral("h"));
    EXPECT_EQ(Box(1)->cursorPosition(), 0);
    QTest::keyClicks(Box(1), QStringLiteral("p"));
    EXPECT_EQ(Box(1)->text(), QStringLiteral("p"));
    // Emptied: "-".
    Box(2)->selectAll();
    QTest::keyClick(Box(2), Qt::Key_Delete);
    EXPECT_EQ(Box(2)->text(), QStringLiteral("-"));
    // A pasted word: its first letter.
    Box(3)->selectAll();
    Box(3)->insert(QStringLiteral("xyz"));
    EXPECT_EQ(Box(3)->text(), QStringLiteral("x"));
    // A character takes one byte of the TAB line.
    Box(4)->selectAll();
    Box(4)->insert(Utf8("\xC3\xA9"));
    Box(5)->selectAll();
    Box(5)->insert(Utf8("\xE2\x82\xAC"));
    EXPECT_EQ(Box(4)->text(), Utf8("\xC3\xA9"));
    EXPECT_EQ(Box(5)->text(), QStringLiteral("?"));

    Button("cmdSave")->click();
    EXPECT_EQ(form.Result(), "3p-x\xE9?");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(TextToTabDialogTest, CloseHandsBackNothingAndClosesTheWindow) {
    QTest::keyClicks(Box(0), QStringLiteral("x"));
    Button("cmdClose")->click();
    EXPECT_EQ(form.Result(), std::nullopt);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace fretlux
