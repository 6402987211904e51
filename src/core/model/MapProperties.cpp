#include "core/model/MapProperties.h"

#include <algorithm>

#include "core/Error.h"
#include "core/bytes/LittleEndian.h"

namespace tarnwick::model {

std::string descriptionText(const Document& document) {
    const auto body = document.body(SectionId::Description);
    const auto end = std::find(body.begin(), body.end(), std::uint8_t{0});
    return {body.begin(), end};
}

void storeDescription(Document& document, std::string_view latin1) {
    if (latin1 == descriptionText(document)) {
        return;
    }
    if (latin1.size() > kDescriptionMaximumLength) {
        throw Error("The description can hold at most " +
                    std::to_string(kDescriptionMaximumLength) + " characters");
    }
    const auto body = document.body(SectionId::Description);
    const auto end = std::copy(latin1.begin(), latin1.end(), body.begin());
    *end = 0;
}

std::optional<MapSize> mapSize(const Document& document) {
    if (!document.holds(SectionId::Dimensions)) {
        return std::nullopt;
    }
    const auto body = document.body(SectionId::Dimensions);
    return MapSize{static_cast<std::uint16_t>(bytes::readLe(body, 0, 2)),
                   static_cast<std::uint16_t>(bytes::readLe(body, 2, 2))};
}

std::span<const std::uint8_t> tileMap(const Document& document) {
    // A tile map the document does not hold is none, whatever body is left in memory.
    return document.holds(SectionId::TileMap) ? document.body(SectionId::TileMap)
                                              : std::span<const std::uint8_t>{};
}

std::optional<std::string> mapSizeProblem(const Document& document) {
    const auto size = mapSize(document);
    if (!size) {
        return std::nullopt;
    }
    const std::string declared =
        "map size " + std::to_string(size->width) + " x " + std::to_string(size->height);
    const std::uint64_t needed = std::uint64_t{size->width} * size->height * 2;
    const std::size_t held = tileMap(document).size();
    if (held < needed) {
        return declared + " needs " + std::to_string(needed) + " bytes of tiles, the file holds " +
               std::to_string(held);
    }
    if (size->width == 0 || size->height == 0) {
        return declared + " has no tiles";
    }
    return std::nullopt;
}

bool isLargerThanGameMaps(MapSize size) {
    return size.width > kLargestMapSide || size.height > kLargestMapSide;
}

std::optional<std::uint16_t> versionWord(const Document& document) {
    if (!document.holds(SectionId::Version)) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(bytes::readLe(document.body(SectionId::Version), 0, 2));
}

std::uint16_t terrainWord(const Document& document, SectionId era) {
    return static_cast<std::uint16_t>(bytes::readLe(document.body(era), 0, 2));
}

void setTerrainWord(Document& document, SectionId era, Terrain terrain) {
    bytes::writeLe(document.body(era), 0, 2, static_cast<std::uint16_t>(terrain));
}

bool applyWastelandOnlyRule(Document& document) {
    if (!document.hasExpansionTerrain() || versionWord(document) != kWastelandOnlyVersion) {
        return false;
    }
    setTerrainWord(document, SectionId::EraExpansion, Terrain::Wasteland);
    return true;
}

void convertToExpansion(Document& document) {
    document.setHasExpansionTerrain(true);
    setTerrainWord(document, SectionId::EraExpansion, Terrain::Wasteland);
}

void convertToNormal(Document& document) {
    document.setHasExpansionTerrain(false);
    setTerrainWord(document, SectionId::EraExpansion, Terrain::Swamp);
}

}  // namespace tarnwick::model
