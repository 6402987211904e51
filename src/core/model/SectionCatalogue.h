#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick::model {

// The sections a scenario may hold, in the order the writer writes them; a section kept in its
// place goes back where it was read instead.
enum class SectionId : std::uint8_t {
    Type,
    Version,
    Description,
    Owners,
    Era,
    EraExpansion,
    Dimensions,
    UnitData,
    Upgrades,
    Restrictions,
    Sides,
    StartGold,
    StartLumber,
    StartOil,
    AiPlayers,
    TileMap,
    SquareMap,
    OilMap,
    RegionMap,
    Units,
    Signature,
};

enum class SectionStorage : std::uint8_t {
    Image,     // fixed body size, read and written whole
    UnitData,  // the unit table, optionally followed by the swamp array
    Blob,      // any length, kept byte for byte; a part of the map
    AsRead,    // any length, kept byte for byte; nobody looks inside
    InPlace,   // as AsRead, and written back where it was read, not by the fixed order
};

struct SectionInfo {
    SectionId id;
    std::string_view tag;
    SectionStorage storage;
    std::size_t bodySize;  // images; the size a new "TYPE" starts with
};

inline constexpr std::array<SectionInfo, 21> kSections = {{
    // Only the tag of "TYPE" matters, and files in the wild differ in its length.
    {SectionId::Type, "TYPE", SectionStorage::AsRead, 16},
    {SectionId::Version, "VER ", SectionStorage::Image, 2},
    {SectionId::Description, "DESC", SectionStorage::Image, 32},
    {SectionId::Owners, "OWNR", SectionStorage::Image, 16},
    {SectionId::Era, "ERA ", SectionStorage::Image, 2},
    {SectionId::EraExpansion, "ERAX", SectionStorage::Image, 2},
    {SectionId::Dimensions, "DIM ", SectionStorage::Image, 4},
    {SectionId::UnitData, "UDTA", SectionStorage::UnitData, 5696},
    {SectionId::Upgrades, "UGRD", SectionStorage::Image, 782},
    {SectionId::Restrictions, "ALOW", SectionStorage::Image, 384},
    {SectionId::Sides, "SIDE", SectionStorage::Image, 16},
    {SectionId::StartGold, "SGLD", SectionStorage::Image, 32},
    {SectionId::StartLumber, "SLBR", SectionStorage::Image, 32},
    {SectionId::StartOil, "SOIL", SectionStorage::Image, 32},
    {SectionId::AiPlayers, "AIPL", SectionStorage::Image, 16},
    {SectionId::TileMap, "MTXM", SectionStorage::Blob, 0},
    {SectionId::SquareMap, "SQM ", SectionStorage::Blob, 0},
    {SectionId::OilMap, "OILM", SectionStorage::Blob, 0},
    {SectionId::RegionMap, "REGM", SectionStorage::Blob, 0},
    {SectionId::Units, "UNIT", SectionStorage::Blob, 0},
    // The game's later online edition adds it (4 bytes) at the end of its files.
    {SectionId::Signature, "SIGN", SectionStorage::InPlace, 0},
}};

inline constexpr std::size_t kSectionCount = kSections.size();

constexpr std::size_t indexOf(SectionId id) {
    return static_cast<std::size_t>(id);
}
constexpr const SectionInfo& sectionInfo(SectionId id) {
    return kSections[indexOf(id)];
}

constexpr std::optional<SectionId> findSectionByTag(std::string_view tag) {
    for (const SectionInfo& info : kSections) {
        if (info.tag == tag) {
            return info.id;
        }
    }
    return std::nullopt;
}

// The "UDTA" length with the 254-byte swamp array after the table.
inline constexpr std::size_t kUnitDataWithSwampSize = 5950;

}  // namespace tarnwick::model

namespace tarnwick::model {
constexpr bool catalogueInIdOrder() {
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        if (indexOf(kSections[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(catalogueInIdOrder());
static_assert(sectionInfo(SectionId::UnitData).bodySize == 5696);
}  // namespace tarnwick::model
