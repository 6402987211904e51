#include "core/model/UnitTexts.h"

namespace tarnwick::model {

std::string decayText(std::int64_t rate) {
    if (rate == 0) {
        return "Never Decays";
    }
    return "Decays in " + std::to_string(rate * 6) + " seconds.";
}

std::string damageText(std::int64_t basic, std::int64_t piercing) {
    const std::int64_t least = piercing / 2 + (piercing % 2 != 0 ? 1 : 0);
    return std::to_string(least) + " to " + std::to_string(basic + piercing);
}

}  // namespace tarnwick::model
