#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/model/FieldDescriptor.h"

namespace tarnwick::model {

inline constexpr std::size_t kUpgradeCount = 52;

namespace upgradefields {
inline constexpr FieldDescriptor useDefault{"useDefault", 0, 2, 1};
inline constexpr FieldDescriptor time{"time", 2, 1, kUpgradeCount};
inline constexpr FieldDescriptor gold{"gold", 54, 2, kUpgradeCount};
inline constexpr FieldDescriptor lumber{"lumber", 158, 2, kUpgradeCount};
inline constexpr FieldDescriptor oil{"oil", 262, 2, kUpgradeCount};
inline constexpr FieldDescriptor icon{"icon", 366, 2, kUpgradeCount};
inline constexpr FieldDescriptor group{"group", 470, 2, kUpgradeCount};
inline constexpr FieldDescriptor affects{"affects", 574, 4, kUpgradeCount};
}  // namespace upgradefields

inline constexpr FieldDescriptor kUpgradeFields[] = {
    upgradefields::useDefault, upgradefields::time, upgradefields::gold,  upgradefields::lumber,
    upgradefields::oil,        upgradefields::icon, upgradefields::group, upgradefields::affects,
};

// The "UGRD" body.
class UpgradeTable {
  public:
    static constexpr std::size_t kSize = 782;
    static constexpr std::size_t kWithoutUseDefault = kSize - 2;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint32_t get(const FieldDescriptor& field, std::size_t index) const {
        return readField(bytes, field, index);
    }
    void set(const FieldDescriptor& field, std::size_t index, std::uint32_t value) {
        writeField(bytes, field, index, value);
    }
};

static_assert(fieldsTileRecord(kUpgradeFields, UpgradeTable::kSize));
static_assert(keptInTensOrWhole(kUpgradeFields));
static_assert(upgradefields::affects.offset == 574);

}  // namespace tarnwick::model
