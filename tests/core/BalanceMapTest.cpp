#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <utility>

#include "core/game/BalanceMap.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/UnitRaces.h"
#include "core/graphics/BitmapFont.h"

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

// The colour rule, as the legend tells it: from `from` to `to` by `share`, each channel rounded.
Rgb shareOf(const Rgb& from, const Rgb& to, double share) {
    const auto channel = [&](int start, int end) {
        return static_cast<std::uint8_t>(std::lround(start + (end - start) * share));
    };
    return {channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue)};
}

// Who wins by a log10 ratio: near white at even, A's blue or B's red, full from 10:1.
Rgb ruleColour(double log) {
    const double share = std::min(std::abs(log), 1.0);
    return shareOf({247, 247, 247}, log >= 0 ? Rgb{33, 102, 172} : Rgb{178, 24, 43}, share);
}

// A pair with the same times from either start, in seconds.
Matchup duelOf(std::size_t a, std::size_t b, std::optional<double> aSeconds,
               std::optional<double> bSeconds, std::int64_t aCost, std::int64_t bCost) {
    const auto ticks = [](std::optional<double> seconds) {
        return seconds ? std::optional(*seconds * kTicks) : std::nullopt;
    };
    Matchup pair{a, b, {}, {}, aCost, bCost};
    pair.aOnB.pointBlank = pair.aOnB.maxDistance = ticks(aSeconds);
    pair.bOnA.pointBlank = pair.bOnA.maxDistance = ticks(bSeconds);
    return pair;
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

TEST(BalanceMap, OutcomeColoursFollowTheRuleAndCapAtTenToOne) {
    const auto colour = [](const DuelTimes& times) {
        return cellColour(times, {}, MapShows::Outcome, TimeScale{});
    };
    EXPECT_EQ(colour({10 * kTicks, 40 * kTicks}), ruleColour(std::log10(4.0)));
    EXPECT_EQ(colour({40 * kTicks, 10 * kTicks}), ruleColour(-std::log10(4.0)));
    EXPECT_EQ(colour({1 * kTicks, 50 * kTicks}), ruleColour(1));  // past the cap
    // Killing before the other is in range is a win at the cap, not a division by zero.
    EXPECT_EQ(colour({0.0, 5 * kTicks}), ruleColour(1));
    EXPECT_EQ(colour({}), kCannotColour);
    // One side only: the winner's full colour and the mark, in the outcome only.
    const DuelTimes onlyB{std::nullopt, 3 * kTicks};
    EXPECT_EQ(colour(onlyB), ruleColour(-1));
    EXPECT_TRUE(hasOneSidedMark(onlyB, {}, MapShows::Outcome));
    EXPECT_FALSE(hasOneSidedMark(onlyB, {}, MapShows::Time));
    EXPECT_FALSE(hasOneSidedMark({2.0, 3.0}, {}, MapShows::Outcome));
}

TEST(BalanceMap, TheTimeScaleSpansTheFifthToTheNinetyFifthPercentileOfTheShownTimes) {
    // A kills unit b in b + 1 seconds: 21 times from 1 s to 21 s.
    std::vector<Matchup> duels;
    std::vector<std::size_t> columns;
    for (std::size_t b = 0; b < 21; ++b) {
        duels.push_back(duelOf(0, b, static_cast<double>(b) + 1, std::nullopt, 1, 1));
        columns.push_back(b);
    }
    const BalanceMatrix matrix(duels);
    // Nearest rank: the 2nd of 21 (index 0.05 x 20 = 1) and the 20th (index 19).
    const TimeScale scale = timeScaleOf(matrix, DuelStart::PointBlank, {0}, columns);
    EXPECT_EQ(scale, (TimeScale{2.0, 20.0, true, true}));
    const auto timeColour = [&](double seconds) {
        return cellColour(
            matrix.duel(0, static_cast<std::size_t>(seconds) - 1, DuelStart::PointBlank), {},
            MapShows::Time, scale);
    };
    // Beyond an end a time takes the end's colour; between them the rule's share.
    EXPECT_EQ(timeColour(1), (Rgb{8, 48, 107}));
    EXPECT_EQ(timeColour(2), (Rgb{8, 48, 107}));
    EXPECT_EQ(timeColour(20), (Rgb{239, 243, 255}));
    EXPECT_EQ(timeColour(21), (Rgb{239, 243, 255}));
    EXPECT_EQ(timeColour(6),
              shareOf({8, 48, 107}, {239, 243, 255}, std::log(3.0) / std::log(10.0)));
    const std::vector<LegendEntry> legend = legendOf(MapShows::Time, scale);
    ASSERT_EQ(legend.size(), 4U);
    EXPECT_EQ(legend[0].text, "A kills B in \u2264 2.0 s");
    EXPECT_EQ(legend[1].text, "A kills B in 6.3 s");  // the geometric middle, sqrt(40)
    EXPECT_EQ(legend[2].text, "A kills B in \u2265 20 s");
    EXPECT_EQ(legend[3].text, "A cannot hurt B");
    EXPECT_EQ(legend[3].colour, kCannotColour);
    EXPECT_EQ(cellColour({std::nullopt, 5.0}, {}, MapShows::Time, scale), kCannotColour);

    // Three times: the percentiles are the first and the last, and nothing is clipped.
    const TimeScale few = timeScaleOf(matrix, DuelStart::PointBlank, {0}, {1, 2, 3});
    EXPECT_EQ(few, (TimeScale{2.0, 4.0, false, false}));
    EXPECT_EQ(legendOf(MapShows::Time, few)[0].text, "A kills B in 2.0 s");
    EXPECT_EQ(legendOf(MapShows::Time, few)[2].text, "A kills B in 4.0 s");
}

TEST(BalanceMap, ForTheCostEachSidesTimeIsWeighedByWhatItCosts) {
    const BalanceMatrix matrix(std::vector<Matchup>{
        duelOf(0, 1, 12.3, 14.1, 600, 650),
        duelOf(2, 3, 10, 10, 100, 300),   // equal times, B costs three times: A wins 3:1
        duelOf(4, 5, 10, 20, 600, 100),   // A wins 2:1 in time but costs six times: B wins 3:1
        duelOf(6, 7, 10, 30, 500, 500),   // equal costs: the outcome's 3:1
        duelOf(8, 9, 10, 20, 1000, 500),  // 20 x 500 against 10 x 1000: even
        duelOf(10, 11, 5, 50, 0, 400),    // A costs nothing
        duelOf(12, 13, 5, std::nullopt, 100, 900),  // only A can hurt: A wins whatever it costs
    });
    const auto cell = [&](std::size_t a, std::size_t b) {
        return cellColour(matrix.duel(a, b, DuelStart::PointBlank), matrix.costs(a, b),
                          MapShows::Cost, TimeScale{});
    };
    const double threeToOne = std::log10(3.0);
    EXPECT_EQ(cell(2, 3), ruleColour(threeToOne));
    EXPECT_EQ(cell(4, 5), ruleColour(-threeToOne));
    EXPECT_EQ(cell(6, 7), ruleColour(threeToOne));
    EXPECT_EQ(cell(8, 9), ruleColour(0));
    EXPECT_EQ(cell(10, 11), kCostlessColour);
    EXPECT_EQ(cell(12, 13), ruleColour(1));
    EXPECT_EQ(cell(0, 1), ruleColour(std::log10((14.1 * 650) / (12.3 * 600))));
    const std::vector<LegendEntry> legend = legendOf(MapShows::Cost, TimeScale{});
    EXPECT_EQ(legend[1].text, "A wins 3:1 for the cost");
    EXPECT_EQ(legend[1].colour, cell(2, 3));
    EXPECT_EQ(legend[3].text, "B wins 3:1 for the cost");
    EXPECT_EQ(legend[3].colour, cell(4, 5));
    EXPECT_EQ(legend[6].colour, kCostlessColour);
    EXPECT_FALSE(hasOneSidedMark(matrix.duel(10, 11, DuelStart::PointBlank), matrix.costs(10, 11),
                                 MapShows::Cost));
    EXPECT_TRUE(hasOneSidedMark(matrix.duel(12, 13, DuelStart::PointBlank), matrix.costs(12, 13),
                                MapShows::Cost));

    const auto says = [&](std::size_t a, std::size_t b, const char* nameA, const char* nameB) {
        return duelSummary(nameA, nameB, matrix.duel(a, b, DuelStart::PointBlank),
                           matrix.costs(a, b), MapShows::Cost);
    };
    EXPECT_EQ(says(0, 1, "Pikeman", "Grunt"),
              "Pikeman beats Grunt for the cost: 12.3 s against 14.1 s, 600 against 650");
    EXPECT_EQ(says(4, 5, "Knight", "Peasant"),
              "Peasant beats Knight for the cost: 20.0 s against 10.0 s, 100 against 600");
    EXPECT_EQ(says(8, 9, "Mage", "Archer"),
              "Mage and Archer are even for the cost: 10.0 s against 20.0 s, 1000 against 500");
    EXPECT_EQ(says(10, 11, "Critter", "Footman"),
              "Critter and Footman cannot be weighed for the cost: Critter costs nothing");
    EXPECT_EQ(says(12, 13, "Archer", "Ship"),
              "Archer beats Ship for the cost: 5.0 s, 100 against 900; Ship cannot hurt Archer");

    // Each row's wins, losses and even duels, and the order by wins, differ between views.
    const BalanceMapScope cost{
        {0, 2, 4, 6, 8, 10, 12}, {1, 3, 5, 7, 9, 11, 13}, DuelStart::PointBlank, MapShows::Cost};
    EXPECT_EQ(tallyText(rowTally(matrix, cost, 4)), "0 / 1 / 0");
    EXPECT_EQ(rowTally(matrix, cost, 8), (RowTally{0, 0, 1}));
    EXPECT_EQ(rowTally(matrix, cost, 10), (RowTally{0, 0, 0}));
    EXPECT_EQ(mostWinsFirst(matrix, cost), (std::vector<std::size_t>{0, 2, 6, 12, 8, 10, 4}));
    BalanceMapScope outcome = cost;
    outcome.shows = MapShows::Outcome;
    EXPECT_EQ(tallyText(rowTally(matrix, outcome, 4)), "1 / 0 / 0");
    EXPECT_EQ(mostWinsFirst(matrix, outcome), (std::vector<std::size_t>{0, 4, 6, 8, 10, 12, 2}));

    // The costs come from the page's gold, lumber and oil, each stored in tens.
    Armies armies;
    armies.table.set(uf::goldCost, 1, 60);
    armies.table.set(uf::lumberCost, 1, 10);
    armies.table.set(uf::oilCost, 1, 5);
    EXPECT_EQ(armies.matrix().costs(1, 0).a, 750);
}

TEST(BalanceMap, StrengthOrdersRowsByTheirMeanOutcome) {
    Armies armies;
    armies.table.set(uf::basicDamage, 2, 40);  // unit 2 wins everything
    armies.table.set(uf::hitPoints, 1, 5);     // unit 1 loses everything
    const BalanceMatrix matrix = armies.matrix();
    const std::vector<std::size_t> order = strongestFirst(
        matrix, DuelStart::PointBlank, MapShows::Outcome, matrix.units(), matrix.units());
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
    EXPECT_EQ(
        duelSummary("Pikeman", "Grunt", {12.3 * kTicks, 14.1 * kTicks}, {}, MapShows::Outcome),
        "Pikeman beats Grunt: 12.3 s against 14.1 s");
    EXPECT_EQ(duelSummary("Pikeman", "Grunt", {14.06 * kTicks, 12.34 * kTicks}, {}, MapShows::Time),
              "Grunt beats Pikeman: 12.3 s against 14.1 s");
    EXPECT_EQ(duelSummary("Archer", "Peasant", {4 * kTicks, std::nullopt}, {}, MapShows::Outcome),
              "Archer beats Peasant: 4.0 s; Peasant cannot hurt Archer");
    EXPECT_EQ(duelSummary("Peasant", "Archer", {std::nullopt, 0.0}, {}, MapShows::Outcome),
              "Archer beats Peasant: 0.0 s; Peasant cannot hurt Archer");
    EXPECT_EQ(duelSummary("Wall", "Farm", {}, {}, MapShows::Outcome),
              "Wall and Farm cannot hurt each other");
    EXPECT_EQ(duelSummary("Footman", "Footman", {90.0, 90.0}, {}, MapShows::Outcome),
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

namespace {

// A picture of the map as a reader finds its parts: by colour, without the layout's numbers.
struct ReadPicture {
    const graphics::RgbPicture& picture;

    bool isInk(int x, int y) const { return picture.pixel(x, y) == kBalanceMapInk; }
    bool isPaper(int x, int y) const { return picture.pixel(x, y) == kBalanceMapBackground; }

    // The smallest box holding every ink pixel of `area`; empty when there is none.
    std::optional<graphics::PixelRect> inkBox(const graphics::PixelRect& area) const {
        int left = INT_MAX;
        int top = INT_MAX;
        int right = -1;
        int bottom = -1;
        for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, picture.height());
             ++y) {
            for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, picture.width());
                 ++x) {
                if (isInk(x, y)) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
            }
        }
        if (right < 0) {
            return std::nullopt;
        }
        return graphics::PixelRect{left, top, right - left + 1, bottom - top + 1};
    }
};

// Whether the font pixel (row, column) of the glyph of `c` is lit in the font's table; the
// column after the glyph is the space between glyphs.
bool lit(char c, int row, int column) {
    return column < graphics::kGlyphWidth &&
           ((graphics::glyphOf(c)[static_cast<std::size_t>(row)] >> (4 - column)) & 1) != 0;
}

}  // namespace

TEST(BalanceMap, ThePictureDrawsEachCellInItsRuleColourAndEveryLabelWholeGlyphByGlyph) {
    // Five labels of 24 characters, the longest drawn uncut: every printable character once
    // at least, between two H, which light their first and last columns and their top row.
    std::string printable;
    for (char c = ' '; c <= '~'; ++c) {
        printable += c;
    }
    std::vector<std::string> names;
    for (std::size_t unit = 0; unit < 5; ++unit) {
        std::string middle = (printable + printable).substr(unit * 22, 22);
        names.push_back("H" + middle + "H");
    }
    const BalanceMatrix matrix(std::vector<Matchup>{
        duelOf(0, 0, 10, 10, 1, 1),           // even
        duelOf(0, 1, 1, 10, 1, 1),            // A wins 10:1
        duelOf(1, 0, 10, 1, 1, 1),            // B wins 10:1
        duelOf(2, 2, 10, 20, 1, 1),           // A wins 2:1
        duelOf(2, 3, 10, 30, 1, 1),           // A wins 3:1
        duelOf(3, 2, 30, 10, 1, 1),           // B wins 3:1
        duelOf(4, 0, 5, std::nullopt, 1, 1),  // only A: full blue and the mark
    });
    const BalanceMapScope scope{{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}};
    const BalanceMapTexts texts = balanceMapTexts(matrix, scope, names);
    const graphics::RgbPicture picture =
        drawBalanceMap(matrix, scope, texts, balanceMapLayout(texts, kDefaultCellSize));
    const ReadPicture read{picture};

    // The grid: the first pixel that is neither paper nor ink is the top left of the first
    // cell; a cell is a run of one colour, parted from the next by paper.
    int gridX = -1;
    int gridY = -1;
    for (int y = 0; y < picture.height() && gridX < 0; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!read.isInk(x, y) && !read.isPaper(x, y)) {
                gridX = x;
                gridY = y;
                break;
            }
        }
    }
    ASSERT_GE(gridX, 0);
    int side = 0;
    while (picture.pixel(gridX + side, gridY) == picture.pixel(gridX, gridY)) {
        ++side;
    }
    int pitch = side;
    while (read.isPaper(gridX + pitch, gridY)) {
        ++pitch;
    }
    ASSERT_GE(side, 6);
    ASSERT_LE(pitch - side, 1);

    const Rgb grey = kCannotColour;
    const Rgb even = ruleColour(0);
    const Rgb blue = ruleColour(1);
    const Rgb red = ruleColour(-1);
    const std::vector<std::vector<Rgb>> expected = {
        {even, blue, grey, grey, grey},
        {red, grey, grey, grey, grey},
        {grey, grey, ruleColour(std::log10(2.0)), ruleColour(std::log10(3.0)), grey},
        {grey, grey, ruleColour(-std::log10(3.0)), grey, grey},
        {blue, grey, grey, grey, grey},
    };
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            const Rgb want =
                expected[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    // The mark folds the top right third of the one-sided cell over.
                    const bool mark =
                        row == 4 && column == 0 && y < side / 3 && x >= side - side / 3 + y;
                    ASSERT_EQ(picture.pixel(gridX + column * pitch + x, gridY + row * pitch + y),
                              mark ? kOneSidedMarkColour : want)
                        << "cell " << row << ',' << column << " at " << x << ',' << y;
                }
            }
        }
    }

    const int length = 24 * graphics::kGlyphAdvance - 1;
    for (int index = 0; index < 5; ++index) {
        const std::string& label = names[static_cast<std::size_t>(index)];
        const int middle = index * pitch + side / 2;
        // Across, at the left of its row.
        const auto across = read.inkBox({0, gridY + middle - 6, gridX, 13});
        ASSERT_TRUE(across.has_value()) << label;
        EXPECT_EQ(across->width, length) << label;
        // Upward, above its column: from its foot just above the grid.
        const auto foot = read.inkBox({gridX + middle - 6, 0, 13, gridY});
        ASSERT_TRUE(foot.has_value()) << label;
        const int bottom = foot->y + foot->height - 1;
        const auto upward = read.inkBox({gridX + middle - 6, bottom - length + 1, 13, length});
        ASSERT_TRUE(upward.has_value()) << label;
        EXPECT_EQ(upward->height, length) << label;
        for (int character = 0; character < 24; ++character) {
            const char c = label[static_cast<std::size_t>(character)];
            const int columns = character == 23 ? graphics::kGlyphWidth : graphics::kGlyphAdvance;
            for (int row = 0; row < graphics::kGlyphHeight; ++row) {
                for (int column = 0; column < columns; ++column) {
                    const int along = character * graphics::kGlyphAdvance + column;
                    ASSERT_EQ(read.isInk(across->x + along, across->y + row), lit(c, row, column))
                        << "'" << c << "' across in " << label << " at " << row << ',' << column;
                    ASSERT_EQ(read.isInk(upward->x + row, bottom - along), lit(c, row, column))
                        << "'" << c << "' upward in " << label << " at " << row << ',' << column;
                }
            }
        }
    }
}
