#pragma once

#include <ostream>
#include <string>

#include "core/exchange/TableSchema.h"
#include "tool/Command.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

inline const Option kFormatOption{
    "format", "FORMAT",
    "text (the default), json or csv: the file's rows and fields, costs in gold as the "
    "editor shows them (250, stored as 25), in the form apply reads",
    choiceValue({"text", "json", "csv"})};

// A row's name: as the editor shows it (units by the game's names from `names`), or as the
// text listings print it, with its blanks as "_".
std::string rowName(exchange::Table table, std::size_t row, const UnitNames& names);
std::string printedRowName(exchange::Table table, std::size_t row, const UnitNames& names);

// The table in the form --format asks for, with the names --game gives; the document holds
// the table.
void printTable(const model::Document& document, exchange::Table table,
                const Invocation& invocation, std::ostream& out);

// The document read from `path`, refused unless it holds the table.
model::Document openHolding(const std::string& path, exchange::Table table);

}  // namespace tarnwick::tool
