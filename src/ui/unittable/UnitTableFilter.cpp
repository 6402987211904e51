#include "ui/unittable/UnitTableFilter.h"

namespace tarnwick::ui {

UnitTableFilter::UnitTableFilter(UnitTableModel& units, QObject* parent)
    : QSortFilterProxyModel(parent), units_(units) {
    setSourceModel(&units);
    setSortRole(UnitTableModel::kSortRole);
    setDynamicSortFilter(true);
}

void UnitTableFilter::setNameFilter(const QString& text) {
    nameFilter_ = text;
    invalidateFilter();
}

void UnitTableFilter::setChangedOnly(bool changedOnly) {
    changedOnly_ = changedOnly;
    invalidateFilter();
}

std::size_t UnitTableFilter::unitAt(int row) const {
    return static_cast<std::size_t>(mapToSource(index(row, 0)).row());
}

bool UnitTableFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const QString name = units_.unitName(static_cast<std::size_t>(sourceRow));
    return name.contains(nameFilter_, Qt::CaseInsensitive) &&
           (!changedOnly_ || units_.rowDiffers(sourceRow));
}

}  // namespace tarnwick::ui
