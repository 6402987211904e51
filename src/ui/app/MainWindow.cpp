#include "ui/app/MainWindow.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

#include "core/game/StringTable.h"
#include "core/model/DocumentTitle.h"
#include "platform/GameFiles.h"
#include "ui/app/EditorCommandLine.h"
#include "ui/app/FileDropTarget.h"
#include "ui/app/GameDirectorySetup.h"
#include "ui/app/MenuRules.h"
#include "ui/app/WindowPlacement.h"
#include "ui/menus/MenuKeysFirst.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
constexpr int kInitialWidth = 561;
constexpr int kInitialHeight = 398;
}  // namespace

MainWindow::MainWindow(model::Document& document, Prompts& prompts,
                       platform::SettingsStore& settings, platform::HostLink& plugInLink,
                       QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      prompts_(prompts),
      settings_(settings),
      fileWatch_(this),
      saveCommands_(document, prompts, fileWatch_),
      menus_(buildMainMenus(*this)),
      plugInMode_(document, plugInLink, menus_),
      programEnd_(*this, document, prompts, saveCommands_, plugInMode_,
                  [this] { refreshTitle(model::TitleMoment::AfterWrite); }) {
    setObjectName("mainWindow");
    setWindowTitle(model::kTitleAtStart);
    buildWorkArea();
    connectCommands();
    connectDocumentViews();
    resize(kInitialWidth, kInitialHeight);
    restoreGeometry(settings_.mainWindowGeometry());  // nothing on the first start
    new WindowPlacement(*this);
}

void MainWindow::buildWorkArea() {
    progressWindow_ = new ProgressWindow(this);
    workArea_ = new WorkArea(document_, prompts_, history_, extractor_, defaultTables_,
                             *progressWindow_, settings_, this);
    setCentralWidget(workArea_);
    listPane_ = &workArea_->listPane();
    unitList_ = &listPane_->list();
    unitPages_ = &workArea_->pages();
    status_.emplace(*statusBar());
    recentFiles_ = new RecentFiles(settings_, prompts_, *menus_.recentMenu);

    const auto unitName = [this](std::size_t unit) { return listPane_->rowName(unit); };
    windows_.emplace(
        EditorWindowsContext{document_, prompts_, history_, extractor_, defaultTables_,
                             gameDirectory_, plugInMode_, *progressWindow_, menus_, *menuBar(),
                             settings_, *unitList_, unitPages_->controls(), unitName, this},
        guardedSlot(prompts_, [this] { unitPages_->showSelectedRow(); }),
        [this](const QString& report) { status_->reportWrite(report); });
    scenarioWindows_.emplace(document_, prompts_, history_, strategyNames_, this);
    display_.emplace(DocumentDisplayParts{document_, history_, menus_, useDefaults_, *unitList_,
                                          *unitPages_, workArea_->notice(), *status_, *windows_,
                                          *scenarioWindows_, [this] { refreshTitle(); },
                                          [this] { return documents_->hasUnsavedEdits(); }});
    const DocumentViews views{[this] { display_->showOpened(); }, [this] { display_->showNone(); },
                              [this] {
                                  workArea_->notice().showFor(document_);
                                  refreshTitle(model::TitleMoment::AfterWrite);
                              }};
    documents_.emplace(
        document_, prompts_, history_, fileWatch_, saveCommands_, *recentFiles_, *status_,
        [this]() -> DirectLoadDialog& { return windows_->directLoad(); }, plugInMode_,
        gameDirectory_, views);
    unitClipboard_.emplace(document_, prompts_, history_, *unitList_);
    modFiles_.emplace(document_, prompts_, history_, defaultTables_, *listPane_, gameDirectory_);
}

void MainWindow::connectCommands() {
    // A menu item and its toolbar button run one command.
    const auto on = [this](std::initializer_list<QAction*> actions, auto handler) {
        for (QAction* action : actions) {
            connect(action, &QAction::triggered, this,
                    guardedSlot(prompts_, [handler](bool) { handler(); }));
        }
    };
    // A command that changes what other commands may do.
    const auto changing = [this, on](QAction* action, auto handler) {
        on({action}, [this, handler] {
            handler();
            display_->refreshCommandStates();
        });
    };
    const auto documentCommand = [this, on](std::initializer_list<QAction*> actions,
                                            void (DocumentCommands::*handler)()) {
        on(actions, [this, handler] { ((*documents_).*handler)(); });
    };
    documentCommand({menus_.open, menus_.openButton}, &DocumentCommands::open);
    documentCommand({menus_.directOpen}, &DocumentCommands::directOpen);
    documentCommand({menus_.saveAs}, &DocumentCommands::saveAs);
    documentCommand({menus_.closeData}, &DocumentCommands::close);
    on({menus_.directSave}, [this] { windows_->directSave().exec(); });
    on({menus_.about}, [this] { windows_->about().exec(); });
    on({menus_.keyboardShortcuts}, [this] { windows_->keyboardShortcuts().open(); });
    on({menus_.save, menus_.saveButton}, [this] { saveDocument(); });
    on({menus_.chooseGameDirectory}, [this] { changeGameDirectory(); });
    on({menus_.exit, menus_.exitButton}, [this] { programEnd_.exit(); });
    on({menus_.editUpgrades, menus_.upgradesButton},
       [this] { openModal(windows_->upgradeEditor(), document_.isLoaded); });
    on({menus_.restrictionsEditor, menus_.restrictionsButton},
       [this] { openModal(windows_->restrictionsEditor(), document_.isLoaded); });
    changing(menus_.addRestrictions, [this] { tableCommands_.addDefaultRestrictions(); });
    changing(menus_.removeRestrictions, [this] { tableCommands_.removeRestrictions(); });
    const auto exportCommand = [this, on](QAction* action, files::ExportFormat format) {
        on({action}, [this, format] {
            if (const auto written = tableCommands_.exportAs(format)) {
                status_->reportWrite("Exported " + QFileInfo(*written).fileName());
            }
        });
    };
    exportCommand(menus_.exportUnitData, files::ExportFormat::UnitData);
    exportCommand(menus_.exportUpgradeData, files::ExportFormat::UpgradeData);
    exportCommand(menus_.exportUpgradeSection, files::ExportFormat::UpgradeSection);
    exportCommand(menus_.exportUnitSection, files::ExportFormat::UnitSection);
    exportCommand(menus_.exportRestrictions, files::ExportFormat::Restrictions);
    on({menus_.applyChangesFile}, [this] { modFiles_->applyChangesFile(); });
    on({menus_.saveChangesAs}, [this] {
        if (const auto written = modFiles_->saveChangesAs()) {
            status_->reportWrite("Saved changes as " + QFileInfo(*written).fileName());
        }
    });
    changing(menus_.importFile, [this] { tableCommands_.importFile(); });
    connect(unitPages_->controls().boxSizer, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { windows_->graphicsSelection().exec(); }));
    on({menus_.copyUnit}, [this] { unitClipboard_->copy(); });
    on({menus_.pasteUnit}, [this] {
        if (unitClipboard_->paste()) {
            unitPages_->showSelectedRow();
        }
    });
    changing(menus_.useDefaultUnitData, [this] { useDefaults_.toggleUnitData(); });
    changing(menus_.useDefaultUpgrades, [this] { useDefaults_.toggleUpgrades(); });
    on({menus_.gameBalance}, [this] { windows_->balanceCalculator().openModal(); });
    on({menus_.balanceMap}, [this] { windows_->balanceMap().open(); });
    on({menus_.mapProperties}, [this] { scenarioWindows_->showMapProperties(); });
    on({menus_.playerProperties}, [this] { scenarioWindows_->showPlayerProperties(); });
    on({menus_.startingResources}, [this] { scenarioWindows_->showStartingResources(); });
    on({menus_.viewMinimap}, [this] { scenarioWindows_->toggleMinimap(); });
    on({menus_.udtaStyle},
       [this] { openModal(windows_->expansionGraphics(), document_.hasData()); });
    on({menus_.unitTable}, [this] { windows_->unitTable().open(); });
    for (QMenu* menu : {menus_.file, menus_.pudOptions, menus_.edit}) {
        connect(menu, &QMenu::aboutToShow, this, [this] { applyGeneralMenu(menus_, document_); });
    }
    connect(menus_.restrictionsMenu, &QMenu::aboutToShow, this,
            [this] { applyRestrictionsSubmenu(menus_, document_); });
    connect(menus_.exportMenu, &QMenu::aboutToShow, this,
            [this] { applyExportSubmenu(menus_, document_); });
    bindUndoItems(history_.stack(), menus_.undo, menus_.redo);
    new MenuKeysFirst(this, {menus_.undo, menus_.redo, menus_.editUpgrades,
                             menus_.restrictionsEditor, menus_.viewMinimap, menus_.unitTable,
                             menus_.useDefaultUnitData, menus_.useDefaultUpgrades});
    connect(recentFiles_, &RecentFiles::openRequested, this,
            [this](const QString& path) { documents_->openFile(path); });
    // A dropped file opens as a chosen one would, asking first when there are unsaved edits.
    new FileDropTarget(*this, [this](const QString& path) { documents_->openFile(path); });
}

void MainWindow::connectDocumentViews() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    connect(&fileWatch_, &DocumentFileWatch::looked, this, [this](bool changedElsewhere) {
        workArea_->fileChangedNotice().showFor(changedElsewhere ? fileWatch_.path() : QString());
    });
    connect(&workArea_->fileChangedNotice(), &FileChangedNotice::reload, this,
            guarded([this] { documents_->reload(); }));
    connect(listPane_, &UnitListPane::rowFound, this,
            guarded([this](int row) { display_->selectRow(row); }));
    connect(unitList_, &QListWidget::currentRowChanged, this,
            guarded([this](int) { unitPages_->showSelectedRow(); }));
    connect(&unitPages_->graphicsPage(), &GraphicsPage::terrainChosen, this,
            guarded([this] { unitPages_->showSelectedRow(); }));
    connect(&history_, &DocumentHistory::restored, this,
            guarded([this](int unit) { display_->showRestored(unit); }));
    connect(&history_, &DocumentHistory::changed, this, guarded([this] { display_->showState(); }));
    connect(&history_.stack(), &QUndoStack::cleanChanged, this,
            [this] { status_->showModified(documents_->hasUnsavedEdits()); });
    const auto useScenario = [this, guarded](auto signal, void (UseDefaultCommands::*use)()) {
        connect(&workArea_->notice(), signal, this, guarded([this, use] {
            (useDefaults_.*use)();
            display_->showState();
        }));
    };
    useScenario(&DefaultDataNotice::useScenarioUnitData, &UseDefaultCommands::useScenarioUnitData);
    useScenario(&DefaultDataNotice::useScenarioUpgrades, &UseDefaultCommands::useScenarioUpgrades);
}

void MainWindow::startUp(const QStringList& arguments) {
    if (startsPlugInMode(arguments)) {
        runGuarded(prompts_, [this] { startPlugInMode(); });
        if (!plugInMode_.isOn()) {
            // Without the host there is nothing to edit: no questions about the game either.
            programEnd_.end();
            return;
        }
    } else if (!arguments.isEmpty()) {
        pendingOpen_ = arguments.constFirst();
    }
    gameDirectory_ = configureGameDirectory(settings_, prompts_);
}

void MainWindow::startPlugInMode() {
    plugInMode_.start();
    setAcceptDrops(false);
    // As after every scenario read, this rebuilds the minimap picture.
    display_->showOpened();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        // Without the game the rows keep their fallback names; a damaged game still says why.
        if (platform::holdsGameData(gameDirectory_)) {
            runGuarded(prompts_, [this] { readGameNames(); });
        }
        workArea_->placeUnitList();
    }
    if (!pendingOpen_.isEmpty()) {
        QTimer::singleShot(0, this, [this, path = std::exchange(pendingOpen_, {})] {
            runGuarded(prompts_, [&] { openFile(path); });
        });
    }
}

void MainWindow::readGameNames() {
    const game::GameNames names = game::readGameNames(extractor_.extractEntry(1, "strdat.war"));
    strategyNames_.clear();
    for (const std::string& strategy : names.strategies) {
        strategyNames_ << QString::fromLatin1(strategy.data(),
                                              static_cast<qsizetype>(strategy.size()));
    }
    listPane_->nameRows(names.unitRows);
}

void MainWindow::openModal(QDialog& window, bool hasWhatItShows) {
    if (!hasWhatItShows) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    window.exec();
}

void MainWindow::refreshTitle(model::TitleMoment moment) {
    setWindowTitle(plugInMode_.isOn()
                       ? QString(model::kTitlePlugIn)
                       : QString::fromStdString(model::documentTitle(document_, moment)));
}

void MainWindow::saveDocument() {
    if (plugInMode_.isOn()) {
        programEnd_.saveAndExit();
        return;
    }
    documents_->save();
}

void MainWindow::changeGameDirectory() {
    gameDirectory_ = chooseGameDirectory(settings_, prompts_, gameDirectory_);
    // The defaults to compare with are those of the game now chosen.
    display_->showState();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool ends = programEnd_.answerCloseBox();
    event->setAccepted(ends);
    if (ends) {
        rememberGeometry();
    }
}

void MainWindow::rememberGeometry() {
    try {
        settings_.setMainWindowGeometry(saveGeometry());
        windows_->rememberLayout();
        workArea_->rememberListWidth();
    } catch (const Error& error) {
        // Only a comfort for the next start: the program still ends as asked.
        qWarning("%s", error.what());
    }
}

}  // namespace tarnwick::ui
