#pragma once

#include <cstdint>
#include <random>

namespace tarnwick::sound {

// The archive of the game's sound effects.
inline constexpr const char* kSoundArchive = "SFXDAT.SUD";

// The entry of the sound effects archive that "Comedy Relief :)" plays: two draws in five one of
// the ordinary sounds 0 to 244, otherwise one of the three entries 245, 375 and 376.
std::int64_t drawAboutSound(std::mt19937& generator);

}  // namespace tarnwick::sound
