#pragma once

#include <array>

namespace tarnwick::ui {

// What the bits of the restriction arrays stand for, in bit order.
inline constexpr std::array<const char*, 32> kRestrictedUnits = {"footman/grunt",
                                                                 "peasant/peon",
                                                                 "ballista/catapult",
                                                                 "knight/ogre",
                                                                 "archer/axe thrower",
                                                                 "mage/death knights",
                                                                 "tanker",
                                                                 "destroyer",
                                                                 "transport",
                                                                 "battleship/juggernault",
                                                                 "submarine/turtle",
                                                                 "flying machine/balloon",
                                                                 "gryphon/dragon",
                                                                 "unused/unused",
                                                                 "demo. squad/sapper",
                                                                 "aviary/roost",
                                                                 "farm",
                                                                 "barracks",
                                                                 "lumber mill",
                                                                 "stables/mound",
                                                                 "mage tower/temple",
                                                                 "foundry",
                                                                 "refinery",
                                                                 "inventor/alchemist",
                                                                 "church/altar storms",
                                                                 "tower",
                                                                 "town hall/great hall",
                                                                 "keep/stronghold",
                                                                 "castle/fortress",
                                                                 "blacksmith",
                                                                 "shipyard",
                                                                 "--------------"};
inline constexpr std::array<const char*, 21> kRestrictedSpells = {
    "holy vision",    "healing",         "--------------",
    "excorcism",      "flame shield",    "fireball",
    "slow",           "invisibility",    "polymorph",
    "blizzard",       "eye of kilrog",   "bloodlust",
    "--------------", "raise dead",      "death coil",
    "whirlwind",      "haste",           "unholy armor",
    "runes",          "death and decay", "Ogre-Mage/Paladin upgrade"};
inline constexpr std::array<const char*, 20> kRestrictedUpgrades = {"Arrow 1",
                                                                    "Arrow 2",
                                                                    "Sword 1 ",
                                                                    "Sword 2",
                                                                    "Shield 1",
                                                                    "Shield 2",
                                                                    "Ship Cannon 1",
                                                                    "Ship Cannon 2",
                                                                    "Ship Armor 1",
                                                                    "Ship Armor 2",
                                                                    "---------",
                                                                    "---------",
                                                                    "Ballista 1",
                                                                    "Ballista 2",
                                                                    "---------",
                                                                    "---------",
                                                                    "Elven Ranger training",
                                                                    "LongBow",
                                                                    "Scouting",
                                                                    "Ranger Marksmanship"};

// Players 1 to 8, the slots 0 to 7 the editors show.
inline constexpr std::array<const char*, 8> kPlayerCaptions = {
    "Player 1(Red)",    "Player 2(Blue)",  "Player 3(Green)", "Player 4(Violet)",
    "Player 5(Orange)", "Player 6(Black)", "Player 7(White)", "Player 8(Yellow)"};

}  // namespace tarnwick::ui
