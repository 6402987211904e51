#include "ui/app/TarnwickApplication.h"

#include "core/model/Document.h"
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
    MainWindow mainWindow(document, prompts, settings);
    prompts.setParentWindow(&mainWindow);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    runGuarded(prompts, [&] { mainWindow.startUp(arguments); });
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace tarnwick::ui
