#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/model/UnitDataTable.h"

namespace tarnwick::ui {

// An edit box of the "General" page and the table element it shows.
struct NumberBox {
    const char* name;
    const char* label;
    const model::FieldDescriptor* field;
    std::size_t part;  // 0 width, 1 height for the size fields
    int typingLimit;   // characters the user may type; 0: no limit
    const char* tooltip;
};

namespace uf = model::unitfields;

inline constexpr const char* kSizeBoxTip =
    "This setting determines how big the \"box\" around units when they are selected is.  The "
    "Interactive button allows you to load a custom GFX file and visually size the box.  This "
    "number is in Pixels.";
inline constexpr const char* kTileTip =
    "In Terrain Squares, how many squares does this building take up?";
inline constexpr const char* kDamageTip = "How much damage does this unit do?";

inline constexpr std::array<NumberBox, 19> kNumberBoxes = {{
    {"cpuReactRangeBox", "Computer Range:", &uf::cpuReactRange, 0, 3,
     "How far away an enemy unit is from this unit, before it will react."},
    {"annoyFactorBox", "Annoy Factor:", &uf::annoyFactor, 0, 3,
     "How much this unit \"annoys\" the computer"},
    {"pointValueBox", "Point Value:", &uf::pointValue, 0, 0,
     "How many points you get, for killing this unit."},
    {"reactRangeBox", "React Range:", &uf::reactRange, 0, 0,
     "The distance an enemy unit is away, before your unit will break formation and attack."},
    {"sightRangeBox", "Sight Range:", &uf::sightRange, 0, 1,
     "How far the unit can see into the fog and map covering"},
    {"decayRateBox", "Decay Rate:", &uf::decayRate, 0, 3,
     "How soon the unit decays after being built.  Does not effect units that you start with."},
    {"armorBox", "Armor:", &uf::armor, 0, 0, "Unit Armor"},
    {"hitPointsBox", "Hit Points:", &uf::hitPoints, 0, 4, "Unit Hit points"},
    {"attackRangeBox", "Attack Range:", &uf::attackRange, 0, 0,
     "How far away from this unit the target has to be before this unit can attack it."},
    {"basicDamageBox", "Basic Damage:", &uf::basicDamage, 0, 0, kDamageTip},
    {"piercingDamageBox", "Piercing Damage:", &uf::piercingDamage, 0, 0, kDamageTip},
    {"tileHeightBox", "Height(tiles):", &uf::tileSize, 1, 0, kTileTip},
    {"tileWidthBox", "Width(tiles):", &uf::tileSize, 0, 0, kTileTip},
    {"boxHeightBox", "Box Height:", &uf::boxSize, 1, 0, kSizeBoxTip},
    {"boxWidthBox", "Box Width:", &uf::boxSize, 0, 0, kSizeBoxTip},
    {"goldBox", "Gold:", &uf::goldCost, 0, 0, ""},
    {"lumberBox", "Lumber:", &uf::lumberCost, 0, 0, ""},
    {"oilBox", "Oil:", &uf::oilCost, 0, 0, ""},
    {"buildTimeBox", "Build Time:", &uf::buildTime, 0, 0, ""},
}};

// A check box that shows a 0-or-1 byte: any non-zero byte shows ticked.
struct ByteCheckBox {
    const char* name;
    const char* caption;
    const model::FieldDescriptor* field;
    const char* tooltip;
};

inline constexpr const char* kUpgradeTip =
    "Enable these two settings to control what parts of the unit are upgraded";

inline constexpr std::array<ByteCheckBox, 4> kByteCheckBoxes = {{
    {"magicBox", "Magic", &uf::magic, "Enable if this unit uses Magic."},
    {"multiSelectableBox", "Multiselectable", &uf::multiSelectable,
     "Can this unit be selected in a group by the mouse?"},
    {"weaponUpgradableBox", "Weapon", &uf::weaponUpgradable, kUpgradeTip},
    {"armorUpgradableBox", "Armor", &uf::armorUpgradable, kUpgradeTip},
}};

// The target boxes and the canTarget bit each one stands for.
struct TargetBox {
    const char* name;
    const char* caption;
    unsigned bit;
};
inline constexpr std::array<TargetBox, 3> kTargetBoxes = {{{"targetLandBox", "Target Land", 0},
                                                           {"targetSeaBox", "Target Sea", 1},
                                                           {"targetAirBox", "Target Air", 2}}};
inline constexpr const char* kTargetTip =
    "Specifies what type of units this unit can target and attack.";

}  // namespace tarnwick::ui

namespace tarnwick::ui {

// Position of a number box in kNumberBoxes by its name; fails to compile for an unknown name.
consteval std::size_t numberBoxIndex(std::string_view name) {
    for (std::size_t i = 0; i < kNumberBoxes.size(); ++i) {
        if (name == kNumberBoxes[i].name) {
            return i;
        }
    }
    throw "no such number box";
}

}  // namespace tarnwick::ui
