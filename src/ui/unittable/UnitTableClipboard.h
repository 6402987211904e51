#pragma once

#include <vector>

#include <QModelIndexList>
#include <QString>
#include <QStringList>

#include "ui/unittable/UnitTableFilter.h"
#include "ui/unittable/UnitTableModel.h"

namespace tarnwick::ui {

// The selected cells as tab-separated text for a spreadsheet: a header line of field names
// ("name" for the names), then one line per selected row as shown, each ending in a line break.
QString copiedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                    const QModelIndexList& selected);

// Tab-separated text (with or without such a header) read as values for the cells from `start`
// on, every value checked as typing it would be. Cells of the name column are left alone.
struct PastedCells {
    std::vector<UnitTableModel::Assignment> assignments;
    QStringList problems;  // "Pikeman, Armor: 'abc' is not a valid integer value"
    bool pastTheTable = false;
    QString stepName;  // "Change Armor of 2 units", or "Paste 4 values" across columns
};
PastedCells readPastedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                            const QModelIndex& start, const QString& text);

}  // namespace tarnwick::ui
