#include "core/exchange/UnitNameLookup.h"

#include <vector>

#include "core/Error.h"
#include "core/model/TypedNumber.h"

namespace tarnwick::exchange {

std::string comparableUnitName(std::string name) {
    for (char& c : name) {
        c = c == '_' ? ' ' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name;
}

std::int64_t findUnitRow(std::span<const std::string> names, const std::string& unit,
                         std::string_view unknownHint) {
    try {
        return model::parseTypedInteger64(unit);
    } catch (const Error&) {
        // not a number: a name
    }
    const std::string wanted = comparableUnitName(unit);
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < names.size(); ++row) {
        if (!names[row].empty() && comparableUnitName(names[row]) == wanted) {
            rows.push_back(row);
        }
    }
    if (rows.size() == 1) {
        return static_cast<std::int64_t>(rows.front());
    }
    if (rows.empty()) {
        throw Error("No unit is named \"" + unit + "\"" + std::string(unknownHint));
    }
    std::string ids;
    for (const std::size_t row : rows) {
        ids += (ids.empty() ? "" : ", ") + std::to_string(row);
    }
    throw Error("The name \"" + unit + "\" is ambiguous: units " + ids + "; give the id");
}

}  // namespace tarnwick::exchange
