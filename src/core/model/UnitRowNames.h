#pragma once

#include <cstddef>
#include <string>

#include "core/model/UnitDataTable.h"

namespace tarnwick::model {

inline constexpr std::size_t kFirstNamedByGameRow = 0;
inline constexpr std::size_t kLastNamedByGameRow = 104;
inline constexpr std::size_t kFirstGroupRow =
    kUnitCount;  // rows 110 to 126: "Group 1" to "Group 17"

// The names of the rows the game's string table does not name; empty for rows 0 to 104.
inline std::string fixedUnitRowName(std::size_t row) {
    static constexpr const char* kSiteRows[] = {"-Corpse-", "-Destroyed site 1-",
                                                "-Destroyed site 2-", "-Destroyed site 3-",
                                                "-Destroyed site 4-"};
    if (row <= kLastNamedByGameRow || row >= kGraphicsRowCount) {
        return {};
    }
    if (row < kFirstGroupRow) {
        return kSiteRows[row - kLastNamedByGameRow - 1];
    }
    return "Group " + std::to_string(row - kFirstGroupRow + 1);
}

// What a row is called until the game's string table names it: "Unit 0" to "Unit 104", then
// the fixed names.
inline std::string fallbackUnitRowName(std::size_t row) {
    if (row <= kLastNamedByGameRow) {
        return "Unit " + std::to_string(row);
    }
    return fixedUnitRowName(row);
}

}  // namespace tarnwick::model
