#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick::exchange {

// Names compare as the tool's arguments do: in any letter case, "_" standing for a blank.
std::string comparableUnitName(std::string name);

// The row a unit is called by: an id as written, or one of `names` (one per row, empty for a row
// without a name), compared as comparableUnitName does. Throws tarnwick::Error for a name that
// no row has (its message ended by `unknownHint`) or that several rows have.
std::int64_t findUnitRow(std::span<const std::string> names, const std::string& unit,
                         std::string_view unknownHint = {});

}  // namespace tarnwick::exchange
