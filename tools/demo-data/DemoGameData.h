#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

namespace tarnwick::demo {

using Bytes = std::vector<std::uint8_t>;

// Entries of the demo game's archives that other code looks for.
inline constexpr int kFirstDemoSprite = 300;  // MAINDAT.WAR 300 to 309, compressed
inline constexpr int kDemoSpriteCount = 10;
inline constexpr int kDemoRezSpriteCount = 5;  // REZDAT.WAR 0 to 4, stored as is
inline constexpr int kDemoScenarioEntry = 192;

// A sprite of `frames` frames in a `width` x `height` cell, its lines coded with literals,
// runs and skips.
Bytes demoSprite(int frames, int width, int height, std::uint8_t seed);
// 256 colours of three 6-bit values.
Bytes demoPalette(std::uint8_t seed);
// A string table with invented unit names and three computer strategies.
Bytes demoStringTable();
// Units 96 to 99 of the demo scenario are towers: structures that shoot, flagged "Is Tower".
inline bool isDemoTower(std::size_t unit) {
    return unit >= 96 && unit <= 99;
}

// The animation scripts of units 0 to 104 (entry 278): every script loops back to its start;
// fighting units attack with waits and opcode 10 and walk with moves and waits, towers shoot
// without opcode 10, other buildings only stand.
Bytes demoAnimations();
// A short 8-bit mono tone as a wave file, fading out.
Bytes demoWave(int hertz);

struct GameFile {
    std::string path;  // inside the game directory, e.g. "DATA/MAINDAT.WAR"
    Bytes bytes;
};

// A complete game directory made by the project: the six archives with palettes, a string
// table, default unit and upgrade data, sprites, animation scripts, a scenario in every slot
// the game keeps scenarios in (demoSlotScenario) and the sounds the About box plays, some
// entries compressed and some stored as is, plus an empty "WAR2.EXE".
std::vector<GameFile> demoGameFiles();

// Writes demoGameFiles() below `directory`; throws tarnwick::Error on failure.
void writeDemoGameDirectory(const QString& directory);

}  // namespace tarnwick::demo
