#include "ChangesSeeds.h"

#include <string>

#include "DemoScenario.h"
#include "core/exchange/Csv.h"
#include "core/exchange/TableExport.h"

namespace tarnwick::fuzz {

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::string_literals;

Bytes bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// Little-endian UTF-16 with its byte order mark, of an ASCII text.
Bytes utf16(const std::string& text) {
    Bytes out = {0xFF, 0xFE};
    for (const char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

// The header and the first rows of a table as `units --format csv` writes it: small seeds
// mutate quickly, and every column's name is in the header.
std::string exportedRows(exchange::Table table, std::size_t rows) {
    const std::string csv = exchange::tableCsv(demo::demoScenario(), table, {});
    std::size_t end = 0;
    for (std::size_t line = 0; line <= rows && end != std::string::npos; ++line) {
        end = csv.find('\n', end + (line == 0 ? 0 : 1));
    }
    return csv.substr(0, end == std::string::npos ? csv.size() : end + 1);
}

// The rows of exportedRows() as a JSON changes file: every field a number, the name a label.
std::string exportedJson(std::size_t rows) {
    std::string json = "{";
    for (const exchange::Table table : exchange::kTables) {
        const auto records = exchange::readCsv(exportedRows(table, rows));
        json += std::string(json.size() > 1 ? ",\n " : "\n ") + '"' +
                std::string(exchange::schemaOf(table).title) + "\": [";
        for (auto record = records.begin() + 1; record != records.end(); ++record) {
            json += record == records.begin() + 1 ? "{" : ", {";
            for (std::size_t i = 0; i < record->fields.size(); ++i) {
                const std::string& name = records.front().fields[i];
                const std::string& value = record->fields[i];
                json += (i == 0 ? "\"" : ", \"") + name +
                        "\": " + (name == "name" ? exchange::jsonString(value) : value);
            }
            json += '}';
        }
        json += ']';
    }
    return json + "\n}\n";
}

}  // namespace

std::vector<Bytes> csvChangesSeeds() {
    using exchange::Table;
    const std::string edits =
        "unit,name,goldCost,sightRange,tileSize.height\r\n"
        "2,\"a, \"\"quoted\"\"\nname\",255,-3,\r\n"
        "110,,,,\n";
    const std::string small = "unit,hitPoints,goldCost\n3,120,600\n";
    return {
        bytesOf(exportedRows(Table::Units, 3)),
        bytesOf(exportedRows(Table::Upgrades, 3)),
        bytesOf(exportedRows(Table::Restrictions, 3)),
        bytesOf(edits),
        bytesOf("unit,hitPoints,hitPoints\n3,10,20\n"),   // a column twice
        bytesOf("unit,hitPoints\n3,10\n3,20\n0x3,30\n"),  // a row twice, once in hexadecimal
        bytesOf("unit,hitPoints\n3,1\0"
                "2\n\0,5\n"s),
        bytesOf("\xEF\xBB\xBF"
                "unit,goldCost\r\n2,100\r\n\r\n"),
        utf16(small),
        bytesOf("unit,goldCost,sightRange,hitPoints\n2,60.0,4.00,1e2\n3,1.5,-0.0,\" 7\"\n"),
        bytesOf("unit,armor\nGroup_3,4\ngroup 17,5\n-Corpse-,1\n"),
        bytesOf("player,name\n1,x\n17,y\n"),
    };
}

std::vector<Bytes> jsonChangesSeeds() {
    const std::string tables = exportedJson(2);
    // Deeper than the JSON reader's limit of nesting, and an object nested within its limit.
    const std::size_t levels = 1100;
    std::string deep = "{\"units\": [" + std::string(levels, '[') + std::string(levels, ']') + "]}";
    std::string deepObject = "{\"units\": [{\"unit\": 3, \"hitPoints\": ";
    for (std::size_t level = 0; level < levels / 4; ++level) {
        deepObject += "{\"a\": ";
    }
    deepObject += "1" + std::string(levels / 4, '}') + "}]}";
    std::string crlf = tables;
    for (std::size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) {
        crlf.replace(at, 1, "\r\n");
    }
    return {
        bytesOf(tables),
        bytesOf("{\"units\": [{\"unit\": \"Group 2\", \"name\": \"x\", \"armor\": \"4\"}]}"),
        bytesOf("{\"units\": [{\"unit\": 3, \"hitPoints\": 1, \"hitPoints\": 2}]}"),
        bytesOf("{\"units\": [{\"unit\": 3, \"unit\": 4, \"armor\": 2}]}"),
        bytesOf("{\"units\": [{\"unit\": 3, \"armor\": 1}], \"units\": [{\"unit\": 3, "
                "\"armor\": 2}]}"),
        bytesOf("{\"units\": [{\"unit\": \"a\\u0000b\", \"armor\": 1}]}\0\n"s),
        bytesOf("\xEF\xBB\xBF" + crlf),
        utf16(tables),
        bytesOf(deep),
        bytesOf(deepObject),
        bytesOf("{\"units\": [{\"unit\": 3.0, \"goldCost\": 60.0, \"armor\": 1.5, \"hitPoints\": "
                "6e1, \"sightRange\": -0.0, \"speed\": 1e400}]}"),
        bytesOf("{\"units\": [{\"unit\": 3, \"hitPoints\": 99999999, \"magic\": -1}, {\"unit\": "
                "500, \"armor\": 1}, {\"unit\": \"nobody\", \"armor\": 1}], \"upgrades\": [{"
                "\"upgrade\": 1, \"noField\": 1}], \"restrictions\": [{\"player\": 0}]}"),
        bytesOf("[{\"units\": []}]"),
        bytesOf("{\"players\": [], \"units\": {}, \"upgrades\": [7]}"),
    };
}

}  // namespace tarnwick::fuzz
