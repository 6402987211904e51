#include "ui/unittable/UnitTableReverts.h"

#include <utility>

#include <QMenu>

#include "core/model/DefaultValues.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

UnitTableReverts::UnitTableReverts(model::Document& document, Prompts& prompts,
                                   DocumentHistory& history, DefaultTables& defaults,
                                   UnitTableModel& units, UnitTableFilter& filter,
                                   UnitTableView& table, std::function<void()> unitChanged)
    : QObject(&table),
      document_(document),
      prompts_(prompts),
      history_(history),
      defaults_(defaults),
      units_(units),
      filter_(filter),
      table_(table),
      unitChanged_(std::move(unitChanged)),
      revertCell_(new QAction("Revert to Default", this)),
      revertUnit_(new QAction("Revert Unit to Defaults", this)),
      revertSelected_(new QAction("Revert Selected to Defaults", this)) {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    connect(revertCell_, &QAction::triggered, this, guarded([this](bool) { revertCell(); }));
    connect(revertUnit_, &QAction::triggered, this, guarded([this](bool) { revertUnit(); }));
    connect(revertSelected_, &QAction::triggered, this,
            guarded([this](bool) { revertSelected(); }));
    // A menu of its own, so that the reverts can say why they are disabled.
    table_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&table_, &QWidget::customContextMenuRequested, this,
            guarded([this](const QPoint& position) { showMenu(position); }));
}

const model::UnitDataTable* UnitTableReverts::defaults() const {
    return defaults_.units(document_.hasExpansionGfx);
}

bool UnitTableReverts::differs(int column, std::size_t unit,
                               const model::UnitDataTable& defaults) const {
    const UnitTableColumn& shown = *units_.columnAt(column);
    return unit < shown.unitCount &&
           shown.comparable(document_.unitData, unit) != shown.comparable(defaults, unit);
}

std::optional<std::pair<std::size_t, int>> UnitTableReverts::currentCell() const {
    const QModelIndex current = table_.currentIndex();
    if (!current.isValid() || units_.columnAt(current.column()) == nullptr) {
        return std::nullopt;
    }
    return std::pair{filter_.unitAt(current.row()), current.column()};
}

void UnitTableReverts::refreshItems() {
    const model::UnitDataTable* fallback = defaults();
    const QString why = fallback == nullptr ? kNeedsDefaultDataTip : QString();
    for (QAction* item : {revertCell_, revertUnit_, revertSelected_}) {
        item->setToolTip(why);
    }
    const auto cell = currentCell();
    const QModelIndex current = table_.currentIndex();
    const bool cellDiffers =
        fallback != nullptr && cell && differs(cell->second, cell->first, *fallback);
    revertCell_->setText(
        cellDiffers
            ? QString("Revert to Default (%1)")
                  .arg(units_.columnAt(cell->second)
                           ->text(units_.columnAt(cell->second)->value(*fallback, cell->first)))
            : QString("Revert to Default"));
    revertCell_->setEnabled(cellDiffers);
    revertUnit_->setEnabled(
        fallback != nullptr && current.isValid() &&
        model::unitDiffers(document_.unitData, *fallback, filter_.unitAt(current.row())));
    bool anySelectedDiffers = false;
    if (fallback != nullptr) {
        for (const QModelIndex& index : table_.selectionModel()->selectedIndexes()) {
            anySelectedDiffers = anySelectedDiffers ||
                                 (units_.columnAt(index.column()) != nullptr &&
                                  differs(index.column(), filter_.unitAt(index.row()), *fallback));
        }
    }
    revertSelected_->setEnabled(anySelectedDiffers);
}

void UnitTableReverts::showMenu(const QPoint& position) {
    refreshItems();
    QMenu menu(&table_);
    menu.setToolTipsVisible(true);
    menu.addActions(table_.actions());
    menu.addSeparator();
    menu.addActions({revertCell_, revertUnit_, revertSelected_});
    menu.exec(table_.viewport()->mapToGlobal(position));
}

void UnitTableReverts::revertCell() {
    const model::UnitDataTable* fallback = defaults();
    const auto cell = currentCell();
    if (fallback == nullptr || !cell) {
        return;
    }
    const auto [unit, column] = *cell;
    units_.assign({{unit, column, units_.columnAt(column)->value(*fallback, unit)}},
                  "Revert to Default");
}

void UnitTableReverts::revertUnit() {
    const model::UnitDataTable* fallback = defaults();
    const QModelIndex current = table_.currentIndex();
    if (fallback == nullptr || !current.isValid()) {
        return;
    }
    const std::size_t unit = filter_.unitAt(current.row());
    history_.record("Revert Unit to Defaults",
                    [&] { model::revertUnit(document_.unitData, *fallback, unit); });
    unitChanged_();
}

void UnitTableReverts::revertSelected() {
    const model::UnitDataTable* fallback = defaults();
    if (fallback == nullptr) {
        return;
    }
    std::vector<UnitTableModel::Assignment> assignments;
    for (const QModelIndex& index : table_.selectionModel()->selectedIndexes()) {
        const std::size_t unit = filter_.unitAt(index.row());
        if (units_.columnAt(index.column()) != nullptr &&
            differs(index.column(), unit, *fallback)) {
            assignments.push_back(
                {unit, index.column(), units_.columnAt(index.column())->value(*fallback, unit)});
        }
    }
    units_.assign(assignments, "Revert Selected to Defaults");
}

}  // namespace tarnwick::ui
