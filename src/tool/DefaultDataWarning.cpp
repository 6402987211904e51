#include "tool/DefaultDataWarning.h"

namespace tarnwick::tool {

namespace {

using model::DefaultableTable;

std::string tableName(DefaultableTable table) {
    return table == DefaultableTable::UnitData ? "unit data" : "upgrades";
}

std::string switchName(DefaultableTable table) {
    return table == DefaultableTable::UnitData ? "--unit-data" : "--upgrades";
}

void warnOfIgnored(const Invocation& invocation, DefaultableTable table, const std::string& path) {
    if (invocation.isSet(kQuietOption.name)) {
        return;
    }
    invocation.warn("the game ignores the " + tableName(table) + " of \"" + path +
                    "\" (its useDefault word is set); \"tarnwick-tool defaults " + path + ' ' +
                    path + ' ' + switchName(table) + " off\" clears it");
}

}  // namespace

void warnOfIgnoredChanges(const Invocation& invocation, const model::Document& before,
                          const model::Document& after, const std::string& path) {
    for (const DefaultableTable table : model::ignoredChanges(before, after)) {
        warnOfIgnored(invocation, table, path);
    }
}

void warnOfIgnoredUnitData(const Invocation& invocation, const model::Document& document,
                           const std::string& path) {
    if (model::gameUsesOwnTable(document, DefaultableTable::UnitData)) {
        warnOfIgnored(invocation, DefaultableTable::UnitData, path);
    }
}

}  // namespace tarnwick::tool
