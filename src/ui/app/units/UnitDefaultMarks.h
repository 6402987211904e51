#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QListWidget>

#include "core/model/UnitDataTable.h"
#include "ui/app/units/UnitControls.h"

namespace tarnwick::ui {

// Marks what differs from the game's default unit data: the captions of the shown unit's
// values on the "General" and "Flags" pages, and the units in the list.
class UnitDefaultMarks {
  public:
    UnitDefaultMarks(const UnitControls& controls, QListWidget& unitList);

    // `defaults` null: nothing is marked.
    void showUnit(const model::UnitDataTable& table, const model::UnitDataTable* defaults,
                  std::size_t unit);
    void showList(const model::UnitDataTable& table, const model::UnitDataTable* defaults);
    // No mark then means "cannot tell", not "unchanged": the list says so.
    void showDefaultsMissing(bool missing);

    // A value of the pages: its caption, its control, the words for its default value (none
    // when the value is the default) and how it is put back to the default.
    struct Caption {
        QWidget* widget;
        QWidget* control;
        std::function<std::optional<QString>(const model::UnitDataTable& table,
                                             const model::UnitDataTable& defaults,
                                             std::size_t unit)>
            defaultText;
        std::function<void(model::UnitDataTable& table, const model::UnitDataTable& defaults,
                           std::size_t unit)>
            revert;
    };
    const std::vector<Caption>& captions() const { return captions_; }

  private:
    std::vector<Caption> captions_;
    QListWidget& unitList_;
};

}  // namespace tarnwick::ui
