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

// "1E2" as "100" and "77e0" as "77": a number with an exponent that is whole is written as that
// whole number, for the one check of every value; any other stays as written, to be refused.
std::string withoutExponent(const std::string& text) {
    const std::size_t e = text.find_first_of("eE");
    if (e == std::string::npos) {
        return text;
    }
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t sign = mantissa.starts_with('-') ? 1 : 0;
    std::string digits = mantissa.substr(sign, point - sign);
    std::string fraction = point < mantissa.size() ? mantissa.substr(point + 1) : "";
    long exponent = 0;
    try {
        exponent = std::stol(text.substr(e + 1));
    } catch (const std::exception&) {
        return text;
    }
    // Beyond 40 digits no number fits a field: refused as written.
    if (exponent > 40 || exponent < -40) {
        return text;
    }
    for (; exponent > 0; --exponent) {
        digits += fraction.empty() ? '0' : fraction.front();
        fraction.erase(0, fraction.empty() ? 0 : 1);
    }
    for (; exponent < 0; ++exponent) {
        fraction.insert(fraction.begin(), digits.empty() ? '0' : digits.back());
        digits.erase(digits.empty() ? 0 : digits.size() - 1);
    }
    if (fraction.find_first_not_of('0') != std::string::npos) {
        return text;
    }
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    return mantissa.substr(0, sign) + (digits.empty() ? "0" : digits);
}

// A number as written, for the one check of every value; a row's key may also be a text.
std::string writtenNumber(const JsonValue& value, const std::string& path, bool textAllowed) {
    if (value.kind == JsonValue::Kind::Number) {
        return withoutExponent(value.text);
    }
    if (textAllowed && value.kind == JsonValue::Kind::String) {
        return value.text;
    }
    throw Error(bytes::printable(path) + ": a number is needed" +
                (value.kind == JsonValue::Kind::String ? ", not a text" : ""));
}

// The separator of a CSV file's columns: the first "," or ";" of its header line.
char csvSeparator(std::string_view text) {
    std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    start = std::min(text.find_first_not_of("\r\n", start), text.size());
    const std::string_view header = text.substr(start, text.find_first_of("\r\n", start) - start);
    const std::size_t at = header.find_first_of(",;");
    if (at == std::string_view::npos) {
        throw Error("line " +
                    std::to_string(1 + std::count(text.begin(), text.begin() + start, '\n')) +
                    ": no ',' or ';' between the columns of the header");
    }
    return header[at];
}

// {"units": 1, "upgrades": 0}: the words of the tables, each a value without a row.
void useDefaultWords(const JsonValue& words, std::vector<WrittenValue>& values) {
    const std::string path(kUseDefault);
    if (words.kind != JsonValue::Kind::Object) {
        throw Error(path + ": an object of words by table is needed");
    }
    for (std::size_t i = 0; i < words.items.size(); ++i) {
        const TableSchema& schema = tableNamed(words.keys[i]);
        const std::string wordPath = path + '.' + std::string(schema.title);
        values.push_back(
            {schema.table, "", path, writtenNumber(words.items[i], wordPath, false), wordPath});
    }
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
    if (text.find_first_not_of("\r\n", text.starts_with("\xEF\xBB\xBF") ? 3 : 0) ==
        std::string_view::npos) {
        throw Error("the file holds no header line");
    }
    const std::vector<CsvRecord> records = readCsv(text, csvSeparator(text));
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
        const auto nameColumn = std::find(header.fields.begin(), header.fields.end(), "name");
        const std::string name =
            nameColumn == header.fields.end()
                ? std::string()
                : record->fields[static_cast<std::size_t>(nameColumn - header.fields.begin())];
        for (std::size_t i = 1; i < header.fields.size(); ++i) {
            const std::string& field = header.fields[i];
            if (field != "name" && !record->fields[i].empty()) {
                values.push_back({schema->table, record->fields.front(), field, record->fields[i],
                                  line + field, name});
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
        if (top.keys[table] == kUseDefault) {
            useDefaultWords(top.items[table], values);
            continue;
        }
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
            const JsonValue* rowName = row.member("name");
            const std::string nameText =
                rowName != nullptr && rowName->kind == JsonValue::Kind::String ? rowName->text : "";
            for (std::size_t field = 0; field < row.keys.size(); ++field) {
                const std::string& name = row.keys[field];
                if (name == key || name == "name") {
                    continue;
                }
                const std::string fieldPath = path + '.' + name;
                values.push_back({schema.table, keyText, name,
                                  writtenNumber(row.items[field], fieldPath, false), fieldPath,
                                  nameText});
            }
        }
    }
    return values;
}

}  // namespace tarnwick::exchange
