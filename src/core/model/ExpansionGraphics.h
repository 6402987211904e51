#pragma once

#include <cstdint>
#include <span>

#include "core/model/Document.h"

namespace tarnwick::model {

// The game's default unit data in "MAINDAT.WAR" ends with the default swamp array.
inline constexpr int kDefaultUnitDataEntry = 472;
inline constexpr std::size_t kDefaultSwampOffset = 5694;
inline constexpr std::size_t kDefaultUnitDataWithSwampSize = 5948;

// Takes the swamp array from the default unit data `entry` and makes it part of the document's
// "UDTA" (length 5950). An entry too short to hold it changes nothing and gives false.
bool addDefaultExpansionGraphics(Document& document, std::span<const std::uint8_t> entry);

// "UDTA" goes back to 5696 bytes; the array stays in memory.
void removeExpansionGraphics(Document& document);

}  // namespace tarnwick::model
