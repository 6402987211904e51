#pragma once

#include <optional>

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QSplitter>
#include <QStringList>
#include <QTabWidget>

#include "core/model/Document.h"
#include "core/model/DocumentTitle.h"
#include "platform/DeviceModule.h"
#include "platform/HostLink.h"
#include "platform/SettingsStore.h"
#include "ui/app/AboutDialog.h"
#include "ui/app/DefaultDataNotice.h"
#include "ui/app/DocumentCommands.h"
#include "ui/app/DocumentFileWatch.h"
#include "ui/app/DocumentStatusBar.h"
#include "ui/app/FileChangedNotice.h"
#include "ui/app/KeyboardShortcutsWindow.h"
#include "ui/app/RecentFiles.h"
#include "ui/app/SaveCommands.h"
#include "ui/app/ScenarioWindows.h"
#include "ui/app/TableCommands.h"
#include "ui/app/UnitClipboardCommands.h"
#include "ui/app/UseDefaultCommands.h"
#include "ui/app/units/UnitControls.h"
#include "ui/app/units/UnitDefaultMarks.h"
#include "ui/app/units/UnitEditor.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/archivewindows/DirectLoadDialog.h"
#include "ui/archivewindows/DirectSaveDialog.h"
#include "ui/balance/BalanceCalculator.h"
#include "ui/balance/BalanceMapWindow.h"
#include "ui/balance/BalanceScripts.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/graphics/BoxSizerDialog.h"
#include "ui/graphics/GraphicsPage.h"
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

// The main window: menus, toolbar, the unit list and the editing pages.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(model::Document& document, Prompts& prompts, platform::SettingsStore& settings,
               platform::HostLink& plugInLink, QWidget* parent = nullptr);

    // Start-up: plug-in switch, then the game directory from the settings store. A file named
    // first on the command line is opened once the window is shown. When the plug-in start
    // cannot open the host's link, the user is told and the end is requested at once.
    void startUp(const QStringList& arguments);

    // Reads a file of any kind and shows its first unit; the open command's guarded entry
    // point, so it reports its own failures.
    void openFile(const QString& path) { documents_->openFile(path); }

    const QString& gameDirectory() const { return gameDirectory_; }
    EntryExtractor& extractor() { return extractor_; }
    // The computer-player strategies named by the game, in order.
    const QStringList& strategyNames() const { return strategyNames_; }
    bool isPlugInMode() const { return plugInMode_.isOn(); }
    const MainMenus& menus() const { return menus_; }
    SaveCommands& saveCommands() { return saveCommands_; }
    TableCommands& tableCommands() { return tableCommands_; }
    UpgradeEditor& upgradeEditor() { return *upgradeEditor_; }
    RestrictionsEditor& restrictionsEditor() { return *restrictionsEditor_; }
    BoxSizerDialog& boxSizer() { return *boxSizer_; }
    GraphicsSelectionDialog& graphicsSelection() { return *graphicsSelection_; }
    GraphicsPage& graphicsPage() { return *graphicsPage_; }
    UnitTableWindow& unitTable() { return *unitTable_; }
    DocumentHistory& history() { return history_; }
    RecentFiles& recentFiles() { return *recentFiles_; }
    bool endRequested() const { return endRequested_; }

    // Shows the document's title: its file and kind, or "[NONE]".
    void refreshTitle(model::TitleMoment moment = model::TitleMoment::AfterRead);

  public slots:
    void showAbout();
    void showSelectedRow();
    // Goes to the first unit whose name begins with `text`.
    void searchUnits(const QString& text);
    void readGameNames();
    void editUpgrades();
    void editRestrictions();
    void addDefaultRestrictions();
    void removeRestrictions();
    void openGraphicsSelection();
    void enableMenuItems();
    void enableRestrictionsItems();
    void enableExportItems();
    void saveDocument();
    void changeGameDirectory();
    void exitProgram();
    void compareUnits();
    void showExpansionGraphics();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWorkArea();
    void connectCommands();
    // Ends the program: the window closes for real.
    void requestEnd();
    // The list as wide as its longest name, up to a limit.
    int fittedListWidth() const;
    // At the first showing: the list as wide as the user left it, else as its names.
    void placeUnitList();
    // Size, place and maximised state, and the list's width, for the next start.
    void rememberGeometry();
    // The host's scenario shown as an opened one; throws CommandFailed when the link cannot open.
    void startPlugInMode();
    // "Save and Exit": the program ends only once the host has the document back.
    void saveAndExit();
    // Selects a row from code and shows it, as a click on it would.
    void selectRow(int row);
    // No unit shown: the editing pages are hidden and write nothing.
    void showNoRow();
    void setEditingPagesVisible(bool visible);
    // Nothing held: no history, no unit shown, "[NONE]" in the title.
    void showNoDocument();
    // After a successful read: title, first row, check marks, menus and pages.
    void showOpenedDocument();
    // Runs the menus' enabling rules now, so that buttons, items and shortcuts always show what
    // the next opening of a menu would.
    void refreshCommandStates();
    // After an undo or redo: every open window shows the document as it now is.
    void showRestoredDocument(int changedUnit);
    // What follows every change: the notice, the marks of the default values.
    void showDocumentState();
    // Runs a modal editor when a document is loaded, else warns.
    void openEditor(QDialog& editor);

    model::Document& document_;
    Prompts& prompts_;
    platform::SettingsStore& settings_;
    DocumentHistory history_{document_};
    DocumentFileWatch fileWatch_;
    SaveCommands saveCommands_;
    MainMenus menus_;
    QSplitter* splitter_ = nullptr;
    bool listPlaced_ = false;
    // The list's width once the user dragged the splitter.
    std::optional<int> movedListWidth_;
    QLineEdit* searchBox_ = nullptr;
    // The search box's text before the key being typed, until the key's edit searched with it.
    std::optional<QString> textBeforeKey_;
    QListWidget* unitList_ = nullptr;
    QTabWidget* unitPages_ = nullptr;
    UnitControls unitControls_;
    UnitEditor* unitEditor_ = nullptr;
    GraphicsPage* graphicsPage_ = nullptr;
    QString pendingOpen_;
    QString gameDirectory_;
    EntryExtractor extractor_{gameDirectory_};
    TableCommands tableCommands_{document_, prompts_, history_, gameDirectory_};
    UseDefaultCommands useDefaults_{document_, history_, menus_};
    DefaultTables defaultTables_{extractor_, gameDirectory_};
    std::optional<UnitDefaultMarks> unitMarks_;
    DefaultDataNotice* notice_ = nullptr;
    FileChangedNotice* fileChangedNotice_ = nullptr;
    std::optional<DocumentStatusBar> status_;
    RecentFiles* recentFiles_ = nullptr;
    std::optional<DocumentCommands> documents_;
    std::optional<UnitClipboardCommands> unitClipboard_;
    UpgradeEditor* upgradeEditor_ = nullptr;
    RestrictionsEditor* restrictionsEditor_ = nullptr;
    ProgressWindow* progressWindow_ = nullptr;
    BoxSizerDialog* boxSizer_ = nullptr;
    GraphicsSelectionDialog* graphicsSelection_ = nullptr;
    std::optional<BalanceScripts> balanceScripts_;
    BalanceCalculator* balanceCalculator_ = nullptr;
    BalanceMapWindow* balanceMap_ = nullptr;
    std::optional<ScenarioWindows> scenarioWindows_;
    ExpansionGraphicsDialog* expansionGraphics_ = nullptr;
    UnitTableWindow* unitTable_ = nullptr;
    DirectLoadDialog* directLoad_ = nullptr;
    DirectSaveDialog* directSave_ = nullptr;
    platform::OnDemandSoundOutput wavePlayer_;
    AboutDialog* about_ = nullptr;
    KeyboardShortcutsWindow* shortcutsWindow_ = nullptr;
    QStringList strategyNames_;
    PlugInMode plugInMode_;
    bool endRequested_ = false;
    bool answeringCloseBox_ = false;
};

}  // namespace tarnwick::ui
