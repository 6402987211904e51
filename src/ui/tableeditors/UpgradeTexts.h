#pragma once

#include <array>

#include "core/model/UpgradeNames.h"

namespace tarnwick::ui {

using model::kUpgradeNames;
inline constexpr std::size_t kFirstSpellUpgrade = 34;

// The 21 "affects" bits read as unit upgrades and as spells.
inline constexpr std::array<const char*, 21> kAffectsAsUnitUpgrades = {
    "Arrow 1",     "Arrow 2",      "Sword 1",       "Sword 2",       "Shield 1", "Shield 2",
    "Ship Canon1", "Shop Canon 2", "Ship Armour 1", "Ship Armour 2", "?? 1",     "?? 2",
    "Catapult 1",  "Catapult 2",   "?? 3",          "?? 4",          "Rangers",  "Longbow",
    "Scouting",    "Markmanship",  "Paladins"};
inline constexpr std::array<const char*, 21> kAffectsAsSpells = {
    "Holy Vision", "Healing",      "?",          "excorcism", "Flame Shield",   "Fireball",
    "Slow",        "Invisibility", "Polymorph",  "Blizzard",  "Eye of Kilrogg", "Bloodlust",
    "?",           "Raise dead",   "Death Coil", "Whirlwind", "Haste",          "Unholy Armor",
    "Runes",       "D and D",      "?"};

}  // namespace tarnwick::ui
