#pragma once

#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// Every command, in the order the help lists them. A new command is one more Command in the
// group it belongs to.
const std::vector<Command>& toolCommands();

std::vector<Command> fileCommands();        // sections, resave, export, import
std::vector<Command> unitCommands();        // units, fields, set
std::vector<Command> exchangeCommands();    // upgrades, restrictions, apply, diff
std::vector<Command> modCommands();         // merge, revert
std::vector<Command> defaultsCommands();    // defaults
std::vector<Command> balanceCommands();     // balance
std::vector<Command> scenarioCommands();    // info, minimap
std::vector<Command> spriteCommands();      // sprite
std::vector<Command> archiveCommands();     // list, extract, compress, insert, slots, direct-*
std::vector<Command> completionCommands();  // completion, and its hidden unit-names
std::vector<Command> manualCommands();      // manual (hidden): the manual page

}  // namespace tarnwick::tool
