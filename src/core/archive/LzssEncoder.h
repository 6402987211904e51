#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Progress.h"

namespace tarnwick::archive {

// Packs `input` into the stream the archives use (without an entry header). The match finder
// is a set of 256 ordered trees over the ring, so the output is the same byte for byte as the
// game's own tools write; `lzssDecompress` gives the input back.
std::vector<std::uint8_t> lzssCompress(std::span<const std::uint8_t> input, Progress& progress);

}  // namespace tarnwick::archive
