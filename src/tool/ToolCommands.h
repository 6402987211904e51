#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarnwick::tool {

// Runs tarnwick-tool on its arguments (without the program name): help, the version, or one
// command. Returns the exit status: 0 success, 1 failure, 2 usage error. Text that `out` could
// not take (flushed at the end) is a failure as well, told with the reason its buffer kept when
// it is a platform::StreamOutputBuffer.
int runTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tarnwick::tool
