#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bytes/InputLimit.h"
#include "core/exchange/TableSchema.h"

namespace tarnwick::exchange {

// One value of a changes file as it was written, before it is checked.
struct WrittenValue {
    Table table;
    std::string row;        // the row's key as written: a number, or a unit's name
    std::string field;      // a column's name
    std::string value;      // a whole number as written
    std::string origin;     // where it stands: "line 4, hitPoints" or "units[2].hitPoints"
    std::string name = {};  // the row's "name" as written, a check of its key; empty when none
};

// A changes file has no fixed size, but one that sets every value of the three tables, each on
// a line of its own with room to spare, stays far below this.
inline constexpr bytes::InputLimit kLargestChangesFile{16 * 1024 * 1024, "changes file"};
// The name of the table-wide word that makes the game use its own table: a field of no row.
inline constexpr std::string_view kUseDefault = "useDefault";

// The values a changes file writes, read as JSON when its name ends in ".json" or its first
// character is "{" or "[", as CSV otherwise; a UTF-16 file is refused as such. Throws
// tarnwick::Error naming the line or the path.
std::vector<WrittenValue> readChanges(std::span<const std::uint8_t> file, std::string_view name);

// CSV, its columns separated by "," or ";", whichever the header line has first: the header's
// first column is the key of one table ("unit", "upgrade" or "player"), the
// others its fields, each named once; "name" is a check of the row's key, and an empty cell keeps
// the value.
std::vector<WrittenValue> csvChanges(std::string_view text);

// JSON, whose top level must be an object: {"units": [{"unit": 3, "hitPoints": 120}, ...],
// "upgrades": [...], "restrictions":
// [...], "useDefault": {"units": 1, "upgrades": 0}}, each row an object with its key (a unit's
// may be its name) and only the fields to change, no key named twice anywhere; "name" is a check
// of the row's key. A number with an exponent is taken when it is whole ("1E2").
std::vector<WrittenValue> jsonChanges(std::string_view text);

}  // namespace tarnwick::exchange
