#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarnwick::model {

// Archive numbers 1 to 6 of a graphics entry word, in order.
inline constexpr std::array<std::string_view, 6> kGraphicsArchiveNames = {
    "MAINDAT.WAR", "SNDDAT.WAR", "REZDAT.WAR", "STRDAT.WAR", "SFXDAT.SUD", "MUDDAT.CUD"};

// A unit's picture for one terrain: where it lies in the game's archives, plus three flags.
struct GraphicsEntry {
    static constexpr std::uint16_t kNoGraphics = 65535;
    static constexpr std::uint16_t kRepeatBit = 0x8000;
    static constexpr std::uint16_t kFlag1Bit = 0x4000;
    static constexpr std::uint16_t kFlag2Bit = 0x2000;
    static constexpr std::uint16_t kLocationMask = 0x1FFF;

    bool repeat = false;
    bool flag1 = false;
    bool flag2 = false;
    std::uint16_t location = 0;  // 1000 x archive number + entry number

    static constexpr GraphicsEntry decode(std::uint16_t word) {
        return {(word & kRepeatBit) != 0, (word & kFlag1Bit) != 0, (word & kFlag2Bit) != 0,
                static_cast<std::uint16_t>(word & kLocationMask)};
    }
    static constexpr GraphicsEntry at(int archive, int entry) {
        return {false, false, false, static_cast<std::uint16_t>(archive * 1000 + entry)};
    }

    constexpr std::uint16_t encode() const {
        return static_cast<std::uint16_t>((repeat ? kRepeatBit : 0) | (flag1 ? kFlag1Bit : 0) |
                                          (flag2 ? kFlag2Bit : 0) | (location & kLocationMask));
    }
    // Anything outside archives 1 to 6 means "No GFX".
    constexpr bool hasGraphics() const { return location >= 1000 && location <= 6999; }
    constexpr int archive() const { return location / 1000; }
    constexpr int entry() const { return location % 1000; }
    constexpr std::string_view archiveName() const {
        return hasGraphics() ? kGraphicsArchiveNames[static_cast<std::size_t>(archive() - 1)]
                             : std::string_view{};
    }
};

static_assert(GraphicsEntry::decode(0xA000 | 1234).repeat);
static_assert(GraphicsEntry::decode(0xA000 | 1234).encode() == (0xA000 | 1234));
static_assert(!GraphicsEntry::decode(GraphicsEntry::kNoGraphics).hasGraphics());

}  // namespace tarnwick::model
