#include "ui/app/GameDirectorySetup.h"

#include <QDir>
#include <QFileInfo>

#include "platform/GameFiles.h"

namespace tarnwick::ui {

namespace {

// The locate dialog: the chosen file's folder becomes the game directory; it is remembered only
// when the game's data is really there.
QString locateGame(platform::SettingsStore& settings, Prompts& prompts,
                   const QString& gameDirectory, const QString& initialDirectory) {
    const FileChoice choice{
        "Locate War2.exe...", "Executables(*.exe)|*.exe", 1, {}, initialDirectory, "WAR2.EXE"};
    const auto chosen = prompts.chooseFileToOpen(choice);
    if (!chosen) {
        return gameDirectory;
    }
    const QString directory = QFileInfo(*chosen).absolutePath();
    if (platform::holdsGameData(directory)) {
        settings.setWar2Dir(directory);
    }
    return directory;
}

}  // namespace

QString configureGameDirectory(platform::SettingsStore& settings, Prompts& prompts) {
    if (!settings.exists()) {
        settings.create();
        prompts.warning(kFirstRunWarning);
        return locateGame(settings, prompts, {}, QDir::homePath());
    }
    const QString gameDirectory = settings.war2Dir();
    if (platform::holdsGameData(gameDirectory)) {
        return gameDirectory;
    }
    prompts.warning(kBadDirectoryWarning);
    return locateGame(settings, prompts, gameDirectory, QDir::homePath());
}

QString chooseGameDirectory(platform::SettingsStore& settings, Prompts& prompts,
                            const QString& current) {
    const QString gameDirectory = settings.exists() ? settings.war2Dir() : current;
    prompts.warning(kChooseDirectoryWarning);
    return locateGame(settings, prompts, gameDirectory, gameDirectory);
}

}  // namespace tarnwick::ui
