#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Progress.h"

namespace tarnwick::archive {

// The archive rebuilt with `entry` replaced by `header` and `data`; every entry that lay behind
// the old one moves by the change in length. The archive given is not changed; an entry number
// outside the table, an empty slot or a damaged table is refused with a clear error.
std::vector<std::uint8_t> insertEntry(std::span<const std::uint8_t> archive, std::int64_t entry,
                                      std::uint32_t header, std::span<const std::uint8_t> data,
                                      Progress& progress);

}  // namespace tarnwick::archive
