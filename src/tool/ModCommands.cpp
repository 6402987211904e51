#include <algorithm>

#include "core/exchange/ChangesMerge.h"
#include "core/exchange/ChangesWriter.h"
#include "tool/ChangesInput.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/GameDefaults.h"
#include "tool/TableOutput.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

using exchange::Table;

exchange::Prefer preferred(const Invocation& invocation) {
    const auto prefer = invocation.value("prefer");
    return !prefer          ? exchange::Prefer::Neither
           : *prefer == "a" ? exchange::Prefer::A
                            : exchange::Prefer::B;
}

// The merge's conflicts listed; without a preferred side, nothing is written and the answer is 1.
void reportConflicts(const exchange::Merge& merge, exchange::Prefer prefer, const UnitNames& names,
                     std::ostream& out) {
    out << exchange::conflictLines(
        merge, prefer, [&](Table table, std::size_t row) { return rowName(table, row, names); });
    if (!merge.conflicts.empty() && prefer == exchange::Prefer::Neither) {
        throw AnswerStatus{1};
    }
}

void mergeChangesFiles(const Invocation& invocation, std::ostream& out) {
    const std::vector<std::string>& arguments = invocation.arguments;
    checkOutput(arguments[2], {arguments[0], arguments[1]}, OutputForm::Text);
    const exchange::Prefer prefer = preferred(invocation);
    const UnitNames names(invocation.value(kGameOption.name));
    const auto merge = exchange::mergeChanges(
        exchange::differencesOf(readCheckedChanges(arguments[0], invocation)),
        exchange::differencesOf(readCheckedChanges(arguments[1], invocation)), prefer);
    reportConflicts(merge, prefer, names, out);
    const std::string merged = exchange::changesJson(
        merge.taken, [&](Table table, std::size_t row) { return rowName(table, row, names); });
    writeOutput(arguments[2],
                {reinterpret_cast<const std::uint8_t*>(merged.data()), merged.size()});
}

// The changes that make `base` into the file at `path`, refused when the file holds other tables.
std::vector<exchange::Difference> changesFrom(const model::Document& base,
                                              const std::string& path) {
    const model::Document side = openDocument(path);
    if (side.kind != base.kind) {
        throw aboutFile(path,
                        Error("is not of BASE's kind: a merge takes three files of one kind"));
    }
    return exchange::differences(exchange::comparedTablesOf(base),
                                 exchange::comparedTablesOf(side));
}

void mergeFiles(const Invocation& invocation, std::ostream& out) {
    if (invocation.isSet("changes")) {
        mergeChangesFiles(invocation, out);
        return;
    }
    const std::vector<std::string>& arguments = invocation.arguments;
    checkOutput(arguments[3]);  // OUT may be one of the three: all are read first
    const exchange::Prefer prefer = preferred(invocation);
    const model::Document base = openDocument(arguments[0]);
    const auto merge = exchange::mergeChanges(changesFrom(base, arguments[1]),
                                              changesFrom(base, arguments[2]), prefer);
    reportConflicts(merge, prefer, UnitNames(invocation.value(kGameOption.name)), out);
    model::Document merged = base;
    exchange::applyChanges(merged, exchange::changesOf(merge.taken), arguments[0]);
    saveDocument(merged, arguments[3]);
    warnOfIgnoredChanges(invocation, base, merged, arguments[3]);
}

// Every unit value that differs from the game's, or those of one unit, or one field of it.
void revertToDefaults(const Invocation& invocation, std::ostream&) {
    const std::vector<std::string>& arguments = invocation.arguments;
    const auto game = invocation.value(kGameOption.name);
    if (!game) {
        throw UsageError(
            "revert needs --game DIR: the game's default unit data is in its "
            "MAINDAT.WAR");
    }
    checkOutput(arguments[1]);
    const UnitNames names(game);
    const std::optional<std::size_t> unit =
        arguments.size() > 2 ? std::optional(names.fromArgument("UNIT", arguments[2]))
                             : std::nullopt;
    const std::optional<std::string> field =
        arguments.size() > 3 ? std::optional(arguments[3]) : std::nullopt;
    const auto& schema = exchange::schemaOf(Table::Units);
    if (field && schema.find(*field) == nullptr) {
        throw UsageError("FIELD: units have no field \"" + *field + "\"");
    }
    const model::Document before = openUnitData(arguments[0]);
    const model::Document defaults = gameDefaults(*game, before.hasExpansionGfx);
    auto found = exchange::differences(
        exchange::comparedTablesOf(before),
        {&defaults,
         {exchange::Holding::Held, exchange::Holding::Never, exchange::Holding::Never},
         false});
    std::erase_if(found, [&](const exchange::Difference& difference) {
        return (unit && difference.row != unit) || (field && difference.field != *field);
    });
    model::Document after = before;
    exchange::applyChanges(after, exchange::changesOf(found), arguments[0]);
    saveDocument(after, arguments[1]);
    warnOfIgnoredChanges(invocation, before, after, arguments[1]);
}

}  // namespace

std::vector<Command> modCommands() {
    const Argument file{"FILE", "a scenario, unit data or upgrade data file"};
    const Argument changes{"CHANGES", "a changes file, as diff --format changes writes it"};
    const Option prefer{"prefer", "a|b",
                        "settle every conflict with A's or B's value, listing them as settled",
                        choiceValue({"a", "b"})};
    return {
        {"merge",
         "A three-way merge of the tables of A and B, both changed from BASE: a value changed on "
         "one side only is taken, changed the same way on both taken once, changed differently a "
         "conflict. Conflicts are listed one a line; with any left unsettled nothing is written "
         "and the exit status is 1. Exit status 0 when everything merged, 2 on trouble.",
         {{"BASE", "the file both A and B were made from"},
          {"A", "one changed copy, of BASE's kind"},
          {"B", "the other changed copy"},
          {"OUT", "where to write the merged file (may be one of the three)"}},
         {{"changes",
           "",
           "merge two changes files instead, writing a changes file",
           {},
           {{"A", changes.description}, {"B", changes.description}, {"OUT", "the merged changes"}}},
          prefer,
          kGameOption,
          kQuietOption},
         "tarnwick-tool merge original.pud mine.pud theirs.pud merged.pud",
         mergeFiles,
         2},
        {"revert",
         "Puts unit values back to the game's default unit data and writes the result: every "
         "unit's values, or one unit's, or one field of it. Needs the game directory.",
         {file,
          {"OUT", "where to write the result (may be FILE)"},
          {.name = "UNIT",
           .description = "a unit's id, or its name as units prints it",
           .kind = unitValue(),
           .optional = true},
          {.name = "FIELD", .description = "one field of the unit", .optional = true}},
         {kGameOption, kQuietOption},
         "tarnwick-tool revert my.pud my.pud Footman hitPoints --game ~/war2",
         revertToDefaults},
    };
}

}  // namespace tarnwick::tool
