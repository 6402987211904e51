#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/model/UnitDataTable.h"
#include "core/model/UpgradeTable.h"

namespace tarnwick::model {

// The game keeps its default tables in "MAINDAT.WAR" in the stand-alone form, without the
// useDefault word: entry 0 the unit table, 472 the same followed by the swamp array, 1 the
// upgrade table.
inline constexpr int kDefaultUnitTableEntry = 0;
inline constexpr int kDefaultUnitTableWithSwampEntry = 472;
inline constexpr int kDefaultUpgradeTableEntry = 1;

// The table an entry holds; none when the entry is too short to be one.
std::optional<UnitDataTable> unitTableFromEntry(std::span<const std::uint8_t> entry);
std::optional<UpgradeTable> upgradeTableFromEntry(std::span<const std::uint8_t> entry);

// Whether one element (all its parts) of `field` differs between two records.
bool elementDiffers(std::span<const std::uint8_t> record, std::span<const std::uint8_t> defaults,
                    const FieldDescriptor& field, std::size_t index);

// Whether any value of `unit` (0 to 109) differs, in every array that has an element for it.
bool unitDiffers(const UnitDataTable& table, const UnitDataTable& defaults, std::size_t unit);
// Puts every value of `unit` back to the defaults' (the same arrays as unitDiffers compares).
void revertUnit(UnitDataTable& table, const UnitDataTable& defaults, std::size_t unit);

}  // namespace tarnwick::model
