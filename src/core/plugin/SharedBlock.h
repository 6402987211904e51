#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/model/SectionCatalogue.h"

// The host editor's shared block: one descriptor table that every copy into and out
// of the block follows, so that no offset is written twice.
namespace tarnwick::plugin {

enum class BlockField : std::uint8_t {
    HostHandle,
    Type,
    Version,
    Description,
    Owners,
    Era,
    EraExpansion,
    MapWidth,
    MapHeight,
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
    EraExpansionPresent,
    RestrictionsPresent,
    CarriedBytes,
    UnitDataLength,
    UnitCount,
};

// What "Save and Exit" does with a field.
enum class OnSave : std::uint8_t {
    LeftAsIs,     // read at open, never written
    WrittenBack,  // the link's copy goes back into the block
    MapLayer,     // the host's map data; copied out at open, never written
};

struct BlockFieldInfo {
    BlockField id;
    std::string_view name;
    std::size_t offset;
    std::size_t size;
    OnSave onSave;
    // For the map layers: the section they fill and the bytes one cell (or one unit) takes.
    std::optional<model::SectionId> section = std::nullopt;
    std::size_t cellSize = 0;
};

inline constexpr std::size_t kMaxMapSide = 128;
inline constexpr std::size_t kMaxUnitRecords = 600;
inline constexpr std::size_t kUnitRecordSize = 8;
inline constexpr std::uint32_t kUnitDataLengthPlain = 5696;
inline constexpr std::uint32_t kUnitDataLengthWithSwamp = 5950;

inline constexpr std::array<BlockFieldInfo, 27> kBlockLayout = {{
    {BlockField::HostHandle, "host handle", 0, 4, OnSave::LeftAsIs},
    {BlockField::Type, "TYPE", 4, 16, OnSave::WrittenBack},
    {BlockField::Version, "VER ", 20, 2, OnSave::WrittenBack},
    {BlockField::Description, "DESC", 22, 32, OnSave::WrittenBack},
    {BlockField::Owners, "OWNR", 54, 16, OnSave::WrittenBack},
    {BlockField::Era, "ERA ", 70, 2, OnSave::WrittenBack},
    {BlockField::EraExpansion, "ERAX", 72, 2, OnSave::WrittenBack},
    {BlockField::MapWidth, "map width", 74, 2, OnSave::WrittenBack},
    {BlockField::MapHeight, "map height", 76, 2, OnSave::WrittenBack},
    {BlockField::UnitData, "UDTA", 78, 5950, OnSave::WrittenBack},
    {BlockField::Upgrades, "UGRD", 6028, 782, OnSave::WrittenBack},
    {BlockField::Restrictions, "ALOW", 6810, 384, OnSave::WrittenBack},
    {BlockField::Sides, "SIDE", 7194, 16, OnSave::WrittenBack},
    {BlockField::StartGold, "SGLD", 7210, 32, OnSave::WrittenBack},
    {BlockField::StartLumber, "SLBR", 7242, 32, OnSave::WrittenBack},
    {BlockField::StartOil, "SOIL", 7274, 32, OnSave::WrittenBack},
    {BlockField::AiPlayers, "AIPL", 7306, 16, OnSave::WrittenBack},
    {BlockField::TileMap, "MTXM", 7322, 32768, OnSave::MapLayer, model::SectionId::TileMap, 2},
    {BlockField::SquareMap, "SQM ", 40090, 32768, OnSave::MapLayer, model::SectionId::SquareMap, 2},
    {BlockField::OilMap, "OILM", 72858, 16384, OnSave::MapLayer, model::SectionId::OilMap, 1},
    {BlockField::RegionMap, "REGM", 89242, 32768, OnSave::MapLayer, model::SectionId::RegionMap, 2},
    {BlockField::Units, "UNIT", 122010, 4800, OnSave::MapLayer, model::SectionId::Units,
     kUnitRecordSize},
    {BlockField::EraExpansionPresent, "ERAX present", 126810, 1, OnSave::WrittenBack},
    {BlockField::RestrictionsPresent, "ALOW present", 126811, 1, OnSave::WrittenBack},
    {BlockField::CarriedBytes, "carried bytes", 126812, 2, OnSave::WrittenBack},
    {BlockField::UnitDataLength, "UDTA length", 126814, 4, OnSave::WrittenBack},
    {BlockField::UnitCount, "unit count", 126818, 4, OnSave::LeftAsIs},
}};

// Where the host's further data begins: the least size of a usable block.
inline constexpr std::size_t kBlockSize = 126822;

constexpr const BlockFieldInfo& blockField(BlockField id) {
    return kBlockLayout[static_cast<std::size_t>(id)];
}

namespace detail {

constexpr bool layoutInIdOrderAndPacked() {
    std::size_t expected = 0;
    for (std::size_t i = 0; i < kBlockLayout.size(); ++i) {
        const BlockFieldInfo& field = kBlockLayout[i];
        if (static_cast<std::size_t>(field.id) != i || field.offset != expected ||
            field.size == 0) {
            return false;
        }
        expected = field.offset + field.size;
    }
    return expected == kBlockSize;
}

// The host's offsets as it documents them, in order, ending with its further data.
inline constexpr std::array<std::size_t, 28> kHostOffsets = {
    0,     4,      20,     22,     54,     70,     72,     74,    76,    78,
    6028,  6810,   7194,   7210,   7242,   7274,   7306,   7322,  40090, 72858,
    89242, 122010, 126810, 126811, 126812, 126814, 126818, 126822};

constexpr bool offsetsAreTheHostsOnes() {
    for (std::size_t i = 0; i < kBlockLayout.size(); ++i) {
        if (kBlockLayout[i].offset != kHostOffsets[i]) {
            return false;
        }
    }
    return kHostOffsets.back() == kBlockSize;
}

// "Save and Exit" writes offsets 4 to 7321 and the eight bytes from 126810, nothing else: the
// host handle, the map layers and the unit count stay the host's.
constexpr bool writtenBackIsTheFixedPart() {
    for (const BlockFieldInfo& field : kBlockLayout) {
        const std::size_t end = field.offset + field.size;
        const bool fixed =
            (field.offset >= 4 && end <= 7322) || (field.offset >= 126810 && end <= 126818);
        if ((field.onSave == OnSave::WrittenBack) != fixed) {
            return false;
        }
    }
    return true;
}

constexpr bool layersHaveRoomForTheLargestMap() {
    for (const BlockFieldInfo& field : kBlockLayout) {
        if (field.onSave != OnSave::MapLayer) {
            continue;
        }
        const std::size_t cells =
            field.id == BlockField::Units ? kMaxUnitRecords : kMaxMapSide * kMaxMapSide;
        if (!field.section || field.size != cells * field.cellSize) {
            return false;
        }
    }
    return true;
}

}  // namespace detail

static_assert(detail::layoutInIdOrderAndPacked());
static_assert(detail::offsetsAreTheHostsOnes());
static_assert(detail::writtenBackIsTheFixedPart());
static_assert(detail::layersHaveRoomForTheLargestMap());
static_assert(blockField(BlockField::UnitData).size == kUnitDataLengthWithSwamp);

}  // namespace tarnwick::plugin
