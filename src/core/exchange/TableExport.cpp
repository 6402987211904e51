#include "core/exchange/TableExport.h"

#include <cstdio>

#include "core/exchange/Csv.h"

namespace tarnwick::exchange {

namespace {

// Units and upgrades have names; player slots none.
bool hasNames(Table table) {
    return table != Table::Restrictions;
}

std::string nameOf(std::span<const std::string> names, std::size_t row) {
    return row < names.size() ? names[row] : std::string();
}

}  // namespace

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string tableText(const model::Document& document, Table table,
                      std::span<const std::string> names) {
    const TableSchema& schema = schemaOf(table);
    std::string out;
    for (std::size_t row = 0; row < schema.listedRows; ++row) {
        out += std::to_string(schema.keyOf(row));
        if (hasNames(table)) {
            out += " name=" + nameOf(names, row);
        }
        for (const Column& column : schema.columns) {
            if (column.covers(row) && !column.inSwampArray) {
                out += ' ' + column.name + '=' +
                       std::to_string(shownValue(document, table, column, row));
            }
        }
        out += '\n';
    }
    return out;
}

std::string tableJson(const model::Document& document, Table table,
                      std::span<const std::string> names) {
    const TableSchema& schema = schemaOf(table);
    std::string out = "{\n  " + jsonString(schema.title) + ": [";
    for (std::size_t row = 0; row < schema.rowCount; ++row) {
        out += row == 0 ? "\n    {" : ",\n    {";
        out += jsonString(schema.key) + ": " + std::to_string(schema.keyOf(row));
        if (hasNames(table)) {
            out += ", \"name\": " + jsonString(nameOf(names, row));
        }
        for (const Column& column : schema.columns) {
            if (column.covers(row) && holdsColumn(document, table, column)) {
                out += ", " + jsonString(column.name) + ": " +
                       std::to_string(shownValue(document, table, column, row));
            }
        }
        out += '}';
    }
    return out + "\n  ]\n}\n";
}

std::string tableCsv(const model::Document& document, Table table,
                     std::span<const std::string> names) {
    const TableSchema& schema = schemaOf(table);
    std::vector<const Column*> columns;
    std::string out(schema.key);
    if (hasNames(table)) {
        out += ",name";
    }
    for (const Column& column : schema.columns) {
        if (holdsColumn(document, table, column)) {
            columns.push_back(&column);
            out += ',' + column.name;
        }
    }
    out += '\n';
    for (std::size_t row = 0; row < schema.rowCount; ++row) {
        out += std::to_string(schema.keyOf(row));
        if (hasNames(table)) {
            out += ',' + csvField(nameOf(names, row));
        }
        for (const Column* column : columns) {
            out += ',';
            if (column->covers(row)) {
                out += std::to_string(shownValue(document, table, *column, row));
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace tarnwick::exchange
