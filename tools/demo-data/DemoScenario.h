#pragma once

#include <cstdint>
#include <string>

#include "core/model/Document.h"

namespace tarnwick::demo {

// What sets one demo scenario apart from another.
struct DemoScenarioShape {
    std::uint16_t mapSide = 64;
    bool expansion = true;  // on the expansion's terrain, with its version and section
    bool swampGraphics = false;
    std::string description = "Tarnwick demo: the river ford";
    std::uint32_t variation = 0;  // moves the units' values, so that no two scenarios agree
};

// A small scenario with invented but plausible values, for trying the editor without the game.
model::Document demoScenario(const DemoScenarioShape& shape = {});

// The scenario in slot `entry` of the demo game's main archive: 192 is demoScenario(), every
// other one differs in map size, terrain, values, and whether it belongs to the expansion.
model::Document demoSlotScenario(std::int64_t entry);

}  // namespace tarnwick::demo
