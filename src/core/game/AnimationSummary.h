#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarnwick::game {

// The animation entry (entry 278 of MAINDAT.WAR) holds scripts for unit ids 0 to 104, seven
// animations each; the balance calculator uses the movement and the attack animation.
inline constexpr std::size_t kAnimatedUnitCount = 105;
inline constexpr std::size_t kAnimationCount = 7;
inline constexpr std::size_t kMovementAnimation = 3;
inline constexpr std::size_t kAttackAnimation = 4;

// What one script adds up to; every counter wraps modulo 65536 as the game's words do.
struct ScriptCounters {
    std::uint16_t attackCount = 0;
    std::uint16_t waitTotal = 0;
    std::uint16_t moveTotal = 0;

    bool operator==(const ScriptCounters&) const = default;
};

// The counters of every script of units 0 to 104. Starts as zeros; a walk that fails leaves
// the counters of its script as they were.
struct AnimationSummary {
    std::array<std::array<ScriptCounters, kAnimationCount>, kAnimatedUnitCount> scripts{};

    // Throws std::out_of_range for a unit above 104 or an animation above 6.
    const ScriptCounters& of(std::size_t unit, std::size_t animation) const {
        return scripts.at(unit).at(animation);
    }
};

// The outcome of one walk: the counters, or the message line saying why the walk failed.
struct ScriptWalk {
    ScriptCounters counters;
    std::optional<std::string> failure;

    bool ok() const { return !failure.has_value(); }
};

// Walks the script that starts at `start`, executing instruction after instruction (a jump
// continues at its target) until an address is reached a second time. Nothing outside the entry
// is read. The walk fails with one message line:
//   "Invalid instruction! error: IP=$0123 OpCode=$1A"              opcode 16 or more
//   "Instruction cut short by the end of the entry! error: IP=$0123 OpCode=$03"
//                                                                   operands past the end
//   "Address outside the entry! error: IP=$0456"                   the start, a jump target
//                                                                   or the address after the
//                                                                   last byte lies outside
// Addresses are offsets from the entry's start, printed with at least four upper-case
// hexadecimal digits. A jump reaches only the first 64 KiB; running on past $FFFF in a longer
// entry does not wrap.
ScriptWalk walkScript(std::span<const std::uint8_t> entry, std::size_t start);

// Walks every script of units 0 to 104, animations 0 to 6, in that order, into `summary`.
// A unit's list offset lies at 2 x unit; its list holds the seven 16-bit script offsets. A
// list word outside the entry fails that walk ("Address outside the entry! error: IP=$" + the
// word's address). Failed walks keep their earlier counters. Returns one message line per
// failed walk, in walking order (empty when every walk ended normally).
std::vector<std::string> updateAnimationSummary(std::span<const std::uint8_t> entry,
                                                AnimationSummary& summary);

struct SummaryWithFailures {
    AnimationSummary summary;
    std::vector<std::string> failures;
};

// updateAnimationSummary on a summary of zeros.
SummaryWithFailures summariseAnimations(std::span<const std::uint8_t> entry);

// Whether at least one of the 735 walks ended normally.
inline bool anyScriptWalked(const SummaryWithFailures& walked) {
    return walked.failures.size() < kAnimatedUnitCount * kAnimationCount;
}

}  // namespace tarnwick::game
