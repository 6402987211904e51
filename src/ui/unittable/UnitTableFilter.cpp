#include "ui/unittable/UnitTableFilter.h"

namespace tarnwick::ui {

UnitTableFilter::UnitTableFilter(UnitTableModel& units, QObject* parent)
    : QSortFilterProxyModel(parent), units_(units) {
    setSourceModel(&units);
    setSortRole(UnitTableModel::kSortRole);
    setDynamicSortFilter(false);
    connect(&units, &QAbstractItemModel::dataChanged, this, &UnitTableFilter::followValues);
}

void UnitTableFilter::setNameFilter(const QString& text) {
    nameFilter_ = text;
    layOut([this] { invalidateFilter(); });
}

void UnitTableFilter::setChangedOnly(bool changedOnly) {
    if (changedOnly != changedOnly_) {
        changedOnly_ = changedOnly;
        layOut([this] { invalidateFilter(); });
    }
}

std::size_t UnitTableFilter::unitAt(int row) const {
    return static_cast<std::size_t>(mapToSource(index(row, 0)).row());
}

void UnitTableFilter::sort(int column, Qt::SortOrder order) {
    layOut([&] { QSortFilterProxyModel::sort(column, order); });
}

bool UnitTableFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const QString name = units_.unitName(static_cast<std::size_t>(sourceRow));
    return name.contains(nameFilter_, Qt::CaseInsensitive) &&
           (!changedOnly_ || units_.rowDiffers(sourceRow));
}

void UnitTableFilter::layOut(const std::function<void()>& change) {
    emit rowsAboutToBeLaidOut();
    // The reset lets go of every kept index at once; the change then has none to move.
    beginResetModel();
    endResetModel();
    change();
    emit rowsLaidOut();
}

void UnitTableFilter::followValues(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    bool moves = topLeft.column() <= sortColumn() && sortColumn() <= bottomRight.column();
    for (int row = topLeft.row(); !moves && row <= bottomRight.row(); ++row) {
        moves = filterAcceptsRow(row, {}) != mapFromSource(units_.index(row, 0)).isValid();
    }
    if (moves) {
        // Sorted again by the same column: Qt's sort() skips a sort it thinks it has.
        layOut([this] { invalidate(); });
    }
}

}  // namespace tarnwick::ui
