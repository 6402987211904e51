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
// What a cell's colour tells: who wins and by how much, or only how long A needs to kill B.
enum class MapShows { Outcome, Time };

// One duel from one start, in ticks; empty where that side deals no damage.
struct DuelTimes {
    std::optional<double> aKillsB;
    std::optional<double> bKillsA;

    bool operator==(const DuelTimes&) const = default;
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

  private:
    std::vector<std::size_t> units_;
    // Index into matchups_ by a * kAnimatedUnitCount + b; -1 where the pair cannot fight.
    std::vector<std::int32_t> cells_;
    std::vector<Matchup> matchups_;
};

// B's time over A's time as a base-10 logarithm capped to -1 .. 1 (10:1 either way): above 0
// where A wins. A time of 0 (killed before the other is in range) counts as the cap; a side that
// cannot kill loses at the cap. Empty when neither can hurt the other.
std::optional<double> outcomeLog(const DuelTimes& times);

// `rows` ordered by strength: the mean outcomeLog of each row against `columns` (duels that
// neither side can fight left out), strongest first; equal strengths keep their order.
std::vector<std::size_t> strongestFirst(const BalanceMatrix& matrix, DuelStart start,
                                        const std::vector<std::size_t>& rows,
                                        const std::vector<std::size_t>& columns);

using graphics::Rgb;

// A cell's colour for a duel in which neither side can hurt the other.
inline constexpr Rgb kCannotColour{150, 150, 150};
// The colour of a cell's corner mark where only one side can hurt the other.
inline constexpr Rgb kOneSidedMarkColour{255, 255, 255};

// The seconds the time scale spans: from the shortest to the longest time of the shown duels,
// on a logarithmic scale. Times under a tenth of a second count as a tenth.
struct TimeScale {
    double shortest = 0.1;
    double longest = 0.1;
};
TimeScale timeScaleOf(const BalanceMatrix& matrix, DuelStart start,
                      const std::vector<std::size_t>& rows,
                      const std::vector<std::size_t>& columns);

// Outcome: blue where A wins, red where B wins, near white at 1:1, full at 10:1 and beyond,
// kCannotColour where neither can hurt the other. Time: A's time to kill B from dark (short) to
// pale (long) on `scale`, kCannotColour where A cannot hurt B.
Rgb cellColour(const DuelTimes& times, MapShows shows, const TimeScale& scale);
// Whether the cell carries the one-sided mark (outcome only: one side cannot hurt the other).
bool hasOneSidedMark(const DuelTimes& times, MapShows shows);

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
// the winner named first with its time to kill.
std::string duelSummary(std::string_view nameA, std::string_view nameB, const DuelTimes& times);

// Why the map of `matrix` has nothing to show, or empty when it has: no animation script could
// be walked, the scripts give no unit an attack, or no unit can hurt another. `walked` is the
// summary the matrix was computed from.
std::optional<std::string> emptyMapReason(const BalanceMatrix& matrix,
                                          const SummaryWithFailures& walked);

}  // namespace tarnwick::game
