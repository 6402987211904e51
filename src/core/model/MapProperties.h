#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/Document.h"

namespace tarnwick::model {

// Terrain codes of "ERA " (0 to 2) and "ERAX" (0 to 3).
enum class Terrain : std::uint16_t { Forest = 0, Winter = 1, Wasteland = 2, Swamp = 3 };

// The description as the game shows it: the bytes up to the first NUL, all 32 when there is none.
std::string descriptionText(const Document& document);

inline constexpr std::size_t kDescriptionMaximumLength = 31;

// Stores `latin1` followed by one NUL; the bytes after the NUL keep what they held. A text equal
// to the one held writes nothing, so a description without NUL goes back to the file unchanged.
// Throws for a text longer than 31 characters.
void storeDescription(Document& document, std::string_view latin1);

// Width and height in tiles from "DIM ".
struct MapSize {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};
std::optional<MapSize> mapSize(const Document& document);

// The game's own maps are 1 to 128 tiles a side, and the host's block has room for no more.
// Scenarios made for other engines of the game are larger; they are read all the same.
inline constexpr std::uint16_t kLargestMapSide = 128;
bool isLargerThanGameMaps(MapSize size);

// The tile map ("MTXM") as held: two bytes a tile, row by row; empty when the document has none.
std::span<const std::uint8_t> tileMap(const Document& document);

// What makes the declared size untrustworthy: more tiles than the tile map holds, or a side of
// none. Nothing when the size is sound or there is no "DIM ". A reader that would allocate or
// index by the size checks this first: a sound size is bounded by the file that backs it.
std::optional<std::string> mapSizeProblem(const Document& document);

// The "VER " word, when the document holds that section.
std::optional<std::uint16_t> versionWord(const Document& document);

std::uint16_t terrainWord(const Document& document, SectionId era);
void setTerrainWord(Document& document, SectionId era, Terrain terrain);

// The game version whose expansion players always play on Wasteland, whatever "ERAX" says.
inline constexpr std::uint16_t kWastelandOnlyVersion = 17;

// The rule for version 17 scenarios that carry "ERAX": their expansion terrain is Wasteland and
// cannot be chosen. Stores Wasteland and returns true when the rule applies.
bool applyWastelandOnlyRule(Document& document);

// Normal to "1.33": the document gains "ERAX" with Wasteland. "1.33" to normal: it loses
// "ERAX", whose word is left at Swamp for a later conversion to show.
void convertToExpansion(Document& document);
void convertToNormal(Document& document);

}  // namespace tarnwick::model
