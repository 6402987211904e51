#include <algorithm>

#include <QString>

#include "core/archive/Archive.h"
#include "core/exchange/Changes.h"
#include "core/exchange/ChangesFile.h"
#include "core/exchange/ChangesWriter.h"
#include "core/exchange/TableDiff.h"
#include "core/files/DocumentFiles.h"
#include "core/model/ExpansionGraphics.h"
#include "platform/GameArchives.h"
#include "tool/ChangesInput.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/GameDefaults.h"
#include "tool/TableOutput.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

using exchange::Table;

void listUpgrades(const Invocation& invocation, std::ostream& out) {
    printTable(openHolding(invocation.arguments[0], Table::Upgrades), Table::Upgrades, invocation,
               out);
}

void listRestrictions(const Invocation& invocation, std::ostream& out) {
    printTable(openHolding(invocation.arguments[0], Table::Restrictions), Table::Restrictions,
               invocation, out);
}

struct ChangedFile {
    model::Document before;
    model::Document after;
};

// The file at `path` with the changes made, in memory; refused when it cannot take them.
ChangedFile changedFile(const std::string& path, const std::vector<exchange::Change>& changes) {
    ChangedFile file{openDocument(path), {}};
    file.after = file.before;
    exchange::applyChanges(file.after, changes, path);
    return file;
}

std::string listed(const std::vector<std::string>& paths, std::size_t first, std::size_t end) {
    std::string list;
    for (std::size_t i = first; i < end; ++i) {
        list += (list.empty() ? "" : ", ") + paths[i];
    }
    return list.empty() ? "none" : list;
}

// Nothing is written unless every file can take the changes, yet only one file is held at a
// time, however many there are: all are read and checked first, then each is read again,
// checked again (it may have changed since) and written.
void applyInPlace(const Invocation& invocation) {
    const std::vector<std::string>& arguments = invocation.arguments;
    const std::vector<std::string> paths(arguments.begin() + 1, arguments.end());
    if (std::find(paths.begin(), paths.end(), "-") != paths.end()) {
        throw UsageError("--in-place changes files where they are: FILE cannot be \"-\"");
    }
    const auto changes = readCheckedChanges(arguments[0], invocation);
    for (const std::string& path : paths) {
        try {
            changedFile(path, changes);
        } catch (const Error& error) {
            throw Error(std::string(error.what()) + "\nNo file was changed.");
        }
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        ChangedFile file;
        try {
            file = changedFile(paths[i], changes);
            saveDocument(file.after, paths[i]);
        } catch (const Error& error) {
            throw Error(std::string(error.what()) + "\nChanged: " + listed(paths, 0, i) +
                        ".\nNot changed: " + listed(paths, i, paths.size()) + '.');
        }
        warnOfIgnoredChanges(invocation, file.before, file.after, paths[i]);
    }
}

void applyChangesFile(const Invocation& invocation, std::ostream&) {
    if (invocation.isSet("in-place")) {
        applyInPlace(invocation);
        return;
    }
    const std::vector<std::string>& arguments = invocation.arguments;
    checkOutput(arguments[2], {arguments[1]});  // OUT may be IN, not the changes
    const auto changes = readCheckedChanges(arguments[1], invocation);
    const model::Document before = openDocument(arguments[0]);
    model::Document after = before;
    exchange::applyChanges(after, changes, arguments[0]);
    saveDocument(after, arguments[2]);
    warnOfIgnoredChanges(invocation, before, after, arguments[2]);
}

void diffFiles(const Invocation& invocation, std::ostream& out) {
    const std::string format = invocation.value("format").value_or("text");
    const UnitNames names(invocation.value(kGameOption.name));
    const model::Document before = openDocument(invocation.arguments[0]);
    const auto beforeTables = exchange::comparedTablesOf(before);
    model::Document after;
    exchange::ComparedTables afterTables;
    const bool defaults = invocation.isSet("defaults");
    if (defaults) {
        const auto game = invocation.value(kGameOption.name);
        if (!game) {
            throw UsageError("--defaults needs --game DIR");
        }
        after = gameDefaults(*game, before.hasExpansionGfx);
        afterTables = exchange::defaultsComparedWith(after, beforeTables);
    } else {
        after = openDocument(invocation.arguments[1]);
        afterTables = exchange::comparedTablesOf(after);
    }
    const auto nameOf = [&](Table table, std::size_t row) { return rowName(table, row, names); };
    if (format == "changes") {
        // What makes A into B; against the defaults, what FILE changes in them: its mod.
        const auto found = defaults ? exchange::differences(afterTables, beforeTables)
                                    : exchange::differences(beforeTables, afterTables);
        try {
            out << exchange::changesJson(found, nameOf);
        } catch (const Error& error) {
            throw aboutFile(invocation.arguments[defaults ? 0 : 1], error);
        }
        if (!found.empty()) {
            throw AnswerStatus{1};
        }
        return;
    }
    const auto found = exchange::differences(beforeTables, afterTables);
    out << (format == "json" ? exchange::differencesJson(found, nameOf)
                             : exchange::differencesText(found, nameOf));
    if (!found.empty()) {
        throw AnswerStatus{1};
    }
}

const Argument kChangesArgument{
    "CHANGES",
    "a JSON or CSV file as units, upgrades or restrictions --format json|csv print or diff "
    "--format changes writes, holding only the rows and fields to change; a CSV file's columns "
    "are separated by ',' or ';', as its header line has them"};

}  // namespace

std::vector<exchange::Change> readCheckedChanges(const std::string& path,
                                                 const Invocation& invocation) {
    const UnitNames names(invocation.value(kGameOption.name));
    const auto file = readInput(path, exchange::kLargestChangesFile);
    try {
        return exchange::readCheckedChanges(file, path, names.all(), names.fromGame(),
                                            names.unknownNameHint());
    } catch (const Error& error) {
        throw aboutFile(path, error);
    }
}

std::vector<Command> exchangeCommands() {
    return {
        {"upgrades",
         "One line per upgrade 0 to 51: its id, name=NAME, then field=value in table order.",
         {{"FILE", "a scenario or upgrade data file"}},
         {kFormatOption},
         "tarnwick-tool upgrades my.pud --format csv > upgrades.csv",
         listUpgrades},
        {"restrictions",
         "One line per player 1 to 16: the player, then the bit sets of what the player may "
         "build and research and the spells the player starts with, as numbers.",
         {{"FILE", "a scenario that holds restrictions"}},
         {kFormatOption},
         "tarnwick-tool restrictions my.pud --format json",
         listRestrictions},
        {"apply",
         "Changes the values a changes file gives and writes the result. Every value is checked "
         "against its field's range first: a bad value, an unknown unit or field is reported "
         "with its line or path and nothing is written. Costs are in gold and are stored in "
         "tens, rounded down.",
         {{"IN", "a scenario, unit data or upgrade data file"},
          kChangesArgument,
          {"OUT", "where to write the result (may be IN)"}},
         {{"in-place",
           "",
           "change every FILE in place instead; each is replaced whole, and all are read and "
           "checked before the first is written",
           {},
           {kChangesArgument,
            {.name = "FILE",
             .description = "a scenario, unit data or upgrade data file",
             .repeats = true}}},
          kGameOption,
          kQuietOption},
         "tarnwick-tool apply --in-place sight.csv campaign/*.pud",
         applyChangesFile},
        {"diff",
         "One line per number that differs between the tables of two files: the table's row "
         "(unit, upgrade or player), its id, the name, the field, the old and the new value, with "
         "\"-\" where there is none. Exit status 0 when equal, 1 when different, 2 on trouble.",
         {{"A", "a scenario, unit data or upgrade data file"},
          {"B", "the file to compare it with"}},
         {{"defaults",
           "",
           "compare FILE with the game's own tables instead (needs --game)",
           {},
           {{"FILE", "a scenario, unit data or upgrade data file"}}},
          kGameOption,
          {"format", "FORMAT",
           "text (the default), json (a list of old and new values) or changes (a changes file "
           "that apply takes to make A into B; with --defaults, FILE's own values: its mod)",
           choiceValue({"text", "json", "changes"})}},
         "tarnwick-tool diff original.pud downloaded.pud --game ~/war2",
         diffFiles,
         2},
    };
}

}  // namespace tarnwick::tool
