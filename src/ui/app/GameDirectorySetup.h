#pragma once

#include <QString>

#include "platform/SettingsStore.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

inline const QString kFirstRunWarning = "Please Find war2.exe in the WarCraft Directory...";
inline const QString kBadDirectoryWarning = "Please Locate war2.exe in the war2 Directory...";
inline const QString kChooseDirectoryWarning =
    "Please Locate war2.exe in the war2 Directory you wish to use...";
inline const QString kWithoutGameNotice =
    "You can work without the game: open, edit and save scenarios, unit data and upgrade "
    "files, and import and export their tables.\n\n"
    "The game is needed for the unit names (until then the list shows \"Unit 0\", \"Unit 1\" "
    "and so on), the pictures of the GFX page and of the About window, the marks of values that "
    "differ from the game's own, Direct Open, Direct Save, the Game Balance calculator and "
    "the Balance Map.\n\n"
    "Choose the game whenever you like with \"Choose WarCraft II Directory.\" in the File "
    "menu.";

// Start-up: the stored game directory, or the one the user points to when there is none or it
// holds no game data. A directory without game data is used for this run but not stored. The
// first start that goes on without the game says what works without it.
QString configureGameDirectory(platform::SettingsStore& settings, Prompts& prompts);

// "&Choose WarCraft II Directory.": asks for the game's program file again. A folder without
// the game's data is refused with a warning, and `current` stays in use.
QString chooseGameDirectory(platform::SettingsStore& settings, Prompts& prompts,
                            const QString& current);

}  // namespace tarnwick::ui
