#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick::archive {

// Unpacks an LZSS stream of the game's archives into exactly `outputLength` bytes. A
// back-reference names an absolute position in a 4096-byte ring that starts zero-filled.
// Throws tarnwick::Error when the stream ends before the output is complete.
std::vector<std::uint8_t> lzssDecompress(std::span<const std::uint8_t> stream,
                                         std::size_t outputLength);

}  // namespace tarnwick::archive
