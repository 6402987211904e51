#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>

namespace tarnwick::ui {

// Every menu, item and toolbar button of the main window; object names are the members' names,
// with "Item" or "Menu" after those of menus and their items.
struct MainMenus {
    QMenu* file = nullptr;
    QAction* open = nullptr;
    QMenu* recentMenu = nullptr;
    QAction* directOpen = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* directSave = nullptr;
    QAction* importFile = nullptr;
    QMenu* exportMenu = nullptr;
    QAction* applyChangesFile = nullptr;
    QAction* saveChangesAs = nullptr;
    QAction* exportUnitData = nullptr;
    QAction* exportUpgradeData = nullptr;
    QAction* exportUpgradeSection = nullptr;
    QAction* exportUnitSection = nullptr;
    QAction* exportRestrictions = nullptr;
    QAction* closeData = nullptr;
    QAction* chooseGameDirectory = nullptr;
    QAction* exit = nullptr;

    QMenu* information = nullptr;
    QAction* udtaStyle = nullptr;
    QAction* gameBalance = nullptr;
    QAction* balanceMap = nullptr;
    QAction* unitTable = nullptr;

    QMenu* pudOptions = nullptr;
    QAction* mapProperties = nullptr;
    QAction* playerProperties = nullptr;
    QAction* startingResources = nullptr;
    QAction* viewMinimap = nullptr;

    QMenu* edit = nullptr;
    QAction* copyUnit = nullptr;
    QAction* pasteUnit = nullptr;
    QAction* editUpgrades = nullptr;
    QAction* restrictionsEditor = nullptr;
    QAction* useDefaultUnitData = nullptr;
    QAction* useDefaultUpgrades = nullptr;
    QMenu* restrictionsMenu = nullptr;
    QAction* addRestrictions = nullptr;
    QAction* removeRestrictions = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;

    QMenu* help = nullptr;
    QAction* keyboardShortcuts = nullptr;
    QAction* about = nullptr;

    QAction* openButton = nullptr;
    QAction* saveButton = nullptr;
    QAction* restrictionsButton = nullptr;
    QAction* upgradesButton = nullptr;
    QAction* exitButton = nullptr;
};

// Builds the menu bar and the toolbar of `window`; connects nothing.
MainMenus buildMainMenus(QMainWindow& window);

}  // namespace tarnwick::ui
