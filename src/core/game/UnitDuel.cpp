#include "core/game/UnitDuel.h"

#include <algorithm>
#include <charconv>

#include "core/Error.h"

namespace tarnwick::game {

namespace {

namespace uf = model::unitfields;

constexpr std::uint32_t kDomainFlags = kLandUnitFlag | kAirUnitFlag | kSeaUnitFlag;

std::uint32_t targetBitFor(std::uint32_t unitType) {
    switch (unitType) {
        case 0:  // land
            return 1u << 0;
        case 1:  // air
            return 1u << 2;
        default:
            return 1u << 1;
    }
}

void checkUnit(std::size_t unit) {
    if (unit >= kAnimatedUnitCount) {
        throw Error("Unit " + std::to_string(unit) +
                    " cannot be compared: only units 0 to 104 have animation scripts");
    }
}

}  // namespace

double attackRate(const ScriptCounters& attack, bool isTower) {
    if (attack.waitTotal == 0) {
        return 0;
    }
    const double attacks = attack.attackCount == 0 && isTower ? 1.0 : attack.attackCount;
    return attacks / attack.waitTotal;
}

double ticksPerTile(const ScriptCounters& movement) {
    if (movement.moveTotal == 0) {
        return 0;
    }
    return 32.0 * movement.waitTotal / movement.moveTotal;
}

Fighter fighterOf(const model::UnitDataTable& table, const AnimationSummary& summary,
                  std::size_t unit) {
    checkUnit(unit);
    Fighter fighter;
    fighter.hitPoints = table.get(uf::hitPoints, unit);
    fighter.armor = table.get(uf::armor, unit);
    fighter.basicDamage = table.get(uf::basicDamage, unit);
    fighter.piercingDamage = table.get(uf::piercingDamage, unit);
    fighter.attackRange = table.get(uf::attackRange, unit);
    fighter.missile = table.get(uf::missile, unit);
    fighter.unitType = table.get(uf::unitType, unit);
    fighter.canTarget = table.get(uf::canTarget, unit);
    fighter.flags = table.get(uf::flags, unit);
    fighter.attackRate =
        attackRate(summary.of(unit, kAttackAnimation), (fighter.flags & kTowerFlag) != 0);
    fighter.ticksPerTile = ticksPerTile(summary.of(unit, kMovementAnimation));
    return fighter;
}

bool canReach(const Fighter& x, const Fighter& y) {
    const bool structure = (x.flags & kDomainFlags) == 0;
    if (structure && x.attackRange < y.attackRange) {
        return false;
    }
    return (x.canTarget & targetBitFor(y.unitType)) != 0;
}

double damagePerAttack(const Fighter& x, const Fighter& y) {
    const bool reaches = canReach(x, y);
    const double basic = reaches ? x.basicDamage : 0.0;
    const double piercing = reaches ? x.piercingDamage : 0.0;
    return (piercing + std::max(basic - y.armor, 0.0)) * 1.5 * 0.5;
}

double missileHit(std::uint32_t missile, double distance) {
    switch (missile) {
        case kHealEffect:
        case kExplosion:
            return 0;
        case kCatapultRock:
        case kBallistaBolt:
        case kSmallCannon:
            return distance == 1.0 ? 0.0 : 1.0;
        default:
            return 1;
    }
}

DuelOutcome duel(const Fighter& x, const Fighter& y) {
    DuelOutcome outcome;
    const double closeRange = std::min(x.attackRange, y.attackRange);
    outcome.damagePerTick =
        x.attackRate * damagePerAttack(x, y) * missileHit(x.missile, closeRange);
    if (outcome.damagePerTick == 0) {
        return outcome;
    }
    const double p = outcome.damagePerTick;
    outcome.pointBlank = y.hitPoints / p;
    const double approach = std::max(x.attackRange - y.attackRange, 0.0);
    const double dealtWhileApproaching =
        p * approach * y.ticksPerTile * missileHit(x.missile, x.attackRange);
    outcome.maxDistance = std::max(y.hitPoints - dealtWhileApproaching, 0.0) / p;
    return outcome;
}

std::string formatNumber(double value) {
    char text[64];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::general, 15);
    return std::string(text, result.ptr);
}

std::string formatTime(double ticks, TimeUnit unit) {
    return formatNumber(unit == TimeUnit::Seconds ? ticks / kTicksPerSecond : ticks);
}

std::vector<std::string> compareUnits(const model::UnitDataTable& table,
                                      const AnimationSummary& summary, const ChosenUnit& a,
                                      const ChosenUnit& b, TimeUnit unit) {
    const Fighter fighterA = fighterOf(table, summary, a.id);
    const Fighter fighterB = fighterOf(table, summary, b.id);
    const DuelOutcome aOnB = duel(fighterA, fighterB);
    const DuelOutcome bOnA = duel(fighterB, fighterA);
    const std::string nameA = a.name + "(a)";
    const std::string nameB = b.name + "(b)";

    const auto timeLine = [unit](const std::string& killer, const std::string& victim,
                                 double ticks) {
        return "   Time for " + killer + " to kill " + victim + ": " + formatTime(ticks, unit);
    };
    const auto pointBlankLine = [&](const DuelOutcome& outcome, const std::string& killer,
                                    const std::string& victim) {
        return outcome.pointBlank ? timeLine(killer, victim, *outcome.pointBlank)
                                  : "Unit " + killer + " cannot attack";
    };
    const auto maxDistanceLine = [&](const DuelOutcome& outcome, const std::string& killer,
                                     const std::string& victim, const std::string& before) {
        if (!outcome.maxDistance) {
            return "Unit " + killer + " cannot kill unit " + victim;
        }
        return *outcome.maxDistance > 0 ? timeLine(killer, victim, *outcome.maxDistance) : before;
    };

    return {
        "If units start at point blank:",
        pointBlankLine(aOnB, nameA, nameB),
        pointBlankLine(bOnA, nameB, nameA),
        "",
        "If units start at maximum distance and move into range:",
        "(Time is measured from when both units are in firing range)",
        maxDistanceLine(aOnB, nameA, nameB, "Unit a kills unit b (before b is in firing range)"),
        maxDistanceLine(bOnA, nameB, nameA, "Unit b kills unit a (before a is in firing range)"),
    };
}

}  // namespace tarnwick::game
