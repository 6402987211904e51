#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Progress.h"

namespace tarnwick::graphics {

inline constexpr std::uint8_t kBackgroundIndex = 22;
inline constexpr std::size_t kBmpHeaderSize = 1078;
using Palette = std::array<std::uint8_t, 768>;  // red, green, blue per index, 8 bits each

// The count and cell size of a sprite: every frame lies in a cell of this size.
struct SpriteHeader {
    std::uint16_t frameCount = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

SpriteHeader readSpriteHeader(std::span<const std::uint8_t> sprite);

// Throws a clear error unless the bytes can be a sprite: a frame or more, cells at least one
// pixel wide and high, every frame's header and line table inside the data. The converter
// shows whatever it can of a damaged sprite; this is for callers that must not take any file
// for a picture.
void checkSprite(std::span<const std::uint8_t> sprite);

// Decodes one coded line into `line` (its size is the frame width): literals, runs and skips;
// skipped pixels keep what `line` held. Pixels past the line's end are dropped. Throws
// "Control byte $00 found." (or $40, $80) and a clear error when the line's data ends early.
void decodeLine(std::span<const std::uint8_t> coded, std::span<std::uint8_t> line);

// The 1078-byte header of an 8-bit bottom-up bitmap with the palette as its colour table.
std::array<std::uint8_t, kBmpHeaderSize> writeBmpHeader(std::uint32_t width, std::uint32_t height,
                                                        const Palette& palette);

struct ConvertedSprite {
    SpriteHeader header;               // of the sprite converted
    std::size_t frames = 0;            // frames laid out, one cell each, top to bottom
    std::vector<std::uint8_t> bitmap;  // a whole bitmap file
};

// Lays `frames` frames (0: all; never more than the sprite has) out in one column of cells,
// each at its place in its cell, on the background index, clipped to its cell. `progress` is
// told the frame number before each frame. Nothing outside the sprite is read; a sprite that
// points outside itself throws with a clear message.
ConvertedSprite convertGfx(std::span<const std::uint8_t> sprite, std::size_t frames,
                           const Palette& palette, Progress& progress);

// A game palette of 768 six-bit values, brought to 8 bits (x 4). Throws when it is shorter.
Palette paletteFromGame(std::span<const std::uint8_t> gamePalette);
// Index i is grey i.
Palette greyPalette();

}  // namespace tarnwick::graphics
