#include "DemoScenario.h"

#include "DemoGameData.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "core/bytes/LittleEndian.h"
#include "core/model/GraphicsEntry.h"
#include "core/model/RestrictionTable.h"

namespace tarnwick::demo {

namespace {

using model::SectionId;
namespace uf = model::unitfields;

void fillText(std::span<std::uint8_t> body, std::string_view text) {
    std::fill(body.begin(), body.end(), 0);
    std::copy_n(text.begin(), std::min(text.size(), body.size()), body.begin());
}

void fillUnits(model::UnitDataTable& units, std::uint32_t variation) {
    for (std::size_t unit = 0; unit < model::kUnitCount; ++unit) {
        const auto u = static_cast<std::uint32_t>(unit);
        const bool building = unit >= 58 && unit < 105;
        units.set(uf::hitPoints, unit,
                  (building ? 400 + (u * 97) % 2200 : 30 + (u * 37) % 300) + variation);
        units.set(uf::sightRange, unit, 3 + u % 7);
        units.set(uf::buildTime, unit, 30 + (u * 13) % 200 + variation % 50);
        units.set(uf::goldCost, unit, 20 + (u * 7) % 100);
        units.set(uf::lumberCost, unit, (u * 3) % 50);
        units.set(uf::oilCost, unit, unit % 4 == 0 ? 10 : 0);
        units.set(uf::tileSize, unit, building ? 2 + u % 3 : 1, 0);
        units.set(uf::tileSize, unit, building ? 2 + u % 3 : 1, 1);
        units.set(uf::boxSize, unit, building ? 63 + (u % 3) * 32 : 31, 0);
        units.set(uf::boxSize, unit, building ? 63 + (u % 3) * 32 : 31, 1);
        units.set(uf::attackRange, unit, building ? 0 : 1 + u % 6);
        units.set(uf::reactRange, unit, 4 + u % 4);
        units.set(uf::cpuReactRange, unit, 6 + u % 4);
        units.set(uf::armor, unit, u % 20);
        units.set(uf::multiSelectable, unit, building ? 0 : 1);
        units.set(uf::priority, unit, (u * 41) % 256);
        units.set(uf::basicDamage, unit, building ? 0 : 3 + u % 12);
        units.set(uf::piercingDamage, unit, building ? 0 : 2 + u % 6);
        units.set(uf::weaponUpgradable, unit, building ? 0 : 1);
        units.set(uf::armorUpgradable, unit, building ? 0 : 1);
        units.set(uf::missile, unit, u % 30);
        units.set(uf::unitType, unit, u % 3);
        units.set(uf::decayRate, unit, unit >= 105 ? 10 : 0);
        units.set(uf::annoyFactor, unit, (u * 11) % 100);
        units.set(uf::pointValue, unit, 50 + u * 5);
        units.set(uf::canTarget, unit, building ? 0 : 1 + u % 7);
        const std::uint32_t domain = std::array<std::uint32_t, 3>{0x1, 0x2, 0x8}[unit % 3];
        units.set(uf::flags, unit, domain | (building ? 0x20u : 0x80000u));
        units.set(uf::gfxGroup, unit, u);
        if (unit < model::kRightClickUnitCount) {
            units.set(uf::rightClickAction, unit, 1 + u % 6);
        }
        if (isDemoTower(unit)) {
            // Guard towers shoot arrows at anything, cannon towers at land and sea only.
            const bool cannon = unit >= 98;
            units.set(uf::attackRange, unit, cannon ? 7 : 6);
            units.set(uf::basicDamage, unit, cannon ? 40 : 4);
            units.set(uf::piercingDamage, unit, cannon ? 0 : 12);
            units.set(uf::missile, unit, cannon ? 7 : 15);  // large cannon, arrow
            units.set(uf::unitType, unit, 0);
            units.set(uf::canTarget, unit, cannon ? 0x3 : 0x7);
            units.set(uf::flags, unit, 0x20 | 0x80000 | 0x100000);  // structure, attacks, tower
        }
    }
}

// Every row points at one of the demo game's sprites; some wasteland rows have none.
void fillGraphics(model::Document& document) {
    for (std::size_t row = 0; row < model::kGraphicsRowCount; ++row) {
        const auto sprite = [row](std::size_t shift) {
            const auto entry = static_cast<int>((row + shift) % kDemoSpriteCount);
            return model::GraphicsEntry::at(1, kFirstDemoSprite + entry).encode();
        };
        auto& units = document.unitData;
        units.set(uf::gfxGeneral, row, sprite(0));
        units.set(uf::gfxSummer, row, sprite(3));
        units.set(
            uf::gfxWinter, row,
            model::GraphicsEntry::at(3, static_cast<int>(row % kDemoRezSpriteCount)).encode());
        units.set(uf::gfxWasteland, row,
                  row % 4 == 0 ? model::GraphicsEntry::kNoGraphics : sprite(5));
        model::writeField(document.gfxSwamp, model::kSwampGraphicsField, row, sprite(7));
    }
}

void hold(model::Document& document, SectionId id) {
    document.setHeld(id, true);
}

// Repeatable noise from 0 to 99 for a tile.
std::uint32_t noise(std::size_t x, std::size_t y) {
    std::uint32_t h = static_cast<std::uint32_t>(x * 374761393u + y * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) % 100;
}

// A landmass in a sea of `side` tiles: a river from north to south with a ford, forests in the
// west, rocks in the east, coast along the water. Tile numbers are the game's solid and mixed
// ranges.
std::uint16_t demoTile(std::size_t x, std::size_t y, std::size_t side) {
    const double centre = (static_cast<double>(side) - 1.0) / 2.0;
    const double dx = (static_cast<double>(x) - centre) / centre;
    const double dy = (static_cast<double>(y) - centre) / centre;
    const double fromCentre = dx * dx + dy * dy + static_cast<double>(noise(x, y)) / 900.0;
    const auto riverX = static_cast<std::size_t>(static_cast<double>(side / 2) +
                                                 4.0 * std::sin(static_cast<double>(y) / 7.0));
    const bool ford = y + 2 >= side / 2 && y <= side / 2 + 1;
    if (fromCentre > 1.02) {
        return fromCentre > 1.25 ? 0x20 : 0x10;  // deep and shallow water
    }
    if (fromCentre > 0.9) {
        return noise(x, y) < 50 ? 0x30 : 0x40;  // coast
    }
    if (x + 2 >= riverX && x <= riverX + 1 && !ford) {
        return x + 2 == riverX || x == riverX + 1 ? 0x100 : 0x10;  // the river between its banks
    }
    if (8 * x < 3 * side && y > 6 && noise(x / 3, y / 3) < 55) {
        return noise(x, y) < 90 ? 0x70 : 0x600;  // forest
    }
    if (3 * x > 2 * side && 32 * y > 17 * side && noise(x / 3, y / 3) < 45) {
        return noise(x, y) < 80 ? 0x80 : 0x400;  // rocks
    }
    return noise(x, y) < 85 ? 0x50 : 0x60;  // light and dark grass
}

}  // namespace

model::Document demoScenario(const DemoScenarioShape& shape) {
    const std::uint16_t side = shape.mapSide;
    model::Document document;
    fillText(document.body(SectionId::Type), "WAR2 MAP");
    // An expansion scenario is on Swamp there; one of the original game on one of its three.
    document.body(SectionId::Version)[0] = shape.expansion ? 19 : 11;
    fillText(document.body(SectionId::Description), shape.description);
    auto owners = document.body(SectionId::Owners);
    std::fill(owners.begin(), owners.end(), 3);  // nobody
    owners[0] = 5;                               // a person
    owners[1] = owners[2] = owners[3] = 4;       // the computer
    owners[15] = 2;                              // neutral: the gold mines
    document.body(SectionId::Era)[0] = static_cast<std::uint8_t>(shape.variation % 3);
    document.body(SectionId::EraExpansion)[0] = 3;
    bytes::writeLe(document.body(SectionId::Dimensions), 0, 2, side);
    bytes::writeLe(document.body(SectionId::Dimensions), 2, 2, side);
    for (const SectionId id :
         {SectionId::Type, SectionId::Version, SectionId::Description, SectionId::Owners,
          SectionId::Era, SectionId::Dimensions, SectionId::UnitData, SectionId::Upgrades,
          SectionId::Restrictions, SectionId::Sides, SectionId::StartGold, SectionId::StartLumber,
          SectionId::StartOil, SectionId::AiPlayers}) {
        hold(document, id);
    }
    document.setHasExpansionTerrain(shape.expansion);
    document.hasExpansionGfx = shape.swampGraphics;

    fillUnits(document.unitData, shape.variation);
    fillGraphics(document);
    for (std::size_t upgrade = 0; upgrade < model::kUpgradeCount; ++upgrade) {
        const auto u = static_cast<std::uint32_t>(upgrade);
        document.upgrades.set(model::upgradefields::time, upgrade, 100 + u);
        document.upgrades.set(model::upgradefields::gold, upgrade, 500 + 50 * u);
        document.upgrades.set(model::upgradefields::lumber, upgrade, 100 * (u % 4));
        document.upgrades.set(model::upgradefields::icon, upgrade, 120 + u);
        document.upgrades.set(model::upgradefields::affects, upgrade, 1u << (u % 21));
    }
    document.restrictions = model::RestrictionTable::defaults();
    for (std::size_t slot = 0; slot < 16; ++slot) {
        // The person starts with 2000 gold, 1000 lumber and 500 oil; the computers with more.
        const auto more = static_cast<std::uint32_t>(slot >= 1 && slot <= 3 ? slot * 500 : 0);
        bytes::writeLe(document.body(SectionId::StartGold), slot * 2, 2, 2000 + more);
        bytes::writeLe(document.body(SectionId::StartLumber), slot * 2, 2, 1000 + more);
        bytes::writeLe(document.body(SectionId::StartOil), slot * 2, 2, 500 + more / 2);
        document.body(SectionId::Sides)[slot] = static_cast<std::uint8_t>(slot % 2);
        document.body(SectionId::AiPlayers)[slot] = static_cast<std::uint8_t>(slot % 3);
    }
    document.body(SectionId::Sides)[15] = 2;

    const std::size_t tiles = std::size_t{side} * side;
    auto& tileMap = document.blob(SectionId::TileMap);
    tileMap.assign(tiles * 2, 0);
    for (std::size_t y = 0; y < side; ++y) {
        for (std::size_t x = 0; x < side; ++x) {
            bytes::writeLe(tileMap, 2 * (y * side + x), 2, demoTile(x, y, side));
        }
    }
    document.blob(SectionId::SquareMap).assign(tiles * 2, 0);
    document.blob(SectionId::OilMap).assign(tiles, 0);
    document.blob(SectionId::RegionMap).assign(tiles * 2, 0);
    // Four town halls, one per player, and two gold mines, placed as on a 64 x 64 map.
    struct PlacedUnit {
        std::uint32_t x, y, type, owner, extra;
    };
    auto& units = document.blob(SectionId::Units);
    units.clear();
    for (const PlacedUnit& unit :
         {PlacedUnit{14, 14, 58, 0, 0}, PlacedUnit{46, 46, 59, 1, 0}, PlacedUnit{46, 14, 58, 2, 0},
          PlacedUnit{14, 46, 59, 3, 0}, PlacedUnit{20, 20, 92, 15, 40},
          PlacedUnit{40, 40, 92, 15, 40}}) {
        const std::size_t at = units.size();
        units.resize(at + 8);
        bytes::writeLe(units, at, 2, unit.x * side / 64);
        bytes::writeLe(units, at + 2, 2, unit.y * side / 64);
        units[at + 4] = static_cast<std::uint8_t>(unit.type);
        units[at + 5] = static_cast<std::uint8_t>(unit.owner);
        bytes::writeLe(units, at + 6, 2, unit.extra);
    }
    for (const SectionId id : {SectionId::TileMap, SectionId::SquareMap, SectionId::OilMap,
                               SectionId::RegionMap, SectionId::Units}) {
        hold(document, id);
    }
    document.kind = model::DocumentKind::Scenario;
    document.isLoaded = true;
    return document;
}

model::Document demoSlotScenario(std::int64_t entry) {
    if (entry == kDemoScenarioEntry) {
        return demoScenario();
    }
    constexpr std::array<std::uint16_t, 4> kSides = {32, 64, 96, 128};
    constexpr std::int64_t kFirstExpansionScenario = 446;
    const bool expansion = entry >= kFirstExpansionScenario;
    return demoScenario(
        {.mapSide = kSides[static_cast<std::size_t>(entry % 4)],
         .expansion = expansion,
         .swampGraphics = expansion && entry % 2 == 0,
         .description = "Tarnwick demo: the scenario of entry " + std::to_string(entry),
         .variation = static_cast<std::uint32_t>(entry)});
}

}  // namespace tarnwick::demo
