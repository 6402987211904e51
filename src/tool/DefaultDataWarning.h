#pragma once

#include <string>

#include "core/model/DefaultDataWords.h"
#include "tool/Command.h"

namespace tarnwick::tool {

// A scenario can tell the game to ignore its unit data or upgrades; commands that change them
// say so, unless asked to be quiet.
inline const Option kQuietOption{
    "quiet", "", "no warning when the game ignores the changed table (see defaults)"};

// How the tool names each table: its option of `defaults` ("unit-data") and its words ("unit
// data").
struct DefaultableTableNames {
    model::DefaultableTable table;
    std::string option;
    std::string name;
};
inline const DefaultableTableNames kDefaultableTables[] = {
    {model::DefaultableTable::UnitData, "unit-data", "unit data"},
    {model::DefaultableTable::Upgrades, "upgrades", "upgrades"},
};

// Warns of every change between `before` and `after` that the game ignores, naming the word and
// the command that clears it for the file written at `path`.
void warnOfIgnoredChanges(const Invocation& invocation, const model::Document& before,
                          const model::Document& after, const std::string& path);

// Warns when the game ignores the unit data of the file read from `path`.
void warnOfIgnoredUnitData(const Invocation& invocation, const model::Document& document,
                           const std::string& path);

}  // namespace tarnwick::tool
