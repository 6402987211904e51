#include "ui/app/TfrmMain.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "core/game/StringTable.h"
#include "core/model/DocumentTitle.h"
#include "core/model/UnitRowNames.h"
#include "core/model/UnitSearch.h"
#include "core/model/UseDefaultWord.h"
#include "ui/app/GameDirectorySetup.h"
#include "ui/app/MenuRules.h"
#include "ui/app/OpenCommand.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
const QString kPlugInSwitch = "-MarrowbyPlugIn";
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

TfrmMain::TfrmMain(model::Document& document, Prompts& prompts, platform::SettingsStore& settings,
                   QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      prompts_(prompts),
      settings_(settings),
      saveCommands_(document, prompts),
      menus_(buildMainMenus(*this)) {
    setObjectName("frmMain");
    setWindowTitle(model::kTitleAtStart);
    buildWorkArea();
    connectCommands();
    resize(kInitialWidth, kInitialHeight);
}

void TfrmMain::buildWorkArea() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);

    auto* listColumn = new QVBoxLayout;
    txtName_ = new QLineEdit(central);
    txtName_->setObjectName("txtName");
    txtName_->setToolTip(
        "Type in the unit name, or part of the unit name, and the Unit List will "
        "automatically go to that unit.");
    txtName_->installEventFilter(this);
    unitList_ = new QListWidget(central);
    unitList_->setObjectName("UnitList");
    unitList_->setToolTip("The Unit List");
    for (std::size_t row = 0; row < model::kGraphicsRowCount; ++row) {
        unitList_->addItem(QString::fromStdString(model::fixedUnitRowName(row)));
    }
    listColumn->addWidget(txtName_);
    listColumn->addWidget(unitList_);
    unitList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitUnitListToNames();
    columns->addLayout(listColumn);

    pages_ = new QTabWidget(central);
    pages_->setObjectName("PageControl1");
    QWidget* generalPage = addPage(pages_, "General", "edpage1");
    QWidget* flagsPage = addPage(pages_, "Flags", "edpage2");
    QWidget* graphicsPage = addPage(pages_, "GFX", "edpage3");
    pages_->setCurrentWidget(graphicsPage);
    unitControls_ = buildUnitPages(generalPage, flagsPage);
    unitEditor_ = new UnitEditor(document_, prompts_, unitControls_, this);
    compressForm_ = new TCompressForm(this);
    graphicsPage_ = new GraphicsPage(document_, prompts_, extractor_, *compressForm_, graphicsPage);
    upgradeEditor_ = new TfrmUpgd(document_, prompts_, this);
    restrictionsEditor_ = new TfrmRest(document_, prompts_, this);
    sizeForm_ = new TSizeForm(prompts_, *compressForm_, this);
    const Tgfxsel::UnitPage unitPage{unitList_, unitControls_.numbers[numberBoxIndex("EdSizeX")],
                                     unitControls_.numbers[numberBoxIndex("EdSizeY")]};
    graphicsSelection_ = new Tgfxsel(document_, prompts_, extractor_, *sizeForm_, unitPage, this);
    columns->addWidget(pages_, 1);

    setCentralWidget(central);
}

void TfrmMain::connectCommands() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    const auto command = [this, guarded](QAction* action, void (TfrmMain::*handler)()) {
        connect(action, &QAction::triggered, this,
                guarded([this, handler](bool) { (this->*handler)(); }));
    };
    command(menus_.open, &TfrmMain::Open1Click);
    command(menus_.openButton, &TfrmMain::Open1Click);
    command(menus_.save, &TfrmMain::Save2Click);
    command(menus_.saveButton, &TfrmMain::Save2Click);
    command(menus_.saveAs, &TfrmMain::SaveAs1Click);
    command(menus_.closeData, &TfrmMain::Close1Click);
    command(menus_.chooseGameDirectory, &TfrmMain::War2Dir1Click);
    command(menus_.exit, &TfrmMain::Exit1Click);
    command(menus_.exitButton, &TfrmMain::Exit1Click);
    command(menus_.editUpgrades, &TfrmMain::eugrd2Click);
    command(menus_.upgradesButton, &TfrmMain::eugrd2Click);
    command(menus_.restrictionsEditor, &TfrmMain::ALOWEDClick);
    command(menus_.restrictionsButton, &TfrmMain::ALOWEDClick);
    command(menus_.addRestrictions, &TfrmMain::addalowClick);
    command(menus_.removeRestrictions, &TfrmMain::remalowClick);
    const auto exportCommand = [this, guarded](QAction* action, files::ExportFormat format) {
        connect(action, &QAction::triggered, this,
                guarded([this, format](bool) { tableCommands_.exportAs(format); }));
    };
    exportCommand(menus_.exportUnitData, files::ExportFormat::UnitData);
    exportCommand(menus_.exportUpgradeData, files::ExportFormat::UpgradeData);
    exportCommand(menus_.exportUpgradeSection, files::ExportFormat::UpgradeSection);
    exportCommand(menus_.exportUnitSection, files::ExportFormat::UnitSection);
    exportCommand(menus_.exportRestrictions, files::ExportFormat::Restrictions);
    connect(menus_.importFile, &QAction::triggered, this,
            guarded([this](bool) { tableCommands_.Import2Click(); }));
    connect(unitControls_.boxSizer, &QPushButton::clicked, this,
            guarded([this](bool) { BitBtn1Click(); }));
    command(menus_.copyUnit, &TfrmMain::CopyUnitData1Click);
    command(menus_.pasteUnit, &TfrmMain::PasteUnitData1Click);
    command(menus_.useDefaultUnitData, &TfrmMain::DDClick);
    command(menus_.useDefaultUpgrades, &TfrmMain::eugrd1Click);

    for (QMenu* menu : {menus_.file, menus_.pudOptions, menus_.edit}) {
        connect(menu, &QMenu::aboutToShow, this, &TfrmMain::GeneralMenu);
    }
    connect(menus_.restrictionsMenu, &QMenu::aboutToShow, this, &TfrmMain::submenu);
    connect(menus_.exportMenu, &QMenu::aboutToShow, this, &TfrmMain::Save1Click);
    connect(unitList_, &QListWidget::currentRowChanged, this,
            guarded([this](int) { UnitListClick(); }));
    connect(graphicsPage_, &GraphicsPage::terrainChosen, this,
            guarded([this] { UnitListClick(); }));
}

void TfrmMain::FormCreate(const QStringList& arguments) {
    plugInMode_ = !arguments.isEmpty() &&
                  arguments.constFirst().compare(kPlugInSwitch, Qt::CaseInsensitive) == 0;
    if (plugInMode_) {
        setWindowTitle(model::kTitlePlugIn);
    } else if (!arguments.isEmpty()) {
        pendingOpen_ = arguments.constFirst();
    }
    gameDirectory_ = configureGameDirectory(settings_, prompts_);
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        runGuarded(prompts_, [this] { FormShow(); });
    }
    if (!pendingOpen_.isEmpty()) {
        QTimer::singleShot(0, this, [this, path = std::exchange(pendingOpen_, {})] {
            runGuarded(prompts_, [&] { OpenFile(path); });
        });
    }
}

void TfrmMain::FormShow() {
    const auto entry = extractor_.extractEntry(1, "strdat.war");
    if (!entry) {
        return;
    }
    const game::GameNames names = game::readGameNames(*entry);
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
    fitUnitListToNames();
}

void TfrmMain::fitUnitListToNames() {
    const int width = unitList_->sizeHintForColumn(0) + 2 * unitList_->frameWidth() +
                      unitList_->verticalScrollBar()->sizeHint().width();
    unitList_->setFixedWidth(std::min(width, kListColumnMaximumWidth));
    txtName_->setFixedWidth(std::min(width, kListColumnMaximumWidth));
}

std::optional<std::size_t> TfrmMain::selectedUnit() const {
    const int row = unitList_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= model::kUnitCount) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void TfrmMain::CopyUnitData1Click() {
    if (!document_.isLoaded && document_.kind != model::DocumentKind::UpgradeData) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    // The "Group" rows have no per-unit values.
    if (const auto unit = selectedUnit()) {
        clipboard_.copy(document_, *unit);
    }
}

void TfrmMain::PasteUnitData1Click() {
    if (!document_.isLoaded && document_.kind != model::DocumentKind::UpgradeData) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    if (!clipboard_.isFilled()) {
        prompts_.warning("Error!  Clipboard is empty.");
        return;
    }
    if (const auto unit = selectedUnit()) {
        clipboard_.paste(document_, *unit);
        UnitListClick();
    }
}

void TfrmMain::openEditor(QDialog& editor) {
    if (!document_.isLoaded) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    editor.exec();
}

void TfrmMain::BitBtn1Click() {
    graphicsSelection_->exec();
}

void TfrmMain::eugrd2Click() {
    openEditor(*upgradeEditor_);
}

void TfrmMain::ALOWEDClick() {
    openEditor(*restrictionsEditor_);
}

void TfrmMain::setRestrictionsEditorEnabled(bool enabled) {
    menus_.restrictionsEditor->setEnabled(enabled);
    menus_.restrictionsButton->setEnabled(enabled);
}

void TfrmMain::addalowClick() {
    tableCommands_.addalowClick();
    setRestrictionsEditorEnabled(true);
}

void TfrmMain::remalowClick() {
    if (tableCommands_.remalowClick()) {
        setRestrictionsEditorEnabled(false);
    }
}

void TfrmMain::Open1Click() {
    const FileChoice choice{"Open", kOpenFilter, 4, "PUD", gameDirectory_, {}};
    if (const auto chosen = prompts_.chooseFileToOpen(choice)) {
        OpenFile(*chosen);
    }
}

void TfrmMain::OpenFile(const QString& path) {
    if (!loadDocumentFile(document_, prompts_, path)) {
        refreshTitle();
        showNoRow();
        return;
    }
    refreshTitle();
    selectRow(0);
    menus_.useDefaultUnitData->setChecked(model::unitUseDefaultChecked(
        static_cast<std::uint16_t>(document_.unitData.get(model::unitfields::useDefault, 0))));
    menus_.useDefaultUpgrades->setChecked(model::upgradeUseDefaultChecked(
        static_cast<std::uint16_t>(document_.upgrades.get(model::upgradefields::useDefault, 0))));
    menus_.edit->menuAction()->setVisible(true);
    menus_.pudOptions->menuAction()->setVisible(document_.kind == model::DocumentKind::Scenario);
    setEditingPagesVisible(document_.kind != model::DocumentKind::UpgradeData);
}

void TfrmMain::setEditingPagesVisible(bool visible) {
    for (int page = 0; page < pages_->count(); ++page) {
        pages_->setTabVisible(page, visible);
    }
}

void TfrmMain::selectRow(int row) {
    {
        const QSignalBlocker quiet(unitList_);
        unitList_->setCurrentRow(row);
    }
    UnitListClick();
}

void TfrmMain::showNoRow() {
    graphicsPage_->forgetRow();
    unitEditor_->forgetUnit();
    unitControls_.generalContent->hide();
    unitControls_.flagsContent->hide();
}

void TfrmMain::UnitListClick() {
    const int row = unitList_->currentRow();
    if (row < 0 || !document_.isLoaded) {
        showNoRow();
        return;
    }
    const auto unit = static_cast<std::size_t>(row);
    const bool upgradeFile = document_.kind == model::DocumentKind::UpgradeData;
    graphicsPage_->guts(unit);
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
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // The search looks at the text as it was before the key took effect.
    if (watched == txtName_ && event->type() == QEvent::KeyPress) {
        runGuarded(prompts_, [this] { txtNameKeyPress(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::txtNameKeyPress() {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(unitList_->count()));
    for (int row = 0; row < unitList_->count(); ++row) {
        names.push_back(unitList_->item(row)->text().toStdString());
    }
    const auto found = model::findUnitRow(names, txtName_->text().toStdString());
    if (!found) {
        return;
    }
    const int row = static_cast<int>(*found);
    unitList_->scrollToItem(unitList_->item(row), QAbstractItemView::PositionAtTop);
    selectRow(row);
}

void TfrmMain::refreshTitle(model::TitleMoment moment) {
    setWindowTitle(QString::fromStdString(model::documentTitle(document_, moment)));
}

void TfrmMain::GeneralMenu() {
    applyGeneralMenu(menus_, document_);
}

void TfrmMain::submenu() {
    applyRestrictionsSubmenu(menus_, document_);
}

void TfrmMain::Save1Click() {
    applyExportSubmenu(menus_, document_);
}

void TfrmMain::Save2Click() {
    if (saveCommands_.save() == SaveOutcome::Saved) {
        refreshTitle(model::TitleMoment::AfterWrite);
    }
}

void TfrmMain::SaveAs1Click() {
    if (saveCommands_.saveAs() == SaveOutcome::Saved) {
        refreshTitle(model::TitleMoment::AfterWrite);
    }
}

void TfrmMain::Close1Click() {
    document_.isLoaded = false;
    document_.kind = model::DocumentKind::None;
    document_.fileName.clear();
    document_.releaseMapBlobs();
    refreshTitle();
    showNoRow();
}

void TfrmMain::War2Dir1Click() {
    gameDirectory_ = chooseGameDirectory(settings_, prompts_, gameDirectory_);
}

void TfrmMain::Exit1Click() {
    const Message question{MessageIcon::Question, "Save?",
                           "Do you wish to save changes before quitting?"};
    switch (prompts_.ask(question, Buttons::YesNoCancel)) {
        case Answer::Yes: {
            // A failed write keeps the window open with the edits intact.
            const SaveOutcome outcome = saveCommands_.save();
            if (outcome == SaveOutcome::Failed) {
                return;
            }
            if (outcome == SaveOutcome::Saved) {
                refreshTitle(model::TitleMoment::AfterWrite);
            }
            requestEnd();
            return;
        }
        case Answer::No:
            document_.releaseMapBlobs();
            requestEnd();
            return;
        default:
            return;
    }
}

void TfrmMain::DDClick() {
    const auto word =
        static_cast<std::uint16_t>(document_.unitData.get(model::unitfields::useDefault, 0));
    const std::uint16_t toggled = model::toggledUseDefault(word);
    document_.unitData.set(model::unitfields::useDefault, 0, toggled);
    menus_.useDefaultUnitData->setChecked(word == 0);
}

void TfrmMain::eugrd1Click() {
    const auto word =
        static_cast<std::uint16_t>(document_.upgrades.get(model::upgradefields::useDefault, 0));
    document_.upgrades.set(model::upgradefields::useDefault, 0, model::toggledUseDefault(word));
    menus_.useDefaultUpgrades->setChecked(word == 0);
}

void TfrmMain::requestEnd() {
    endRequested_ = true;
    if (!answeringCloseBox_) {
        close();
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!endRequested_) {
        // The close box asks the exit question too; only its answer may end the program.
        answeringCloseBox_ = true;
        runGuarded(prompts_, [this] { Exit1Click(); });
        answeringCloseBox_ = false;
    }
    event->setAccepted(endRequested_);
}

}  // namespace tarnwick::ui
