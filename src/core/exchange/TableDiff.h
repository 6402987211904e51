#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/exchange/TableSchema.h"

namespace tarnwick::exchange {

// Whether one side of a comparison has a table: never (an upgrade file has no units), not this
// time (a scenario without restrictions), or with its values.
enum class Holding { Never, Lacking, Held };

// One side of a comparison: a document and what of it counts.
struct ComparedTables {
    const model::Document* document;
    std::array<Holding, std::size(kTables)> tables;  // by Table
    bool useDefaultWords;                            // scenarios carry both words
};

// What a file of the document's kind and flags holds.
ComparedTables comparedTablesOf(const model::Document& document);
// The game's own tables `defaults` set against a document: its units and upgrades, and its
// restrictions only when the document has them (a scenario without them is compared with none);
// no useDefault words. Compared from the defaults to the document, the differences are the
// document's mod.
ComparedTables defaultsComparedWith(const model::Document& defaults,
                                    const ComparedTables& document);

struct Difference {
    Table table;
    std::optional<std::size_t> row;  // none for the table-wide useDefault word
    std::string field;
    std::optional<std::int64_t> before;  // none where that side lacks the number
    std::optional<std::int64_t> after;
};

// Every number that differs, as the user sees it, table by table, row by row, in column order.
// A table is compared when both sides may hold it and one does. Throws tarnwick::Error when
// the sides have no table in common.
std::vector<Difference> differences(const ComparedTables& before, const ComparedTables& after);

using RowNamer = std::function<std::string(Table table, std::size_t row)>;

// One line per difference: "unit 3 NAME hitPoints 60 120"; "-" stands for an unknown name, a
// missing number and the row of a useDefault word, and names have their blanks as "_".
std::string differencesText(const std::vector<Difference>& found, const RowNamer& nameOf);
// A JSON array of {"unit": 3, "name": ..., "field": ..., "old": 60, "new": 120}, one a line,
// null where the text has "-".
std::string differencesJson(const std::vector<Difference>& found, const RowNamer& nameOf);

}  // namespace tarnwick::exchange
