#pragma once

#include <array>

namespace tarnwick::ui {

inline constexpr std::array<const char*, 3> kDomainNames = {"Land", "Air", "Sea"};

// Missile numbers 0 to 29; a stored 30 or more shows no selection.
inline constexpr std::array<const char*, 30> kMissileNames = {"Lightning",
                                                              "Griffon hammer",
                                                              "Dragon breath",
                                                              "Flame shield",
                                                              "Flame shield (on self)",
                                                              "Blizzard",
                                                              "Death and decay",
                                                              "Large cannon",
                                                              "Black powder",
                                                              "Heal effect",
                                                              "Touch of death",
                                                              "Rune",
                                                              "Tornado",
                                                              "Catapult rock",
                                                              "Ballista bolt",
                                                              "Arrow",
                                                              "Axe",
                                                              "Submarine missile",
                                                              "Turtle missile",
                                                              "Dark flame",
                                                              "Bright flame",
                                                              "Blood",
                                                              "Black powder #2",
                                                              "Explosion",
                                                              "Small cannon",
                                                              "Metal spark",
                                                              "Small explosion",
                                                              "Demon fire",
                                                              "Green cross",
                                                              "None"};

// Stored as the position plus one; 0 shows no selection.
inline constexpr std::array<const char*, 6> kRightClickNames = {
    "Attack", "Move", "Harvest", "Harvest Oil", "Explode", "Sail/Fly"};

struct FlagText {
    const char* caption;
    const char* tooltip;  // empty: none
};

inline constexpr const char* kDomainFlagTip =
    "Enable these boxes for what type of unit this is.  Can have some odd effects if you change "
    "it in conjunction with the Unit Type setting (under Unit Stats)";
// The air and sea boxes carry the same text, cut short where the original ends.
inline constexpr const char* kDomainFlagTipCut =
    "Enable these boxes for what type of unit this is.  Can have some odd effects if you change "
    "it in conjunction with the ";
inline constexpr const char* kDepotTip =
    "If this unit is a building, what kinds of resources can it recieve.";
inline constexpr const char* kCowardTip = "How cowardly is this unit.";

// Flag bits 0 to 31.
inline constexpr std::array<FlagText, 32> kFlagTexts = {{
    {"Land unit", kDomainFlagTip},
    {"Air unit", kDomainFlagTipCut},
    {"Exploding Death", "If this unit dies, it explodes leaving no body behind."},
    {"Sea unit", kDomainFlagTipCut},
    {"Critter/NPC", ""},
    {"Is Structure", "Enable this if the unit is a building."},
    {"Is Submarine",
     "This is a submarine type building.  Can't be seen except by towers, flyers, other subs, "
     "etc."},
    {"Can see submarines", "This unit can see units with the Submarine property."},
    {"Peon Behavior", kCowardTip},
    {"Can carry Oil", "This unit has the properties of an oil tanker."},
    {"Transport Unit",
     "This unit has the ability to be loaded with units, like transports when enabled.  This can "
     "cause problems with War2."},
    {"Contains Oil", "This unit contains oil."},
    {"Is Gold Depot", kDepotTip},
    {"Unknown bit #13", ""},
    {"Can Ground Attack",
     "Enable this if you want this unit to be able to ground attack (catapult, battleship, etc)"},
    {"Undead", "If enabled, this unit can be exorcised."},
    {"Shore Structure",
     "If this unit needs to be built on shore, the area between land and water, (shipyards etc) "
     "enable this."},
    {"Can Cast Spells", "Enable if this unit can cast spells."},
    {"Is Lumber Depot", kDepotTip},
    {"Can Attack", "Enable if this unit is an attacking unit."},
    {"Is Tower",
     "Causes problems with War2.  Probably makes this unit act as a tower, but currently doesn't "
     "really work."},
    {"Oil Patch", "This Unit acts as an oil patch."},
    {"Is Gold Mine", kDepotTip},
    {"Is Hero", ""},
    {"Is Oil Depot", kDepotTip},
    {"Volatile Unit",
     "If volatile is enabled then this unit is extremely sensitive to magical effects.  i.e., is "
     "destroyed.  An example of this is the Dwarven Demolition team.  Basically, spells can't be "
     "cast on this unit."},
    {"Mage Behavior", kCowardTip},
    {"Organic Unit",
     "If Organic is enabled, certain spells such as heal can be used on this unit."},
    {"Unknown bit #28", ""},
    {"Unknown bit #29", ""},
    {"Unknown bit #30", ""},
    {"Unknown bit #31", ""},
}};

}  // namespace tarnwick::ui
