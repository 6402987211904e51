#include "ui/app/MainMenus.h"

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
    m.file = addMenu(bar, "&File", "File1");
    m.open = addItem(m.file, "&Open...", "Open1", QKeySequence("Ctrl+O"));
    m.directOpen = addItem(m.file, "Direct Open ", "DirectLoadUDTA1");
    m.file->addSeparator();
    m.save = addItem(m.file, "&Save", "Save2", QKeySequence("Ctrl+S"));
    m.saveAs = addItem(m.file, "&Save As...", "SaveAs1");
    m.directSave = addItem(m.file, "Direct Save", "DirectSave1");
    m.importFile = addItem(m.file, "Import File", "Import2");
    m.exportMenu = addSubmenu(m.file, "Export...", "Save1");
    m.exportUnitData = addItem(m.exportMenu, "Export MAINDAT style UDTA", "SaveUnitDataasWar21");
    m.exportUpgradeData = addItem(m.exportMenu, "Export MAINDAT style UGRD", "eugrd3");
    m.exportUpgradeSection = addItem(m.exportMenu, "Export as U&P (Upgrade Section)", "eugrd6");
    m.exportUnitSection = addItem(m.exportMenu, "Export as &UN (Unit Section)", "new");
    m.exportRestrictions = addItem(m.exportMenu, "Export as &ALO (Restrictions)", "expalow");
    m.file->addSeparator();
    m.closeData = addItem(m.file, "&Close Data", "Close1");
    m.file->addSeparator();
    m.chooseGameDirectory = addItem(m.file, "&Choose WarCraft II Directory.", "War2Dir1");
    m.exit = addItem(m.file, "&Exit", "Exit1", QKeySequence("Ctrl+X"));
}

void buildEditMenu(MainMenus& m, QMenuBar* bar) {
    m.edit = addMenu(bar, "&Edit", "Edit1");
    m.copyUnit = addItem(m.edit, "Copy Unit Data", "CopyUnitData1", QKeySequence("Ctrl+C"));
    m.pasteUnit = addItem(m.edit, "Paste Unit Data", "PasteUnitData1", QKeySequence("Ctrl+V"));
    m.edit->addSeparator();
    m.editUpgrades = addItem(m.edit, "Edit &UGRD", "eugrd2", QKeySequence("Ctrl+U"));
    m.restrictionsEditor =
        addItem(m.edit, "&Restrictions Editor", "ALOWED", QKeySequence("Ctrl+R"));
    m.edit->addSeparator();
    m.useDefaultUnitData = addItem(m.edit, "&Use Default UDTA", "DD", QKeySequence("Ctrl+F1"));
    m.useDefaultUnitData->setCheckable(true);
    m.useDefaultUpgrades = addItem(m.edit, "Use Default UG&RD", "eugrd1", QKeySequence("Ctrl+F2"));
    m.useDefaultUpgrades->setCheckable(true);
    m.restrictionsMenu = addSubmenu(m.edit, "Restrictions", "Restrictions1");
    m.addRestrictions = addItem(m.restrictionsMenu, "Add Default Restrictions", "addalow");
    m.removeRestrictions = addItem(m.restrictionsMenu, "Remove", "remalow");
}

void buildToolbar(MainMenus& m, QMainWindow& window) {
    QToolBar* bar = window.addToolBar("Tools");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m.openButton = addButton(bar, QStyle::SP_DialogOpenButton, "Open", "Open|", "OpenBtn");
    m.saveButton = addButton(bar, QStyle::SP_DialogSaveButton, "Save", "Save|", "SaveBtn");
    m.restrictionsButton = addButton(bar, QStyle::SP_FileDialogListView, "Restrictions",
                                     "Restrictions|", "SpeedButton1");
    m.upgradesButton =
        addButton(bar, QStyle::SP_FileDialogDetailedView, "Upgrades", "Upgrades|", "UpgradesBtn");
    m.exitButton = addButton(bar, QStyle::SP_DialogCloseButton, "Exit", "Exit|", "ExitBtn");
}

}  // namespace

MainMenus buildMainMenus(QMainWindow& window) {
    MainMenus m;
    QMenuBar* bar = window.menuBar();
    buildFileMenu(m, bar);

    m.information = addMenu(bar, "Information", "Information1");
    m.udtaStyle = addItem(m.information, "&UDTA Style", "UDTAStyle1");
    m.gameBalance = addItem(m.information, "&Game Balance", "GameBalance1");

    m.pudOptions = addMenu(bar, "&PUD Options", "PUDOptions1");
    m.mapProperties = addItem(m.pudOptions, "&Map Properties...", "PUDInfo1");
    m.playerProperties = addItem(m.pudOptions, "&Player Properties...", "pprop1");
    m.startingResources = addItem(m.pudOptions, "&Starting Resources...", "sres1");
    m.viewMinimap = addItem(m.pudOptions, "&View Minimap", "ShowMinimap1", QKeySequence("Ctrl+M"));
    m.pudOptions->menuAction()->setVisible(false);

    buildEditMenu(m, bar);

    m.help = addMenu(bar, "Help", "Help1");
    m.about = addItem(m.help, "&About...", "About", QKeySequence("F1"));

    buildToolbar(m, window);
    return m;
}

}  // namespace tarnwick::ui
