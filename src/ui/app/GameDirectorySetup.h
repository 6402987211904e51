#pragma once

#include <QString>

#include "platform/SettingsStore.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kFirstRunWarning = "Please Find war2.exe in the WarCraft Directory...";
inline const QString kBadDirectoryWarning = "Please Locate war2.exe in the war2 Directory...";
inline const QString kChooseDirectoryWarning =
    "Please Locate war2.exe in the war2 Directory you wish to use...";

// Start-up: the stored game directory, or the one the user points to when there is none or it
// holds no game data. A directory without game data is used for this run but not stored.
QString configureGameDirectory(platform::SettingsStore& settings, Prompts& prompts);

// "&Choose WarCraft II Directory.": asks for the game's program file again. A folder without
// the game's data is refused with a warning, and `current` stays in use.
QString chooseGameDirectory(platform::SettingsStore& settings, Prompts& prompts,
                            const QString& current);

}  // namespace tarnwick::ui
