#pragma once

#include <functional>

#include <QObject>
#include <QPoint>

#include "core/model/Document.h"
#include "ui/app/units/UnitDefaultMarks.h"
#include "ui/app/units/UnitListPane.h"
#include "ui/defaults/DefaultTables.h"
#include "ui/history/DocumentHistory.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// Back to the game's values from the right-click menus: "Revert to Default (60)" on each value
// of the pages that differs from the game's default, "Revert Unit to Defaults" on a unit of the
// list. Each is one step; without the game's data they are disabled and say why.
class UnitRevertMenus : public QObject {
    Q_OBJECT

  public:
    // `showUnit` shows the pages again after a revert.
    UnitRevertMenus(model::Document& document, Prompts& prompts, DocumentHistory& history,
                    DefaultTables& defaults, const UnitDefaultMarks& marks, UnitListPane& listPane,
                    std::function<void()> showUnit, QObject* parent = nullptr);

  private:
    void showValueMenu(const UnitDefaultMarks::Caption& caption, const QPoint& position);
    void showUnitMenu(const QPoint& position);
    // Adds the item `text` (disabled with the reason when the defaults are missing or nothing
    // differs) that runs `change` as the step `text`.
    void addRevertItem(QMenu& menu, const QString& text, bool differs,
                       const std::function<void(model::UnitDataTable& table,
                                                const model::UnitDataTable& defaults)>& change);
    const model::UnitDataTable* defaults() const;

    model::Document& document_;
    Prompts& prompts_;
    DocumentHistory& history_;
    DefaultTables& defaults_;
    UnitListPane& listPane_;
    std::function<void()> showUnit_;
};

}  // namespace tarnwick::ui
