#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/model/FieldDescriptor.h"

namespace tarnwick::model {

inline constexpr std::size_t kPlayerSlotCount = 16;

namespace restrictionfields {
inline constexpr FieldDescriptor unitsAllowed{"unitsAllowed", 0, 4, kPlayerSlotCount};
inline constexpr FieldDescriptor spellsAtStart{"spellsAtStart", 64, 4, kPlayerSlotCount};
inline constexpr FieldDescriptor spellsAllowed{"spellsAllowed", 128, 4, kPlayerSlotCount};
inline constexpr FieldDescriptor spellsOther{"spellsOther", 192, 4, kPlayerSlotCount};
inline constexpr FieldDescriptor upgradesAllowed{"upgradesAllowed", 256, 4, kPlayerSlotCount};
inline constexpr FieldDescriptor upgradesOther{"upgradesOther", 320, 4, kPlayerSlotCount};
}  // namespace restrictionfields

inline constexpr FieldDescriptor kRestrictionFields[] = {
    restrictionfields::unitsAllowed,    restrictionfields::spellsAtStart,
    restrictionfields::spellsAllowed,   restrictionfields::spellsOther,
    restrictionfields::upgradesAllowed, restrictionfields::upgradesOther,
};

// The "ALOW" body: per-player bit sets.
class RestrictionTable {
  public:
    static constexpr std::size_t kSize = 384;

    std::array<std::uint8_t, kSize> bytes{};

    // The table "Add Default Restrictions" builds: everything may be built and researched,
    // nobody starts with a spell.
    static RestrictionTable defaults();

    bool bit(const FieldDescriptor& array, std::size_t slot, unsigned bitIndex) const;
    // Touches exactly one bit of one slot.
    void setBit(const FieldDescriptor& array, std::size_t slot, unsigned bitIndex, bool state);
};

static_assert(fieldsTileRecord(kRestrictionFields, RestrictionTable::kSize));

}  // namespace tarnwick::model
