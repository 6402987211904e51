#include "core/exchange/ChangesWriter.h"

#include "core/exchange/TableExport.h"

namespace tarnwick::exchange {

namespace {

// "unit 3 hitPoints", "units useDefault": where a difference stands, for messages.
std::string placeOf(const Difference& difference) {
    const TableSchema& schema = schemaOf(difference.table);
    return difference.row
               ? std::string(schema.key) + ' ' + std::to_string(schema.keyOf(*difference.row)) +
                     ' ' + difference.field
               : std::string(schema.title) + ' ' + difference.field;
}

std::int64_t newValueOf(const Difference& difference) {
    if (!difference.after) {
        throw Error("the new file holds no " + std::string(schemaOf(difference.table).held) +
                    " for " + placeOf(difference) + ", and a changes file cannot take it away");
    }
    return *difference.after;
}

}  // namespace

std::string changesJson(const std::vector<Difference>& found, const RowNamer& nameOf) {
    std::string tables;
    std::string words;
    const Difference* rowBegun = nullptr;
    for (const Difference& difference : found) {
        const std::string value = std::to_string(newValueOf(difference));
        const TableSchema& schema = schemaOf(difference.table);
        if (!difference.row) {
            words += (words.empty() ? "" : ", ") + jsonString(schema.title) + ": " + value;
            continue;
        }
        const bool newTable = rowBegun == nullptr || rowBegun->table != difference.table;
        if (newTable || rowBegun->row != difference.row) {
            tables += rowBegun == nullptr ? "" : "}";
            tables += newTable ? std::string(rowBegun == nullptr ? "" : "\n  ],") + "\n  " +
                                     jsonString(schema.title) + ": [\n    {"
                               : ",\n    {";
            tables += jsonString(schema.key) + ": " + std::to_string(schema.keyOf(*difference.row));
            const std::string name = nameOf(difference.table, *difference.row);
            if (!name.empty()) {
                tables += ", \"name\": " + jsonString(name);
            }
            rowBegun = &difference;
        }
        tables += ", " + jsonString(difference.field) + ": " + value;
    }
    std::string out = "{";
    out += tables.empty() ? "" : tables + "}\n  ]";
    if (!words.empty()) {
        out += std::string(tables.empty() ? "" : ",") + "\n  " + jsonString(kUseDefault) + ": {" +
               words + "}";
    }
    return out + "\n}\n";
}

std::vector<Change> changesOf(const std::vector<Difference>& found) {
    std::vector<Change> changes;
    for (const Difference& difference : found) {
        const std::int64_t value = newValueOf(difference);
        const Column* column =
            difference.row ? schemaOf(difference.table).find(difference.field) : nullptr;
        if (difference.row && column == nullptr) {
            throw Error("no such field: " + placeOf(difference));
        }
        changes.push_back(
            {difference.table, difference.row.value_or(0), column, value, placeOf(difference)});
    }
    return changes;
}

std::vector<Difference> differencesOf(std::span<const Change> changes) {
    std::vector<Difference> found;
    for (const Change& change : changes) {
        found.push_back({change.table, change.column ? std::optional(change.row) : std::nullopt,
                         change.column ? change.column->name : std::string(kUseDefault),
                         std::nullopt, change.value});
    }
    return found;
}

}  // namespace tarnwick::exchange
