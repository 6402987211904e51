#include "core/exchange/TableDiff.h"

#include <algorithm>

#include "core/exchange/TableExport.h"

namespace tarnwick::exchange {

namespace {

Holding holdingOf(const model::Document& document, Table table) {
    if (holdsTable(document, table)) {
        return Holding::Held;
    }
    const bool scenario = document.kind == model::DocumentKind::Scenario;
    return scenario && table == Table::Restrictions ? Holding::Lacking : Holding::Never;
}

std::optional<std::int64_t> valueOn(const ComparedTables& side, Table table, const Column& column,
                                    std::size_t row) {
    const auto index = static_cast<std::size_t>(table);
    const bool swampLacking = column.inSwampArray && !side.document->hasExpansionGfx;
    if (side.tables[index] != Holding::Held || swampLacking) {
        return std::nullopt;
    }
    return shownValue(*side.document, table, column, row);
}

std::optional<std::int64_t> wordOf(const model::Document& document, Table table) {
    const model::FieldDescriptor* word = useDefaultWordOf(table);
    return table == Table::Units ? document.unitData.get(*word, 0)
                                 : document.upgrades.get(*word, 0);
}

void compareTable(const ComparedTables& before, const ComparedTables& after, Table table,
                  std::vector<Difference>& found) {
    const TableSchema& schema = schemaOf(table);
    if (before.useDefaultWords && after.useDefaultWords && useDefaultWordOf(table) != nullptr) {
        const auto old = wordOf(*before.document, table);
        const auto now = wordOf(*after.document, table);
        if (old != now) {
            found.push_back({table, std::nullopt, "useDefault", old, now});
        }
    }
    for (std::size_t row = 0; row < schema.rowCount; ++row) {
        for (const Column& column : schema.columns) {
            if (!column.covers(row)) {
                continue;
            }
            const auto old = valueOn(before, table, column, row);
            const auto now = valueOn(after, table, column, row);
            if (old != now) {
                found.push_back({table, row, column.name, old, now});
            }
        }
    }
}

std::string orDash(const std::optional<std::int64_t>& value) {
    return value ? std::to_string(*value) : "-";
}

std::string orNull(const std::optional<std::int64_t>& value) {
    return value ? std::to_string(*value) : "null";
}

}  // namespace

ComparedTables comparedTablesOf(const model::Document& document) {
    ComparedTables side{&document, {}, document.kind == model::DocumentKind::Scenario};
    for (const Table table : kTables) {
        side.tables[static_cast<std::size_t>(table)] = holdingOf(document, table);
    }
    return side;
}

ComparedTables defaultsComparedWith(const model::Document& defaults,
                                    const ComparedTables& document) {
    const bool hasRestrictions =
        document.tables[static_cast<std::size_t>(Table::Restrictions)] == Holding::Held;
    return {&defaults,
            {Holding::Held, Holding::Held, hasRestrictions ? Holding::Held : Holding::Lacking},
            false};
}

std::vector<Difference> differences(const ComparedTables& before, const ComparedTables& after) {
    std::vector<Difference> found;
    bool anyInCommon = false;
    for (const Table table : kTables) {
        const auto index = static_cast<std::size_t>(table);
        const Holding old = before.tables[index];
        const Holding now = after.tables[index];
        if (old == Holding::Never || now == Holding::Never) {
            continue;
        }
        anyInCommon = true;
        if (old == Holding::Held || now == Holding::Held) {
            compareTable(before, after, table, found);
        }
    }
    if (!anyInCommon) {
        throw Error("The files hold no table in common");
    }
    return found;
}

std::string differencesText(const std::vector<Difference>& found, const RowNamer& nameOf) {
    std::string out;
    for (const Difference& difference : found) {
        std::string name = difference.row ? nameOf(difference.table, *difference.row) : "";
        std::replace(name.begin(), name.end(), ' ', '_');
        const TableSchema& schema = schemaOf(difference.table);
        out += std::string(schema.key) + ' ' +
               (difference.row ? std::to_string(schema.keyOf(*difference.row)) : "-") + ' ' +
               (name.empty() ? "-" : name) + ' ' + difference.field + ' ' +
               orDash(difference.before) + ' ' + orDash(difference.after) + '\n';
    }
    return out;
}

std::string differencesJson(const std::vector<Difference>& found, const RowNamer& nameOf) {
    std::string out = "[";
    for (const Difference& difference : found) {
        const TableSchema& schema = schemaOf(difference.table);
        const std::string name = difference.row ? nameOf(difference.table, *difference.row) : "";
        out += out.size() == 1 ? "\n  {" : ",\n  {";
        out += jsonString(schema.key) + ": " +
               (difference.row ? std::to_string(schema.keyOf(*difference.row)) : "null") +
               ", \"name\": " + (name.empty() ? "null" : jsonString(name)) +
               ", \"field\": " + jsonString(difference.field) +
               ", \"old\": " + orNull(difference.before) +
               ", \"new\": " + orNull(difference.after) + '}';
    }
    return out + (found.empty() ? "]\n" : "\n]\n");
}

}  // namespace tarnwick::exchange
