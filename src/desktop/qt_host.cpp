// SPDX-License-Identifier: MIT
#include "desktop/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QUrl>
#include <cmath>

#include "desktop/about_dialog.h"
#include "desktop/beats_dialog.h"
#include "desktop/dialog_filter.h"
#include "desktop/dialog_placement.h"
#include "desktop/fast_find_dialog.h"
#include "desktop/help_window.h"
#include "desktop/midi_settings_dialog.h"
#include "desktop/program_directory.h"
#include "desktop/speed_trainer_dialog.h"
#include "desktop/tab_files_directory.h"
#include "desktop/text_codec.h"
#include "desktop/text_editor_dialog.h"
#include "desktop/text_to_tab_dialog.h"
#include "desktop/tutor_window.h"
#include "sound/wave_rendering.h"

namespace fretlux {

namespace {

constexpr int kNormalDpi = 96;
constexpr int kProgressSteps = 100;

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QMessageBox::StandardButton StandardButtonFor(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Save:
            return QMessageBox::Save;
        case MessageAnswer::Discard:
            return QMessageBox::Discard;
        case MessageAnswer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerFor(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Save:
            return MessageAnswer::Save;
        case QMessageBox::Discard:
            return MessageAnswer::Discard;
        default:
            return MessageAnswer::Ok;
    }
}

QMessageBox::Icon IconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::SaveDiscardCancel:
            return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Escape answers what closing the box would: Cancel where there is one, else No.
QMessageBox::StandardButton EscapeButtonFor(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::No;
        case MessageButtons::YesNoCancel:
        case MessageButtons::SaveDiscardCancel:
            return QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

HostDirectories HostDirectories::Standard() {
    QString lockDirectory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (lockDirectory.isEmpty()) lockDirectory = QDir::tempPath();
    return {lockDirectory, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
}

QtHost::QtHost(const HostDirectories& directories)
    : directories_(directories),
      instanceLock_(directories.lockDirectory),
      firstRunMarker_(directories.configDirectory) {}

// The main window takes the tutor window with it; one made without a window is the host's.
QtHost::~QtHost() { delete tutor_; }

MessageAnswer QtHost::ShowMessage(const MessageBoxRequest& request) {
    QMessageBox box(IconFor(request.icon), DecodeDocumentText(request.title).text,
                    DecodeDocumentText(request.text).text, ButtonsFor(request.buttons),
                    DialogOwner());
    box.setDefaultButton(StandardButtonFor(request.defaultButton));
    box.setEscapeButton(EscapeButtonFor(request.buttons));
    if (showModel_) showModel_();
    box.exec();
    return AnswerFor(box.standardButton(box.clickedButton()));
}

std::optional<int> QtHost::ChooseTrack(const std::vector<TrackSummary>& tracks) {
    if (tracks.size() <= 1) return DefaultTrack(tracks);
    QStringList items;
    for (size_t t = 0; t < tracks.size(); ++t) {
        items << DecodeDocumentText(DescribeTrack(static_cast<int>(t) + 1, tracks[t])).text;
    }
    bool chosen = false;
    const QString item =
        QInputDialog::getItem(DialogOwner(), QStringLiteral("Fretlux"),
                              QStringLiteral("This file holds several tracks. Open:"), items,
                              DefaultTrack(tracks) - 1, false, &chosen);
    if (!chosen) return std::nullopt;
    return static_cast<int>(items.indexOf(item)) + 1;
}

std::optional<std::string> QtHost::ShowFileDialog(const FileDialogRequest& request) {
    const QString directory =
        request.initialDirectory.empty() ? QDir::currentPath() : PathText(request.initialDirectory);
    QFileDialog dialog(dialogParent_, QString(), directory, QtFileFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.mode == FileDialogMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The program asks "Overwrite existing file?" itself, and a typed name is used as typed.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QString());
    }
    if (!request.fileName.empty()) dialog.selectFile(PathText(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return PathBytes(chosen.first());
}

std::string QtHost::ProgramDirectory() const { return PathBytes(fretlux::ProgramDirectory()); }

bool QtHost::AnotherCopyRunning() { return instanceLock_.AnotherCopyRunning(); }

int QtHost::LogicalDpiY() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return kNormalDpi;
    return static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
}

std::string QtHost::EnterTabFilesDirectory() {
    return PathBytes(fretlux::EnterTabFilesDirectory(fretlux::ProgramDirectory(),
                                                     directories_.documentsDirectory));
}

bool QtHost::IsFirstRun() { return firstRunMarker_.IsFirstRun(); }

void QtHost::RecordFirstRun() { firstRunMarker_.Record(); }

void QtHost::EndProgram() {
    if (endProgram_) endProgram_();
}

void QtHost::ShowMidiSettings(MidiSettingsForm& form) {
    MidiSettingsDialog dialog(form, showModel_, dialogParent_);
    dialog.exec();
}

std::optional<std::string> QtHost::ShowTextEditor(TextEditorForm& form) {
    form.Load();
    if (showModel_) showModel_();
    TextEditorDialog dialog(form, dialogParent_);
    dialog.exec();
    return form.Result();
}

std::optional<std::string> QtHost::ShowTextToTab(TextToTabForm& form) {
    form.Load();
    TextToTabDialog dialog(form, dialogParent_);
    dialog.exec();
    return form.Result();
}

void QtHost::ShowFastFind(FastFindForm& form) {
    form.Load();
    // The finder clears the fretboard before it opens: the board is seen cleared under it.
    if (showModel_) showModel_();
    FastFindDialog dialog(form, dialogParent_);
    // The chord shows on the fretboard as soon as it is found: the finder stands clear of it.
    QWidget* board = dialogParent_ == nullptr
                         ? nullptr
                         : dialogParent_->findChild<QWidget*>(QStringLiteral("fretboard"));
    if (board != nullptr && board->isVisible()) {
        dialog.adjustSize();
        const QSize frame =
            dialog.size() + QSize(0, dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight));
        dialog.move(PlaceClearOf(QRect(board->mapToGlobal(QPoint(0, 0)), board->size()), frame,
                                 board->screen()->availableGeometry()));
    }
    dialog.exec();
}

void QtHost::ShowSpeedTrainer(SpeedTrainerForm& form) {
    SpeedTrainerDialog dialog(form, dialogParent_);
    dialog.exec();
}

void QtHost::ShowBeats(BeatsForm& form) {
    BeatsDialog dialog(form, dialogParent_);
    dialog.exec();
}

std::optional<int> QtHost::AskNumber(const NumberRequest& request) {
    QInputDialog dialog(DialogOwner());
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setLabelText(QString::fromStdString(request.prompt));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(request.minimum, request.maximum);
    dialog.setIntValue(request.value);
    if (auto* box = dialog.findChild<QSpinBox*>()) {
        box->setSuffix(QString::fromStdString(request.suffix));
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.intValue();
}

// Under a key made of the document's path: QSettings reads its slashes as groups, the same way
// for reading and writing.
std::optional<std::string> QtHost::RememberedText(const std::string& key) {
    const QSettings settings(directories_.configDirectory + QStringLiteral("/settings.ini"),
                             QSettings::IniFormat);
    const QVariant value = settings.value(QString::fromStdString(key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

void QtHost::RememberText(const std::string& key, const std::string& text) {
    QSettings settings(directories_.configDirectory + QStringLiteral("/settings.ini"),
                       QSettings::IniFormat);
    settings.setValue(QString::fromStdString(key), QString::fromStdString(text));
}

void QtHost::ShowTutor(const std::string& text, TutorButtons& buttons) {
    if (tutor_ == nullptr) tutor_ = new TutorWindow(dialogParent_, showModel_);
    tutor_->ShowText(text, buttons);
}

void QtHost::CloseTutor() {
    if (tutor_ != nullptr) tutor_->Hide();
}

// The program's texts end their lines with CR LF, the desktop's clipboard with LF.
std::string QtHost::ClipboardText() {
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return EncodeDocumentText(text, true);
}

void QtHost::SetClipboardText(const std::string& text) {
    QString decoded = DecodeDocumentText(text).text;
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(decoded);
}

bool QtHost::OpenWithAssociatedProgram(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(PathText(path)));
}

void QtHost::ShowAbout(const AboutForm& form) {
    AboutDialog dialog(form, dialogParent_);
    dialog.exec();
}

void QtHost::ShowHelp(const std::string& path) {
    if (helpWindow_ == nullptr) helpWindow_ = new HelpWindow(dialogParent_);
    helpWindow_->ShowPage(PathText(path));
}

RenderedWave QtHost::RenderWave(const std::vector<TimedMidiMessage>& events) {
    QProgressDialog progress(QStringLiteral("Rendering the sound into a WAVE file\u2026"),
                             QStringLiteral("Cancel"), 0, kProgressSteps, DialogOwner());
    progress.setWindowTitle(QString::fromLatin1(kProgramTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    return RenderWaveBytes(
        events,
        [&progress](double fraction) {
            progress.setValue(static_cast<int>(std::lround(fraction * kProgressSteps)));
        },
        [&progress] {
            // The window stays alive and the Cancel button answers while the sound is made.
            QCoreApplication::processEvents();
            return progress.wasCanceled();
        });
}

// A question asked from inside a modal window belongs over that window.
QWidget* QtHost::DialogOwner() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return dialogParent_;
}

}  // namespace fretlux
