#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/exchange/Changes.h"

namespace tarnwick::tool {

// The values a changes file writes, JSON or CSV told apart by its first character ("{" is
// JSON). JSON is {"units": [{"unit": 3, "hitPoints": 120}, ...], "upgrades": [...],
// "restrictions": [...]}, each row an object with its key and only the fields to change;
// "name" is a label and is ignored. Throws tarnwick::Error naming the line (a damaged file) or
// the path (a value that is no number, an unknown table).
std::vector<exchange::WrittenValue> readChanges(std::span<const std::uint8_t> file);

}  // namespace tarnwick::tool
