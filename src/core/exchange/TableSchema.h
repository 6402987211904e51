#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Document.h"

namespace tarnwick::exchange {

enum class Table { Units, Upgrades, Restrictions };
inline constexpr Table kTables[] = {Table::Units, Table::Upgrades, Table::Restrictions};

// One number of a row: a field of a table record, or the width or height of a two-part field.
struct Column {
    Column(const model::FieldDescriptor& descriptor, std::size_t elementPart, bool swamp = false);

    const model::FieldDescriptor* field;
    std::size_t part;
    bool inSwampArray;  // gfxSwamp lies beside the unit record, not in it
    // "hitPoints", or "boxSize.width" / "boxSize.height".
    std::string name;

    bool covers(std::size_t row) const { return row < field->count; }
    // The values as the user sees them (costs in gold, not in tens).
    std::int64_t minimum() const { return field->minimumShown(); }
    std::int64_t maximum() const { return field->maximumShown(); }
};

// A table as rows of numbers: units by id (0 to 126, the graphics rows included), upgrades by id
// (0 to 51), restrictions by player (1 to 16). The columns are the record's descriptors, in
// record order; the table-wide useDefault words are none of them.
struct TableSchema {
    Table table;
    std::string_view title;  // "units": the name of the table in a changes file
    std::string_view key;    // "unit": the name of the column that says which row
    std::string_view held;   // "unit data": what a file holds when it holds the table
    std::size_t rowCount;
    std::size_t firstKey;    // the key of row 0: players count from 1
    std::size_t listedRows;  // the rows the text listing shows: units 0 to 109
    std::vector<Column> columns;

    const Column* find(std::string_view name) const;
    std::size_t keyOf(std::size_t row) const { return row + firstKey; }
};

const TableSchema& schemaOf(Table table);

// Whether the document holds the table (restrictions only when the scenario has them), and
// the column (gfxSwamp only with the expansion array).
bool holdsTable(const model::Document& document, Table table);
bool holdsColumn(const model::Document& document, Table table, const Column& column);

// The number as stored, and as the user sees it (the field's shownValue: costs in gold).
std::uint32_t storedValue(const model::Document& document, Table table, const Column& column,
                          std::size_t row);
std::int64_t shownValue(const model::Document& document, Table table, const Column& column,
                        std::size_t row);
// Stores a value as the user sees it, by the field's storedValue: costs typed in gold are kept
// in tens, as the editor keeps them. Outside the column's range it is cut to the field's width.
void storeShownValue(model::Document& document, Table table, const Column& column, std::size_t row,
                     std::int64_t value);

// The table-wide word that makes the game use its own table; nullptr for restrictions.
const model::FieldDescriptor* useDefaultWordOf(Table table);

// "-Corpse-" for unit 105, "Sword 1" for upgrade 0: the names the project knows without the
// game's files; empty for the rest.
std::string knownRowName(Table table, std::size_t row);

}  // namespace tarnwick::exchange
