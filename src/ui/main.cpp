// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/fretlux_form.h"
#include "desktop/instance_hand_over.h"
#include "desktop/program_directory.h"
#include "desktop/qt_host.h"
#include "sound/fluidsynth_output.h"
#include "ui/button_pictures.h"
#include "ui/main_window.h"

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
// How long a later start waits for the copy that runs to take its file.
constexpr int kHandOverMs = 5000;

std::vector<std::string> Arguments(const QStringList& arguments) {
    std::vector<std::string> args;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        args.push_back(QFile::encodeName(arguments[k]).toStdString());
    }
    return args;
}

// Qt's own options (-platform, -style ...) start with a single dash; Qt takes them out.
bool MayBeQtOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && arg[1] != '-';
}

// --help, --version and wrong arguments are answered without a window, so also where there is
// no display.
int Answer(fretlux::StartAction action, int argc, char* argv[]) {
    if (action == fretlux::StartAction::WrongArguments) {
        std::cerr << fretlux::kWindowUsage;
        return 2;
    }
    QCoreApplication application(argc, argv);
    if (action == fretlux::StartAction::PrintVersion) {
        std::cout << fretlux::VersionLine() << '\n';
        return 0;
    }
    std::cout << fretlux::kWindowUsage
              << "\nProgram directory: " << fretlux::ProgramDirectory().toStdString() << '\n';
    return 0;
}

// Where the window stood when the program last ended, or most of the screen the first time,
// never less than the layout needs.
void PlaceWindow(fretlux::MainWindow& window) {
    if (window.restoreGeometry(QSettings().value(kGeometryKey).toByteArray())) return;
    const QSize screen = window.screen()->availableGeometry().size();
    window.resize(window.sizeHint().expandedTo(screen * 4 / 5).boundedTo(screen));
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> given(argv + (argc > 0 ? 1 : 0), argv + argc);
    const fretlux::StartAction asked = fretlux::ReadCommandLine(given).action;
    if (asked != fretlux::StartAction::OpenWindow &&
        (asked != fretlux::StartAction::WrongArguments ||
         std::none_of(given.begin(), given.end(), MayBeQtOption))) {
        return Answer(asked, argc, argv);
    }

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Fretlux"));
    QCoreApplication::setApplicationName(QStringLiteral("Fretlux"));
    QGuiApplication::setDesktopFileName(QStringLiteral("fretlux"));
    QGuiApplication::setWindowIcon(fretlux::ProgramIcon());
    // Only the model ends the program (Exit, or a close it agrees to), never the last window.
    application.setQuitOnLastWindowClosed(false);

    // Qt has taken its own options out of the arguments by now.
    const fretlux::StartRequest request =
        fretlux::ReadCommandLine(Arguments(QCoreApplication::arguments()));
    if (request.action == fretlux::StartAction::WrongArguments) {
        std::cerr << fretlux::kWindowUsage;
        return 2;
    }
    // Start-up moves into the TAB files directory, so a relative name is resolved before.
    const std::string startFile =
        request.file.empty()
            ? std::string()
            : QFile::encodeName(
                  QFileInfo(QFile::decodeName(request.file.c_str())).absoluteFilePath())
                  .toStdString();

    fretlux::FluidSynthOptions soundOptions;
    soundOptions.setUpOnOpen = false;
    fretlux::FluidSynthOutput synthesiser(soundOptions);
    const fretlux::HostDirectories directories = fretlux::HostDirectories::Standard();
    fretlux::QtHost host(directories);
    // A later start hands its file to the copy that runs and ends without a word; only when that
    // copy does not answer does start-up go on to say that it runs.
    if (host.AnotherCopyRunning() &&
        fretlux::InstanceHandOver::HandOver(directories.lockDirectory, startFile, kHandOverMs)) {
        return 0;
    }
    host.SetMidiOutput(synthesiser);
    fretlux::FretluxForm form(host);
    fretlux::MainWindow window(form);
    host.SetDialogParent(&window);
    host.SetEndProgram([&window] { window.EndProgram(); });
    host.SetShowModel([&window] { window.SyncFromModel(); });
    // The set-up finishes on a thread of its own; the window hears of it on its own thread.
    synthesiser.SetOnSetUpDone([&window, &form] {
        QMetaObject::invokeMethod(
            qApp,
            [&window, &form] {
                form.SoundSetUpDone();
                window.SyncFromModel();
            },
            Qt::QueuedConnection);
    });

    if (!form.StartUp()) return 0;
    fretlux::InstanceHandOver handOver(directories.lockDirectory);
    handOver.Listen([&window](const std::string& path) { window.TakeHandedOverFile(path); });
    window.SyncFromModel();
    PlaceWindow(window);
    window.show();
    // Loading FluidSynth and the soundfont takes the other core for a while: it begins once the
    // event loop has sent the window on its way. Notes played before it is ready are queued.
    QTimer::singleShot(0, &window, [&synthesiser] { synthesiser.StartSetUp(); });
    // A file named on the command line opens over the window, not before it, and so does the
    // Introduction of a first run when no file was named.
    QTimer::singleShot(0, &window, [&window, &form, &startFile] {
        if (startFile.empty()) {
            form.OpenStartDocument();
        } else {
            form.OpenNamedFile(startFile);
        }
        window.SyncFromModel();
    });
    const int result = application.exec();
    QSettings().setValue(kGeometryKey, window.saveGeometry());
    return result;
}
