#include "ui/menus/MainMenus.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace tarnwick::ui {

namespace {

QAction* addItem(QMenu* menu, const QString& text, const QString& name,
                 const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const QString& title, const QString& name) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "Item");
    return menu;
}

QMenu* addSubmenu(QMenu* parent, const QString& title, const QString& name) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "Item");
    return menu;
}

// A hint "short|long": the short part is the tooltip, the long part the status-bar text.
QAction* addButton(QToolBar* bar, QStyle::StandardPixmap glyph, const QString& text,
                   const QString& hint, const QString& name) {
    QAction* action = bar->addAction(bar->style()->standardIcon(glyph), text);
    action->setObjectName(name);
    action->setToolTip(hint.section('|', 0, 0));
    action->setStatusTip(hint.section('|', 1));
    return action;
}

void buildFileMenu(MainMenus& m, QMenuBar* bar) {
    m.file = addMenu(bar, "&File", "fileMenu");
    m.open = addItem(m.file, "&Open...", "openItem", QKeySequence("Ctrl+O"));
    m.recentMenu = addSubmenu(m.file, "Open &Recent", "recentMenu");
    m.directOpen = addItem(m.file, "Direct Open ", "directOpenItem");
    m.file->addSeparator();
    m.save = addItem(m.file, "&Save", "saveItem", QKeySequence("Ctrl+S"));
    m.saveAs = addItem(m.file, "&Save As...", "saveAsItem");
    m.directSave = addItem(m.file, "Direct Save", "directSaveItem");
    m.importFile = addItem(m.file, "Import File", "importFileItem");
    m.exportMenu = addSubmenu(m.file, "Export...", "exportMenu");
    m.exportUnitData = addItem(m.exportMenu, "Export MAINDAT style UDTA", "exportUnitDataItem");
    m.exportUpgradeData =
        addItem(m.exportMenu, "Export MAINDAT style UGRD", "exportUpgradeDataItem");
    m.exportUpgradeSection =
        addItem(m.exportMenu, "Export as U&P (Upgrade Section)", "exportUpgradeSectionItem");
    m.exportUnitSection =
        addItem(m.exportMenu, "Export as &UN (Unit Section)", "exportUnitSectionItem");
    m.exportRestrictions =
        addItem(m.exportMenu, "Export as &ALO (Restrictions)", "exportRestrictionsItem");
    m.applyChangesFile = addItem(m.file, "Apply Changes &File...", "applyChangesFileItem");
    m.saveChangesAs = addItem(m.file, "Save &Changes As...", "saveChangesAsItem");
    m.file->addSeparator();
    m.closeData = addItem(m.file, "&Close Data", "closeDataItem");
    m.file->addSeparator();
    m.chooseGameDirectory =
        addItem(m.file, "&Choose WarCraft II Directory.", "chooseGameDirectoryItem");
    m.exit = addItem(m.file, "&Exit", "exitItem", QKeySequence("Ctrl+X"));
    // Ctrl+Q as well, as every desktop program ends; the menu keeps showing Ctrl+X.
    m.exit->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Ctrl+Q")});
}

void buildEditMenu(MainMenus& m, QMenuBar* bar) {
    m.edit = addMenu(bar, "&Edit", "editMenu");
    m.copyUnit = addItem(m.edit, "Copy Unit Data", "copyUnitItem", QKeySequence("Ctrl+C"));
    m.pasteUnit = addItem(m.edit, "Paste Unit Data", "pasteUnitItem", QKeySequence("Ctrl+V"));
    m.edit->addSeparator();
    m.editUpgrades = addItem(m.edit, "Edit &UGRD", "editUpgradesItem", QKeySequence("Ctrl+U"));
    m.restrictionsEditor =
        addItem(m.edit, "&Restrictions Editor", "restrictionsEditorItem", QKeySequence("Ctrl+R"));
    m.edit->addSeparator();
    m.useDefaultUnitData =
        addItem(m.edit, "&Use Default UDTA", "useDefaultUnitDataItem", QKeySequence("Ctrl+F1"));
    m.useDefaultUnitData->setCheckable(true);
    m.useDefaultUpgrades =
        addItem(m.edit, "Use Default UG&RD", "useDefaultUpgradesItem", QKeySequence("Ctrl+F2"));
    m.useDefaultUpgrades->setCheckable(true);
    m.restrictionsMenu = addSubmenu(m.edit, "Restrictions", "restrictionsMenu");
    m.addRestrictions =
        addItem(m.restrictionsMenu, "Add Default Restrictions", "addRestrictionsItem");
    m.removeRestrictions = addItem(m.restrictionsMenu, "Remove", "removeRestrictionsItem");
    m.edit->addSeparator();
    m.undo = addItem(m.edit, "&Undo", "undoItem", QKeySequence("Ctrl+Z"));
    m.redo = addItem(m.edit, "&Redo", "redoItem", QKeySequence("Ctrl+Shift+Z"));
    m.redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    // They reach every window of the editor that is not blocked by a modal one.
    m.undo->setShortcutContext(Qt::ApplicationShortcut);
    m.redo->setShortcutContext(Qt::ApplicationShortcut);
}

void buildToolbar(MainMenus& m, QMainWindow& window) {
    QToolBar* bar = window.addToolBar("Tools");
    bar->setObjectName("toolBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m.openButton = addButton(bar, QStyle::SP_DialogOpenButton, "Open", "Open|", "openButton");
    m.saveButton = addButton(bar, QStyle::SP_DialogSaveButton, "Save", "Save|", "saveButton");
    m.restrictionsButton = addButton(bar, QStyle::SP_FileDialogListView, "Restrictions",
                                     "Restrictions|", "restrictionsButton");
    m.upgradesButton = addButton(bar, QStyle::SP_FileDialogDetailedView, "Upgrades", "Upgrades|",
                                 "upgradesButton");
    m.exitButton = addButton(bar, QStyle::SP_DialogCloseButton, "Exit", "Exit|", "exitButton");
}

}  // namespace

MainMenus buildMainMenus(QMainWindow& window) {
    MainMenus m;
    QMenuBar* bar = window.menuBar();
    buildFileMenu(m, bar);

    m.information = addMenu(bar, "Information", "informationMenu");
    m.udtaStyle = addItem(m.information, "&UDTA Style", "udtaStyleItem");
    m.gameBalance = addItem(m.information, "&Game Balance", "gameBalanceItem");
    m.balanceMap = addItem(m.information, "Balance &Map", "balanceMapItem");
    m.unitTable = addItem(m.information, "Unit &Table", "unitTableItem", QKeySequence("Ctrl+T"));

    m.pudOptions = addMenu(bar, "&PUD Options", "pudOptionsMenu");
    m.mapProperties = addItem(m.pudOptions, "&Map Properties...", "mapPropertiesItem");
    m.playerProperties = addItem(m.pudOptions, "&Player Properties...", "playerPropertiesItem");
    m.startingResources = addItem(m.pudOptions, "&Starting Resources...", "startingResourcesItem");
    m.viewMinimap =
        addItem(m.pudOptions, "&View Minimap", "viewMinimapItem", QKeySequence("Ctrl+M"));
    m.pudOptions->menuAction()->setVisible(false);

    buildEditMenu(m, bar);

    m.help = addMenu(bar, "Help", "helpMenu");
    m.keyboardShortcuts = addItem(m.help, "&Keyboard Shortcuts", "keyboardShortcutsItem");
    m.about = addItem(m.help, "&About...", "aboutItem", QKeySequence("F1"));

    buildToolbar(m, window);
    return m;
}

}  // namespace tarnwick::ui
