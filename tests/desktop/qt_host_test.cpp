// SPDX-License-Identifier: MIT
// The host's dialogs and windows are driven as a user would: a timer finds the modal window once
// it is up, looks at it and answers it.
#include "desktop/qt_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <set>
#include <typeinfo>
#include <vector>

#include "desktop/midi_settings_dialog.h"
#include "desktop/text_editor_dialog.h"
#include "desktop/text_to_tab_dialog.h"
#include "desktop/tutor_window.h"
#include "import/open_document.h"

namespace fretlux {
namespace {

// How long a test waits for a modal window it expects.
constexpr qint64 kWindowDeadlineMs = 10000;

// The pollers of the windows the test still waits for.
std::set<QTimer*>& AwaitedWindows() {
    static std::set<QTimer*> pollers;
    return pollers;
}

// Acts on the modal window of the given kind once it is up. A window that does not come up in
// time fails the test, and whatever modal window is up instead is closed so that the test goes
// on; one still awaited when the test ends fails it too, so that no check is skipped unseen.
template <typename Window>
void WhenShown(std::function<void(Window&)> act) {
    auto* poller = new QTimer;
    AwaitedWindows().insert(poller);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(poller, &QTimer::timeout, [poller, act, waited] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = dynamic_cast<Window*>(modal);
        if (window == nullptr && waited.elapsed() < kWindowDeadlineMs) return;
        AwaitedWindows().erase(poller);
        poller->stop();
        poller->deleteLater();
        if (window != nullptr) {
            act(*window);
            return;
        }
        ADD_FAILURE() << "the awaited " << typeid(Window).name() << " did not come up within "
                      << kWindowDeadlineMs << " ms";
        if (modal != nullptr) modal->close();
    });
    poller->start(10);
}

class QtHostTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (QTimer* poller : AwaitedWindows()) {
            ADD_FAILURE() << "a window the test waited for never came up";
            delete poller;
        }
        AwaitedWindows().clear();
    }

    QTemporaryDir temporary;
    QtHost host{{temporary.filePath(QStringLiteral("lock")),
                 temporary.filePath(QStringLiteral("config")),
                 temporary.filePath(QStringLiteral("documents"))}};
};

TEST_F(QtHostTest, TheMidiChannelBarShowsTheMainWindowsNewBarsWhileTheWindowIsOpen) {
    MidiSettingsForm form;
    form.outputStatus = "Built-in synthesiser, silent: no audio device";
    int patchBar = 25;
    form.HScrollMIDIChannel.onChange = [&] { patchBar = 0; };
    std::vector<int> shownPatchBars;
    host.SetShowModel([&] { shownPatchBars.push_back(patchBar); });
    WhenShown<MidiSettingsDialog>([](MidiSettingsDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("MIDI Settings"));
        const auto labels = dialog.findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
            return label->text() == QStringLiteral("Built-in synthesiser, silent: no audio device");
        }));
        dialog.findChild<QScrollBar*>(QStringLiteral("HScrollMIDIChannel"))->setValue(3);
        dialog.findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
    });
    host.ShowMidiSettings(form);
    EXPECT_EQ(form.HScrollMIDIChannel.Value(), 3);
    EXPECT_EQ(shownPatchBars, std::vector<int>{0});
}

TEST_F(QtHostTest, MessageBoxesHaveTheButtonsIconAndDefaultAskedForAndEscapeMeansNoOrCancel) {
    int modelShown = 0;
    host.SetShowModel([&] { ++modelShown; });
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        // The window behind the box shows what the command has done before asking.
        EXPECT_EQ(modelShown, 1);
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Fretlux"));
        EXPECT_EQ(box.text(), QStringLiteral("Save changes to 'a.flx' ?"));
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(host.ShowMessage({"Save changes to 'a.flx' ?", MessageButtons::YesNoCancel,
                                MessageIcon::Question, MessageAnswer::No}),
              MessageAnswer::Cancel);

    const MessageBoxRequest question{"Overwrite existing file?", MessageButtons::YesNo,
                                     MessageIcon::Question, MessageAnswer::No};
    WhenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(host.ShowMessage(question), MessageAnswer::No);
    WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(host.ShowMessage(question), MessageAnswer::Yes);

    WhenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(host.ShowMessage({"Error 'x' encountered while trying to open file, please retry.",
                                MessageButtons::Ok, MessageIcon::Exclamation, MessageAnswer::Ok}),
              MessageAnswer::Ok);
}

TEST_F(QtHostTest, OpenDialogOffersExistingFilesAndReturnsThePathWithItsCase) {
    QFile file(temporary.filePath(QStringLiteral("MixedCase.TAB")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString chosen = QFileInfo(file).absoluteFilePath();
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(),
                  QStringList({"Fretlux Files (*.flx)", "TAB Files (*.tab)", "All Files (*)"}));
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(temporary.path()).canonicalPath());
        // Typed, as a user would: the dialog's view of the directory may not be filled in yet.
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(chosen).fileName());
        static_cast<QDialog&>(dialog).accept();  // the OK button's slot
    });
    const auto path = host.ShowFileDialog(
        {FileDialogMode::Open,
         "Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|All Files (*.*)|*.*",
         QFile::encodeName(temporary.path()).toStdString(), ""});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, QFile::encodeName(chosen).toStdString());

    // Cancelled, it returns nothing; without a directory it starts in the current one.
    WhenShown<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir::current().canonicalPath());
        dialog.reject();
    });
    EXPECT_FALSE(host.ShowFileDialog({FileDialogMode::Open, "flx Files (*.flx)|*.flx", "", ""}));
}

TEST_F(QtHostTest, SaveDialogNeitherAsksNorAddsAnExtension) {
    const QString directory = temporary.path();
    WhenShown<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("Song.flx"));
        name->setText(QStringLiteral("Typed"));
        static_cast<QDialog&>(dialog).accept();  // the OK button's slot
    });
    const auto path = host.ShowFileDialog({FileDialogMode::Save, "flx Files (*.flx)|*.flx",
                                           QFile::encodeName(directory).toStdString(), "Song.flx"});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(QFileInfo(QString::fromStdString(*path)).fileName(), QStringLiteral("Typed"));
    EXPECT_EQ(QFileInfo(QString::fromStdString(*path)).dir().canonicalPath(),
              QDir(directory).canonicalPath());
}

TEST_F(QtHostTest, ProgramDirectoryComesFromTheEnvironmentWhenGiven) {
    qputenv("FRETLUX_PROGRAM_DIR", QFile::encodeName(temporary.path() + "/prog/"));
    EXPECT_EQ(host.ProgramDirectory(),
              QFile::encodeName(QDir::cleanPath(temporary.path() + "/prog")).toStdString());
    EXPECT_EQ(host.EnterTabFilesDirectory(), host.ProgramDirectory() + "/tabfiles");
    qunsetenv("FRETLUX_PROGRAM_DIR");
}

// The tutor's commands as the window hands them over; none of them closes the window here.
class RecordedTutorButtons final : public TutorButtons {
public:
    void PlayStep() override { pressed << QStringLiteral("Play step"); }
    void PlayAlongStep() override { pressed << QStringLiteral("Play along"); }
    void NextStep() override { pressed << QStringLiteral("Next step"); }
    void CloseText() override { pressed << QStringLiteral("Close"); }
    QStringList pressed;
};

TEST_F(QtHostTest, TheTutorWindowBlocksNothingAndHandsEveryWayOfClosingToTheTutor) {
    RecordedTutorButtons buttons;
    int modelShown = 0;
    host.SetShowModel([&modelShown] { ++modelShown; });
    host.ShowTutor("Step one\r\nLine two", buttons);
    TutorWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* tutor = dynamic_cast<TutorWindow*>(widget)) window = tutor;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Fretlux Tutor"));
    auto* box = window->findChild<QPlainTextEdit*>();
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Step one\nLine two"));
    EXPECT_TRUE(box->isReadOnly());

    for (const char* name : {"cmdPlayStep", "cmdPlayAlong", "cmdNextStep", "cmdClose"}) {
        window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    QTest::keyClick(window, Qt::Key_Escape);
    window->close();
    EXPECT_EQ(buttons.pressed,
              (QStringList{"Play step", "Play along", "Next step", "Close", "Close", "Close"}));
    EXPECT_EQ(modelShown, 6);
    // Only the tutor closes the window; shown again, it shows the new text.
    EXPECT_TRUE(window->isVisible());
    host.ShowTutor("Step two", buttons);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Step two"));
    host.CloseTutor();
    EXPECT_FALSE(window->isVisible());
}

// Close's question as the program asks it: a message box from the host.
class HostServices final : public TextEditorServices {
public:
    explicit HostServices(QtHost& host) : host_(host) {}
    std::string ClipboardText() override { return host_.ClipboardText(); }
    void SetClipboardText(const std::string& text) override { host_.SetClipboardText(text); }
    SaveChangesAnswer AskSaveChanges() override {
        return host_.ShowMessage({kSaveChangesQuestion, MessageButtons::SaveDiscardCancel,
                                  MessageIcon::Question, MessageAnswer::Save}) ==
                       MessageAnswer::Save
                   ? SaveChangesAnswer::Save
                   : SaveChangesAnswer::Cancel;
    }

private:
    QtHost& host_;
};

TEST_F(QtHostTest, TheEditorsOwnCloseButtonKeepsTheTextAndItsSaveQuestionSitsOverIt) {
    HostServices services(host);
    TextEditorForm form("Old\r\n", services);
    WhenShown<TextEditorDialog>([](TextEditorDialog& dialog) {
        auto* box = dialog.findChild<QPlainTextEdit*>();
        EXPECT_EQ(box->toPlainText(), QStringLiteral("Old\n"));
        QTest::keyClicks(box, QStringLiteral("typed"));
        dialog.close();
    });
    EXPECT_EQ(host.ShowTextEditor(form), std::nullopt);

    WhenShown<TextEditorDialog>([](TextEditorDialog& dialog) {
        WhenShown<QMessageBox>([&dialog](QMessageBox& question) {
            EXPECT_EQ(question.text(), QStringLiteral("Save changes?"));
            EXPECT_EQ(question.parentWidget(), &dialog);
            EXPECT_EQ(question.defaultButton(), question.button(QMessageBox::Save));
            EXPECT_NE(question.button(QMessageBox::Cancel), nullptr);
            question.button(QMessageBox::Save)->click();
        });
        dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("Saved"));
        dialog.findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger();
    });
    EXPECT_EQ(host.ShowTextEditor(form), "Saved");
}

TEST_F(QtHostTest, TextToTabLoadsTheBoxesAndItsCloseButtonKeepsTheSymbols) {
    TextToTabForm form("3--h-");
    WhenShown<TextToTabDialog>([](TextToTabDialog& dialog) {
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
    EXPECT_EQ(host.ShowTextToTab(form), "3--h-");
}

TEST_F(QtHostTest, AFileOfSeveralTracksAsksWhichToOpenOfferingTheFirstGuitarsTrack) {
    const std::vector<TrackSummary> tracks{
        {"Drums", 6, {35, 38, 42, 46, 49, 51}, 0, 212, true},
        {"Bass", 4, {28, 33, 38, 43}, 0, 96, false},
        {"Lead", 6, {40, 45, 50, 55, 59, 64}, 2, 301, false},
        {"", 6, {38, 45, 50, 55, 59, 64}, 0, 1, false},
    };
    WhenShown<QInputDialog>([](QInputDialog& dialog) {
        EXPECT_EQ(dialog.labelText(), QStringLiteral("This file holds several tracks. Open:"));
        auto* list = dialog.findChild<QComboBox*>();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->currentText(),
                  QStringLiteral("3. Lead: 6 strings, E2 A2 D3 G3 B3 E4, capo 2, 301 notes"));
        EXPECT_EQ(
            list->itemText(0),
            QStringLiteral("1. Drums: 6 strings, B1 D2 F#2 A#2 C#3 D#3, percussion, 212 notes"));
        EXPECT_EQ(list->itemText(3),
                  QStringLiteral("4. (no name): 6 strings, D2 A2 D3 G3 B3 E4, 1 note"));
        list->setCurrentIndex(3);
        dialog.accept();
    });
    EXPECT_EQ(host.ChooseTrack(tracks), 4);
    WhenShown<QInputDialog>([](QInputDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(host.ChooseTrack(tracks), std::nullopt);
}

TEST_F(QtHostTest, TheClipboardHoldsLfLinesTheProgramGetsCrLf) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    host.SetClipboardText("Line 1\r\nLine 2 \xC3\xA9");
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("Line 1\nLine 2 \xC3\xA9"));
    host.SetClipboardText("caf\xE9");
    EXPECT_EQ(clipboard->text(), QString::fromUtf8("caf\xC3\xA9"));
    clipboard->setText(QString::fromUtf8("a\nb\r\nc \xE2\x82\xAC"));
    EXPECT_EQ(host.ClipboardText(), "a\r\nb\r\nc \xE2\x82\xAC");
}

}  // namespace
}  // namespace fretlux
