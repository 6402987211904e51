#include "ui/unittable/UnitTableClipboard.h"

#include <algorithm>
#include <set>

namespace tarnwick::ui {

namespace {

const QString kNameKey = "name";

// The lines of the text without line ends, without the empty ones at its end.
QStringList linesOf(const QString& text) {
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool isHeaderLine(const UnitTableModel& units, const QString& line) {
    const QStringList names = line.split('\t');
    return std::all_of(names.begin(), names.end(), [&](const QString& name) {
        if (name == kNameKey) {
            return true;
        }
        for (int column = 1; column < units.columnCount(); ++column) {
            if (units.columnAt(column)->key == name) {
                return true;
            }
        }
        return false;
    });
}

}  // namespace

QString copiedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                    const QModelIndexList& selected) {
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : selected) {
        rows.insert(index.row());
        columns.insert(index.column());
    }
    if (rows.empty()) {
        return {};
    }
    QStringList header;
    for (const int column : columns) {
        const UnitTableColumn* value = units.columnAt(column);
        header << (value != nullptr ? value->key : kNameKey);
    }
    QString text = header.join('\t') + '\n';
    for (const int row : rows) {
        const std::size_t unit = shown.unitAt(row);
        QStringList cells;
        for (const int column : columns) {
            const UnitTableColumn* value = units.columnAt(column);
            cells << (value != nullptr ? value->text(units.value(unit, column))
                                       : units.unitName(unit));
        }
        text += cells.join('\t') + '\n';
    }
    return text;
}

PastedCells readPastedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                            const QModelIndex& start, const QString& text) {
    QStringList lines = linesOf(text);
    if (!lines.isEmpty() && isHeaderLine(units, lines.constFirst())) {
        lines.removeFirst();
    }
    PastedCells pasted;
    std::set<int> columns;
    std::set<std::size_t> unitsChanged;
    for (int line = 0; line < lines.size(); ++line) {
        const QStringList cells = lines[line].split('\t');
        const int row = start.row() + line;
        for (int cell = 0; cell < cells.size(); ++cell) {
            const int column = start.column() + cell;
            if (row >= shown.rowCount() || column >= shown.columnCount()) {
                pasted.pastTheTable = true;
                return pasted;
            }
            const UnitTableColumn* value = units.columnAt(column);
            if (value == nullptr) {
                continue;  // names are the game's, not the document's
            }
            const std::size_t unit = shown.unitAt(row);
            try {
                pasted.assignments.push_back({unit, column, value->parse(cells[cell])});
                columns.insert(column);
                unitsChanged.insert(unit);
            } catch (const std::exception& refusal) {
                pasted.problems << QString("%1, %2: %3")
                                       .arg(units.unitName(unit), value->header, refusal.what());
            }
        }
    }
    if (columns.size() == 1) {
        pasted.stepName = units.stepName(
            *columns.begin(), std::vector<std::size_t>(unitsChanged.begin(), unitsChanged.end()));
    } else {
        pasted.stepName = QString("Paste %1 values").arg(pasted.assignments.size());
    }
    return pasted;
}

}  // namespace tarnwick::ui
