#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/model/FieldDescriptor.h"

namespace tarnwick::model {

inline constexpr std::size_t kUnitCount = 110;           // unit ids 0 to 109
inline constexpr std::size_t kGraphicsRowCount = 127;    // graphics rows 0 to 126
inline constexpr std::size_t kRightClickUnitCount = 58;  // only units 0 to 57 have an action

namespace unitfields {
inline constexpr FieldDescriptor useDefault{"useDefault", 0, 2, 1};
inline constexpr FieldDescriptor gfxGroup{"gfxGroup", 2, 2, kUnitCount};
inline constexpr FieldDescriptor gfxGeneral{"gfxGeneral", 222, 2, kGraphicsRowCount};
inline constexpr FieldDescriptor gfxSummer{"gfxSummer", 476, 2, kGraphicsRowCount};
inline constexpr FieldDescriptor gfxWinter{"gfxWinter", 730, 2, kGraphicsRowCount};
inline constexpr FieldDescriptor gfxWasteland{"gfxWasteland", 984, 2, kGraphicsRowCount};
inline constexpr FieldDescriptor sightRange{"sightRange", 1238, 4, kUnitCount, 1, true};
inline constexpr FieldDescriptor hitPoints{"hitPoints", 1678, 2, kUnitCount};
inline constexpr FieldDescriptor magic{"magic", 1898, 1, kUnitCount};
inline constexpr FieldDescriptor buildTime{"buildTime", 2008, 1, kUnitCount};
inline constexpr FieldDescriptor goldCost{"goldCost", 2118, 1, kUnitCount, 1, false, 10, "gold"};
inline constexpr FieldDescriptor lumberCost{"lumberCost", 2228, 1,       kUnitCount, 1,
                                            false,        10,   "lumber"};
inline constexpr FieldDescriptor oilCost{"oilCost", 2338, 1, kUnitCount, 1, false, 10, "oil"};
inline constexpr FieldDescriptor tileSize{"tileSize", 2448, 2, kUnitCount, 2};
inline constexpr FieldDescriptor boxSize{"boxSize", 2888, 2, kUnitCount, 2};
inline constexpr FieldDescriptor attackRange{"attackRange", 3328, 1, kUnitCount};
inline constexpr FieldDescriptor cpuReactRange{"cpuReactRange", 3438, 1, kUnitCount};
inline constexpr FieldDescriptor reactRange{"reactRange", 3548, 1, kUnitCount};
inline constexpr FieldDescriptor armor{"armor", 3658, 1, kUnitCount};
inline constexpr FieldDescriptor multiSelectable{"multiSelectable", 3768, 1, kUnitCount};
inline constexpr FieldDescriptor priority{"priority", 3878, 1, kUnitCount};
inline constexpr FieldDescriptor basicDamage{"basicDamage", 3988, 1, kUnitCount};
inline constexpr FieldDescriptor piercingDamage{"piercingDamage", 4098, 1, kUnitCount};
inline constexpr FieldDescriptor weaponUpgradable{"weaponUpgradable", 4208, 1, kUnitCount};
inline constexpr FieldDescriptor armorUpgradable{"armorUpgradable", 4318, 1, kUnitCount};
inline constexpr FieldDescriptor missile{"missile", 4428, 1, kUnitCount};
inline constexpr FieldDescriptor unitType{"unitType", 4538, 1, kUnitCount};
inline constexpr FieldDescriptor decayRate{"decayRate", 4648, 1, kUnitCount};
inline constexpr FieldDescriptor annoyFactor{"annoyFactor", 4758, 1, kUnitCount};
inline constexpr FieldDescriptor rightClickAction{"rightClickAction", 4868, 1,
                                                  kRightClickUnitCount};
inline constexpr FieldDescriptor pointValue{"pointValue", 4926, 2, kUnitCount};
inline constexpr FieldDescriptor canTarget{"canTarget", 5146, 1, kUnitCount};
inline constexpr FieldDescriptor flags{"flags", 5256, 4, kUnitCount};
}  // namespace unitfields

// Every array of the record, in record order.
inline constexpr FieldDescriptor kUnitDataFields[] = {
    unitfields::useDefault,      unitfields::gfxGroup,        unitfields::gfxGeneral,
    unitfields::gfxSummer,       unitfields::gfxWinter,       unitfields::gfxWasteland,
    unitfields::sightRange,      unitfields::hitPoints,       unitfields::magic,
    unitfields::buildTime,       unitfields::goldCost,        unitfields::lumberCost,
    unitfields::oilCost,         unitfields::tileSize,        unitfields::boxSize,
    unitfields::attackRange,     unitfields::cpuReactRange,   unitfields::reactRange,
    unitfields::armor,           unitfields::multiSelectable, unitfields::priority,
    unitfields::basicDamage,     unitfields::piercingDamage,  unitfields::weaponUpgradable,
    unitfields::armorUpgradable, unitfields::missile,         unitfields::unitType,
    unitfields::decayRate,       unitfields::annoyFactor,     unitfields::rightClickAction,
    unitfields::pointValue,      unitfields::canTarget,       unitfields::flags,
};

// The "UDTA" body without the optional swamp array.
class UnitDataTable {
  public:
    static constexpr std::size_t kSize = 5696;
    // The stand-alone "MAINDAT style" form leaves out the leading useDefault word.
    static constexpr std::size_t kWithoutUseDefault = kSize - 2;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint32_t get(const FieldDescriptor& field, std::size_t index, std::size_t part = 0) const {
        return readField(bytes, field, index, part);
    }
    void set(const FieldDescriptor& field, std::size_t index, std::uint32_t value,
             std::size_t part = 0) {
        writeField(bytes, field, index, value, part);
    }
};

static_assert(fieldsTileRecord(kUnitDataFields, UnitDataTable::kSize));
static_assert(keptInTensOrWhole(kUnitDataFields));
static_assert(unitfields::hitPoints.offset == 1678 && unitfields::flags.offset == 5256);
static_assert(unitfields::pointValue.offset == unitfields::rightClickAction.end());

// The expansion's "Orc Swamp" graphics entries that may follow the record.
inline constexpr FieldDescriptor kSwampGraphicsField{"gfxSwamp", 0, 2, kGraphicsRowCount};
using SwampGraphics = std::array<std::uint8_t, kSwampGraphicsField.end()>;
static_assert(sizeof(SwampGraphics) == 254);

}  // namespace tarnwick::model
