#pragma once

#include <array>

#include "core/model/UpgradeTable.h"

namespace tarnwick::model {

// Upgrade ids 0 to 51 as the upgrade editor lists them; 0 to 33 are unit upgrades, 34 on spells.
inline constexpr std::array<const char*, kUpgradeCount> kUpgradeNames = {"Sword 1",
                                                                         "Sword 2",
                                                                         "Axe 1",
                                                                         "Axe 2",
                                                                         "Arrow 1",
                                                                         "Arrow 2",
                                                                         "Throwing Axe 1",
                                                                         "Throwing Axe 2",
                                                                         "Human Shield 1",
                                                                         "Human Shield 2",
                                                                         "Orc Shield 1",
                                                                         "Orc Shield 2",
                                                                         "Human Ship Canon 1",
                                                                         "Human Ship Canon 2",
                                                                         "Orc Ship Canon 1",
                                                                         "Orc Ship Canon 2",
                                                                         "Human Ship Armor 1",
                                                                         "Human Ship Armor 2",
                                                                         "Orc Ship Armor 1",
                                                                         "Orc Ship Armor 2",
                                                                         "Catapult 1",
                                                                         "Catapult 2",
                                                                         "Ballista 1",
                                                                         "Ballista 2",
                                                                         "Train Rangers",
                                                                         "Longbow",
                                                                         "Ranger Scouting",
                                                                         "Ranger Marksmanship",
                                                                         "Train Beserkers",
                                                                         "Lighter Axes",
                                                                         "Beserker Scouting",
                                                                         "Beserker Regeneration",
                                                                         "Train Ogre-Mages",
                                                                         "Train Paladins",
                                                                         "Holy Vision",
                                                                         "Healing ",
                                                                         "Exorcism",
                                                                         "Flame Shield",
                                                                         "Fireball",
                                                                         "Slow",
                                                                         "Inivisibility",
                                                                         "Polymorph",
                                                                         "Blizzard",
                                                                         "Eye of Kilrogg",
                                                                         "Bloodlust",
                                                                         "Raise Dead",
                                                                         "Death Coil",
                                                                         "Whirlwind",
                                                                         "Haste ",
                                                                         "Unholy Armor",
                                                                         "Runes",
                                                                         "Death and Decay"};

}  // namespace tarnwick::model
