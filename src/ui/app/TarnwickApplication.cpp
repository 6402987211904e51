#include "ui/app/TarnwickApplication.h"

#include "TarnwickVersion.h"
#include "core/model/Document.h"
#include "platform/SettingsStore.h"
#include "ui/app/MainWindow.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/prompts/QtPrompts.h"

namespace tarnwick::ui {

int runEditor(const QStringList& windowArguments) {
    // No display name: Qt would append it to every window title, which must read exactly as set.
    QApplication::setApplicationName("Tarnwick");
    QApplication::setApplicationVersion(kVersion);

    model::Document document;
    QtPrompts prompts;
    platform::SettingsStore settings;
    MainWindow mainWindow(document, prompts, settings);
    prompts.setParentWindow(&mainWindow);

    runGuarded(prompts, [&] { mainWindow.startUp(windowArguments); });
    mainWindow.show();
    return QApplication::exec();
}

}  // namespace tarnwick::ui
