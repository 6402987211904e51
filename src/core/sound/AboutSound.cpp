#include "core/sound/AboutSound.h"

namespace tarnwick::sound {

std::int64_t drawAboutSound(std::mt19937& generator) {
    const int choice = std::uniform_int_distribution<int>(0, 29)(generator) % 5;
    switch (choice) {
        case 2:
            return 245;
        case 3:
            return 375;
        case 4:
            return 376;
        default:
            return std::uniform_int_distribution<int>(0, 244)(generator);
    }
}

}  // namespace tarnwick::sound
