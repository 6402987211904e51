// Any bytes as a scenario, drawn as the minimap: a scenario that is read gives no picture
// without "DIM ", or a picture of exactly the declared size when the size is sound, else of the
// declared size cut to the game's largest map, whose pixels are the tile map's colours, read
// with the declared row length, and the unknown tile's colour where the tile map runs out.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "Require.h"
#include "core/Error.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/game/Minimap.h"
#include "core/model/MapProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    using fuzz::require;
    model::Document document;
    try {
        files::readScenario(document, {data, size});
    } catch (const Error&) {
        return 0;
    }
    const auto picture = game::buildMinimap(document);
    const auto mapSize = model::mapSize(document);
    require(picture.has_value() == mapSize.has_value());
    if (!picture) {
        return 0;
    }
    const bool sound = !model::mapSizeProblem(document);
    const auto drawnSide = [sound](std::uint16_t side) {
        return sound ? side : std::min(side, model::kLargestMapSide);
    };
    require(picture->width == drawnSide(mapSize->width) &&
            picture->height == drawnSide(mapSize->height) &&
            picture->rgb.size() == std::size_t{picture->width} * picture->height * 3);
    const auto tiles = model::tileMap(document);
    for (std::size_t y = 0; y < picture->height; ++y) {
        for (std::size_t x = 0; x < picture->width; ++x) {
            const std::size_t at = 2 * (y * mapSize->width + x);
            const game::Rgb expected =
                at + 2 <= tiles.size()
                    ? game::tileColour(static_cast<std::uint16_t>(bytes::readLe(tiles, at, 2)))
                    : game::kUnknownTileColour;
            require(picture->pixel(x, y) == expected);
        }
    }
    return 0;
}
