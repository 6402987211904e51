#include "ui/app/MainWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/game/StringTable.h"
#include "core/model/DocumentTitle.h"
#include "core/model/UnitRowNames.h"
#include "core/model/UnitSearch.h"
#include "platform/GameFiles.h"
#include "ui/app/EditorCommandLine.h"
#include "ui/app/FileDropTarget.h"
#include "ui/app/GameDirectorySetup.h"
#include "ui/app/MenuRules.h"
#include "ui/app/OpenCommand.h"
#include "ui/app/SelectedUnit.h"
#include "ui/app/WindowPlacement.h"
#include "ui/menus/MenuKeysFirst.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
constexpr int kInitialWidth = 561;
constexpr int kInitialHeight = 398;
// The list is as wide as its longest name, up to this; a longer name is elided.
constexpr int kListColumnMaximumWidth = 220;

QWidget* addPage(QTabWidget* pages, const QString& title, const QString& name) {
    auto* page = new QWidget(pages);
    page->setObjectName(name);
    pages->addTab(page, title);
    return page;
}
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
      plugInMode_(document, plugInLink, menus_) {
    setObjectName("mainWindow");
    setWindowTitle(model::kTitleAtStart);
    buildWorkArea();
    connectCommands();
    resize(kInitialWidth, kInitialHeight);
    restoreGeometry(settings_.mainWindowGeometry());  // nothing on the first start
    new WindowPlacement(*this);
}

void MainWindow::buildWorkArea() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    splitter_ = new QSplitter(Qt::Horizontal, central);
    splitter_->setObjectName("workSplitter");
    splitter_->setChildrenCollapsible(false);
    columns->addWidget(splitter_);

    auto* listPane = new QWidget(splitter_);
    auto* listColumn = new QVBoxLayout(listPane);
    listColumn->setContentsMargins(0, 0, 0, 0);
    searchBox_ = new QLineEdit(listPane);
    searchBox_->setObjectName("searchBox");
    searchBox_->setToolTip(
        "Type in the unit name, or part of the unit name, and the Unit List will "
        "automatically go to that unit.");
    searchBox_->installEventFilter(this);
    unitList_ = new QListWidget(listPane);
    unitList_->setObjectName("unitList");
    unitList_->setToolTip("The Unit List");
    for (std::size_t row = 0; row < model::kGraphicsRowCount; ++row) {
        unitList_->addItem(QString::fromStdString(model::fallbackUnitRowName(row)));
    }
    listColumn->addWidget(searchBox_);
    listColumn->addWidget(unitList_);
    unitList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* pagePane = new QWidget(splitter_);
    auto* pageColumn = new QVBoxLayout(pagePane);
    pageColumn->setContentsMargins(0, 0, 0, 0);
    fileChangedNotice_ = new FileChangedNotice(central);
    pageColumn->addWidget(fileChangedNotice_);
    notice_ = new DefaultDataNotice(central);
    pageColumn->addWidget(notice_);
    unitPages_ = new QTabWidget(central);
    unitPages_->setObjectName("unitPages");
    // Tab goes from the unit list straight into the page; Ctrl+Tab still turns the pages.
    unitPages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    QWidget* generalPage = addPage(unitPages_, "General", "generalPage");
    QWidget* flagsPage = addPage(unitPages_, "Flags", "flagsPage");
    QWidget* graphicsPage = addPage(unitPages_, "GFX", "graphicsPage");
    unitPages_->setCurrentWidget(graphicsPage);
    unitControls_ = buildUnitPages(generalPage, flagsPage);
    const auto unitName = [this](std::size_t unit) {
        return unitList_->item(static_cast<int>(unit))->text();
    };
    unitEditor_ = new UnitEditor(document_, prompts_, unitControls_, history_, unitName, this);
    unitMarks_.emplace(unitControls_, *unitList_);
    progressWindow_ = new ProgressWindow(this);
    graphicsPage_ =
        new GraphicsPage(document_, prompts_, history_, extractor_, *progressWindow_, graphicsPage);
    upgradeEditor_ = new UpgradeEditor(document_, prompts_, history_, defaultTables_, this);
    restrictionsEditor_ = new RestrictionsEditor(document_, prompts_, history_, this);
    // The editors are modal: the undo keys work in them only as their own.
    for (QDialog* editor :
         {static_cast<QDialog*>(upgradeEditor_), static_cast<QDialog*>(restrictionsEditor_)}) {
        editor->addActions({menus_.undo, menus_.redo});
    }
    boxSizer_ = new BoxSizerDialog(*progressWindow_, this);
    const GraphicsSelectionDialog::UnitPage unitPage{
        unitList_, unitControls_.numbers[numberBoxIndex("boxWidthBox")],
        unitControls_.numbers[numberBoxIndex("boxHeightBox")]};
    graphicsSelection_ =
        new GraphicsSelectionDialog(document_, prompts_, extractor_, *boxSizer_, unitPage, this);
    balanceScripts_.emplace(extractor_, prompts_);
    balanceCalculator_ =
        new BalanceCalculator(document_, prompts_, *balanceScripts_, *unitList_, this);
    balanceMap_ = new BalanceMapWindow(
        document_, prompts_, *balanceScripts_, defaultTables_, unitName,
        [this](BalanceMapView::Pair pair) {
            balanceCalculator_->openModal({{pair.a, pair.b}});
        },
        [this](const QString& path) { return readDocumentFile(document_, path); }, this);
    scenarioWindows_.emplace(document_, prompts_, history_, strategyNames_, this);
    expansionGraphics_ =
        new ExpansionGraphicsDialog(document_, prompts_, history_, extractor_, this);
    unitTable_ = new UnitTableWindow(
        document_, prompts_, history_, defaultTables_, unitName,
        [this](const QString& path) { return readDocumentFile(document_, path); }, this);
    unitTable_->restoreLayoutState(settings_.unitTableLayout());
    unitTable_->takeSaveFrom(menus_.save);
    directLoad_ = new DirectLoadDialog(extractor_, prompts_, this);
    directSave_ = new DirectSaveDialog(document_, prompts_, *progressWindow_, gameDirectory_,
                                       plugInMode_, this);
    about_ = new AboutDialog(extractor_, prompts_, wavePlayer_,
                             std::mt19937(std::random_device{}()), this);
    pageColumn->addWidget(unitPages_, 1);
    // A wider window widens the pages; the list keeps its width.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);

    setCentralWidget(central);
    status_.emplace(*statusBar());
    recentFiles_ = new RecentFiles(settings_, prompts_, *menus_.recentMenu);
    const DocumentViews views{[this] {
                                  showOpenedDocument();
                                  refreshCommandStates();
                              },
                              [this] { showNoDocument(); },
                              [this] {
                                  notice_->showFor(document_);
                                  refreshTitle(model::TitleMoment::AfterWrite);
                              }};
    documents_.emplace(document_, prompts_, history_, fileWatch_, saveCommands_, *recentFiles_,
                       *status_, *directLoad_, plugInMode_, gameDirectory_, views);
    unitClipboard_.emplace(document_, prompts_, history_, *unitList_);
}

void MainWindow::connectCommands() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    const auto command = [this, guarded](QAction* action, void (MainWindow::*handler)()) {
        connect(action, &QAction::triggered, this,
                guarded([this, handler](bool) { (this->*handler)(); }));
    };
    const auto documentCommand = [this, guarded](QAction* action,
                                                 void (DocumentCommands::*handler)()) {
        connect(action, &QAction::triggered, this,
                guarded([this, handler](bool) { ((*documents_).*handler)(); }));
    };
    documentCommand(menus_.open, &DocumentCommands::open);
    documentCommand(menus_.openButton, &DocumentCommands::open);
    documentCommand(menus_.directOpen, &DocumentCommands::directOpen);
    connect(menus_.directSave, &QAction::triggered, this,
            guarded([this](bool) { directSave_->exec(); }));
    command(menus_.about, &MainWindow::showAbout);
    shortcutsWindow_ = new KeyboardShortcutsWindow(*menuBar(), this);
    connect(menus_.keyboardShortcuts, &QAction::triggered, shortcutsWindow_,
            &KeyboardShortcutsWindow::open);
    command(menus_.save, &MainWindow::saveDocument);
    command(menus_.saveButton, &MainWindow::saveDocument);
    documentCommand(menus_.saveAs, &DocumentCommands::saveAs);
    documentCommand(menus_.closeData, &DocumentCommands::close);
    command(menus_.chooseGameDirectory, &MainWindow::changeGameDirectory);
    command(menus_.exit, &MainWindow::exitProgram);
    command(menus_.exitButton, &MainWindow::exitProgram);
    command(menus_.editUpgrades, &MainWindow::editUpgrades);
    command(menus_.upgradesButton, &MainWindow::editUpgrades);
    command(menus_.restrictionsEditor, &MainWindow::editRestrictions);
    command(menus_.restrictionsButton, &MainWindow::editRestrictions);
    command(menus_.addRestrictions, &MainWindow::addDefaultRestrictions);
    command(menus_.removeRestrictions, &MainWindow::removeRestrictions);
    const auto exportCommand = [this, guarded](QAction* action, files::ExportFormat format) {
        connect(action, &QAction::triggered, this, guarded([this, format](bool) {
                    if (const auto written = tableCommands_.exportAs(format)) {
                        status_->reportWrite("Exported " + QFileInfo(*written).fileName());
                    }
                }));
    };
    exportCommand(menus_.exportUnitData, files::ExportFormat::UnitData);
    exportCommand(menus_.exportUpgradeData, files::ExportFormat::UpgradeData);
    exportCommand(menus_.exportUpgradeSection, files::ExportFormat::UpgradeSection);
    exportCommand(menus_.exportUnitSection, files::ExportFormat::UnitSection);
    exportCommand(menus_.exportRestrictions, files::ExportFormat::Restrictions);
    connect(menus_.importFile, &QAction::triggered, this, guarded([this](bool) {
                tableCommands_.importFile();
                refreshCommandStates();
            }));
    connect(unitControls_.boxSizer, &QPushButton::clicked, this,
            guarded([this](bool) { openGraphicsSelection(); }));
    connect(menus_.copyUnit, &QAction::triggered, this,
            guarded([this](bool) { unitClipboard_->copy(); }));
    connect(menus_.pasteUnit, &QAction::triggered, this, guarded([this](bool) {
                if (unitClipboard_->paste()) {
                    showSelectedRow();
                }
            }));
    connect(menus_.useDefaultUnitData, &QAction::triggered, this, guarded([this](bool) {
                useDefaults_.toggleUnitData();
                refreshCommandStates();
            }));
    connect(menus_.useDefaultUpgrades, &QAction::triggered, this, guarded([this](bool) {
                useDefaults_.toggleUpgrades();
                refreshCommandStates();
            }));
    command(menus_.gameBalance, &MainWindow::compareUnits);
    connect(menus_.balanceMap, &QAction::triggered, this,
            guarded([this](bool) { balanceMap_->open(); }));
    const auto windowCommand = [this, guarded](QAction* action,
                                               void (ScenarioWindows::*handler)()) {
        connect(action, &QAction::triggered, this,
                guarded([this, handler](bool) { ((*scenarioWindows_).*handler)(); }));
    };
    windowCommand(menus_.mapProperties, &ScenarioWindows::showMapProperties);
    windowCommand(menus_.playerProperties, &ScenarioWindows::showPlayerProperties);
    windowCommand(menus_.startingResources, &ScenarioWindows::showStartingResources);
    windowCommand(menus_.viewMinimap, &ScenarioWindows::toggleMinimap);
    command(menus_.udtaStyle, &MainWindow::showExpansionGraphics);
    connect(menus_.unitTable, &QAction::triggered, this,
            guarded([this](bool) { unitTable_->open(); }));
    connect(unitTable_, &UnitTableWindow::documentChanged, this,
            guarded([this] { showSelectedRow(); }));
    connect(&fileWatch_, &DocumentFileWatch::looked, this, [this](bool changedElsewhere) {
        fileChangedNotice_->showFor(changedElsewhere ? fileWatch_.path() : QString());
    });
    connect(fileChangedNotice_, &FileChangedNotice::reload, this,
            guarded([this] { documents_->reload(); }));

    for (QMenu* menu : {menus_.file, menus_.pudOptions, menus_.edit}) {
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::enableMenuItems);
    }
    connect(menus_.restrictionsMenu, &QMenu::aboutToShow, this,
            &MainWindow::enableRestrictionsItems);
    connect(menus_.exportMenu, &QMenu::aboutToShow, this, &MainWindow::enableExportItems);
    connect(searchBox_, &QLineEdit::textEdited, this, guarded([this](const QString&) {
                if (const auto before = std::exchange(textBeforeKey_, std::nullopt)) {
                    searchUnits(*before);
                }
            }));
    connect(splitter_, &QSplitter::splitterMoved, this,
            [this] { movedListWidth_ = splitter_->sizes().constFirst(); });
    connect(unitList_, &QListWidget::currentRowChanged, this,
            guarded([this](int) { showSelectedRow(); }));
    connect(graphicsPage_, &GraphicsPage::terrainChosen, this,
            guarded([this] { showSelectedRow(); }));

    bindUndoItems(history_.stack(), menus_.undo, menus_.redo);
    new MenuKeysFirst(this, {menus_.undo, menus_.redo, menus_.editUpgrades,
                             menus_.restrictionsEditor, menus_.viewMinimap, menus_.unitTable,
                             menus_.useDefaultUnitData, menus_.useDefaultUpgrades});
    connect(&history_, &DocumentHistory::restored, this,
            guarded([this](int unit) { showRestoredDocument(unit); }));
    connect(&history_, &DocumentHistory::changed, this, guarded([this] { showDocumentState(); }));
    connect(&history_.stack(), &QUndoStack::cleanChanged, this,
            [this] { status_->showModified(documents_->hasUnsavedEdits()); });
    connect(directSave_, &DirectSaveDialog::entryWritten, this,
            [this](const QString& report) { status_->reportWrite(report); });
    connect(notice_, &DefaultDataNotice::useScenarioUnitData, this, guarded([this] {
                useDefaults_.useScenarioUnitData();
                showDocumentState();
            }));
    connect(notice_, &DefaultDataNotice::useScenarioUpgrades, this, guarded([this] {
                useDefaults_.useScenarioUpgrades();
                showDocumentState();
            }));
    connect(recentFiles_, &RecentFiles::openRequested, this,
            [this](const QString& path) { documents_->openFile(path); });
    // A dropped file opens as a chosen one would, asking first when there are unsaved edits.
    new FileDropTarget(*this, [this](const QString& path) { documents_->openFile(path); });
}

void MainWindow::startUp(const QStringList& arguments) {
    if (startsPlugInMode(arguments)) {
        runGuarded(prompts_, [this] { startPlugInMode(); });
        if (!plugInMode_.isOn()) {
            // Without the host there is nothing to edit: no questions about the game either.
            requestEnd();
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
    showOpenedDocument();
    refreshCommandStates();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Without the game the rows keep their fallback names; a damaged game still says why.
    if (!event->spontaneous() && platform::holdsGameData(gameDirectory_)) {
        runGuarded(prompts_, [this] { readGameNames(); });
    }
    if (!event->spontaneous() && !listPlaced_) {
        placeUnitList();
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
    for (std::size_t row = 0; row < names.unitRows.size(); ++row) {
        if (const auto& name = names.unitRows[row]) {
            unitList_->item(static_cast<int>(row))
                ->setText(QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size())));
        }
    }
}

int MainWindow::fittedListWidth() const {
    const int width = unitList_->sizeHintForColumn(0) + 2 * unitList_->frameWidth() +
                      unitList_->verticalScrollBar()->sizeHint().width();
    return std::min(width, kListColumnMaximumWidth);
}

void MainWindow::placeUnitList() {
    const int remembered = settings_.unitListWidth();
    const int width = remembered > 0 ? remembered : fittedListWidth();
    splitter_->setSizes(
        {width, std::max(0, splitter_->width() - splitter_->handleWidth() - width)});
    listPlaced_ = true;
}

void MainWindow::openEditor(QDialog& editor) {
    if (!document_.isLoaded) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    editor.exec();
}

void MainWindow::openGraphicsSelection() {
    graphicsSelection_->exec();
}

void MainWindow::editUpgrades() {
    openEditor(*upgradeEditor_);
}

void MainWindow::editRestrictions() {
    openEditor(*restrictionsEditor_);
}

void MainWindow::refreshCommandStates() {
    applyGeneralMenu(menus_, document_);
    applyRestrictionsSubmenu(menus_, document_);
    applyExportSubmenu(menus_, document_);
}

void MainWindow::addDefaultRestrictions() {
    tableCommands_.addDefaultRestrictions();
    refreshCommandStates();
}

void MainWindow::removeRestrictions() {
    if (tableCommands_.removeRestrictions()) {
        refreshCommandStates();
    }
}

void MainWindow::showAbout() {
    about_->exec();
}

void MainWindow::showNoDocument() {
    history_.clear();
    refreshTitle();
    scenarioWindows_->followDocument();
    showNoRow();
    refreshCommandStates();
    showDocumentState();
}

void MainWindow::showOpenedDocument() {
    history_.clear();
    refreshTitle();
    scenarioWindows_->followDocument();
    selectRow(0);
    useDefaults_.showChecks();
    menus_.edit->menuAction()->setVisible(true);
    menus_.pudOptions->menuAction()->setVisible(document_.kind == model::DocumentKind::Scenario);
    setEditingPagesVisible(document_.kind != model::DocumentKind::UpgradeData);
    showDocumentState();
    balanceMap_->showOtherDocument();
}

void MainWindow::showRestoredDocument(int changedUnit) {
    // The user sees what the step changed: its unit, when it changed one.
    if (changedUnit >= 0 && changedUnit != unitList_->currentRow()) {
        selectRow(changedUnit);
    } else {
        showSelectedRow();
    }
    useDefaults_.showChecks();
    refreshCommandStates();
    scenarioWindows_->showRestoredDocument();
}

void MainWindow::showDocumentState() {
    notice_->showFor(document_);
    status_->showModified(documents_->hasUnsavedEdits());
    // An upgrade file's unit table is what an earlier document left: nothing to mark there.
    const bool unitsShown =
        document_.isLoaded && document_.kind != model::DocumentKind::UpgradeData;
    const model::UnitDataTable* defaults =
        unitsShown ? defaultTables_.units(document_.hasExpansionGfx) : nullptr;
    unitMarks_->showList(document_.unitData, defaults);
    unitMarks_->showDefaultsMissing(unitsShown && defaults == nullptr);
    if (const auto unit = selectedUnit(*unitList_); unit && document_.isLoaded) {
        unitMarks_->showUnit(document_.unitData, defaults, *unit);
    }
    unitTable_->showDocument();
    balanceMap_->showDocument();
}

void MainWindow::setEditingPagesVisible(bool visible) {
    for (int page = 0; page < unitPages_->count(); ++page) {
        unitPages_->setTabVisible(page, visible);
    }
}

void MainWindow::selectRow(int row) {
    {
        const QSignalBlocker quiet(unitList_);
        unitList_->setCurrentRow(row);
    }
    showSelectedRow();
}

void MainWindow::showNoRow() {
    graphicsPage_->forgetRow();
    unitEditor_->forgetUnit();
    unitControls_.generalContent->hide();
    unitControls_.flagsContent->hide();
}

void MainWindow::showSelectedRow() {
    const int row = unitList_->currentRow();
    if (row < 0 || !document_.isLoaded) {
        showNoRow();
        return;
    }
    const auto unit = static_cast<std::size_t>(row);
    const bool upgradeFile = document_.kind == model::DocumentKind::UpgradeData;
    graphicsPage_->showRow(unit);
    graphicsPage_->content()->setVisible(!upgradeFile);
    if (unit >= model::kUnitCount || upgradeFile) {
        unitEditor_->forgetUnit();
        unitControls_.generalContent->hide();
        unitControls_.flagsContent->hide();
        return;
    }
    unitControls_.generalContent->show();
    unitControls_.flagsContent->show();
    unitEditor_->showUnit(unit);
    unitMarks_->showUnit(document_.unitData, defaultTables_.units(document_.hasExpansionGfx), unit);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The search looks at the text as it was before the key took effect, and only a key that
    // changes the text searches: Tab into the list keeps the unit.
    if (watched == searchBox_ && event->type() == QEvent::KeyPress) {
        textBeforeKey_ = searchBox_->text();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::searchUnits(const QString& text) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(unitList_->count()));
    for (int row = 0; row < unitList_->count(); ++row) {
        names.push_back(unitList_->item(row)->text().toStdString());
    }
    const auto found = model::findUnitRow(names, text.toStdString());
    if (!found) {
        return;
    }
    const int row = static_cast<int>(*found);
    unitList_->scrollToItem(unitList_->item(row), QAbstractItemView::PositionAtTop);
    selectRow(row);
}

void MainWindow::refreshTitle(model::TitleMoment moment) {
    setWindowTitle(plugInMode_.isOn()
                       ? QString(model::kTitlePlugIn)
                       : QString::fromStdString(model::documentTitle(document_, moment)));
}

void MainWindow::enableMenuItems() {
    applyGeneralMenu(menus_, document_);
}

void MainWindow::enableRestrictionsItems() {
    applyRestrictionsSubmenu(menus_, document_);
}

void MainWindow::enableExportItems() {
    applyExportSubmenu(menus_, document_);
}

void MainWindow::saveDocument() {
    if (plugInMode_.isOn()) {
        saveAndExit();
        return;
    }
    documents_->save();
}

void MainWindow::saveAndExit() {
    // A failure throws past the end request: the window stays with the edits.
    plugInMode_.saveAndClose();
    requestEnd();
}

void MainWindow::changeGameDirectory() {
    gameDirectory_ = chooseGameDirectory(settings_, prompts_, gameDirectory_);
    // The defaults to compare with are those of the game now chosen.
    showDocumentState();
}

void MainWindow::exitProgram() {
    const Message question{MessageIcon::Question, "Save?",
                           "Do you wish to save changes before quitting?"};
    switch (prompts_.ask(question, Buttons::YesNoCancel)) {
        case Answer::Yes: {
            if (plugInMode_.isOn()) {
                saveAndExit();
                return;
            }
            // A failed write throws past the end request: the window stays with the edits, as
            // it does when the user keeps a file that another program changed.
            const SaveOutcome outcome = saveCommands_.save();
            if (outcome == SaveOutcome::Kept) {
                return;
            }
            if (outcome == SaveOutcome::Saved) {
                refreshTitle(model::TitleMoment::AfterWrite);
            }
            requestEnd();
            return;
        }
        case Answer::No:
            plugInMode_.closeWithoutSaving();
            document_.releaseMapBlobs();
            requestEnd();
            return;
        default:
            return;
    }
}

void MainWindow::compareUnits() {
    balanceCalculator_->openModal();
}

void MainWindow::showExpansionGraphics() {
    if (!document_.hasData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    expansionGraphics_->exec();
}

void MainWindow::requestEnd() {
    endRequested_ = true;
    if (!answeringCloseBox_) {
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!endRequested_) {
        // The close box asks the exit question too; only its answer may end the program.
        answeringCloseBox_ = true;
        runGuarded(prompts_, [this] { exitProgram(); });
        answeringCloseBox_ = false;
    }
    event->setAccepted(endRequested_);
    if (endRequested_) {
        rememberGeometry();
    }
}

void MainWindow::rememberGeometry() {
    try {
        settings_.setMainWindowGeometry(saveGeometry());
        settings_.setUnitTableLayout(unitTable_->layoutState());
        if (movedListWidth_) {
            settings_.setUnitListWidth(*movedListWidth_);
        }
    } catch (const Error& error) {
        // Only a comfort for the next start: the program still ends as asked.
        qWarning("%s", error.what());
    }
}

}  // namespace tarnwick::ui
