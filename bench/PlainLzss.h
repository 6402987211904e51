#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick::bench {

// Straight transcriptions of the archive codec, byte by byte with the 4096-byte ring and
// blocks, as the format was first described. They are the baseline the real code is measured
// against, and the reference its output must match.
std::vector<std::uint8_t> plainDecompress(std::span<const std::uint8_t> stream,
                                          std::size_t outputLength);
std::vector<std::uint8_t> plainCompress(std::span<const std::uint8_t> input);

}  // namespace tarnwick::bench
