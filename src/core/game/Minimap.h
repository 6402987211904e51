#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/graphics/RgbPicture.h"
#include "core/model/Document.h"

namespace tarnwick::game {

using graphics::Rgb;

// One run of tile numbers and the colour the minimap gives it.
struct TileColourRange {
    std::uint16_t first;
    std::uint16_t last;
    Rgb colour;
};

// The same table serves every terrain; ranges are in order and cover 0 to 65535.
inline constexpr std::array<TileColourRange, 20> kTileColours = {{
    {0x0000, 0x000F, {0, 0, 0}},    {0x0010, 0x001F, {0, 48, 112}},  {0x0020, 0x002F, {0, 45, 109}},
    {0x0030, 0x003F, {111, 63, 0}}, {0x0040, 0x004F, {112, 64, 0}},  {0x0050, 0x005F, {32, 80, 15}},
    {0x0060, 0x006F, {16, 48, 0}},  {0x0070, 0x007F, {32, 64, 0}},   {0x0080, 0x008F, {63, 63, 63}},
    {0x0090, 0x00CF, {93, 93, 93}}, {0x00D0, 0x00FF, {255, 0, 255}}, {0x0100, 0x01FF, {0, 47, 96}},
    {0x0200, 0x02FF, {0, 31, 80}},  {0x0300, 0x03FF, {111, 63, 0}},  {0x0400, 0x04FF, {96, 96, 96}},
    {0x0500, 0x05FF, {47, 95, 15}}, {0x0600, 0x06FF, {32, 64, 0}},   {0x0700, 0x07FF, {32, 80, 15}},
    {0x0800, 0x09FF, {93, 93, 93}}, {0x0A00, 0xFFFF, {255, 0, 255}},
}};

// Tiles of unknown numbers, and tiles the tile map does not cover.
inline constexpr Rgb kUnknownTileColour{255, 0, 255};

Rgb tileColour(std::uint16_t tile);

// One pixel per tile, row by row from the top: width x height x 3 bytes of red, green, blue.
struct MinimapPicture {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<std::uint8_t> rgb;

    Rgb pixel(std::size_t x, std::size_t y) const;
};

// The picture of the scenario's tile map ("MTXM") at the size "DIM " gives, whole when the tile
// map holds every tile (maps larger than the game's included), else cut to the game's largest
// map; nothing without "DIM ". Tiles that a short or missing tile map does not cover are drawn
// as unknown tiles.
std::optional<MinimapPicture> buildMinimap(const model::Document& document);

// The picture at `width` x `height` pixels, each pixel the colour of the one under its centre:
// nothing is blended, so every pixel keeps a tile's colour at any size, larger or smaller.
MinimapPicture resizedMinimap(const MinimapPicture& picture, std::uint16_t width,
                              std::uint16_t height);

}  // namespace tarnwick::game
