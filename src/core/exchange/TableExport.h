#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/exchange/TableSchema.h"

namespace tarnwick::exchange {

// `text` as a JSON string, in quotes.
std::string jsonString(std::string_view text);

// One table of the document in a form, every row the table has. `names` has one entry per row
// (empty when unknown) and is printed as given. The document must hold the table.
//
// Every form gives a number as the user sees it (costs in gold), as apply reads it back.
//
// Text: one line per listed row, "KEY name=NAME field=value ...".
std::string tableText(const model::Document& document, Table table,
                      std::span<const std::string> names);
// JSON: {"units": [{"unit": 0, "name": ..., "field": value, ...}, ...]}, one row a line.
std::string tableJson(const model::Document& document, Table table,
                      std::span<const std::string> names);
// CSV: a header line of column names, then one line per row; a row's cell is empty where the
// row has no such number (the graphics rows 110 to 126 have only graphics entries).
std::string tableCsv(const model::Document& document, Table table,
                     std::span<const std::string> names);

}  // namespace tarnwick::exchange
