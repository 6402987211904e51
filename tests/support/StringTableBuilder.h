#pragma once

#include <string>
#include <vector>

#include "ArchiveBuilder.h"

namespace tarnwick::testsupport {

// A string table of `strings`, laid out as the game does: a count, offsets, zero-ended strings.
Bytes stringTable(const std::vector<std::string>& strings);

}  // namespace tarnwick::testsupport
