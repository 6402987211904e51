#pragma once

#include <optional>

#include <QListWidget>
#include <QMainWindow>
#include <QStringList>

#include "core/model/Document.h"
#include "core/model/DocumentTitle.h"
#include "platform/HostLink.h"
#include "platform/SettingsStore.h"
#include "ui/app/DefaultDataNotice.h"
#include "ui/app/DocumentCommands.h"
#include "ui/app/DocumentDisplay.h"
#include "ui/app/DocumentFileWatch.h"
#include "ui/app/DocumentStatusBar.h"
#include "ui/app/EditorWindows.h"
#include "ui/app/FileChangedNotice.h"
#include "ui/app/ModFileCommands.h"
#include "ui/app/ProgramEnd.h"
#include "ui/app/RecentFiles.h"
#include "ui/app/SaveCommands.h"
#include "ui/app/ScenarioWindows.h"
#include "ui/app/TableCommands.h"
#include "ui/app/UnitClipboardCommands.h"
#include "ui/app/UseDefaultCommands.h"
#include "ui/app/WorkArea.h"
#include "ui/app/units/UnitListPane.h"
#include "ui/app/units/UnitPages.h"
#include "ui/archive/EntryExtractor.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/graphics/GraphicsPage.h"
#include "ui/graphics/ProgressWindow.h"
#include "ui/history/DocumentHistory.h"
#include "ui/menus/MainMenus.h"
#include "ui/plugin/PlugInMode.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// The main window: menus, toolbar, the unit list and the editing pages. It builds them and wires
// the commands; the commands live in classes of their own.
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
    // "&Save"; in plug-in mode the document goes back to the host and the program ends.
    void saveDocument();

    const QString& gameDirectory() const { return gameDirectory_; }
    EntryExtractor& extractor() { return extractor_; }
    // The computer-player strategies named by the game, in order.
    const QStringList& strategyNames() const { return strategyNames_; }
    bool isPlugInMode() const { return plugInMode_.isOn(); }
    const MainMenus& menus() const { return menus_; }
    SaveCommands& saveCommands() { return saveCommands_; }
    TableCommands& tableCommands() { return tableCommands_; }
    UpgradeEditor& upgradeEditor() { return windows_->upgradeEditor(); }
    RestrictionsEditor& restrictionsEditor() { return windows_->restrictionsEditor(); }
    BoxSizerDialog& boxSizer() { return windows_->boxSizer(); }
    GraphicsSelectionDialog& graphicsSelection() { return windows_->graphicsSelection(); }
    GraphicsPage& graphicsPage() { return unitPages_->graphicsPage(); }
    UnitTableWindow& unitTable() { return windows_->unitTable(); }
    DocumentHistory& history() { return history_; }
    RecentFiles& recentFiles() { return *recentFiles_; }
    bool endRequested() const { return programEnd_.requested(); }

    // Shows the document's title: its file and kind, or "[NONE]".
    void refreshTitle(model::TitleMoment moment = model::TitleMoment::AfterRead);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildWorkArea();
    void connectCommands();
    void connectDocumentViews();
    void readGameNames();
    // Size, place and maximised state, and the list's width, for the next start.
    void rememberGeometry();
    // The host's scenario shown as an opened one; throws CommandFailed when the link cannot open.
    void startPlugInMode();
    // Runs a modal window when the document holds what it shows, else warns.
    void openModal(QDialog& window, bool hasWhatItShows);
    void changeGameDirectory();

    model::Document& document_;
    Prompts& prompts_;
    platform::SettingsStore& settings_;
    DocumentHistory history_{document_};
    DocumentFileWatch fileWatch_;
    SaveCommands saveCommands_;
    MainMenus menus_;
    WorkArea* workArea_ = nullptr;
    UnitListPane* listPane_ = nullptr;
    QListWidget* unitList_ = nullptr;
    UnitPages* unitPages_ = nullptr;
    QString pendingOpen_;
    QString gameDirectory_;
    EntryExtractor extractor_{gameDirectory_};
    TableCommands tableCommands_{document_, prompts_, history_, gameDirectory_};
    UseDefaultCommands useDefaults_{document_, history_, menus_};
    DefaultTables defaultTables_{extractor_, gameDirectory_};
    std::optional<DocumentStatusBar> status_;
    RecentFiles* recentFiles_ = nullptr;
    ProgressWindow* progressWindow_ = nullptr;
    std::optional<EditorWindows> windows_;
    std::optional<ScenarioWindows> scenarioWindows_;
    std::optional<DocumentDisplay> display_;
    std::optional<DocumentCommands> documents_;
    std::optional<UnitClipboardCommands> unitClipboard_;
    std::optional<ModFileCommands> modFiles_;
    QStringList strategyNames_;
    PlugInMode plugInMode_;
    ProgramEnd programEnd_;
};

}  // namespace tarnwick::ui
