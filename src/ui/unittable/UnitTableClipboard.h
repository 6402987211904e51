#pragma once

#include <vector>

#include <QModelIndexList>
#include <QString>
#include <QStringList>

#include "ui/unittable/UnitTableFilter.h"
#include "ui/unittable/UnitTableModel.h"

namespace tarnwick::ui {

// The selected cells as tab-separated text for a spreadsheet: a header line of field names,
// "id" and "name" first, then one line per selected row as shown (the unit's id, its name, the
// selected values), each ending in a line break.
QString copiedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                    const QModelIndexList& selected);

// Tab-separated text read as values for the cells, every value checked as typing it would be.
// With a header line of field names each column goes to the column of its name, and a row
// with an "id" to that unit, wherever it is shown; rows without one go down from `start`'s row.
// Without a header the values go by position from `start`. Names are left alone.
struct PastedCells {
    std::vector<UnitTableModel::Assignment> assignments;
    // "Pikeman, Armor: 'abc' is not a valid integer value", "Pikeman: 300 does not fit Armor
    // (0 to 255)"
    QStringList problems;
    bool pastTheTable = false;
    QString stepName;  // "Change Armor of 2 units", or "Paste 4 values" across columns
};
PastedCells readPastedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                            const QModelIndex& start, const QString& text);

}  // namespace tarnwick::ui
