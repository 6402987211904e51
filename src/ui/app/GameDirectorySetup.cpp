#include "ui/app/GameDirectorySetup.h"

#include <optional>

#include <QDir>
#include <QFileInfo>

#include "platform/GameFiles.h"

namespace tarnwick::ui {

namespace {

// The locate dialog: the folder of the chosen file, nothing when it was cancelled.
std::optional<QString> locateGame(Prompts& prompts, const QString& initialDirectory) {
    const FileChoice choice{
        "Locate War2.exe...", "Executables(*.exe)|*.exe", 1, {}, initialDirectory, "WAR2.EXE"};
    const auto chosen = prompts.chooseFileToOpen(choice);
    if (!chosen) {
        return std::nullopt;
    }
    return QFileInfo(*chosen).absolutePath();
}

// At start the located folder is used for this run, and remembered only when the game's data is
// really there.
QString locateAtStart(platform::SettingsStore& settings, Prompts& prompts,
                      const QString& gameDirectory) {
    const auto located = locateGame(prompts, QDir::homePath());
    if (!located) {
        return gameDirectory;
    }
    if (platform::holdsGameData(*located)) {
        settings.setWar2Dir(*located);
    }
    return *located;
}

// Why a chosen folder is not taken as the game directory.
QString noGameDataWarning(const QString& directory) {
    return QString(
               "\"%1\" holds no %2, so it is no WarCraft II directory. The game directory "
               "stays as it was.")
        .arg(QDir::toNativeSeparators(directory), QDir::toNativeSeparators("DATA/MAINDAT.WAR"));
}

}  // namespace

QString configureGameDirectory(platform::SettingsStore& settings, Prompts& prompts) {
    if (!settings.exists()) {
        settings.create();
        prompts.warning(kFirstRunWarning);
        return locateAtStart(settings, prompts, {});
    }
    const QString gameDirectory = settings.war2Dir();
    if (platform::holdsGameData(gameDirectory)) {
        return gameDirectory;
    }
    prompts.warning(kBadDirectoryWarning);
    return locateAtStart(settings, prompts, gameDirectory);
}

QString chooseGameDirectory(platform::SettingsStore& settings, Prompts& prompts,
                            const QString& current) {
    const QString stored = settings.exists() ? settings.war2Dir() : current;
    prompts.warning(kChooseDirectoryWarning);
    const auto located = locateGame(prompts, stored);
    if (!located) {
        return stored;
    }
    // The game in use is worth more than a folder whose defaults and names cannot be read.
    if (!platform::holdsGameData(*located)) {
        prompts.warning(noGameDataWarning(*located));
        return current;
    }
    settings.setWar2Dir(*located);
    return *located;
}

}  // namespace tarnwick::ui
