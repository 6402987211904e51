#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A fuzz input for the shared block, short enough to mutate well: the claims first, then the
// fixed part, then only the used part of each map layer. The room a layer does not use, and the
// host's data after the layout, hold kUnusedByte, so that a read of them shows.
//
//   byte 0          the block's size: kBlockSize plus this byte as a signed number
//   next 12 bytes   offsets 126810 to 126821: present bytes, carried bytes, "UDTA" length,
//                   unit count
//   next 7322       offsets 0 to 7321: host handle, the fixed part, map width and height
//   then            the used part of "MTXM", "SQM ", "OILM", "REGM" and "UNIT" in turn, as the
//                   claimed width, height and unit count give it (at most the layer's room)
//
// Bytes the input does not reach are zero.
namespace tarnwick::fuzz {

inline constexpr std::uint8_t kUnusedByte = 0xA5;

std::vector<std::uint8_t> blockFromInput(std::span<const std::uint8_t> input);

// The input that stands for a block of kBlockSize bytes or more (longer ones lose the extra).
std::vector<std::uint8_t> inputFromBlock(std::span<const std::uint8_t> block);

}  // namespace tarnwick::fuzz
