#pragma once

#include <functional>

#include <QAction>
#include <QObject>

#include "core/model/Document.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"
#include "ui/unittable/UnitTableFilter.h"
#include "ui/unittable/UnitTableModel.h"
#include "ui/unittable/UnitTableView.h"

namespace tarnwick::ui {

// The Unit Table's way back to the game's values, in its right-click menu beside the table's
// own items: "Revert to Default (60)" for the current cell, "Revert Unit to Defaults" for its
// row, "Revert Selected to Defaults" for the selected cells. Each is one step; without the
// game's data they are disabled and say why.
class UnitTableReverts : public QObject {
    Q_OBJECT

  public:
    // `unitChanged` follows a whole unit put back, as the table's own changes are followed.
    UnitTableReverts(model::Document& document, Prompts& prompts, DocumentHistory& history,
                     DefaultTables& defaults, UnitTableModel& units, UnitTableFilter& filter,
                     UnitTableView& table, std::function<void()> unitChanged);

  private:
    // The items' words and states for the current cell and the selection, just before the menu.
    void refreshItems();
    void showMenu(const QPoint& position);
    void revertCell();
    void revertUnit();
    void revertSelected();
    const model::UnitDataTable* defaults() const;
    // Whether the unit's value of the column differs from the defaults'.
    bool differs(int column, std::size_t unit, const model::UnitDataTable& defaults) const;
    // The current cell's unit and value column; none on the name column or past the field.
    std::optional<std::pair<std::size_t, int>> currentCell() const;

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    DefaultTables& defaults_;
    UnitTableModel& units_;
    UnitTableFilter& filter_;
    UnitTableView& table_;
    std::function<void()> unitChanged_;
    QAction* revertCell_;
    QAction* revertUnit_;
    QAction* revertSelected_;
};

}  // namespace tarnwick::ui
