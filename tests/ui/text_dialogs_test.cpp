// SPDX-License-Identifier: MIT
// The TAB text window and Text to TAB over their models: what the user sees, selects and types
// reaches the model as the document's bytes, and the model's answers come back to the widgets.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/qt_host.h"
#include "platform/text_editor_dialog.h"
#include "platform/text_to_tab_dialog.h"

namespace fretlux {
namespace {

// Acts on the modal window of the given kind once it is up.
template <typename Window>
void WhenShown(std::function<void(Window&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* window = dynamic_cast<Window*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*window);
        }
    });
    timer->start(10);
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

class ScriptedServices final : public TextEditorServices {
public:
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override {
        clipboard = text;
        ++clipboardWrites;
    }
    bool AskSaveChanges() override { return answerYes; }

    std::string clipboard;
    int clipboardWrites = 0;
    bool answerYes = false;
};

class TextEditorDialogTest : public ::testing::Test {
protected:
    // The window as the host opens it, over the given bytes.
    void Open(const std::string& text, bool lesson = false) {
        dialogText = text;
        form = std::make_unique<TextEditorForm>(dialogText, lesson, services);
        form->Form_Load();
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
    std::string dialogText;
    std::unique_ptr<TextEditorForm> form;
    std::unique_ptr<TextEditorDialog> dialog;
    QPlainTextEdit* box = nullptr;
};

TEST_F(TextEditorDialogTest, ShowsAUtf8TextLineByLineAndSaveHandsBackTheSameBytes) {
    const std::string text = "Am \xE2\x86\x92 G\r\nM\xC3\xBCnchen\r\n\r\nEnde";
    Open(text);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Text Editor"));
    EXPECT_EQ(box->toPlainText(), Utf8("Am \xE2\x86\x92 G\nM\xC3\xBCnchen\n\nEnde"));
    EXPECT_FALSE(box->isReadOnly());
    Run("mnuFileItem0");
    EXPECT_EQ(dialogText, text);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(TextEditorDialogTest, ALatin1TextIsShownDecodedAndHandedBackInLatin1) {
    // No-break spaces and line separators are characters of the text, not blanks or line ends.
    const std::string text = "caf\xE9\xA0noir\r\nna\xEFve";
    Open(text);
    EXPECT_EQ(box->toPlainText(), Utf8("caf\xC3\xA9 noir\nna\xC3\xAFve"));
    Run("mnuFileItem0");
    EXPECT_EQ(dialogText, text);

    const std::string separated = "one\xE2\x80\xA8two";
    Open(separated);
    Run("mnuFileItem0");
    EXPECT_EQ(dialogText, separated);
}

TEST_F(TextEditorDialogTest, AnEditedTextIsHandedBackWithCrLfLineEnds) {
    Open("first");
    QTextCursor cursor = box->textCursor();
    cursor.movePosition(QTextCursor::End);
    box->setTextCursor(cursor);
    box->insertPlainText(Utf8("\nzw\xC3\xB6lf\n"));
    Run("mnuFileItem0");
    EXPECT_EQ(dialogText, "first\r\nzw\xC3\xB6lf\r\n");
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

TEST_F(TextEditorDialogTest, CutTakesTheSelectedCharactersOutOfTheBoxAndTheModel) {
    Open("Gr\xC3\xBC\xC3\x9F\r\nzwei");
    Select(2, 4);
    Run("mnuEditItem0");
    EXPECT_EQ(services.clipboard, "\xC3\xBC\xC3\x9F");
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Gr\nzwei"));
    EXPECT_EQ(box->textCursor().position(), 2);
    EXPECT_FALSE(box->textCursor().hasSelection());
    EXPECT_EQ(form->text, "Gr\r\nzwei");
    EXPECT_EQ(form->selStart, 2u);
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
    EXPECT_EQ(dialogText, "caf\xE9 cr\xE8me ?");
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

TEST_F(TextEditorDialogTest, OpeningTheEditMenuGreysOutCutAndCopyWithoutASelection) {
    Open("abc");
    Select(1, 1);
    emit EditMenu()->aboutToShow();
    EXPECT_FALSE(EditItem(0)->isEnabled());
    EXPECT_FALSE(EditItem(1)->isEnabled());
    EXPECT_TRUE(EditItem(2)->isEnabled());
    Select(0, 2);
    emit EditMenu()->aboutToShow();
    EXPECT_TRUE(EditItem(0)->isEnabled());
    EXPECT_TRUE(EditItem(1)->isEnabled());
    EXPECT_EQ(EditItem(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(EditItem(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(EditItem(2)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
}

TEST_F(TextEditorDialogTest, TheShortcutsRunTheEditItemsEnabledAsTheMenuWouldBe) {
    Open("chord");
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    box->setFocus();
    // Opened without a selection, the menu leaves Cut greyed out ...
    emit EditMenu()->aboutToShow();
    ASSERT_FALSE(EditItem(0)->isEnabled());
    // ... yet with a selection its key cuts, through the model.
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
    dialog->hide();
}

TEST_F(TextEditorDialogTest, EscapeDoesNotThrowTheEditsAway) {
    Open("text");
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->hide();
}

TEST_F(TextEditorDialogTest, TheTutorIsReadOnlyWithoutMenusOrShortcuts) {
    Open("Lesson text", true);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Fretlux Tutor"));
    EXPECT_TRUE(box->isReadOnly());
    auto* menus = dialog->findChild<QMenuBar*>();
    ASSERT_NE(menus, nullptr);
    EXPECT_TRUE(menus->isHidden());
    for (QAction* action : dialog->findChildren<QAction*>()) {
        if (action->objectName().startsWith(QStringLiteral("mnu"))) {
            EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Lesson text"));
}

TEST_F(TextEditorDialogTest, CloseAnsweredNoHandsBackTheKeepMarkerAndClosesTheWindow) {
    Open("Old");
    box->setPlainText(QStringLiteral("New"));
    services.answerYes = false;
    Run("mnuFileItem1");
    EXPECT_EQ(dialogText, "***EXIT***");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    Open("Old");
    box->setPlainText(QStringLiteral("New"));
    services.answerYes = true;
    Run("mnuFileItem1");
    EXPECT_EQ(dialogText, "New");
}

TEST_F(TextEditorDialogTest, TheWindowIsCentredOnTheScreen) {
    Open("text");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint offset = dialog->geometry().center() - screen.center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

class TextWindowsThroughTheHost : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    QtHost host{{temporary.filePath(QStringLiteral("lock")),
                 temporary.filePath(QStringLiteral("config")),
                 temporary.filePath(QStringLiteral("documents"))}};
};

// Close's question as the program asks it: a message box from the host.
class HostServices final : public TextEditorServices {
public:
    explicit HostServices(QtHost& host) : host_(host) {}
    std::string ClipboardText() override { return host_.ClipboardText(); }
    void SetClipboardText(const std::string& text) override { host_.SetClipboardText(text); }
    bool AskSaveChanges() override {
        return host_.ShowMessage({kSaveChangesQuestion, MessageButtons::YesNo,
                                  MessageIcon::Question, MessageAnswer::No}) == MessageAnswer::Yes;
    }

private:
    QtHost& host_;
};

TEST_F(TextWindowsThroughTheHost, TheEditorsOwnCloseButtonKeepsTheTextPassedIn) {
    std::string dialogText = "Old\r\n";
    HostServices services(host);
    TextEditorForm form(dialogText, false, services);
    bool shown = false;
    WhenShown<TextEditorDialog>([&](TextEditorDialog& dialog) {
        shown = true;
        auto* box = dialog.findChild<QPlainTextEdit*>();
        EXPECT_EQ(box->toPlainText(), QStringLiteral("Old\n"));
        QTest::keyClicks(box, QStringLiteral("typed"));
        dialog.close();
    });
    host.ShowTextEditor(form);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogText, "Old\r\n");
}

TEST_F(TextWindowsThroughTheHost, TheSaveQuestionSitsOverTheEditor) {
    std::string dialogText = "Old";
    HostServices services(host);
    TextEditorForm form(dialogText, false, services);
    WhenShown<TextEditorDialog>([](TextEditorDialog& dialog) {
        WhenShown<QMessageBox>([&dialog](QMessageBox& question) {
            EXPECT_EQ(question.text(), QStringLiteral("Save changes ?"));
            EXPECT_EQ(question.parentWidget(), &dialog);
            question.button(QMessageBox::Yes)->click();
        });
        dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("Saved"));
        dialog.findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger();
    });
    host.ShowTextEditor(form);
    EXPECT_EQ(dialogText, "Saved");
}

TEST_F(TextWindowsThroughTheHost, TheClipboardHoldsLfLinesAndTheProgramGetsCrLf) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    host.SetClipboardText("Line 1\r\nLine 2 \xC3\xA9");
    EXPECT_EQ(clipboard->text(), Utf8("Line 1\nLine 2 \xC3\xA9"));
    host.SetClipboardText("caf\xE9");
    EXPECT_EQ(clipboard->text(), Utf8("caf\xC3\xA9"));

    clipboard->setText(Utf8("a\nb\r\nc \xE2\x82\xAC"));
    EXPECT_EQ(host.ClipboardText(), "a\r\nb\r\nc \xE2\x82\xAC");
}

TEST_F(TextWindowsThroughTheHost, PendingEventsRunWhenAsked) {
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    host.ProcessPendingEvents();
    EXPECT_TRUE(ran);
}

TEST_F(TextWindowsThroughTheHost, TextToTabLoadsTheBoxesAndItsCloseButtonKeepsTheSymbols) {
    std::string dialogText = "3--h-";
    TextToTabForm form(dialogText);
    bool shown = false;
    WhenShown<TextToTabDialog>([&](TextToTabDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Text to TAB"));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                  QStringLiteral("Note: Use this feature to add text characters to TAB.  "
                                 "Numbers will be ignored"));
        QStringList boxes;
        for (int i = 0; i < 6; ++i) {
            boxes << dialog.findChild<QLineEdit*>(QStringLiteral("txtTAB%1").arg(i))->text();
        }
        // The sixth line had no symbol: its box stays empty rather than showing "-".
        EXPECT_EQ(boxes, (QStringList{"3", "-", "-", "h", "-", ""}));
        dialog.close();
    });
    host.ShowTextToTab(form);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialogText, "3--h-");
}

class TextToTabDialogTest : public ::testing::Test {
protected:
    TextToTabDialogTest() {
        form.Form_Load();
        dialog = std::make_unique<TextToTabDialog>(form, nullptr);
    }

    QLineEdit* Box(int index) {
        return dialog->findChild<QLineEdit*>(QStringLiteral("txtTAB%1").arg(index));
    }
    QPushButton* Button(const char* name) {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    std::string dialogText = "3-----";
    TextToTabForm form{dialogText};
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

    Button("cmdSave")->click();
    EXPECT_EQ(dialogText, "3p-x--");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(TextToTabDialogTest, ACharacterTakesOneByteOfTheTabLine) {
    Box(4)->selectAll();
    Box(4)->insert(Utf8("\xC3\xA9"));
    Box(5)->selectAll();
    Box(5)->insert(Utf8("\xE2\x82\xAC"));
    EXPECT_EQ(Box(4)->text(), Utf8("\xC3\xA9"));
    EXPECT_EQ(Box(5)->text(), QStringLiteral("?"));
    Button("cmdSave")->click();
    EXPECT_EQ(dialogText, "3---\xE9?");
}

TEST_F(TextToTabDialogTest, CloseHandsBackNothingAndClosesTheWindow) {
    QTest::keyClicks(Box(0), QStringLiteral("x"));
    Button("cmdClose")->click();
    EXPECT_EQ(dialogText, "");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

}  // namespace
}  // namespace fretlux
