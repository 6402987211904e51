#include "core/exchange/ChangesFile.h"

#include <algorithm>
#include <set>

#include "core/Error.h"
#include "core/bytes/Printable.h"
#include "core/exchange/Csv.h"
#include "core/exchange/Json.h"

namespace tarnwick::exchange {

namespace {

// Where the text begins, past a byte order mark, blanks and (in UTF-16) zero bytes.
std::size_t firstCharacter(std::string_view text) {
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
        if (text.starts_with(mark)) {
            return text.find_first_not_of(std::string_view(" \t\r\n\0", 5), mark.size());
        }
    }
    return text.find_first_not_of(std::string_view(" \t\r\n\0", 5));
}

bool beginsWithAnyOf(std::string_view text, std::string_view characters) {
    const std::size_t first = firstCharacter(text);
    return first != std::string_view::npos &&
           characters.find(text[first]) != std::string_view::npos;
}

// By its byte order mark, or by a zero byte beside each of its first two characters, as
// UTF-16 writes ASCII; a damaged or binary file that merely begins with a zero is no UTF-16.
bool isUtf16(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return true;
    }
    const auto ascii = [&text](std::size_t at) { return text[at] >= '\t' && text[at] <= '~'; };
    return text.size() >= 4 && ((ascii(0) && text[1] == '\0' && ascii(2) && text[3] == '\0') ||
                                (text[0] == '\0' && ascii(1) && text[2] == '\0' && ascii(3)));
}

bool namedJson(std::string_view name) {
    if (name.size() < 5) {
        return false;
    }
    std::string ending(name.substr(name.size() - 5));
    for (char& c : ending) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return ending == ".json";
}

const TableSchema& tableNamed(const std::string& title) {
    for (const Table table : kTables) {
        if (schemaOf(table).title == title) {
            return schemaOf(table);
        }
    }
    throw Error("\"" + bytes::printable(title) +
                "\" is no table (units, upgrades or restrictions)");
}

// A number as written, for the one check of every value; a row's key may also be a text.
std::string writtenNumber(const JsonValue& value, const std::string& path, bool textAllowed) {
    if (value.kind == JsonValue::Kind::Number ||
        (textAllowed && value.kind == JsonValue::Kind::String)) {
        return value.text;
    }
    throw Error(bytes::printable(path) + ": a number is needed" +
                (value.kind == JsonValue::Kind::String ? ", not a text" : ""));
}

}  // namespace

std::vector<WrittenValue> readChanges(std::span<const std::uint8_t> file, std::string_view name) {
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    const bool json = namedJson(name) || beginsWithAnyOf(text, "{[");
    if (isUtf16(text)) {
        throw Error(json ? "line 1: the top level must be an object (this file is UTF-16; save "
                           "it as UTF-8)"
                         : "line 1: this file is UTF-16; save it as UTF-8");
    }
    return json ? jsonChanges(text) : csvChanges(text);
}

std::vector<WrittenValue> csvChanges(std::string_view text) {
    const std::vector<CsvRecord> records = readCsv(text);
    if (records.empty()) {
        throw Error("the file holds no header line");
    }
    const CsvRecord& header = records.front();
    const auto lineOf = [](const CsvRecord& record) {
        return "line " + std::to_string(record.line);
    };
    const TableSchema* schema = nullptr;
    for (const Table table : kTables) {
        if (schemaOf(table).key == header.fields.front()) {
            schema = &schemaOf(table);
        }
    }
    if (schema == nullptr) {
        throw Error(lineOf(header) + ": the first column must be unit, upgrade or player, not \"" +
                    bytes::printable(header.fields.front()) + "\"");
    }
    std::set<std::string_view> named;
    for (const std::string& name : header.fields) {
        if (name != schema->key && name != "name" && schema->find(name) == nullptr) {
            throw Error(lineOf(header) + ": " + std::string(schema->title) + " have no field \"" +
                        bytes::printable(name) + "\"");
        }
        if (!named.insert(name).second) {
            throw Error(lineOf(header) + ": the header names \"" + name + "\" twice");
        }
    }
    std::vector<WrittenValue> values;
    for (auto record = records.begin() + 1; record != records.end(); ++record) {
        if (record->fields.size() != header.fields.size()) {
            throw Error(lineOf(*record) + ": " + std::to_string(record->fields.size()) +
                        " fields where the header has " + std::to_string(header.fields.size()));
        }
        const std::string line = lineOf(*record) + ", ";
        for (std::size_t i = 1; i < header.fields.size(); ++i) {
            const std::string& field = header.fields[i];
            if (field != "name" && !record->fields[i].empty()) {
                values.push_back({schema->table, record->fields.front(), field, record->fields[i],
                                  line + field});
            }
        }
    }
    return values;
}

std::vector<WrittenValue> jsonChanges(std::string_view text) {
    if (!beginsWithAnyOf(text, "{")) {
        const std::size_t first = std::min(firstCharacter(text), text.size());
        throw Error("line " +
                    std::to_string(1 + std::count(text.begin(), text.begin() + first, '\n')) +
                    ": the top level must be an object");
    }
    const JsonValue top = readJson(text);
    std::vector<WrittenValue> values;
    for (std::size_t table = 0; table < top.items.size(); ++table) {
        const TableSchema& schema = tableNamed(top.keys[table]);
        const std::string title(schema.title);
        const std::string key(schema.key);
        const JsonValue& rows = top.items[table];
        if (rows.kind != JsonValue::Kind::Array) {
            throw Error(title + ": a list of rows is needed");
        }
        for (std::size_t index = 0; index < rows.items.size(); ++index) {
            const std::string path = title + '[' + std::to_string(index) + ']';
            const JsonValue& row = rows.items[index];
            const JsonValue* rowKey = row.member(key);
            if (rowKey == nullptr) {
                throw Error(path + ": a row needs its \"" + key + "\"");
            }
            const std::string keyText = writtenNumber(*rowKey, path + '.' + key, true);
            for (std::size_t field = 0; field < row.keys.size(); ++field) {
                const std::string& name = row.keys[field];
                if (name == key || name == "name") {
                    continue;
                }
                const std::string fieldPath = path + '.' + name;
                values.push_back({schema.table, keyText, name,
                                  writtenNumber(row.items[field], fieldPath, false), fieldPath});
            }
        }
    }
    return values;
}

}  // namespace tarnwick::exchange
