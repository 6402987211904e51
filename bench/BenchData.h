#pragma once

#include <cstdint>
#include <vector>

#include "DemoGameData.h"

namespace tarnwick::bench {

using Bytes = std::vector<std::uint8_t>;

// Scenarios as map makers write them: tile maps with broad regions, unit tables, ~1 MB.
Bytes scenarioData();
// A few MB of everything: text, noise, runs, sprites, scenarios.
Bytes mixedData();
// The demo game's archives, as a user's game directory holds them.
const std::vector<demo::GameFile>& gameArchives();
// The unpacked entries of the demo game's archives, one after another.
Bytes gameData();

}  // namespace tarnwick::bench
