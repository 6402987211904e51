#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarnwick::tool {

// Runs tarnwick-tool on its arguments (without the program name): help, the version, or one
// command. Returns the exit status: 0 success, 1 failure, 2 usage error.
int runTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tarnwick::tool
