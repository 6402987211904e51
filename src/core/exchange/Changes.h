#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/exchange/ChangesFile.h"
#include "core/exchange/TableSchema.h"

namespace tarnwick::exchange {

// A value that fits its column, for a row that has the column; or a table's useDefault word.
struct Change {
    Table table;
    std::size_t row;
    const Column* column;  // nullptr for the useDefault word
    std::int64_t value;    // as the user sees it
    std::string origin;
};

// A unit's row from what a changes file calls it: an id, or a name where names are known.
using UnitLookup = std::function<std::int64_t(const std::string& unit)>;
// A unit row's name where the game's names are known, as the window shows it; empty otherwise.
using UnitNamer = std::function<std::string(std::size_t row)>;

// Checks every written value before any is used: the field, the row, the value against the
// column's range, that no value is given twice, and that a unit's written name is its known
// name (in any letter case, "_" for a blank). Throws one tarnwick::Error that lists the
// problems, one a line, each with its origin: the first 20, then how many more.
std::vector<Change> checkChanges(const std::vector<WrittenValue>& values,
                                 const UnitLookup& findUnit, const UnitNamer& knownName = {});

// A changes file read and checked as checkChanges checks it: units found by id or among `names`
// (one per row, as findUnitRow finds them, `unknownHint` ending the message of a name no row
// has), and a unit's written name checked against `names` when they are the game's.
std::vector<Change> readCheckedChanges(std::span<const std::uint8_t> file, std::string_view name,
                                       std::span<const std::string> names, bool gameNames,
                                       std::string_view unknownHint = {});

// Stores checked changes into a document. Throws tarnwick::Error when the document lacks a
// table (or the swamp graphics, or as no scenario the useDefault words) they change, before it
// changes anything; `file` names the document in that message.
void applyChanges(model::Document& document, std::span<const Change> changes,
                  const std::string& file);

}  // namespace tarnwick::exchange
