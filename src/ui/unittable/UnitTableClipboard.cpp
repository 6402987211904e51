#include "ui/unittable/UnitTableClipboard.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "core/model/TypedNumber.h"

namespace tarnwick::ui {

namespace {

const QString kIdKey = "id";
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

// The model column of a field name; 0 for the names, none for a name no column has.
std::optional<int> columnNamed(const UnitTableModel& units, const QString& name) {
    if (name == kNameKey) {
        return 0;
    }
    for (int column = 1; column < units.columnCount(); ++column) {
        if (units.columnAt(column)->key == name) {
            return column;
        }
    }
    return std::nullopt;
}

// A line is a header when it names a column: values never read as a field's name.
bool isHeaderLine(const UnitTableModel& units, const QString& line) {
    const QStringList names = line.split('\t');
    return std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return name == kIdKey || columnNamed(units, name).has_value();
    });
}

// The model column each cell of a line goes to (the names' 0 and the ids' -1 take nothing), which
// cell holds the unit's id (-1: none, the lines go down the rows as shown).
struct Layout {
    std::vector<int> columns;
    int idCell = -1;
};

class Paste {
  public:
    Paste(const UnitTableModel& units, const UnitTableFilter& shown)
        : units_(units), shown_(shown) {}

    PastedCells read(const QModelIndex& start, QStringList lines) {
        Layout layout;
        if (!lines.isEmpty() && isHeaderLine(units_, lines.constFirst())) {
            if (!readHeader(lines.takeFirst(), layout)) {
                return std::move(pasted_);
            }
        } else {
            qsizetype width = 0;
            for (const QString& line : lines) {
                width = std::max(width, line.count('\t') + 1);
            }
            if (start.column() + width > shown_.columnCount()) {
                pasted_.pastTheTable = true;
                return std::move(pasted_);
            }
            for (int cell = 0; cell < width; ++cell) {
                layout.columns.push_back(start.column() + cell);
            }
        }
        for (int line = 0; line < lines.size(); ++line) {
            if (!readLine(lines[line].split('\t'), layout, start.row() + line)) {
                return std::move(pasted_);
            }
        }
        nameStep();
        return std::move(pasted_);
    }

  private:
    bool readHeader(const QString& line, Layout& layout) {
        const QStringList names = line.split('\t');
        for (int cell = 0; cell < names.size(); ++cell) {
            const auto column = columnNamed(units_, names[cell]);
            if (names[cell] == kIdKey) {
                layout.idCell = cell;
                layout.columns.push_back(-1);
            } else if (!column) {
                pasted_.problems << QString("the table has no column \"%1\"").arg(names[cell]);
            } else {
                layout.columns.push_back(*column);
            }
        }
        return pasted_.problems.isEmpty();
    }

    // The unit a line goes to, or none after noting why it goes nowhere.
    std::optional<std::size_t> unitOf(const QStringList& cells, const Layout& layout, int row) {
        if (layout.idCell < 0) {
            if (row >= shown_.rowCount()) {
                pasted_.pastTheTable = true;
                return std::nullopt;
            }
            return shown_.unitAt(row);
        }
        const QString id = layout.idCell < cells.size() ? cells[layout.idCell] : QString();
        try {
            const std::int64_t unit = model::parseWrittenInteger(id.toStdString());
            if (unit >= 0 && shownUnits().contains(static_cast<std::size_t>(unit))) {
                return static_cast<std::size_t>(unit);
            }
            pasted_.problems << QString("unit %1 is not among the units shown").arg(unit);
        } catch (const std::exception& refusal) {
            pasted_.problems << QString("id: %1").arg(refusal.what());
        }
        return std::nullopt;
    }

    bool readLine(const QStringList& cells, const Layout& layout, int row) {
        const std::optional<std::size_t> unit = unitOf(cells, layout, row);
        if (pasted_.pastTheTable) {
            return false;
        }
        if (!unit) {
            return true;
        }
        for (int cell = 0; cell < cells.size() && cell < int(layout.columns.size()); ++cell) {
            const int column = layout.columns[static_cast<std::size_t>(cell)];
            const UnitTableColumn* value = units_.columnAt(column);
            if (value == nullptr || *unit >= value->unitCount) {
                continue;  // names are the game's; a unit the field has no element for
            }
            try {
                pasted_.assignments.push_back({*unit, column, value->parse(cells[cell], true)});
                columns_.insert(column);
                changedUnits_.insert(*unit);
            } catch (const model::ValueDoesNotFit& refusal) {
                // The refusal names the column already.
                pasted_.problems << QString("%1: %2").arg(units_.unitName(*unit), refusal.what());
            } catch (const std::exception& refusal) {
                pasted_.problems << QString("%1, %2: %3")
                                        .arg(units_.unitName(*unit), value->header, refusal.what());
            }
        }
        return true;
    }

    const std::set<std::size_t>& shownUnits() {
        if (shownUnits_.empty()) {
            for (int row = 0; row < shown_.rowCount(); ++row) {
                shownUnits_.insert(shown_.unitAt(row));
            }
        }
        return shownUnits_;
    }

    void nameStep() {
        if (columns_.size() == 1) {
            pasted_.stepName = units_.stepName(
                *columns_.begin(),
                std::vector<std::size_t>(changedUnits_.begin(), changedUnits_.end()));
        } else {
            pasted_.stepName = QString("Paste %1 values").arg(pasted_.assignments.size());
        }
    }

    const UnitTableModel& units_;
    const UnitTableFilter& shown_;
    PastedCells pasted_;
    std::set<int> columns_;
    std::set<std::size_t> changedUnits_;
    std::set<std::size_t> shownUnits_;
};

}  // namespace

QString copiedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                    const QModelIndexList& selected) {
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : selected) {
        rows.insert(index.row());
        if (index.column() > 0) {  // the names come with every row
            columns.insert(index.column());
        }
    }
    if (rows.empty()) {
        return {};
    }
    QStringList header = {kIdKey, kNameKey};
    for (const int column : columns) {
        header << units.columnAt(column)->key;
    }
    QString text = header.join('\t') + '\n';
    for (const int row : rows) {
        const std::size_t unit = shown.unitAt(row);
        QStringList cells = {QString::number(unit), units.unitName(unit)};
        for (const int column : columns) {
            cells << units.columnAt(column)->text(units.value(unit, column));
        }
        text += cells.join('\t') + '\n';
    }
    return text;
}

PastedCells readPastedCells(const UnitTableModel& units, const UnitTableFilter& shown,
                            const QModelIndex& start, const QString& text) {
    return Paste(units, shown).read(start, linesOf(text));
}

}  // namespace tarnwick::ui
