#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick::bench {

// The archive codec as it is ordinarily written: the decoder copies byte by byte through a
// 4096-byte ring into a preallocated output, the encoder keeps the usual binary search tree
// (N 4096, F 18, references of 3 bytes or more). They are the speed baseline the real code is
// measured against and, written independently of it, the reference its output must match.
// The decoder stops early, with a shorter output, where the stream ends too soon.
std::vector<std::uint8_t> plainDecompress(std::span<const std::uint8_t> stream,
                                          std::size_t outputLength);
std::vector<std::uint8_t> plainCompress(std::span<const std::uint8_t> input);

}  // namespace tarnwick::bench
