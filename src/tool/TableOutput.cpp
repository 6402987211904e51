#include "tool/TableOutput.h"

#include <algorithm>
#include <vector>

#include "core/exchange/TableExport.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

std::string rowName(exchange::Table table, std::size_t row, const UnitNames& names) {
    return table == exchange::Table::Units ? names.shown(row) : exchange::knownRowName(table, row);
}

std::string printedRowName(exchange::Table table, std::size_t row, const UnitNames& names) {
    std::string name = rowName(table, row, names);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

void printTable(const model::Document& document, exchange::Table table,
                const Invocation& invocation, std::ostream& out) {
    const std::string format = invocation.value(kFormatOption.name).value_or("text");
    const UnitNames unitNames(invocation.value("game"));
    std::vector<std::string> names;
    for (std::size_t row = 0; row < exchange::schemaOf(table).rowCount; ++row) {
        names.push_back(format == "text" ? printedRowName(table, row, unitNames)
                                         : rowName(table, row, unitNames));
    }
    if (format == "json") {
        out << exchange::tableJson(document, table, names);
    } else if (format == "csv") {
        out << exchange::tableCsv(document, table, names);
    } else {
        out << exchange::tableText(document, table, names);
    }
}

model::Document openHolding(const std::string& path, exchange::Table table) {
    model::Document document = openDocument(path);
    if (!exchange::holdsTable(document, table)) {
        throw Error(quoted(path) + " holds no " + std::string(exchange::schemaOf(table).held));
    }
    return document;
}

}  // namespace tarnwick::tool
