#pragma once

#include <cstdint>
#include <string>

namespace tarnwick::model {

// "Never Decays", or "Decays in N seconds." for a decay rate typed as `rate` (6 s per step).
std::string decayText(std::int64_t rate);

// The damage range a unit deals, from the typed numbers: half the piercing damage rounded up,
// to basic plus piercing ("3 to 14").
std::string damageText(std::int64_t basic, std::int64_t piercing);

}  // namespace tarnwick::model
