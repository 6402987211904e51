#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/game/BalanceMap.h"
#include "core/game/UnitRaces.h"

using namespace tarnwick;
using namespace tarnwick::game;
namespace uf = tarnwick::model::unitfields;

namespace {

constexpr double kTicks = kTicksPerSecond;

// Units 0 to 3 fight on land; unit 4 is a wall that hurts nobody; the rest are empty rows of
// ships out of everyone's reach.
struct Armies {
    Armies() {
        for (std::size_t unit = 5; unit < kAnimatedUnitCount; ++unit) {
            table.set(uf::unitType, unit, 2);
        }
        for (std::size_t unit = 0; unit < 5; ++unit) {
            table.set(uf::hitPoints, unit, 60 + 10 * static_cast<std::uint32_t>(unit));
            table.set(uf::basicDamage, unit, unit == 4 ? 0 : 6 + static_cast<std::uint32_t>(unit));
            table.set(uf::attackRange, unit, unit == 3 ? 4 : 1);
            table.set(uf::missile, unit, 29);
            table.set(uf::canTarget, unit, 1);
            table.set(uf::flags, unit, kLandUnitFlag);
            summary.scripts[unit][kAttackAnimation] = {1, 20, 0};
            summary.scripts[unit][kMovementAnimation] = {0, 8, 4};
        }
    }
    BalanceMatrix matrix() const { return BalanceMatrix(matchups(table, summary)); }

    model::UnitDataTable table;
    AnimationSummary summary;
};

bool isBlueish(const Rgb& c) {
    return c.blue > c.red + 40;
}
bool isReddish(const Rgb& c) {
    return c.red > c.blue + 40;
}

}  // namespace

TEST(BalanceMap, CellsTakeTheCalculatorsTimesAndCoverTheUnitsThatFight) {
    const Armies armies;
    const BalanceMatrix matrix = armies.matrix();
    EXPECT_EQ(matrix.units(), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    const std::vector<Matchup> pairs = matchups(armies.table, armies.summary);
    for (const Matchup& pair : pairs) {
        const DuelTimes near = matrix.duel(pair.a, pair.b, DuelStart::PointBlank);
        const DuelTimes far = matrix.duel(pair.a, pair.b, DuelStart::MaxDistance);
        EXPECT_EQ(near, (DuelTimes{pair.aOnB.pointBlank, pair.bOnA.pointBlank}));
        EXPECT_EQ(far, (DuelTimes{pair.aOnB.maxDistance, pair.bOnA.maxDistance}));
    }
    EXPECT_EQ(matrix.duel(4, 4, DuelStart::PointBlank), DuelTimes{});
    EXPECT_EQ(matrix.duel(7, 0, DuelStart::PointBlank), DuelTimes{});
    EXPECT_EQ(matrix.duel(0, 200, DuelStart::PointBlank), DuelTimes{});
    // The archer (range 4) starts far away: it shoots while unit 0 walks in.
    EXPECT_LT(*matrix.duel(3, 0, DuelStart::MaxDistance).aKillsB,
              *matrix.duel(3, 0, DuelStart::PointBlank).aKillsB);
}

TEST(BalanceMap, OutcomeColoursFollowTheWinnerAndCapAtTenToOne) {
    const TimeScale scale;
    const Rgb aWins = cellColour({10 * kTicks, 40 * kTicks}, MapShows::Outcome, scale);
    const Rgb bWins = cellColour({40 * kTicks, 10 * kTicks}, MapShows::Outcome, scale);
    EXPECT_TRUE(isBlueish(aWins));
    EXPECT_TRUE(isReddish(bWins));
    // A closer duel is paler; 10:1 and 50:1 both sit at the cap.
    const Rgb close = cellColour({10 * kTicks, 11 * kTicks}, MapShows::Outcome, scale);
    EXPECT_GT(close.red, aWins.red);
    EXPECT_EQ(cellColour({1 * kTicks, 10 * kTicks}, MapShows::Outcome, scale),
              cellColour({1 * kTicks, 50 * kTicks}, MapShows::Outcome, scale));
    const Rgb even = cellColour({7.0, 7.0}, MapShows::Outcome, scale);
    EXPECT_EQ(even.red, even.blue);
    // Killing before the other is in range is a win at the cap, not a division by zero.
    EXPECT_EQ(cellColour({0.0, 5 * kTicks}, MapShows::Outcome, scale),
              cellColour({1.0, 50 * kTicks}, MapShows::Outcome, scale));
    EXPECT_EQ(cellColour({}, MapShows::Outcome, scale), kCannotColour);

    // One side only: the winner's full colour and the mark.
    const DuelTimes onlyB{std::nullopt, 3 * kTicks};
    EXPECT_TRUE(isReddish(cellColour(onlyB, MapShows::Outcome, scale)));
    EXPECT_TRUE(hasOneSidedMark(onlyB, MapShows::Outcome));
    EXPECT_FALSE(hasOneSidedMark(onlyB, MapShows::Time));
    EXPECT_FALSE(hasOneSidedMark({2.0, 3.0}, MapShows::Outcome));
}

TEST(BalanceMap, TimeColoursRunFromShortToLongOverTheShownDuels) {
    const Armies armies;
    const BalanceMatrix matrix = armies.matrix();
    const std::vector<std::size_t> all = matrix.units();
    const TimeScale scale = timeScaleOf(matrix, DuelStart::PointBlank, all, all);
    double shortest = 1e9;
    double longest = 0;
    for (const std::size_t a : all) {
        for (const std::size_t b : all) {
            if (const auto ticks = matrix.duel(a, b, DuelStart::PointBlank).aKillsB) {
                shortest = std::min(shortest, *ticks / kTicks);
                longest = std::max(longest, *ticks / kTicks);
            }
        }
    }
    EXPECT_DOUBLE_EQ(scale.shortest, shortest);
    EXPECT_DOUBLE_EQ(scale.longest, longest);
    const auto colourOf = [&](double seconds) {
        return cellColour({seconds * kTicks, std::nullopt}, MapShows::Time, scale);
    };
    const std::vector<LegendEntry> legend = legendOf(MapShows::Time, scale);
    ASSERT_EQ(legend.size(), 4U);
    EXPECT_EQ(legend.front().colour, colourOf(shortest));
    EXPECT_EQ(legend[2].colour, colourOf(longest));
    EXPECT_LT(colourOf(shortest).green, colourOf(longest).green);
    EXPECT_EQ(cellColour({std::nullopt, 5.0}, MapShows::Time, scale), kCannotColour);
    EXPECT_EQ(legend.back().colour, kCannotColour);

    const std::vector<LegendEntry> outcome = legendOf(MapShows::Outcome, scale);
    EXPECT_EQ(outcome.front().text, "A wins 10:1 or more");
    EXPECT_EQ(outcome[1].text, "A wins 3:1");
    EXPECT_EQ(outcome[3].text, "B wins 3:1");
    EXPECT_TRUE(outcome.back().oneSidedMark);
}

TEST(BalanceMap, StrengthOrdersRowsByTheirMeanOutcome) {
    Armies armies;
    armies.table.set(uf::basicDamage, 2, 40);  // unit 2 wins everything
    armies.table.set(uf::hitPoints, 1, 5);     // unit 1 loses everything
    const BalanceMatrix matrix = armies.matrix();
    const std::vector<std::size_t> order =
        strongestFirst(matrix, DuelStart::PointBlank, matrix.units(), matrix.units());
    ASSERT_EQ(order.size(), 5U);
    EXPECT_EQ(order.front(), 2U);
    // The wall hurts nobody: it loses every duel it is in.
    EXPECT_EQ(std::set<std::size_t>(order.end() - 2, order.end()), (std::set<std::size_t>{1, 4}));
}

TEST(BalanceMap, AChangeOfOneUnitsDamageChangesItsRowAndColumnOnly) {
    Armies armies;
    const BalanceMatrix before = armies.matrix();
    armies.table.set(uf::basicDamage, 1, 12);
    const BalanceMatrix after = armies.matrix();
    std::set<std::pair<std::size_t, std::size_t>> changed;
    for (const std::size_t a : after.units()) {
        for (const std::size_t b : after.units()) {
            for (const DuelStart start : {DuelStart::PointBlank, DuelStart::MaxDistance}) {
                if (before.duel(a, b, start) != after.duel(a, b, start)) {
                    changed.insert({a, b});
                }
            }
        }
    }
    std::set<std::pair<std::size_t, std::size_t>> expected;
    for (std::size_t other = 0; other < 5; ++other) {
        expected.insert({1, other});
        expected.insert({other, 1});
    }
    EXPECT_EQ(changed, expected);
}

TEST(BalanceMap, HoverTextsNameTheWinnerFirstInTenthsOfSeconds) {
    EXPECT_EQ(duelSummary("Pikeman", "Grunt", {12.3 * kTicks, 14.1 * kTicks}),
              "Pikeman beats Grunt: 12.3 s against 14.1 s");
    EXPECT_EQ(duelSummary("Pikeman", "Grunt", {14.06 * kTicks, 12.34 * kTicks}),
              "Grunt beats Pikeman: 12.3 s against 14.1 s");
    EXPECT_EQ(duelSummary("Archer", "Peasant", {4 * kTicks, std::nullopt}),
              "Archer beats Peasant: 4.0 s; Peasant cannot hurt Archer");
    EXPECT_EQ(duelSummary("Peasant", "Archer", {std::nullopt, 0.0}),
              "Archer beats Peasant: 0.0 s; Peasant cannot hurt Archer");
    EXPECT_EQ(duelSummary("Wall", "Farm", {}), "Wall and Farm cannot hurt each other");
    EXPECT_EQ(duelSummary("Footman", "Footman", {90.0, 90.0}),
              "Footman and Footman are even: 2.5 s each");
}

TEST(BalanceMap, AnEmptyMapSaysWhyItHasNothingToShow) {
    Armies armies;
    SummaryWithFailures walked{armies.summary, {"Address outside the entry! error: IP=$0002"}};
    EXPECT_EQ(emptyMapReason(armies.matrix(), walked), std::nullopt);  // partly damaged: drawn

    walked.summary = {};
    const BalanceMatrix silent(matchups(armies.table, walked.summary));
    EXPECT_EQ(emptyMapReason(silent, walked),
              "The animation scripts give no unit an attack: the balance map shows nothing");
    walked.failures.assign(kAnimatedUnitCount * kAnimationCount, walked.failures.front());
    EXPECT_EQ(emptyMapReason(silent, walked),
              "No animation script could be walked: the balance map shows nothing");

    // Blows struck, but none of them hurts.
    for (std::size_t unit = 0; unit < 5; ++unit) {
        armies.table.set(uf::basicDamage, unit, 0);
        armies.table.set(uf::piercingDamage, unit, 0);
    }
    walked = {armies.summary, {}};
    EXPECT_EQ(emptyMapReason(armies.matrix(), walked),
              "No unit can hurt another: the balance map shows nothing");
}

TEST(BalanceMap, RacesFollowTheGamesOrder) {
    EXPECT_EQ(raceOf(0), Race::Human);     // footman
    EXPECT_EQ(raceOf(1), Race::Orc);       // grunt
    EXPECT_EQ(raceOf(57), Race::Neutral);  // critter
    EXPECT_EQ(raceOf(59), Race::Orc);      // pig farm
    EXPECT_EQ(raceOf(92), Race::Neutral);  // gold mine
    EXPECT_EQ(raceOf(103), Race::Human);   // human wall
    EXPECT_EQ(raceOf(104), Race::Orc);
    EXPECT_EQ(raceOf(105), Race::Neutral);
}
