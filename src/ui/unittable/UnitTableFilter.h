#pragma once

#include <QSortFilterProxyModel>

#include "ui/unittable/UnitTableModel.h"

namespace tarnwick::ui {

// The rows the table shows and their order: those whose name holds the filter's text (any
// case), with "Changed only" those that differ from the compared table, sorted by the sort role.
class UnitTableFilter : public QSortFilterProxyModel {
  public:
    explicit UnitTableFilter(UnitTableModel& units, QObject* parent = nullptr);

    void setNameFilter(const QString& text);
    void setChangedOnly(bool changedOnly);
    // The unit a shown row stands for.
    std::size_t unitAt(int row) const;

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    UnitTableModel& units_;
    QString nameFilter_;
    bool changedOnly_ = false;
};

}  // namespace tarnwick::ui
