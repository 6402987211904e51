#include "ui/app/TarnwickApplication.h"

#include <cstdlib>

#include <QIcon>

#include "TarnwickProject.h"
#include "core/model/Document.h"
#include "platform/DeviceModule.h"
#include "platform/SettingsStore.h"
#include "ui/app/FirstPaintQuit.h"
#include "ui/app/MainWindow.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/prompts/QtPrompts.h"

namespace tarnwick::ui {

int runEditor(const QStringList& windowArguments) {
    // No display name: Qt would append it to every window title, which must read exactly as set.
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationVersion(kVersion);
    // The desktop matches the windows to the installed entry and its icon by this name.
    QApplication::setDesktopFileName(kDesktopId);
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        icon.addFile(QString(":/icons/tarnwick-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);

    model::Document document;
    QtPrompts prompts;
    platform::SettingsStore settings;
    platform::OnDemandHostLink plugInLink;
    MainWindow mainWindow(document, prompts, settings, plugInLink);
    prompts.setParentWindow(&mainWindow);
    if (qEnvironmentVariableIsSet("TARNWICK_QUIT_AFTER_FIRST_PAINT")) {
        quitAfterFirstPaint(mainWindow);
    }
    return runMainWindow(mainWindow, prompts, windowArguments);
}

int runMainWindow(MainWindow& window, Prompts& prompts, const QStringList& windowArguments) {
    runGuarded(prompts, [&] { window.startUp(windowArguments); });
    if (window.endRequested()) {
        return EXIT_FAILURE;
    }
    window.show();
    return QApplication::exec();
}

}  // namespace tarnwick::ui
