#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// Problems for one message: the first 20, one a line, then "... and N more" for the rest, so
// that a file with thousands of faults gives a message that can be read. Empty when there are
// none.
std::string shortList(const std::vector<std::string>& lines);

}  // namespace tarnwick
