#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/MatchupTable.h"
#include "core/graphics/RgbPicture.h"

// The balance map: every duel of the matchup table as a grid of coloured cells, attackers (unit
// A) down the rows, defenders (unit B) across the columns. The window and the command line draw
// it from these functions, so both show the same colours for the same numbers.
namespace tarnwick::game {

enum class DuelStart { PointBlank, MaxDistance };
// What a cell's colour tells: who wins and by how much, only how long A needs to kill B, or who
// wins for what the two units cost.
enum class MapShows { Outcome, Time, Cost };

// One duel from one start, in ticks; empty where that side deals no damage.
struct DuelTimes {
    std::optional<double> aKillsB;
    std::optional<double> bKillsA;

    bool operator==(const DuelTimes&) const = default;
};

// What A and B cost (unitCost), for the view "for the cost".
struct DuelCosts {
    std::int64_t a = 0;
    std::int64_t b = 0;
};

// Which duels a map shows, and how.
struct BalanceMapScope {
    std::vector<std::size_t> rows;     // unit A, top to bottom
    std::vector<std::size_t> columns;  // unit B, left to right
    DuelStart start = DuelStart::PointBlank;
    MapShows shows = MapShows::Outcome;
};

enum class Verdict { Neither, OnlyA, OnlyB, AWins, BWins, Even };
Verdict verdictOf(const DuelTimes& times);

// Every duel of the matchup table between the units that can fight at all.
class BalanceMatrix {
  public:
    BalanceMatrix() = default;
    explicit BalanceMatrix(const std::vector<Matchup>& matchups);

    // Units that deal or take damage in some duel, in id order.
    const std::vector<std::size_t>& units() const { return units_; }
    bool isEmpty() const { return units_.empty(); }
    // A attacking B and B attacking A; both empty for a pair that cannot fight.
    DuelTimes duel(std::size_t a, std::size_t b, DuelStart start) const;
    // What the two cost; 0 for a unit the matchups do not name.
    DuelCosts costs(std::size_t a, std::size_t b) const;
    // The matchup of A against B; none for a pair that cannot fight.
    const Matchup* matchup(std::size_t a, std::size_t b) const;

  private:
    std::vector<std::size_t> units_;
    std::vector<std::int64_t> costs_;  // by unit id
    // Index into matchups_ by a * kAnimatedUnitCount + b; -1 where the pair cannot fight.
    std::vector<std::int32_t> cells_;
    std::vector<Matchup> matchups_;
};

// B's time over A's time as a base-10 logarithm capped to -1 .. 1 (10:1 either way): above 0
// where A wins. A time of 0 (killed before the other is in range) counts as the cap; a side that
// cannot kill loses at the cap. Empty when neither can hurt the other.
std::optional<double> outcomeLog(const DuelTimes& times);

// A's advantage for the cost, (B's time / A's time) x (B's cost / A's cost), as outcomeLog gives
// the times alone: capped, at the cap for a side that cannot kill or kills at once. Empty when
// neither can hurt the other or either costs nothing: no cost can weigh the duel.
std::optional<double> costLog(const DuelTimes& times, const DuelCosts& costs);

// What a cell says of A in the view `shows`: costLog for the cost, else outcomeLog (the time
// view counts its winners as the outcome does).
std::optional<double> advantageLog(const DuelTimes& times, const DuelCosts& costs, MapShows shows);

// A's standing in a duel of a view: +1 A wins, -1 B wins, 0 even; empty where nothing is
// weighed.
std::optional<int> standingOf(const DuelTimes& times, const DuelCosts& costs, MapShows shows);
// Whether the duel of `a` against `b` has another standing in `other` than in `matrix`.
bool standingDiffers(const BalanceMatrix& matrix, const BalanceMatrix& other, std::size_t a,
                     std::size_t b, DuelStart start, MapShows shows);

// `rows` ordered by strength: the mean advantageLog of each row against `columns` (duels that
// nothing weighs left out), strongest first; equal strengths keep their order.
std::vector<std::size_t> strongestFirst(const BalanceMatrix& matrix, DuelStart start,
                                        MapShows shows, const std::vector<std::size_t>& rows,
                                        const std::vector<std::size_t>& columns);

// A row's duels in a view: won, lost and even, as standingOf counts them.
struct RowTally {
    int wins = 0;
    int losses = 0;
    int even = 0;

    bool operator==(const RowTally&) const = default;
};
RowTally rowTally(const BalanceMatrix& matrix, const BalanceMapScope& scope, std::size_t row);
// "34 / 50 / 11": wins, losses, even.
std::string tallyText(const RowTally& tally);
// The scope's rows with the most wins first, then the fewest losses; ties keep their order.
std::vector<std::size_t> mostWinsFirst(const BalanceMatrix& matrix, const BalanceMapScope& scope);

using graphics::Rgb;

// A cell's colour for a duel in which neither side can hurt the other.
inline constexpr Rgb kCannotColour{150, 150, 150};
// For the cost, a duel of a unit that costs nothing: a lighter grey, so it is told apart.
inline constexpr Rgb kCostlessColour{200, 200, 200};
// The colour of a cell's corner mark where only one side can hurt the other.
inline constexpr Rgb kOneSidedMarkColour{255, 255, 255};

// The seconds the time scale spans, on a logarithmic scale: from the 5th to the 95th percentile
// of the times of the shown duels (nearest rank), so that a few extreme duels do not squeeze the
// rest into a few shades. An end is clipped where some time lies beyond it; a time beyond an end
// takes the end's colour. Times under a tenth of a second count as a tenth.
struct TimeScale {
    double shortest = 0.1;
    double longest = 0.1;
    bool shortestClipped = false;
    bool longestClipped = false;

    bool operator==(const TimeScale&) const = default;
};
TimeScale timeScaleOf(const BalanceMatrix& matrix, DuelStart start,
                      const std::vector<std::size_t>& rows,
                      const std::vector<std::size_t>& columns);

// Outcome and cost: blue where A wins, red where B wins, near white at 1:1, full at 10:1 and
// beyond, kCannotColour where neither can hurt the other, kCostlessColour for the cost of a unit
// that costs nothing. Time: A's time to kill B from dark (short) to pale (long) on `scale`,
// kCannotColour where A cannot hurt B.
Rgb cellColour(const DuelTimes& times, const DuelCosts& costs, MapShows shows,
               const TimeScale& scale);
// Whether the cell carries the one-sided mark: a coloured outcome or cost cell in which one side
// cannot hurt the other.
bool hasOneSidedMark(const DuelTimes& times, const DuelCosts& costs, MapShows shows);

struct LegendEntry {
    Rgb colour;
    std::string text;
    bool oneSidedMark = false;
};
// What the colours mean, with numbers, from one end of the scale to the other, then the grey of
// "cannot" (and the mark, for the outcome).
std::vector<LegendEntry> legendOf(MapShows shows, const TimeScale& scale);
// The line above the legend: what the colours measure.
std::string legendTitle(MapShows shows, DuelStart start);

// Seconds rounded to a tenth, "12.3 s"; never depends on the locale.
std::string formatSeconds(double ticks);

// What a cell says when the pointer rests on it: "Pikeman beats Grunt: 12.3 s against 14.1 s",
// the winner named first with its time to kill. For the cost the winner is the cost's, and its
// cost comes first: "Pikeman beats Grunt for the cost: 12.3 s against 14.1 s, 600 against 650".
std::string duelSummary(std::string_view nameA, std::string_view nameB, const DuelTimes& times,
                        const DuelCosts& costs, MapShows shows);

// "12 duels change their winner", "1 duel changes its winner", "No duel changes its winner".
std::string changedWinnersText(std::size_t count);

// Why the map of `matrix` has nothing to show, or empty when it has: no animation script could
// be walked, the scripts give no unit an attack, or no unit can hurt another. `walked` is the
// summary the matrix was computed from.
std::optional<std::string> emptyMapReason(const BalanceMatrix& matrix,
                                          const SummaryWithFailures& walked);

}  // namespace tarnwick::game
