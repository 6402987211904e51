#include "ui/app/TarnwickApplication.h"

#include "core/model/Document.h"
#include "platform/SettingsStore.h"
#include "ui/app/TfrmMain.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/prompts/QtPrompts.h"

namespace tarnwick::ui {

int runEditor() {
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationDisplayName("Tarnwick");

    model::Document document;
    QtPrompts prompts;
    platform::SettingsStore settings;
    TfrmMain mainWindow(document, prompts, settings);
    prompts.setParentWindow(&mainWindow);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    runGuarded(prompts, [&] { mainWindow.FormCreate(arguments); });
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace tarnwick::ui
