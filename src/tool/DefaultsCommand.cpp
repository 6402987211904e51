#include <algorithm>

#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/ToolFiles.h"

namespace tarnwick::tool {

namespace {

using model::DefaultableTable;

void printWords(const model::Document& document, std::ostream& out) {
    for (const DefaultableTableNames& entry : kDefaultableTables) {
        out << entry.option << ' ';
        if (document.kind != model::DocumentKind::Scenario) {
            out << "none (only a scenario stores the word)\n";
        } else if (model::gameUsesOwnTable(document, entry.table)) {
            out << model::useDefaultWord(document, entry.table) << " (the game ignores this file's "
                << entry.name << " and uses its own)\n";
        } else {
            out << model::useDefaultWord(document, entry.table) << " (the game uses this file's "
                << entry.name << ")\n";
        }
    }
}

void defaults(const Invocation& invocation, std::ostream& out) {
    const auto& arguments = invocation.arguments;
    if (arguments.size() == 2) {
        checkOutput(arguments[1]);
    }
    model::Document document = openDocument(arguments[0]);
    const bool changes =
        std::any_of(std::begin(kDefaultableTables), std::end(kDefaultableTables),
                    [&](const auto& entry) { return invocation.isSet(entry.option); });
    if (arguments.size() == 1) {
        if (changes) {
            throw UsageError("--unit-data and --upgrades need OUT");
        }
        printWords(document, out);
        return;
    }
    if (!changes) {
        throw UsageError("OUT needs --unit-data or --upgrades");
    }
    for (const DefaultableTableNames& entry : kDefaultableTables) {
        if (const auto value = invocation.value(entry.option)) {
            model::setGameUsesOwnTable(document, entry.table, *value == "on");
        }
    }
    saveDocument(document, arguments[1]);
}

}  // namespace

std::vector<Command> defaultsCommands() {
    const ValueKind kOnOff = choiceValue({"on", "off"});
    return {
        {"defaults",
         "Shows or sets the words of a scenario that make the game use its own unit data or "
         "upgrades and ignore the scenario's. With FILE alone, one line per table: its name, "
         "the word, and what the game does. With OUT, sets the words as asked and writes the "
         "result: a word that already reads as asked is kept, on stores 1 and off stores 0.",
         {{"FILE", "a scenario (a stand-alone table file stores no word)"},
          {.name = "OUT",
           .description = "where to write the result (may be FILE)",
           .optional = true}},
         {{"unit-data", "on|off", "whether the game ignores the unit data", kOnOff},
          {"upgrades", "on|off", "whether the game ignores the upgrades", kOnOff}},
         "tarnwick-tool defaults my.pud my.pud --unit-data off",
         defaults},
    };
}

}  // namespace tarnwick::tool
