#pragma once

#include <cstddef>
#include <optional>

#include <QListWidget>

#include "core/model/UnitDataTable.h"

namespace tarnwick::ui {

// The unit row selected in the unit list, when it is one of units 0 to 109: the "Group" rows
// below them have no per-unit values.
inline std::optional<std::size_t> selectedUnit(const QListWidget& unitList) {
    const int row = unitList.currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= model::kUnitCount) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

}  // namespace tarnwick::ui
