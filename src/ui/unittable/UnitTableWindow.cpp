#include "ui/unittable/UnitTableWindow.h"

#include <algorithm>
#include <map>
#include <set>

#include <QAction>
#include <QClipboard>
#include <QDataStream>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QVBoxLayout>

#include "core/ShortList.h"
#include "core/model/BulkChange.h"
#include "core/model/TypedNumber.h"
#include "ui/defaults/ComparedFile.h"
#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandGuard.h"
#include "ui/unittable/UnitTableClipboard.h"
#include "ui/unittable/UnitTableReverts.h"

namespace tarnwick::ui {

namespace {

constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 520;
constexpr int kNameWidth = 130;
const QString kChangedOnlyTip = "Shows only the units with a value that differs from the game's.";

}  // namespace

UnitTableWindow::UnitTableWindow(model::Document& document, Prompts& prompts,
                                 DocumentHistory& history, DefaultTables& defaults,
                                 UnitTableModel::UnitName unitName, FileReader readFile,
                                 QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      defaults_(defaults),
      units_(new UnitTableModel(document, history, prompts, std::move(unitName), this)),
      filter_(new UnitTableFilter(*units_, this)),
      readFile_(std::move(readFile)) {
    setObjectName("unitTableWindow");
    setWindowTitle("Unit Table");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    buildLayout();
    connectCommands();
    new UnitTableReverts(document, prompts, history, defaults, *units_, *filter_, *table_, [this] {
        units_->refresh();
        emit documentChanged();
    });
    resize(kInitialWidth, kInitialHeight);
}

void UnitTableWindow::buildLayout() {
    auto* column = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout;
    filterBox_ = new QLineEdit(this);
    filterBox_->setObjectName("filterBox");
    filterBox_->setPlaceholderText("Filter by name");
    filterBox_->setClearButtonEnabled(true);
    filterBox_->setToolTip("Shows only the units whose name contains this text.");
    changedOnly_ = new QCheckBox("Changed only", this);
    changedOnly_->setObjectName("changedOnlyBox");
    setSelectedButton_ = new QPushButton("Set Selected...", this);
    setSelectedButton_->setObjectName("setSelectedButton");
    setSelectedButton_->setAutoDefault(false);
    setSelectedButton_->setToolTip(
        "Sets or changes the selected values, each by its own column's rule: 25, +10, -5, *1.5 or "
        "+10%.");
    tools->addWidget(filterBox_, 1);
    tools->addWidget(changedOnly_);
    tools->addWidget(setSelectedButton_);
    compareButton_ = new QPushButton("Compare with File...", this);
    compareButton_->setObjectName("compareButton");
    compareButton_->setAutoDefault(false);
    compareButton_->setToolTip(
        "Marks each value that differs from another scenario or unit data file.");
    clearComparisonButton_ = new QPushButton("Clear Comparison", this);
    clearComparisonButton_->setObjectName("clearComparisonButton");
    clearComparisonButton_->setAutoDefault(false);
    clearComparisonButton_->setEnabled(false);
    tools->addWidget(compareButton_);
    tools->addWidget(clearComparisonButton_);
    column->addLayout(tools);
    differences_ = new QLabel(this);
    differences_->setObjectName("differencesLabel");
    differences_->hide();
    column->addWidget(differences_);

    table_ = new UnitTableView(this);
    table_->setObjectName("unitTable");
    table_->setFilter(filter_);
    auto* delegate = new UnitCellDelegate(table_);
    table_->setItemDelegate(delegate);
    table_->setWordWrap(false);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // unit order until a header is clicked
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Every caption whole at the first showing; the user's widths after that.
    table_->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
    table_->setColumnWidth(0, std::max(table_->columnWidth(0), kNameWidth));
    column->addWidget(table_, 1);
    connect(delegate, &UnitCellDelegate::setAllRequested, this,
            guardedSlot(prompts_, [this](const QString& text) { setAll(text); }));
}

void UnitTableWindow::connectCommands() {
    const auto guarded = [this](auto handler) { return guardedSlot(prompts_, handler); };
    connect(filterBox_, &QLineEdit::textChanged, filter_, &UnitTableFilter::setNameFilter);
    connect(changedOnly_, &QCheckBox::toggled, filter_, &UnitTableFilter::setChangedOnly);
    connect(setSelectedButton_, &QPushButton::clicked, this,
            guarded([this](bool) { setSelected(); }));
    connect(compareButton_, &QPushButton::clicked, this,
            guarded([this](bool) { compareWithFile(); }));
    connect(clearComparisonButton_, &QPushButton::clicked, this,
            guarded([this](bool) { clearComparison(); }));
    connect(units_, &UnitTableModel::documentChanged, this, &UnitTableWindow::documentChanged);

    const auto addAction = [&](const QString& text, const QKeySequence& keys, auto handler) {
        auto* action = new QAction(text, table_);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, guarded([handler](bool) { handler(); }));
        table_->addAction(action);
    };
    addAction("Set Selected...", {}, [this] { setSelected(); });
    addAction("&Copy", QKeySequence::Copy, [this] { copySelection(); });
    addAction("&Paste", QKeySequence::Paste, [this] { pasteClipboard(); });
}

bool UnitTableWindow::showsUnitData() const {
    return document_.isLoaded && document_.kind != model::DocumentKind::UpgradeData;
}

void UnitTableWindow::open() {
    if (!showsUnitData()) {
        prompts_.warning("Error!  No file loaded!");
        return;
    }
    openedOnce_ = true;
    show();
    showDocument();
    raise();
    activateWindow();
    table_->scrollTo(table_->currentIndex());
}

void UnitTableWindow::showDocument() {
    if (!showsUnitData()) {
        hide();
        return;
    }
    // A closed table is brought up to date when it opens.
    if (!isVisible()) {
        return;
    }
    if (compared_) {
        units_->compareWith(&*compared_, comparedName_);
        const int units = units_->differingUnits();
        differences_->setText(QString("%1 values differ in %2 %3")
                                  .arg(units_->differingValues())
                                  .arg(units)
                                  .arg(units == 1 ? "unit" : "units"));
    } else {
        units_->compareWith(defaults_.units(document_.hasExpansionGfx));
    }
    // Without a table to compare with, an empty table would read as "nothing changed".
    const bool canCompare = compared_ || defaults_.units(document_.hasExpansionGfx) != nullptr;
    changedOnly_->setEnabled(canCompare);
    changedOnly_->setToolTip(canCompare ? kChangedOnlyTip : kNeedsDefaultDataTip);
    if (!canCompare) {
        changedOnly_->setChecked(false);
    }
    differences_->setVisible(compared_.has_value());
    clearComparisonButton_->setEnabled(compared_.has_value());
    // Only the cells that changed: a reset of the whole filter would make every index a screen
    // reader keeps move, which takes Qt minutes once it has read the cells.
    units_->refresh();
}

void UnitTableWindow::takeSaveFrom(QAction* save) {
    auto* here = new QAction(save->text(), this);
    here->setShortcuts(save->shortcuts());
    connect(here, &QAction::triggered, save, [this, save] {
        table_->commitOpenEditor();
        save->trigger();
    });
    addAction(here);
}

void UnitTableWindow::compareWithFile() {
    auto compared = chooseFileToCompare(prompts_, document_, readFile_);
    if (!compared) {
        return;
    }
    compared_ = std::move(compared->units);
    comparedName_ = compared->name;
    showDocument();
}

void UnitTableWindow::clearComparison() {
    compared_.reset();
    comparedName_.clear();
    showDocument();
}

QByteArray UnitTableWindow::layoutState() const {
    QByteArray state;
    QDataStream out(&state, QIODevice::WriteOnly);
    // A window not opened in this run keeps the place it had.
    out << size() << table_->horizontalHeader()->saveState()
        << (openedOnce_ ? std::optional<QPoint>(pos()) : restoredPlace_).value_or(QPoint(-1, -1));
    return state;
}

void UnitTableWindow::restoreLayoutState(const QByteArray& state) {
    QDataStream in(state);
    QSize size;
    QByteArray columns;
    in >> size >> columns;
    if (in.status() != QDataStream::Ok || !size.isValid()) {
        return;
    }
    resize(size);
    table_->horizontalHeader()->restoreState(columns);
    // Earlier runs stored no place: the window then opens centred as at its first start.
    QPoint place;
    in >> place;
    if (in.status() == QDataStream::Ok && place != QPoint(-1, -1)) {
        restoredPlace_ = place;
        move(place);
    }
}

std::optional<std::vector<UnitTableWindow::ColumnCells>> UnitTableWindow::selectedColumnCells() {
    std::map<int, std::vector<std::size_t>> unitsByColumn;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
        unitsByColumn[index.column()].push_back(filter_->unitAt(index.row()));
    }
    if (unitsByColumn.empty() || unitsByColumn.begin()->first == 0) {
        prompts_.warning("Select cells of the value columns first.");
        return std::nullopt;
    }
    std::vector<ColumnCells> cells;
    for (auto& [column, units] : unitsByColumn) {
        // Units the field has no element for keep nothing: leave them out of the step's count.
        const std::size_t unitCount = units_->columnAt(column)->unitCount;
        std::erase_if(units, [unitCount](std::size_t unit) { return unit >= unitCount; });
        std::sort(units.begin(), units.end());
        if (!units.empty()) {
            cells.push_back({column, std::move(units)});
        }
    }
    if (cells.empty()) {
        return std::nullopt;
    }
    return cells;
}

QString UnitTableWindow::stepName(const std::vector<ColumnCells>& cells, std::size_t values) const {
    return cells.size() == 1 ? units_->stepName(cells.front().column, cells.front().units)
                             : QString("Change %1 values").arg(values);
}

void UnitTableWindow::setAll(const QString& text) {
    const auto cells = selectedColumnCells();
    if (!cells) {
        return;
    }
    std::vector<UnitTableModel::Assignment> assignments;
    for (const ColumnCells& column : *cells) {
        const std::int64_t value = units_->columnAt(column.column)->parse(text);
        for (const std::size_t unit : column.units) {
            assignments.push_back({unit, column.column, value});
        }
    }
    units_->assign(assignments, stepName(*cells, assignments.size()));
}

void UnitTableWindow::setSelected() {
    const auto cells = selectedColumnCells();
    if (!cells) {
        return;
    }
    std::size_t count = 0;
    // The example is a value every selected column holds: 20 is a whole number of tens.
    std::int64_t example = 20;
    for (const ColumnCells& column : *cells) {
        count += column.units.size();
        example = std::min(example, units_->columnAt(column.column)->maximum);
    }
    const QString what = cells->size() == 1
                             ? QString("New %1 for %2 units")
                                   .arg(units_->columnAt(cells->front().column)->header)
                                   .arg(count)
                             : QString("New values for %1 cells").arg(count);
    QInputDialog ask(this);
    ask.setObjectName("setSelectedDialog");
    ask.setWindowTitle("Set Selected");
    ask.setLabelText(
        QString("%1: a value (%2) or a change (+10, -5, *1.5, +10%)").arg(what).arg(example));
    if (ask.exec() != QDialog::Accepted) {
        return;
    }
    const model::BulkChange change = model::BulkChange::parse(ask.textValue().toStdString());
    std::vector<UnitTableModel::Assignment> assignments;
    QStringList refusals;
    for (const ColumnCells& cellsOfColumn : *cells) {
        const UnitTableColumn& column = *units_->columnAt(cellsOfColumn.column);
        QStringList refused;
        for (const std::size_t unit : cellsOfColumn.units) {
            const std::int64_t result =
                change.applyTo(units_->value(unit, cellsOfColumn.column), column.step());
            try {
                column.check(result);
            } catch (const model::ValueDoesNotFit&) {
                refused << QString("%1: %2").arg(units_->unitName(unit)).arg(result);
            }
            assignments.push_back({unit, cellsOfColumn.column, result});
        }
        if (!refused.isEmpty()) {
            refusals << QString("%1 takes %2 to %3, and these would not fit:\n")
                                .arg(column.header)
                                .arg(column.minimum)
                                .arg(column.maximum) +
                            refused.join('\n');
        }
    }
    if (!refusals.isEmpty()) {
        prompts_.error("Nothing was changed: " + refusals.join('\n'));
        return;
    }
    units_->assign(assignments, stepName(*cells, assignments.size()));
}

void UnitTableWindow::copySelection() {
    const QString text =
        copiedCells(*units_, *filter_, table_->selectionModel()->selectedIndexes());
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void UnitTableWindow::pasteClipboard() {
    // From the current cell, or from the top left of a selection made upward.
    QModelIndex start = table_->currentIndex();
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
        if (!start.isValid() || index.row() < start.row() ||
            (index.row() == start.row() && index.column() < start.column())) {
            start = index;
        }
    }
    // A filter that hid the current cell's unit leaves none: as in a spreadsheet, the first
    // value cell stands in (rows with ids go to their units wherever the paste starts).
    if (!start.isValid()) {
        start = filter_->index(0, 1);
    }
    if (!start.isValid()) {
        return;
    }
    const PastedCells pasted =
        readPastedCells(*units_, *filter_, start, QGuiApplication::clipboard()->text());
    if (pasted.pastTheTable) {
        prompts_.error("Nothing was pasted: the text reaches past the table's last row or column.");
    } else if (!pasted.problems.isEmpty()) {
        std::vector<std::string> problems;
        for (const QString& problem : pasted.problems) {
            problems.push_back(problem.toStdString());
        }
        prompts_.error("Nothing was pasted:\n" + QString::fromStdString(shortList(problems)));
    } else if (!pasted.assignments.empty()) {
        units_->assign(pasted.assignments, pasted.stepName);
    }
}

}  // namespace tarnwick::ui
