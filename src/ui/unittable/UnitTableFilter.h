#pragma once

#include <QSortFilterProxyModel>

#include "ui/unittable/UnitTableModel.h"

namespace tarnwick::ui {

// The rows the table shows and their order: those whose name holds the filter's text (any
// case), with "Changed only" those that differ from the compared table, sorted by the sort role.
//
// Rows are laid out anew only when the filter, the sort or a value they depend on changes, and
// then as a reset: moving the rows one by one makes Qt update every index that a screen reader
// keeps, which takes it minutes for a table read whole.
class UnitTableFilter : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    explicit UnitTableFilter(UnitTableModel& units, QObject* parent = nullptr);

    void setNameFilter(const QString& text);
    void setChangedOnly(bool changedOnly);
    // The unit a shown row stands for.
    std::size_t unitAt(int row) const;
    // A column of -1: the unit list's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  signals:
    // Around a new layout of the rows: the views keep their current cell and selection by unit.
    void rowsAboutToBeLaidOut();
    void rowsLaidOut();

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    void layOut(const std::function<void()>& change);
    // Values changed: a row that leaves or joins the filter, or a changed sort value, lays the
    // rows out anew; any other change only repaints its cells.
    void followValues(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    UnitTableModel& units_;
    QString nameFilter_;
    bool changedOnly_ = false;
};

}  // namespace tarnwick::ui
