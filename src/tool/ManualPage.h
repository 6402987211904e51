#pragma once

#include <string>
#include <vector>

#include "tool/Command.h"

namespace tarnwick::tool {

// The manual page tarnwick-tool(1) in roff, made from the command table: a section per command
// with its synopsis, arguments, options and example, then the exit status, the environment,
// the files and what to see also. `date` stands in the page's header line.
std::string manualPage(const std::vector<Command>& commands, const std::string& date);

}  // namespace tarnwick::tool
