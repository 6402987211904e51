// Any bytes as a scenario, drawn as the minimap: a scenario that is read gives no picture
// without "DIM ", or is refused with an Error, or gives a picture of exactly the declared size
// whose pixels are the tile map's colours, and the unknown tile's colour where the tile map
// runs out.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/bytes/LittleEndian.h"
#include "core/files/Scenario.h"
#include "core/game/Minimap.h"
#include "core/model/MapProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    model::Document document;
    try {
        files::readScenario(document, {data, size});
    } catch (const Error&) {
        return 0;
    }
    std::optional<game::MinimapPicture> picture;
    try {
        picture = game::buildMinimap(document);
    } catch (const Error&) {
        return 0;
    }
    const auto mapSize = model::mapSize(document);
    if (picture.has_value() != mapSize.has_value()) {
        __builtin_trap();
    }
    if (!picture) {
        return 0;
    }
    if (picture->width != mapSize->width || picture->height != mapSize->height ||
        picture->rgb.size() != std::size_t{picture->width} * picture->height * 3) {
        __builtin_trap();
    }
    const auto tiles = document.holds(model::SectionId::TileMap)
                           ? document.body(model::SectionId::TileMap)
                           : std::span<const std::uint8_t>{};
    for (std::size_t y = 0; y < picture->height; ++y) {
        for (std::size_t x = 0; x < picture->width; ++x) {
            const std::size_t at = 2 * (y * picture->width + x);
            const game::Rgb expected =
                at + 2 <= tiles.size()
                    ? game::tileColour(static_cast<std::uint16_t>(bytes::readLe(tiles, at, 2)))
                    : game::kUnknownTileColour;
            if (picture->pixel(x, y) != expected) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
