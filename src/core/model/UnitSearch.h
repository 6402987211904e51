#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::model {

// The first of rows 0 to 103 whose name begins with `text`, in any letter case. An empty text
// finds row 0; rows from 104 on are never found.
std::optional<std::size_t> findUnitRow(const std::vector<std::string>& rowNames,
                                       const std::string& text);

}  // namespace tarnwick::model
