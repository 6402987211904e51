#include "ui/app/TarnwickApplication.h"

#include <cstdlib>

#include "core/model/Document.h"
#include "platform/PluginLink.h"
#include "platform/SettingsStore.h"
#include "ui/app/MainWindow.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/prompts/QtPrompts.h"

namespace tarnwick::ui {

int runEditor() {
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationDisplayName("Tarnwick");

    model::Document document;
    QtPrompts prompts;
    platform::SettingsStore settings;
    platform::PluginLink plugInLink;
    MainWindow mainWindow(document, prompts, settings, plugInLink);
    prompts.setParentWindow(&mainWindow);
    return runMainWindow(mainWindow, prompts);
}

int runMainWindow(MainWindow& window, Prompts& prompts) {
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    runGuarded(prompts, [&] { window.startUp(arguments); });
    if (window.endRequested()) {
        return EXIT_FAILURE;
    }
    window.show();
    return QApplication::exec();
}

}  // namespace tarnwick::ui
