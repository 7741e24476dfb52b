// SPDX-License-Identifier: MIT
// The host's dialogs are driven as a user would: a timer finds the modal dialog once it is up,
// looks at it and answers it.
#include "platform/qt_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace fretlux {
namespace {

template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    timer->start(10);
}

class QtHostTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    QtHost host{{temporary.filePath(QStringLiteral("lock")),
                 temporary.filePath(QStringLiteral("config")),
                 temporary.filePath(QStringLiteral("documents"))}};
};

TEST_F(QtHostTest, SaveQuestionHasYesNoCancelDefaultNoAndEscapeMeansCancel) {
    WhenShown<QMessageBox>([](QMessageBox& box) {
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
}

TEST_F(QtHostTest, EscapeOnYesNoMeansNoAndTheButtonPressedIsReported) {
    WhenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    const MessageBoxRequest question{"Overwrite existing file?", MessageButtons::YesNo,
                                     MessageIcon::Question, MessageAnswer::No};
    EXPECT_EQ(host.ShowMessage(question), MessageAnswer::No);
    WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(host.ShowMessage(question), MessageAnswer::Yes);
}

TEST_F(QtHostTest, ErrorShowsExclamationWithOkOnly) {
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
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();  // the OK button's slot
    });
    const auto path = host.ShowFileDialog(
        {FileDialogMode::Open,
         "Fretlux Files (*.flx)|*.flx|TAB Files (*.tab)|*.tab|All Files (*.*)|*.*",
         QFile::encodeName(temporary.path()).toStdString(), ""});
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, QFile::encodeName(chosen).toStdString());
}

TEST_F(QtHostTest, CancelledDialogReturnsNothingAndStartsInTheCurrentDirectory) {
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
    const std::string tabfiles = host.EnterTabFilesDirectory();
    EXPECT_EQ(tabfiles, host.ProgramDirectory() + "/tabfiles");
    qunsetenv("FRETLUX_PROGRAM_DIR");
}

TEST_F(QtHostTest, SecondHostWithTheSameLockDirectoryFindsTheFirst) {
    QtHost other{{temporary.filePath(QStringLiteral("lock")), QString(), QString()}};
    EXPECT_FALSE(host.AnotherCopyRunning());
    EXPECT_TRUE(other.AnotherCopyRunning());
    EXPECT_TRUE(host.IsFirstRun());
    EXPECT_FALSE(host.IsFirstRun());
}

TEST_F(QtHostTest, EndProgramRunsWhatTheWindowSet) {
    int ended = 0;
    host.SetEndProgram([&ended] { ++ended; });
    host.EndProgram();
    EXPECT_EQ(ended, 1);
}

}  // namespace
}  // namespace fretlux
