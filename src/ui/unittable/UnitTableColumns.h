#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/UnitDataTable.h"

namespace tarnwick::ui {

// A column of the unit table: a value of the "General" page or a check box of the "Flags"
// page, read and kept by the same rules as the page's control.
struct UnitTableColumn {
    enum class Kind { Number, List, Check };

    Kind kind;
    QString header;       // the page's label: "Hit Points"
    QString toolTip;      // the tool's field name, or the check box's caption
    QString key;          // the column's name in copied text: "hitPoints", "flags.14"
    QString stepName;     // as the page names its steps: "Change Hit Points of Pikeman"
    QStringList choices;  // a list's entries
    // Numbers as shown (costs in gold), list positions (-1: none), 0 or 1 for a check box.
    std::function<std::int64_t(const model::UnitDataTable& table, std::size_t unit)> value;
    std::function<void(model::UnitDataTable& table, std::size_t unit, std::int64_t value)> store;
    // The values the column takes, as shown; a number column's come from its field, whose
    // range rule refuses a value (see check).
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    const model::FieldDescriptor* field = nullptr;
    // The units the field has an element for: the right-click action stops at unit 57.
    std::size_t unitCount = model::kUnitCount;
    // A list's stored number less the first entry's, as the page's marks word a value past the
    // entries; empty for the other kinds, whose shown value is what they compare and word.
    std::function<std::int64_t(const model::UnitDataTable& table, std::size_t unit)> storedNumber =
        {};

    // What tells two units' values apart: a list's stored number, else the shown value.
    std::int64_t comparable(const model::UnitDataTable& table, std::size_t unit) const;

    // The value as the table shows it and as it is copied: "Land", "1".
    QString text(std::int64_t value) const;
    // What a changed value is rounded to: 10 for a cost shown in gold and kept in tens.
    std::int64_t step() const { return field != nullptr ? field->scale : 1; }
    // Throws model::ValueDoesNotFit, "300 does not fit Armor (0 to 255)", for a value the
    // column cannot hold, by the same rule as the page.
    void check(std::int64_t number) const;
    // A typed or pasted text as the value to store, checked; throws the page's message for a
    // number. `written` also takes a whole number as a spreadsheet writes it ("255.0").
    std::int64_t parse(const QString& text, bool written = false) const;
};

// The name column comes first in the table; these are the ones after it, in page order.
const std::vector<UnitTableColumn>& unitTableColumns();

}  // namespace tarnwick::ui
