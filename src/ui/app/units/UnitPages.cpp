#include "ui/app/units/UnitPages.h"

#include <QTabBar>

#include "ui/app/SelectedUnit.h"
#include "ui/app/units/UnitRevertMenus.h"
#include "ui/layout/ScrollingContent.h"

namespace tarnwick::ui {

namespace {
// A page whose controls scroll when the window is too low for them; returns their widget.
QWidget* addPage(QTabWidget& pages, const QString& title, const QString& name,
                 const QString& contentName) {
    auto* page = new QWidget(&pages);
    page->setObjectName(name);
    pages.addTab(page, title);
    return fillWithScrollingContent(*page, contentName);
}
}  // namespace

UnitPages::UnitPages(model::Document& document, Prompts& prompts, DocumentHistory& history,
                     EntryExtractor& extractor, DefaultTables& defaults, ProgressWindow& progress,
                     UnitListPane& listPane, QWidget* parent)
    : QTabWidget(parent),
      document_(document),
      defaults_(defaults),
      listPane_(listPane),
      unitList_(listPane.list()) {
    setObjectName("unitPages");
    // Tab goes from the unit list straight into the page; Ctrl+Tab still turns the pages.
    tabBar()->setFocusPolicy(Qt::NoFocus);
    QWidget* generalContent = addPage(*this, "General", "generalPage", "generalContent");
    QWidget* flagsContent = addPage(*this, "Flags", "flagsPage", "flagsContent");
    QWidget* graphicsArea = addPage(*this, "GFX", "graphicsPage", "graphicsArea");
    setCurrentIndex(2);  // "GFX"
    controls_ = buildUnitPages(generalContent, flagsContent);
    editor_ = new UnitEditor(
        document, prompts, controls_, history,
        [this](std::size_t unit) { return listPane_.rowName(unit); }, this);
    marks_.emplace(controls_, unitList_);
    graphicsPage_ = new GraphicsPage(document, prompts, history, extractor, progress, graphicsArea);
    new UnitRevertMenus(
        document, prompts, history, defaults, *marks_, listPane, [this] { showSelectedRow(); },
        this);
}

void UnitPages::showNoRow() {
    graphicsPage_->forgetRow();
    editor_->forgetUnit();
    controls_.generalContent->hide();
    controls_.flagsContent->hide();
}

void UnitPages::showSelectedRow() {
    const int row = unitList_.currentRow();
    if (row < 0 || !document_.isLoaded) {
        showNoRow();
        return;
    }
    const auto unit = static_cast<std::size_t>(row);
    const bool upgradeFile = document_.kind == model::DocumentKind::UpgradeData;
    graphicsPage_->showRow(unit);
    graphicsPage_->content()->setVisible(!upgradeFile);
    if (unit >= model::kUnitCount || upgradeFile) {
        editor_->forgetUnit();
        controls_.generalContent->hide();
        controls_.flagsContent->hide();
        return;
    }
    controls_.generalContent->show();
    controls_.flagsContent->show();
    editor_->showUnit(unit);
    marks_->showUnit(document_.unitData, defaults_.units(document_.hasExpansionGfx), unit);
}

void UnitPages::showPagesForDocument() {
    const bool holdsUnits = document_.kind != model::DocumentKind::UpgradeData;
    for (int page = 0; page < count(); ++page) {
        setTabVisible(page, holdsUnits);
    }
}

void UnitPages::showDefaultMarks() {
    // An upgrade file's unit table is what an earlier document left: nothing to mark there.
    const bool unitsShown =
        document_.isLoaded && document_.kind != model::DocumentKind::UpgradeData;
    const model::UnitDataTable* defaults =
        unitsShown ? defaults_.units(document_.hasExpansionGfx) : nullptr;
    marks_->showList(document_.unitData, defaults);
    marks_->showDefaultsMissing(unitsShown && defaults == nullptr);
    if (const auto unit = selectedUnit(unitList_); unit && document_.isLoaded) {
        marks_->showUnit(document_.unitData, defaults, *unit);
    }
}

}  // namespace tarnwick::ui
