#include "tool/Commands.h"
#include "tool/ShellCompletion.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

namespace {

void printCompletion(const Invocation& invocation, std::ostream& out) {
    out << completionScript(toolCommands(), invocation.arguments[0]);
}

// One name a line, for the completion of unit arguments.
void printUnitNames(const Invocation& invocation, std::ostream& out) {
    const UnitNames names(invocation.value(kGameOption.name));
    for (std::size_t row = 0; row < model::kGraphicsRowCount; ++row) {
        if (const std::string name = names.printed(row); !name.empty()) {
            out << name << '\n';
        }
    }
}

}  // namespace

std::vector<Command> completionCommands() {
    return {
        {"completion",
         "Prints the script that completes tarnwick-tool's commands, options and values in a "
         "shell: file names, the fixed choices, and unit names once --game DIR is on the line. "
         "The install puts the scripts where each shell looks for them.",
         {{"SHELL", "bash, zsh or fish", choiceValue(kCompletionShells)}},
         {},
         "tarnwick-tool completion fish > ~/.config/fish/completions/tarnwick-tool.fish",
         printCompletion},
        {kUnitNamesCommand,
         "The names of the units, one a line, as units prints them.",
         {},
         {kGameOption},
         "tarnwick-tool unit-names --game ~/war2",
         printUnitNames,
         1,
         true},
    };
}

}  // namespace tarnwick::tool
