#include "tool/DefaultDataWarning.h"

namespace tarnwick::tool {

namespace {

using model::DefaultableTable;

const DefaultableTableNames& namesOf(DefaultableTable table) {
    return kDefaultableTables[table == DefaultableTable::UnitData ? 0 : 1];
}

void warnOfIgnored(const Invocation& invocation, DefaultableTable table, const std::string& path) {
    if (invocation.isSet(kQuietOption.name)) {
        return;
    }
    const DefaultableTableNames& names = namesOf(table);
    invocation.warn("the game ignores the " + names.name + " of \"" + path +
                    "\" (its useDefault word is set); \"tarnwick-tool defaults " + path + ' ' +
                    path + " --" + names.option + " off\" clears it");
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
