#pragma once

#include <cstddef>

// Which side of the game a unit belongs to. The unit data holds no such field; the game's own
// order does: a human unit or building and its orc counterpart stand side by side, the human
// one first, and the few units of neither side (critters, daemons, gold mines, oil
// patches, circles of power, portals, runestones and unused rows) sit between them.
namespace tarnwick::game {

// In the order of model::kRaceNames, which names them.
enum class Race { Human, Orc, Neutral };

// The race of unit `unit`; ids past the game's units (105 on) are neutral.
Race raceOf(std::size_t unit);

}  // namespace tarnwick::game
