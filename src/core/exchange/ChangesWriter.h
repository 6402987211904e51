#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/exchange/Changes.h"
#include "core/exchange/TableDiff.h"

namespace tarnwick::exchange {

// The changes file, in JSON as jsonChanges reads it, that gives each difference its new value:
// applied to the old side, it makes every compared table the new side's. A unit or upgrade row
// carries its name from `nameOf` (left out when empty), units' as the check apply makes. Throws
// tarnwick::Error for a number the new side lacks: a changes file cannot take a table away.
std::string changesJson(const std::vector<Difference>& found, const RowNamer& nameOf);

// The differences as changes to store, each its new value; throws as changesJson does.
std::vector<Change> changesOf(const std::vector<Difference>& found);
// Checked changes as differences from an unknown old value.
std::vector<Difference> differencesOf(std::span<const Change> changes);

}  // namespace tarnwick::exchange
