#include "core/exchange/Changes.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "core/ShortList.h"
#include "core/bytes/Printable.h"
#include "core/model/TypedNumber.h"

namespace tarnwick::exchange {

namespace {

std::string range(std::int64_t first, std::int64_t last) {
    return "(" + std::to_string(first) + " to " + std::to_string(last) + ")";
}

// A row that names no row of its table: said once for the row, not once for each of its values.
class RowRefused : public Error {
  public:
    using Error::Error;
};

// Spreadsheets write whole numbers as "60.0": a number whose fraction is all zeros is written
// as that whole number, blanks around it kept.
std::string withoutZeroFraction(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) {
        return text;
    }
    const std::size_t digits = start + (text[start] == '+' || text[start] == '-' ? 1 : 0);
    const std::size_t point = text.find_first_not_of("0123456789", digits);
    if (point == digits || point == std::string::npos || text[point] != '.') {
        return text;
    }
    const std::size_t zerosEnd = std::min(text.find_first_not_of('0', point + 1), text.size());
    if (zerosEnd == point + 1 || text.find_first_not_of(' ', zerosEnd) != std::string::npos) {
        return text;
    }
    return text.substr(0, point) + text.substr(zerosEnd);
}

// A whole number as the file wrote it, refused as the editor refuses a typed one but with the
// text escaped: a message ends at its first zero byte.
std::int64_t writtenInteger(const std::string& text) {
    try {
        return model::parseTypedInteger64(withoutZeroFraction(text));
    } catch (const Error&) {
        throw Error("'" + bytes::printable(text) + "' is not a valid integer value");
    }
}

std::size_t checkedRow(const TableSchema& schema, const WrittenValue& written,
                       const UnitLookup& findUnit) {
    std::int64_t key = 0;
    try {
        // Names are known as the tool prints them, escaped; so is a name looked up.
        key = schema.table == Table::Units
                  ? findUnit(bytes::printable(withoutZeroFraction(written.row)))
                  : writtenInteger(written.row);
    } catch (const Error& error) {
        throw RowRefused(error.what());
    }
    const auto first = static_cast<std::int64_t>(schema.firstKey);
    const auto last = static_cast<std::int64_t>(schema.keyOf(schema.rowCount - 1));
    if (key < first || key > last) {
        throw RowRefused("there is no " + std::string(schema.key) + ' ' +
                         bytes::printable(written.row) + ' ' + range(first, last));
    }
    return static_cast<std::size_t>(key - first);
}

Change checkedChange(const WrittenValue& written, const UnitLookup& findUnit) {
    const TableSchema& schema = schemaOf(written.table);
    const Column* column = schema.find(written.field);
    if (column == nullptr) {
        throw Error(std::string(schema.title) + " have no field \"" +
                    bytes::printable(written.field) + "\"");
    }
    const std::size_t row = checkedRow(schema, written, findUnit);
    if (!column->covers(row)) {
        throw Error(std::string(schema.key) + ' ' + std::to_string(schema.keyOf(row)) + " has no " +
                    written.field + " (" + std::string(schema.title) + ' ' +
                    std::to_string(schema.firstKey) + " to " +
                    std::to_string(schema.keyOf(column->field->count - 1)) + ")");
    }
    const std::int64_t value = writtenInteger(written.value);
    if (value < column->minimum() || value > column->maximum()) {
        throw Error(written.value + " does not fit " + written.field + ' ' +
                    range(column->minimum(), column->maximum()));
    }
    return {written.table, row, column, value, written.origin};
}

}  // namespace

std::vector<Change> checkChanges(const std::vector<WrittenValue>& values,
                                 const UnitLookup& findUnit) {
    std::vector<Change> changes;
    std::vector<std::string> problems;
    std::map<std::tuple<Table, std::size_t, const Column*>, const std::string*> seen;
    std::set<std::pair<Table, std::string>> refusedRows;
    // A JSON origin holds a key as written; the messages have escaped what they quote.
    const auto refuse = [&problems](const WrittenValue& written, const Error& error) {
        problems.push_back(bytes::printable(written.origin) + ": " + error.what());
    };
    for (const WrittenValue& written : values) {
        if (refusedRows.contains({written.table, written.row})) {
            continue;
        }
        try {
            Change change = checkedChange(written, findUnit);
            const auto [earlier, isNew] =
                seen.try_emplace({change.table, change.row, change.column}, &written.origin);
            if (!isNew) {
                throw Error("the value is given before, at " + *earlier->second);
            }
            changes.push_back(std::move(change));
        } catch (const RowRefused& error) {
            refusedRows.insert({written.table, written.row});
            refuse(written, error);
        } catch (const Error& error) {
            refuse(written, error);
        }
    }
    if (!problems.empty()) {
        throw Error(shortList(problems));
    }
    return changes;
}

void applyChanges(model::Document& document, std::span<const Change> changes,
                  const std::string& file) {
    for (const Change& change : changes) {
        if (!holdsColumn(document, change.table, *change.column)) {
            const bool tableHeld = holdsTable(document, change.table);
            throw Error("\"" + file + "\" holds no " +
                        (tableHeld ? std::string("swamp graphics")
                                   : std::string(schemaOf(change.table).held)) +
                        ", which " + change.origin + " changes");
        }
    }
    for (const Change& change : changes) {
        storeShownValue(document, change.table, *change.column, change.row, change.value);
    }
}

}  // namespace tarnwick::exchange
