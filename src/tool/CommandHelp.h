#pragma once

#include <string>
#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// "tarnwick-tool set IN OUT UNIT FIELD VALUE [--wrap] [--game DIR]"
std::string synopsis(const Command& command);

// The answer to --help: usage, every command with its synopsis and summary, the option
// conventions and the exit status.
std::string toolHelp(const std::vector<Command>& commands);

// The answer to COMMAND --help: usage, summary, a line per argument and option, an example.
std::string commandHelp(const Command& command);

}  // namespace tarnwick::tool
