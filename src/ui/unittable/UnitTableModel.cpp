#include "ui/unittable/UnitTableModel.h"

#include <algorithm>

#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "ui/defaults/DefaultMark.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {
const QString kNameHeader = "Name";
const QColor kComparedColour(0xB0, 0x40, 0x00);
}  // namespace

UnitTableModel::UnitTableModel(model::Document& document, DocumentHistory& history,
                               Prompts& prompts, UnitName unitName, QObject* parent)
    : QAbstractTableModel(parent),
      document_(document),
      history_(&history),
      prompts_(prompts),
      unitName_(std::move(unitName)),
      shown_{document.unitData, std::nullopt, {}, {}} {
    connect(&history, &QObject::destroyed, this, [this] { history_ = nullptr; });
}

void UnitTableModel::compareWith(const model::UnitDataTable* reference, const QString& fileName) {
    reference_ = reference;
    referenceFile_ = fileName;
}

int UnitTableModel::differingValues() const {
    int count = 0;
    for (std::size_t unit = 0; reference_ != nullptr && unit < model::kUnitCount; ++unit) {
        for (const UnitTableColumn& column : unitTableColumns()) {
            count += differs(column, unit);
        }
    }
    return count;
}

int UnitTableModel::differingUnits() const {
    int count = 0;
    for (int row = 0; row < rowCount(); ++row) {
        count += rowDiffers(row);
    }
    return count;
}

namespace {

// All that a value cell shows: its value, whether it is marked, and the value its tooltip gives.
struct CellLook {
    std::int64_t value;
    bool differs;
    std::int64_t other;
    std::int64_t otherComparable;

    bool operator==(const CellLook&) const = default;
};

CellLook cellLook(const UnitTableColumn& column, const model::UnitDataTable& units,
                  const model::UnitDataTable* reference, std::size_t unit) {
    const bool differs = reference != nullptr &&
                         column.comparable(units, unit) != column.comparable(*reference, unit);
    return {column.value(units, unit), differs, differs ? column.value(*reference, unit) : 0,
            differs ? column.comparable(*reference, unit) : 0};
}

}  // namespace

void UnitTableModel::refresh() {
    const model::UnitDataTable* before = shown_.reference ? &*shown_.reference : nullptr;
    // Another kind of comparison recolours every mark.
    const bool marksRecoloured =
        (before != nullptr) != (reference_ != nullptr) || shown_.referenceFile != referenceFile_;
    const auto& columns = unitTableColumns();
    QStringList names;
    for (int row = 0; row < rowCount(); ++row) {
        const auto unit = static_cast<std::size_t>(row);
        names << unitName_(unit);
        int first = -1;
        int last = -1;
        bool differedBefore = false;
        bool differsNow = false;
        for (std::size_t at = 0; at < columns.size(); ++at) {
            const CellLook was = cellLook(columns[at], shown_.units, before, unit);
            const CellLook is = cellLook(columns[at], document_.unitData, reference_, unit);
            differedBefore = differedBefore || was.differs;
            differsNow = differsNow || is.differs;
            if (was != is || (marksRecoloured && is.differs)) {
                const int column = static_cast<int>(at) + 1;
                first = first < 0 ? column : first;
                last = column;
            }
        }
        const bool nameChanged = shown_.names.size() <= row || shown_.names[row] != names.back() ||
                                 differedBefore != differsNow || (marksRecoloured && differsNow);
        if (nameChanged) {
            first = 0;
            last = std::max(last, 0);
        }
        if (first >= 0) {
            emit dataChanged(index(row, first), index(row, last));
        }
    }
    shown_ = {document_.unitData, reference_ != nullptr ? std::optional(*reference_) : std::nullopt,
              referenceFile_, names};
}

const UnitTableColumn* UnitTableModel::columnAt(int column) const {
    const auto& columns = unitTableColumns();
    return column >= 1 && static_cast<std::size_t>(column) <= columns.size()
               ? &columns[static_cast<std::size_t>(column - 1)]
               : nullptr;
}

bool UnitTableModel::differs(const UnitTableColumn& column, std::size_t unit) const {
    return reference_ != nullptr &&
           column.comparable(document_.unitData, unit) != column.comparable(*reference_, unit);
}

bool UnitTableModel::rowDiffers(int row) const {
    if (reference_ == nullptr) {
        return false;
    }
    const auto unit = static_cast<std::size_t>(row);
    for (const UnitTableColumn& column : unitTableColumns()) {
        if (differs(column, unit)) {
            return true;
        }
    }
    return false;
}

void UnitTableModel::assign(const std::vector<Assignment>& assignments, const QString& stepName) {
    if (history_ == nullptr) {
        return;
    }
    history_->record(stepName, [&] {
        for (const Assignment& assignment : assignments) {
            columnAt(assignment.column)
                ->store(document_.unitData, assignment.unit, assignment.value);
        }
    });
    refresh();
    emit documentChanged();
}

QString UnitTableModel::stepName(int column, const std::vector<std::size_t>& units) const {
    const QString what = columnAt(column)->stepName;
    return units.size() == 1 ? QString("Change %1 of %2").arg(what, unitName_(units.front()))
                             : QString("Change %1 of %2 units").arg(what).arg(units.size());
}

int UnitTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(model::kUnitCount);
}

int UnitTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(unitTableColumns().size()) + 1;
}

QBrush UnitTableModel::markBrush() const {
    // A compared file's marks must not be taken for the defaults' marks.
    return referenceFile_.isEmpty() ? QGuiApplication::palette().brush(QPalette::Link)
                                    : QBrush(kComparedColour);
}

QVariant UnitTableModel::valueData(const UnitTableColumn& column, std::size_t unit,
                                   int role) const {
    const std::int64_t value = column.value(document_.unitData, unit);
    const bool check = column.kind == UnitTableColumn::Kind::Check;
    const bool differs = this->differs(column, unit);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return check ? QVariant() : QVariant(column.text(value));
        case Qt::CheckStateRole:
            return check ? QVariant(value != 0 ? Qt::Checked : Qt::Unchecked) : QVariant();
        case Qt::TextAlignmentRole:
            return column.kind == UnitTableColumn::Kind::Number
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant();
        case kChoicesRole:
            return column.choices;
        case kSortRole:
            return column.kind == UnitTableColumn::Kind::List ? QVariant(column.text(value))
                                                              : QVariant(qlonglong{value});
        case Qt::FontRole:
            if (differs) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ForegroundRole:
            return differs ? QVariant(markBrush()) : QVariant();
        case Qt::ToolTipRole: {
            if (!differs) {
                return {};
            }
            const std::int64_t other = column.value(*reference_, unit);
            const QString otherText = check ? QString(other != 0 ? "ticked" : "not ticked")
                                      : column.text(other).isEmpty()
                                          ? QString::number(column.comparable(*reference_, unit))
                                          : column.text(other);
            // The defaults worded as the unit pages word their marks.
            return referenceFile_.isEmpty() ? defaultMarkText(otherText)
                                            : QString("In %1: %2").arg(referenceFile_, otherText);
        }
        default:
            return {};
    }
}

QVariant UnitTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto unit = static_cast<std::size_t>(index.row());
    if (const UnitTableColumn* column = columnAt(index.column())) {
        return valueData(*column, unit, role);
    }
    switch (role) {
        case Qt::DisplayRole:
        case kSortRole:
            return unitName_(unit);
        case Qt::ForegroundRole:
            return rowDiffers(index.row()) ? QVariant(markBrush()) : QVariant();
        default:
            return {};
    }
}

QVariant UnitTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return role == Qt::DisplayRole ? QVariant(section) : QVariant();
    }
    const UnitTableColumn* column = columnAt(section);
    switch (role) {
        case Qt::DisplayRole:
            return column != nullptr ? column->header : kNameHeader;
        case Qt::ToolTipRole:
            return column != nullptr ? column->toolTip : QVariant();
        default:
            return {};
    }
}

Qt::ItemFlags UnitTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    const UnitTableColumn* column = columnAt(index.column());
    if (column == nullptr || static_cast<std::size_t>(index.row()) >= column->unitCount) {
        return base;
    }
    return column->kind == UnitTableColumn::Kind::Check ? base | Qt::ItemIsUserCheckable
                                                        : base | Qt::ItemIsEditable;
}

bool UnitTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const UnitTableColumn* column = columnAt(index.column());
    if (column == nullptr || history_ == nullptr ||
        (role != Qt::EditRole && role != Qt::CheckStateRole)) {
        return false;
    }
    const auto unit = static_cast<std::size_t>(index.row());
    bool stored = false;
    runGuarded(prompts_, [&] {
        const std::int64_t parsed = role == Qt::CheckStateRole
                                        ? (value.value<Qt::CheckState>() == Qt::Checked ? 1 : 0)
                                        : column->parse(value.toString());
        assign({{unit, index.column(), parsed}}, stepName(index.column(), {unit}));
        stored = true;
    });
    return stored;
}

}  // namespace tarnwick::ui
