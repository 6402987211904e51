#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarnwick::tool {

// Runs one command of tarnwick-tool (arguments without the program name); returns the exit code.
int runTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tarnwick::tool
