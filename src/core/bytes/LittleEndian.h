#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Error.h"

namespace tarnwick::bytes {

// Reads `width` (1, 2 or 4) bytes little-endian; the caller has checked the range.
inline std::uint32_t readLe(std::span<const std::uint8_t> data, std::size_t offset,
                            std::size_t width) {
    if (offset > data.size() || width > data.size() - offset) {
        throw Error("Read outside the data");
    }
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(data[offset + i]) << (8 * i);
    }
    return value;
}

// Writes the low `width` bytes of `value`: this is what truncates a typed number to its field.
inline void writeLe(std::span<std::uint8_t> data, std::size_t offset, std::size_t width,
                    std::uint32_t value) {
    if (offset > data.size() || width > data.size() - offset) {
        throw Error("Write outside the data");
    }
    for (std::size_t i = 0; i < width; ++i) {
        data[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace tarnwick::bytes
