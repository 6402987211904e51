#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/game/MatchupTable.h"
#include "core/game/UnitDuel.h"

using namespace tarnwick;
using namespace tarnwick::game;
namespace uf = tarnwick::model::unitfields;

namespace {

// The matchup table's column names, as a spreadsheet or script reads them.
const std::string kHeader =
    "a_id,a_name,b_id,b_name,a_kills_b_point_blank_s,b_kills_a_point_blank_s,"
    "a_kills_b_max_distance_s,b_kills_a_max_distance_s,a_cost,b_cost";

struct UnitValues {
    std::uint32_t hitPoints = 60;
    std::uint32_t armor = 2;
    std::uint32_t basicDamage = 6;
    std::uint32_t piercingDamage = 3;
    std::uint32_t attackRange = 1;
    std::uint32_t missile = 29;  // "None": every shot hits
    std::uint32_t unitType = 0;  // land
    std::uint32_t canTarget = 1;
    std::uint32_t flags = kLandUnitFlag;
    ScriptCounters attack{1, 20, 0};
    ScriptCounters movement{0, 8, 4};
};

class Duel : public ::testing::Test {
  protected:
    void set(std::size_t unit, const UnitValues& values) {
        table_.set(uf::hitPoints, unit, values.hitPoints);
        table_.set(uf::armor, unit, values.armor);
        table_.set(uf::basicDamage, unit, values.basicDamage);
        table_.set(uf::piercingDamage, unit, values.piercingDamage);
        table_.set(uf::attackRange, unit, values.attackRange);
        table_.set(uf::missile, unit, values.missile);
        table_.set(uf::unitType, unit, values.unitType);
        table_.set(uf::canTarget, unit, values.canTarget);
        table_.set(uf::flags, unit, values.flags);
        summary_.scripts[unit][kAttackAnimation] = values.attack;
        summary_.scripts[unit][kMovementAnimation] = values.movement;
    }

    std::vector<std::string> compare(std::size_t a, std::size_t b,
                                     TimeUnit unit = TimeUnit::Ticks) const {
        return compareUnits(table_, summary_, {a, "A" + std::to_string(a)},
                            {b, "B" + std::to_string(b)}, unit);
    }

    DuelOutcome outcome(std::size_t x, std::size_t y) const {
        return duel(fighterOf(table_, summary_, x), fighterOf(table_, summary_, y));
    }

    model::UnitDataTable table_;
    AnimationSummary summary_;
};

}  // namespace

TEST(DuelNumbers, GeneralFormWithFifteenSignificantDigits) {
    EXPECT_EQ(formatNumber(72), "72");
    EXPECT_EQ(formatNumber(2.5), "2.5");
    EXPECT_EQ(formatNumber(0), "0");
    EXPECT_EQ(formatNumber(400.0 / 3.0), "133.333333333333");
    EXPECT_EQ(formatNumber(1e20), "1e+20");
    EXPECT_EQ(formatTime(72, TimeUnit::Ticks), "72");
    EXPECT_EQ(formatTime(72, TimeUnit::Seconds), "2");
}

TEST(DuelNumbers, RatesAndWalkingTimesAreGuardedAgainstZero) {
    EXPECT_EQ(attackRate({1, 0, 0}, false), 0);
    EXPECT_EQ(attackRate({0, 30, 0}, false), 0);
    EXPECT_DOUBLE_EQ(attackRate({0, 30, 0}, true), 1.0 / 30);
    EXPECT_DOUBLE_EQ(attackRate({2, 30, 0}, true), 2.0 / 30);
    EXPECT_EQ(ticksPerTile({0, 8, 0}), 0);
    EXPECT_EQ(ticksPerTile({0, 8, 4}), 64);
    EXPECT_EQ(missileHit(kHealEffect, 5), 0);
    EXPECT_EQ(missileHit(kExplosion, 5), 0);
    EXPECT_EQ(missileHit(kBallistaBolt, 1), 0);
    EXPECT_EQ(missileHit(kSmallCannon, 2), 1);
    EXPECT_EQ(missileHit(15, 1), 1);
}

TEST_F(Duel, TheResultLinesInTicksAndSeconds) {
    set(10, {.hitPoints = 60,
             .armor = 2,
             .basicDamage = 9,
             .piercingDamage = 3,
             .attackRange = 4,
             .missile = 15,
             .attack = {1, 20, 0},
             .movement = {0, 8, 4}});
    set(20, {.hitPoints = 200,
             .armor = 1,
             .basicDamage = 6,
             .piercingDamage = 2,
             .attackRange = 1,
             .missile = 16,
             .attack = {1, 10, 0},
             .movement = {0, 6, 2}});
    // A on B: 8.25 damage per attack, 1/20 attacks per tick; B walks 3 tiles at 96 ticks each
    // under fire. B on A: 4.5 per attack, 1/10 per tick, no walk.
    const std::vector<std::string> ticks = {
        "If units start at point blank:",
        "   Time for Archer(a) to kill Brute(b): 484.848484848485",
        "   Time for Brute(b) to kill Archer(a): 133.333333333333",
        "",
        "If units start at maximum distance and move into range:",
        "(Time is measured from when both units are in firing range)",
        "   Time for Archer(a) to kill Brute(b): 196.848484848485",
        "   Time for Brute(b) to kill Archer(a): 133.333333333333",
    };
    EXPECT_EQ(compareUnits(table_, summary_, {10, "Archer"}, {20, "Brute"}, TimeUnit::Ticks),
              ticks);
    const auto seconds =
        compareUnits(table_, summary_, {10, "Archer"}, {20, "Brute"}, TimeUnit::Seconds);
    EXPECT_EQ(seconds[1], "   Time for Archer(a) to kill Brute(b): 13.4680134680135");
    EXPECT_EQ(seconds[2], "   Time for Brute(b) to kill Archer(a): 3.7037037037037");
    EXPECT_EQ(seconds[6], "   Time for Archer(a) to kill Brute(b): 5.46801346801347");
}

TEST_F(Duel, UnitsThatCannotHurtEachOther) {
    set(3, {.canTarget = 0});
    set(4, {.canTarget = 2});  // sea only, and unit 3 walks on land
    const std::vector<std::string> expected = {
        "If units start at point blank:",
        "Unit A3(a) cannot attack",
        "Unit B4(b) cannot attack",
        "",
        "If units start at maximum distance and move into range:",
        "(Time is measured from when both units are in firing range)",
        "Unit A3(a) cannot kill unit B4(b)",
        "Unit B4(b) cannot kill unit A3(a)",
    };
    EXPECT_EQ(compare(3, 4), expected);
}

TEST_F(Duel, TheTargetBitFollowsTheOtherUnitsType) {
    set(5, {.canTarget = 1u << 2});  // air only
    set(6, {.unitType = 1});
    set(7, {.unitType = 2});
    set(8, {.canTarget = 1u << 1});  // sea (any other type)
    EXPECT_TRUE(outcome(5, 6).pointBlank);
    EXPECT_FALSE(outcome(5, 7).pointBlank);
    EXPECT_TRUE(outcome(8, 7).pointBlank);
    EXPECT_FALSE(outcome(8, 6).pointBlank);
}

TEST_F(Duel, AStructureWithTheShorterRangeCannotAttack) {
    set(9, {.attackRange = 5});
    set(58, {.attackRange = 3, .flags = 0});
    EXPECT_FALSE(outcome(58, 9).pointBlank);
    EXPECT_EQ(compare(58, 9)[1], "Unit A58(a) cannot attack");
    set(58, {.attackRange = 5, .flags = 0});
    EXPECT_TRUE(outcome(58, 9).pointBlank);
    // A unit with a domain flag may attack from the shorter range.
    set(58, {.attackRange = 3, .flags = kSeaUnitFlag});
    EXPECT_TRUE(outcome(58, 9).pointBlank);
}

TEST_F(Duel, ACatapultRockAgainstRangeOneCannotAttackNorKill) {
    set(5, {.attackRange = 8, .missile = kCatapultRock});
    set(0, {.attackRange = 1});
    const auto lines = compare(5, 0);
    EXPECT_EQ(lines[1], "Unit A5(a) cannot attack");
    EXPECT_EQ(lines[6], "Unit A5(a) cannot kill unit B0(b)");
    EXPECT_EQ(lines[2].substr(0, 12), "   Time for ");
    set(0, {.attackRange = 2});
    EXPECT_TRUE(outcome(5, 0).pointBlank);
}

TEST_F(Duel, KillsBeforeTheOtherIsInFiringRange) {
    // A tower: no attack instruction, one shot per 10 ticks of 7.5 damage; the footman walks 5
    // tiles at 64 ticks each: 5 x 64 x 0.75 = 240 damage before it can strike.
    set(96, {.basicDamage = 0,
             .piercingDamage = 10,
             .attackRange = 6,
             .flags = kTowerFlag,
             .attack = {0, 10, 0},
             .movement = {}});
    set(0, {.hitPoints = 240, .attackRange = 1});
    EXPECT_EQ(outcome(96, 0).maxDistance, 0.0);
    const auto lines = compare(96, 0);
    EXPECT_EQ(lines[1], "   Time for A96(a) to kill B0(b): 320");
    EXPECT_EQ(lines[6], "Unit a kills unit b (before b is in firing range)");
    // The structure with the longer range is hit back at point blank, not from afar.
    EXPECT_EQ(lines[2].substr(0, 27), "   Time for B0(b) to kill A");
    EXPECT_EQ(compare(0, 96)[7], "Unit b kills unit a (before a is in firing range)");

    set(0, {.hitPoints = 241, .attackRange = 1});
    EXPECT_EQ(compare(96, 0)[6], "   Time for A96(a) to kill B0(b): 1.33333333333333");
    // Without the tower flag the same script never attacks.
    set(96, {.basicDamage = 0,
             .piercingDamage = 10,
             .attackRange = 6,
             .flags = 0,
             .attack = {0, 10, 0}});
    EXPECT_EQ(compare(96, 0)[1], "Unit A96(a) cannot attack");
}

TEST_F(Duel, TheSameUnitOnBothSidesTakesTheSameTime) {
    set(12, {.hitPoints = 77, .attackRange = 3, .attack = {2, 45, 0}});
    const auto lines =
        compareUnits(table_, summary_, {12, "Knight"}, {12, "Knight"}, TimeUnit::Seconds);
    EXPECT_EQ(lines[1], "   Time for Knight(a) to kill Knight(b): 9.16666666666667");
    EXPECT_EQ(lines[2], "   Time for Knight(b) to kill Knight(a): 9.16666666666667");
    EXPECT_EQ(lines[6], "   Time for Knight(a) to kill Knight(b): 9.16666666666667");
    EXPECT_EQ(lines[7], "   Time for Knight(b) to kill Knight(a): 9.16666666666667");
}

TEST_F(Duel, UnitsWithoutScriptsAreRefused) {
    EXPECT_THROW(compare(0, 105), Error);
    EXPECT_THROW(fighterOf(table_, summary_, 109), Error);
    EXPECT_NO_THROW(compare(104, 0));
}

TEST_F(Duel, TheMatchupTableHoldsThePairsThatCanFight) {
    // Ships that only unit 1 can hurt; the units left at zero are land units.
    set(1, {.hitPoints = 18,
            .basicDamage = 0,
            .piercingDamage = 4,
            .unitType = 2,
            .canTarget = 2,
            .attack = {1, 12, 0}});
    set(2, {.hitPoints = 36, .unitType = 2, .canTarget = 0});
    set(3, {.hitPoints = 15, .unitType = 2, .canTarget = 0});
    // Costs as the page shows them: stored in tens, gold + lumber + oil.
    table_.set(uf::goldCost, 1, 60);
    table_.set(uf::oilCost, 1, 5);
    table_.set(uf::lumberCost, 3, 25);
    const auto rows = matchups(table_, summary_);
    // Unit 1 fights itself, 2 and 3 (either way round); nothing else deals damage.
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].a, 1u);
    EXPECT_EQ(rows[0].b, 1u);
    EXPECT_EQ(rows[3].a, 2u);
    EXPECT_EQ(rows[3].b, 1u);

    const std::vector<std::string> names = {"zero", "Pike, long", "", "Say \"hi\""};
    const std::string csv = matchupCsv(rows, names);
    EXPECT_EQ(csv,
              kHeader + "\n" +
                  "1,\"Pike, long\",1,\"Pike, long\",2,2,2,2,650,650\n"
                  "1,\"Pike, long\",2,2,4,cannot,4,cannot,650,0\n"
                  "1,\"Pike, long\",3,\"Say \"\"hi\"\"\",1.66666666666667,cannot,1.66666666666667,"
                  "cannot,650,250\n"
                  "2,2,1,\"Pike, long\",cannot,4,cannot,4,0,650\n"
                  "3,\"Say \"\"hi\"\"\",1,\"Pike, long\",cannot,1.66666666666667,cannot,"
                  "1.66666666666667,250,650\n");
    EXPECT_EQ(matchupTableCsv(table_, summary_, names), csv);
    // Without names the ids stand in.
    const std::string plain = matchupTableCsv(table_, summary_, {});
    EXPECT_EQ(plain.substr(plain.find('\n') + 1, 25), "1,1,1,1,2,2,2,2,650,650\n1");
}
