#include "core/game/UnitRaces.h"

#include <algorithm>
#include <array>

namespace tarnwick::game {

namespace {
constexpr std::size_t kRacedUnits = 105;
constexpr std::size_t kFirstWall = 103;
constexpr std::array<std::size_t, 12> kNeutralUnits = {34, 36, 37, 48,  54,  56,
                                                       57, 92, 93, 100, 101, 102};
}  // namespace

Race raceOf(std::size_t unit) {
    if (unit >= kRacedUnits || std::ranges::find(kNeutralUnits, unit) != kNeutralUnits.end()) {
        return Race::Neutral;
    }
    // The walls follow the three neutral rows 100 to 102, so their pair starts at an odd id.
    const bool humanParity = unit < kFirstWall ? unit % 2 == 0 : unit % 2 == 1;
    return humanParity ? Race::Human : Race::Orc;
}

}  // namespace tarnwick::game
