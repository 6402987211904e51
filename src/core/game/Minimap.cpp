#include "core/game/Minimap.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"

namespace tarnwick::game {

namespace {

constexpr bool tableCoversEveryTile() {
    std::uint32_t next = 0;
    for (const TileColourRange& range : kTileColours) {
        if (range.first != next || range.last < range.first) {
            return false;
        }
        next = range.last + 1u;
    }
    return next == 0x10000;
}
static_assert(tableCoversEveryTile());

}  // namespace

Rgb tileColour(std::uint16_t tile) {
    const auto range = std::find_if(kTileColours.begin(), kTileColours.end(),
                                    [tile](const TileColourRange& r) { return tile <= r.last; });
    return range->colour;
}

Rgb MinimapPicture::pixel(std::size_t x, std::size_t y) const {
    const std::size_t at = (y * width + x) * 3;
    return {rgb.at(at), rgb.at(at + 1), rgb.at(at + 2)};
}

std::optional<MinimapPicture> buildMinimap(const model::Document& document) {
    using model::SectionId;
    if (!document.holds(SectionId::Dimensions)) {
        return std::nullopt;
    }
    const auto size = document.body(SectionId::Dimensions);
    MinimapPicture picture;
    picture.width = static_cast<std::uint16_t>(bytes::readLe(size, 0, 2));
    picture.height = static_cast<std::uint16_t>(bytes::readLe(size, 2, 2));
    const std::size_t tiles = std::size_t{picture.width} * picture.height;
    picture.rgb.resize(tiles * 3);

    // A tile map the document does not hold covers no tile, whatever body is left in memory.
    const auto tileMap = document.holds(SectionId::TileMap) ? document.body(SectionId::TileMap)
                                                            : std::span<const std::uint8_t>{};
    const std::size_t covered = std::min(tiles, tileMap.size() / 2);
    for (std::size_t tile = 0; tile < tiles; ++tile) {
        const Rgb colour =
            tile < covered
                ? tileColour(static_cast<std::uint16_t>(bytes::readLe(tileMap, 2 * tile, 2)))
                : kUnknownTileColour;
        picture.rgb[3 * tile] = colour.red;
        picture.rgb[3 * tile + 1] = colour.green;
        picture.rgb[3 * tile + 2] = colour.blue;
    }
    return picture;
}

}  // namespace tarnwick::game
