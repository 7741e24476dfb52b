// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "app/fretlux_form.h"
#include "platform/fluidsynth_output.h"
#include "platform/qt_host.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Fretlux"));
    QCoreApplication::setApplicationName(QStringLiteral("Fretlux"));
    // Only the model ends the program (Exit, or a close it agrees to), never the last window.
    application.setQuitOnLastWindowClosed(false);

    fretlux::FluidSynthOptions soundOptions;
    soundOptions.setUpOnOpen = false;
    fretlux::FluidSynthOutput synthesiser(soundOptions);
    fretlux::QtHost host;
    host.SetMidiOutput(synthesiser);
    fretlux::FretluxForm form(host);
    fretlux::MainWindow window(form);
    host.SetDialogParent(&window);
    host.SetEndProgram([&window] { window.EndProgram(); });
    host.SetShowModel([&window] { window.SyncFromModel(); });

    if (!form.Form_Load()) return 0;
    window.SyncFromModel();
    // Most of the screen, but never less than the layout needs.
    const QSize screen = window.screen()->availableGeometry().size();
    window.resize(window.sizeHint().expandedTo(screen * 4 / 5).boundedTo(screen));
    window.show();
    // Loading FluidSynth and the soundfont takes the other core for a while: it begins once the
    // event loop has sent the window on its way. Notes played before it is ready are queued.
    QTimer::singleShot(0, &window, [&synthesiser] { synthesiser.StartSetUp(); });
    // The Introduction of a first run opens over the window, not before it.
    QTimer::singleShot(0, &window, [&form, &window] {
        form.OpenIntroductionOnFirstRun();
        window.SyncFromModel();
    });
    return application.exec();
}
