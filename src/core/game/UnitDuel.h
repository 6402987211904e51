#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/game/AnimationSummary.h"
#include "core/model/UnitDataTable.h"

// The duel arithmetic of the game balance calculator: how long unit X needs to kill unit Y,
// once from point blank and once from the greatest distance, from the unit table and the
// summary of the game's animation scripts. All arithmetic is double precision; times are ticks.
namespace tarnwick::game {

inline constexpr double kTicksPerSecond = 36.0;

// Flag bits of the unit table the duel reads.
inline constexpr std::uint32_t kLandUnitFlag = 1u << 0;
inline constexpr std::uint32_t kAirUnitFlag = 1u << 1;
inline constexpr std::uint32_t kSeaUnitFlag = 1u << 3;
inline constexpr std::uint32_t kTowerFlag = 1u << 20;

// Missile numbers that change whether a shot hits.
inline constexpr std::uint32_t kHealEffect = 9;
inline constexpr std::uint32_t kCatapultRock = 13;
inline constexpr std::uint32_t kBallistaBolt = 14;
inline constexpr std::uint32_t kExplosion = 23;
inline constexpr std::uint32_t kSmallCannon = 24;

// Everything the duel needs of one unit, read once.
struct Fighter {
    double hitPoints = 0;
    double armor = 0;
    double basicDamage = 0;
    double piercingDamage = 0;
    double attackRange = 0;
    std::uint32_t missile = 0;
    std::uint32_t unitType = 0;
    std::uint32_t canTarget = 0;
    std::uint32_t flags = 0;
    double attackRate = 0;    // attacks per tick
    double ticksPerTile = 0;  // walking time
};

// Attacks per tick from the attack animation: attackCount (1 for a tower that has none)
// divided by waitTotal; 0 when waitTotal is 0.
double attackRate(const ScriptCounters& attack, bool isTower);
// Ticks per tile from the movement animation: 32 x waitTotal / moveTotal; 0 when moveTotal is 0.
double ticksPerTile(const ScriptCounters& movement);

// Unit `unit` (0 to 104) of the table with its attack rate and walking time from the summary.
// Throws tarnwick::Error for an id above 104.
Fighter fighterOf(const model::UnitDataTable& table, const AnimationSummary& summary,
                  std::size_t unit);

// Whether X's damage counts against Y at all: not for a unit without a domain flag (a
// structure) whose range is shorter than Y's, nor when X's canTarget lacks Y's domain bit
// (unitType 0 needs bit 0, 1 needs bit 2, any other needs bit 1).
bool canReach(const Fighter& x, const Fighter& y);
// (piercing + max(basic - armor of Y, 0)) x 1.5 x 0.5, with X's damage 0 when it cannot reach.
double damagePerAttack(const Fighter& x, const Fighter& y);
// 1 when a shot of `missile` at `distance` tiles hits, else 0: never for the heal effect and
// the explosion, not at distance 1 for the catapult rock, ballista bolt and small cannon.
double missileHit(std::uint32_t missile, double distance);

// X attacking Y, in ticks.
struct DuelOutcome {
    double damagePerTick = 0;
    // Both empty when X deals no damage per tick ("cannot attack", "cannot kill").
    std::optional<double> pointBlank;
    // From the greatest distance, counted from when both are in firing range; 0 when X kills
    // Y while Y walks into range.
    std::optional<double> maxDistance;
};
DuelOutcome duel(const Fighter& x, const Fighter& y);

enum class TimeUnit { Ticks, Seconds };

// A number in general form with up to 15 significant digits, no trailing zeros, an exponent
// only where needed ("72", "2.5", "1.33333333333333"); never depends on the locale.
std::string formatNumber(double value);
// Ticks as shown: divided by 36 for seconds.
std::string formatTime(double ticks, TimeUnit unit);

// A unit chosen for the comparison and the text shown for it.
struct ChosenUnit {
    std::size_t id = 0;  // 0 to 104
    std::string name;
};

// The calculator's eight result lines for A and B (the fourth empty), as the window shows them.
// Throws tarnwick::Error for an id above 104.
std::vector<std::string> compareUnits(const model::UnitDataTable& table,
                                      const AnimationSummary& summary, const ChosenUnit& a,
                                      const ChosenUnit& b, TimeUnit unit);

}  // namespace tarnwick::game
