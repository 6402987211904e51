#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QAbstractTableModel>
#include <QBrush>

#include "core/model/Document.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"
#include "ui/unittable/UnitTableColumns.h"

namespace tarnwick::ui {

// Units 0 to 109 as rows, their name first and then every value of the unit pages, read from
// the document each time they are shown; a change goes into the document as one history step.
class UnitTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    using UnitName = std::function<QString(std::size_t unit)>;
    // What the rows sort by: numbers as numbers, texts as texts.
    static constexpr int kSortRole = Qt::UserRole;
    // A list cell's entries, for its editor.
    static constexpr int kChoicesRole = Qt::UserRole + 1;

    // One value to store: a unit (a row) and a column after the name.
    struct Assignment {
        std::size_t unit;
        int column;
        std::int64_t value;
    };

    UnitTableModel(model::Document& document, DocumentHistory& history, Prompts& prompts,
                   UnitName unitName, QObject* parent = nullptr);

    // The table the marks compare with: the game's defaults, or with `fileName` the unit data
    // of that file, marked in a colour of its own. Null marks nothing.
    void compareWith(const model::UnitDataTable* reference, const QString& fileName = {});
    // The values and the units that differ from that table.
    int differingValues() const;
    int differingUnits() const;
    // Shows the document as it now is: tells the views of the cells whose value or mark changed
    // since the last time, and of no other, so that a view re-sorts and re-filters only for a
    // change that can move a row, and a screen reader's cells stay as they are.
    void refresh();

    // The value column of a model column; null for the name column.
    const UnitTableColumn* columnAt(int column) const;
    QString unitName(std::size_t unit) const { return unitName_(unit); }
    // A value column's value for `unit`, as its column holds it.
    std::int64_t value(std::size_t unit, int column) const {
        return columnAt(column)->value(document_.unitData, unit);
    }
    // Whether the unit's value of the column, or any value of the row, differs from the
    // compared table (a list by its stored number, as the page's marks compare).
    bool differs(const UnitTableColumn& column, std::size_t unit) const;
    bool rowDiffers(int row) const;

    // Stores the values as the step `stepName`; the views and the pages follow.
    void assign(const std::vector<Assignment>& assignments, const QString& stepName);
    // "Change Hit Points of Pikeman", or "Change Hit Points of 12 units" for several.
    QString stepName(int column, const std::vector<std::size_t>& units) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed text is checked as the page checks it; a refusal shows the page's message.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    // The table changed the document: the unit pages show it again.
    void documentChanged();

  private:
    // What the table last showed: the values, the table the marks compared with, its file
    // and the names.
    struct Shown {
        model::UnitDataTable units;
        std::optional<model::UnitDataTable> reference;
        QString referenceFile;
        QStringList names;
    };

    QBrush markBrush() const;
    QVariant valueData(const UnitTableColumn& column, std::size_t unit, int role) const;

    model::Document& document_;
    // Null once the history is gone: an editor still open while the windows close stores nothing.
    DocumentHistory* history_;
    Prompts& prompts_;
    UnitName unitName_;
    const model::UnitDataTable* reference_ = nullptr;
    QString referenceFile_;
    Shown shown_;
};

}  // namespace tarnwick::ui
