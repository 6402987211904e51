#pragma once

#include "core/model/Document.h"

namespace tarnwick::demo {

// A small scenario with invented but plausible values, for trying the editor without the game.
model::Document demoScenario();

}  // namespace tarnwick::demo
