#pragma once

#include <functional>
#include <random>

#include <QListWidget>
#include <QMenuBar>
#include <QStringList>

#include "core/model/Document.h"
#include "platform/DeviceModule.h"
#include "platform/SettingsStore.h"
#include "ui/app/AboutDialog.h"
#include "ui/app/KeyboardShortcutsWindow.h"
#include "ui/app/units/UnitControls.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/archivewindows/DirectLoadDialog.h"
#include "ui/archivewindows/DirectSaveDialog.h"
#include "ui/balance/BalanceCalculator.h"
#include "ui/balance/BalanceMapWindow.h"
#include "ui/balance/BalanceScripts.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/graphics/BoxSizerDialog.h"
#include "ui/graphics/GraphicsSelectionDialog.h"
#include "ui/graphics/ProgressWindow.h"
#include "ui/history/DocumentHistory.h"
#include "ui/menus/MainMenus.h"
#include "ui/plugin/PlugInMode.h"
#include "ui/prompts/Prompts.h"
#include "ui/scenario/ExpansionGraphicsDialog.h"
#include "ui/tableeditors/RestrictionsEditor.h"
#include "ui/tableeditors/UpgradeEditor.h"
#include "ui/unittable/UnitTableWindow.h"

namespace tarnwick::ui {

// What the windows opened from the menus work on, all owned by the main window.
struct EditorWindowsContext {
    model::Document& document;
    Prompts& prompts;
    DocumentHistory& history;
    EntryExtractor& extractor;
    DefaultTables& defaults;
    const QString& gameDirectory;
    const PlugInMode& plugInMode;
    ProgressWindow& progress;
    const MainMenus& menus;
    const QMenuBar& menuBar;
    platform::SettingsStore& settings;
    QListWidget& unitList;
    UnitControls& unitControls;
    std::function<QString(std::size_t unit)> unitName;
    // The main window, parent of every window here.
    QWidget* parent;
};

// The windows and dialogs the menus open, each built the first time it is asked for: a start
// builds the main window only, and a window never opened costs nothing.
class EditorWindows {
  public:
    // `tableChanged` follows an edit made in the Unit Table; `entryWritten` a Direct Save.
    EditorWindows(EditorWindowsContext context, std::function<void()> tableChanged,
                  std::function<void(const QString& report)> entryWritten);

    UpgradeEditor& upgradeEditor();
    RestrictionsEditor& restrictionsEditor();
    BoxSizerDialog& boxSizer();
    GraphicsSelectionDialog& graphicsSelection();
    BalanceCalculator& balanceCalculator();
    BalanceMapWindow& balanceMap();
    ExpansionGraphicsDialog& expansionGraphics();
    UnitTableWindow& unitTable();
    DirectLoadDialog& directLoad();
    DirectSaveDialog& directSave();
    AboutDialog& about();
    KeyboardShortcutsWindow& keyboardShortcuts();

    // After every change: the windows built so far show the document as it now is; the others
    // read it when they open.
    void showDocument();
    // After another document was opened.
    void showOtherDocument();
    // For the next start: the Unit Table's columns, when it was built.
    void rememberLayout();

  private:
    EditorWindowsContext c_;
    std::function<void()> tableChanged_;
    std::function<void(const QString&)> entryWritten_;
    BalanceScripts balanceScripts_;
    platform::OnDemandSoundOutput sound_;
    UpgradeEditor* upgradeEditor_ = nullptr;
    RestrictionsEditor* restrictionsEditor_ = nullptr;
    BoxSizerDialog* boxSizer_ = nullptr;
    GraphicsSelectionDialog* graphicsSelection_ = nullptr;
    BalanceCalculator* balanceCalculator_ = nullptr;
    BalanceMapWindow* balanceMap_ = nullptr;
    ExpansionGraphicsDialog* expansionGraphics_ = nullptr;
    UnitTableWindow* unitTable_ = nullptr;
    DirectLoadDialog* directLoad_ = nullptr;
    DirectSaveDialog* directSave_ = nullptr;
    AboutDialog* about_ = nullptr;
    KeyboardShortcutsWindow* keyboardShortcuts_ = nullptr;
};

}  // namespace tarnwick::ui
