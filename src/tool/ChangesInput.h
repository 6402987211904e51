#pragma once

#include <string>
#include <vector>

#include "core/exchange/Changes.h"
#include "tool/Command.h"

namespace tarnwick::tool {

// The changes file at `path`, read and checked, units found and their names checked by the
// names --game gives; a refusal names the file.
std::vector<exchange::Change> readCheckedChanges(const std::string& path,
                                                 const Invocation& invocation);

}  // namespace tarnwick::tool
