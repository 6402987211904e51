#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick::game {

inline constexpr std::size_t kNamedUnitRows = 105;  // unit ids 0 to 104

// The names the game's string table gives: unit rows 0 to 104 (empty where the table has no
// readable string, so the row keeps its name) and the computer-player strategies.
struct GameNames {
    std::array<std::optional<std::string>, kNamedUnitRows> unitRows;
    std::vector<std::string> strategies;
};

// Reads entry 1 of the string archive: a 16-bit count, 16-bit offsets from the entry's start,
// zero-terminated strings. Strings 1 to 103 name units 0 to 102; string 104 names units 103 and
// 104 behind "Human " and "Orc "; strategies are strings 160 on, up to the first empty or
// unreadable one. Nothing outside the entry is read.
GameNames readGameNames(std::span<const std::uint8_t> entry);

}  // namespace tarnwick::game
