#include "core/game/Minimap.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"
#include "core/model/MapProperties.h"

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
    const auto size = model::mapSize(document);
    if (!size) {
        return std::nullopt;
    }
    // A sound size is drawn whole, however large: the file holds its tiles, which bounds the
    // picture. A damaged one is cut to the game's largest map and shows its top-left corner, the
    // tiles read with the declared row length.
    const bool sound = !model::mapSizeProblem(document);
    MinimapPicture picture;
    picture.width = sound ? size->width : std::min(size->width, model::kLargestMapSide);
    picture.height = sound ? size->height : std::min(size->height, model::kLargestMapSide);
    picture.rgb.resize(std::size_t{picture.width} * picture.height * 3);

    const auto tileMap = model::tileMap(document);
    const std::size_t covered = tileMap.size() / 2;
    std::size_t at = 0;
    for (std::size_t y = 0; y < picture.height; ++y) {
        for (std::size_t x = 0; x < picture.width; ++x) {
            const std::size_t tile = y * size->width + x;
            const Rgb colour =
                tile < covered
                    ? tileColour(static_cast<std::uint16_t>(bytes::readLe(tileMap, 2 * tile, 2)))
                    : kUnknownTileColour;
            picture.rgb[at++] = colour.red;
            picture.rgb[at++] = colour.green;
            picture.rgb[at++] = colour.blue;
        }
    }
    return picture;
}

MinimapPicture resizedMinimap(const MinimapPicture& picture, std::uint16_t width,
                              std::uint16_t height) {
    // The source pixel under the centre of pixel `to` of `toCount`: (to + 1/2) * from / toCount.
    const auto under = [](std::size_t to, std::size_t toCount, std::size_t fromCount) {
        return (2 * to + 1) * fromCount / (2 * toCount);
    };
    MinimapPicture resized;
    resized.width = width;
    resized.height = height;
    resized.rgb.reserve(std::size_t{width} * height * 3);
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t fromY = under(y, height, picture.height);
        for (std::size_t x = 0; x < width; ++x) {
            const Rgb colour = picture.pixel(under(x, width, picture.width), fromY);
            resized.rgb.insert(resized.rgb.end(), {colour.red, colour.green, colour.blue});
        }
    }
    return resized;
}

}  // namespace tarnwick::game
