#include "core/exchange/Changes.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <tuple>

#include "core/ShortList.h"
#include "core/bytes/Printable.h"
#include "core/exchange/UnitNameLookup.h"
#include "core/model/TypedNumber.h"

namespace tarnwick::exchange {

namespace {

std::string range(std::int64_t first, std::int64_t last) {
    return "(" + std::to_string(first) + " to " + std::to_string(last) + ")";
}

// A whole number as the file wrote it, refused as the editor refuses a typed one but with the
// text escaped: a message ends at its first zero byte.
std::int64_t writtenInteger(const std::string& text) {
    try {
        return model::parseWrittenInteger(text);
    } catch (const Error&) {
        throw Error("'" + bytes::printable(text) + "' is not a valid integer value");
    }
}

std::size_t checkedRow(const TableSchema& schema, const std::string& written,
                       const UnitLookup& findUnit) {
    // Names are known as the tool prints them, escaped; so is a name looked up.
    const std::int64_t key = schema.table == Table::Units
                                 ? findUnit(bytes::printable(model::withoutZeroFraction(written)))
                                 : writtenInteger(written);
    const auto first = static_cast<std::int64_t>(schema.firstKey);
    const auto last = static_cast<std::int64_t>(schema.keyOf(schema.rowCount - 1));
    if (key < first || key > last) {
        throw Error("there is no " + std::string(schema.key) + ' ' + bytes::printable(written) +
                    ' ' + range(first, last));
    }
    return static_cast<std::size_t>(key - first);
}

void checkName(const WrittenValue& written, std::size_t row, const UnitNamer& knownName) {
    if (written.table != Table::Units || !knownName || written.name.empty()) {
        return;
    }
    const std::string known = knownName(row);
    const std::string name = bytes::printable(written.name);
    if (!known.empty() && comparableUnitName(known) != comparableUnitName(name)) {
        throw Error("unit " + std::to_string(row) + " is " + known + ", not \"" + name + "\"");
    }
}

Change checkedWord(const WrittenValue& written) {
    const model::FieldDescriptor* word = useDefaultWordOf(written.table);
    if (word == nullptr) {
        throw Error(std::string(schemaOf(written.table).title) + " have no useDefault word");
    }
    const std::int64_t value = writtenInteger(written.value);
    const std::int64_t maximum = word->maximumShown();
    if (value < 0 || value > maximum) {
        throw Error(written.value + " does not fit useDefault " + range(0, maximum));
    }
    return {written.table, 0, nullptr, value, written.origin};
}

Change checkedChange(const WrittenValue& written, std::size_t row) {
    const TableSchema& schema = schemaOf(written.table);
    const Column* column = schema.find(written.field);
    if (column == nullptr) {
        throw Error(std::string(schema.title) + " have no field \"" +
                    bytes::printable(written.field) + "\"");
    }
    if (!column->covers(row)) {
        throw Error(std::string(schema.key) + ' ' + std::to_string(schema.keyOf(row)) + " has no " +
                    written.field + " (" + std::string(schema.title) + ' ' +
                    std::to_string(schema.firstKey) + " to " +
                    std::to_string(schema.keyOf(column->field->count - 1)) + ")");
    }
    const std::int64_t value = writtenInteger(written.value);
    if (!column->field->holdsShown(value)) {
        throw Error(written.value + " does not fit " + written.field + ' ' +
                    range(column->minimum(), column->maximum()));
    }
    return {written.table, row, column, value, written.origin};
}

// Where each number of each table was first given: a flat table, since a changes file may give
// thousands.
class FirstGiven {
  public:
    // Where the change's number was given before, or nullptr after noting `origin` for it.
    const std::string* before(const Change& change, const std::string& origin) {
        if (change.column == nullptr) {
            return noted(words_[static_cast<std::size_t>(change.table)], origin);
        }
        const std::vector<Column>& columns = schemaOf(change.table).columns;
        std::vector<const std::string*>& given = given_[static_cast<std::size_t>(change.table)];
        if (given.empty()) {
            given.resize(schemaOf(change.table).rowCount * columns.size());
        }
        const auto column = static_cast<std::size_t>(change.column - columns.data());
        return noted(given[change.row * columns.size() + column], origin);
    }

  private:
    static const std::string* noted(const std::string*& first, const std::string& origin) {
        if (first != nullptr) {
            return first;
        }
        first = &origin;
        return nullptr;
    }

    std::array<std::vector<const std::string*>, std::size(kTables)> given_;
    std::array<const std::string*, std::size(kTables)> words_{};
};

}  // namespace

std::vector<Change> checkChanges(const std::vector<WrittenValue>& values,
                                 const UnitLookup& findUnit, const UnitNamer& knownName) {
    std::vector<Change> changes;
    changes.reserve(values.size());
    std::vector<std::string> problems;
    FirstGiven firstGiven;
    // A row is looked up and its name checked once, however many values the file gives it; one
    // that names no row, or by a wrong name, is said once (none: refused).
    std::map<std::tuple<Table, std::string, std::string>, std::optional<std::size_t>> rows;
    for (const WrittenValue& written : values) {
        try {
            const bool word = written.row.empty() && written.field == kUseDefault;
            const auto [row, isNew] =
                rows.try_emplace({written.table, written.row, word ? "" : written.name});
            if (isNew && !word) {
                row->second = checkedRow(schemaOf(written.table), written.row, findUnit);
                checkName(written, *row->second, knownName);
            }
            if (!row->second && !word) {
                continue;
            }
            Change change = word ? checkedWord(written) : checkedChange(written, *row->second);
            if (const std::string* earlier = firstGiven.before(change, written.origin)) {
                throw Error("the value is given before, at " + *earlier);
            }
            changes.push_back(std::move(change));
        } catch (const Error& error) {
            // A JSON origin holds a key as written; the messages have escaped what they quote.
            problems.push_back(bytes::printable(written.origin) + ": " + error.what());
        }
    }
    if (!problems.empty()) {
        throw Error(shortList(problems));
    }
    return changes;
}

std::vector<Change> readCheckedChanges(std::span<const std::uint8_t> file, std::string_view name,
                                       std::span<const std::string> names, bool gameNames,
                                       std::string_view unknownHint) {
    UnitNamer knownName;
    if (gameNames) {
        knownName = [names](std::size_t row) { return names[row]; };
    }
    return checkChanges(
        readChanges(file, name),
        [&](const std::string& unit) { return findUnitRow(names, unit, unknownHint); }, knownName);
}

void applyChanges(model::Document& document, std::span<const Change> changes,
                  const std::string& file) {
    for (const Change& change : changes) {
        if (change.column == nullptr && document.kind != model::DocumentKind::Scenario) {
            throw Error("\"" + file +
                        "\" stores no useDefault word (only a scenario does), which " +
                        change.origin + " changes");
        }
        if (change.column != nullptr && !holdsColumn(document, change.table, *change.column)) {
            const bool tableHeld = holdsTable(document, change.table);
            throw Error("\"" + file + "\" holds no " +
                        (tableHeld ? std::string("swamp graphics")
                                   : std::string(schemaOf(change.table).held)) +
                        ", which " + change.origin + " changes");
        }
    }
    for (const Change& change : changes) {
        if (change.column == nullptr) {
            const auto word = static_cast<std::uint32_t>(change.value);
            if (change.table == Table::Units) {
                document.unitData.set(model::unitfields::useDefault, 0, word);
            } else {
                document.upgrades.set(model::upgradefields::useDefault, 0, word);
            }
        } else {
            storeShownValue(document, change.table, *change.column, change.row, change.value);
        }
    }
}

}  // namespace tarnwick::exchange
