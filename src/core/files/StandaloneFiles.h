#pragma once

#include <cstdint>
#include <span>
#include <tuple>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::files {

// Stand-alone unit data: the table without its useDefault word (5694 bytes), then the swamp
// array when the document has one (5948 in all).
inline constexpr std::size_t kUnitDataFileSize = model::UnitDataTable::kWithoutUseDefault;
inline constexpr std::size_t kUnitDataFileWithSwampSize =
    kUnitDataFileSize + std::tuple_size_v<model::SwampGraphics>;
// Stand-alone upgrade data: the table without its useDefault word.
inline constexpr std::size_t kUpgradeFileSize = model::UpgradeTable::kWithoutUseDefault;

// Fills the unit table from its offset 2 and the swamp array when all 254 bytes follow; the
// useDefault word is kept. Throws "Error Reading Data. #3" for a file that is too short.
void readUnitDataFile(model::Document& document, std::span<const std::uint8_t> file);
// Fills the upgrade table from its offset 2; the useDefault word is kept.
void readUpgradeFile(model::Document& document, std::span<const std::uint8_t> file);

std::vector<std::uint8_t> writeUnitDataFile(const model::Document& document);
std::vector<std::uint8_t> writeUpgradeFile(const model::Document& document);

}  // namespace tarnwick::files
