#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/game/AnimationSummary.h"
#include "core/game/UnitDuel.h"
#include "core/model/UnitDataTable.h"

// The whole matchup table of the balance calculator: every ordered pair of units 0 to 104 that
// can fight at all, with the times of the calculator in both directions.
namespace tarnwick::game {

struct Matchup {
    std::size_t a = 0;
    std::size_t b = 0;
    DuelOutcome aOnB;        // A attacking B
    DuelOutcome bOnA;        // B attacking A
    std::int64_t aCost = 0;  // unitCost of A
    std::int64_t bCost = 0;
};

// What a unit costs as its page shows it: gold + lumber + oil, each in whole units.
std::int64_t unitCost(const model::UnitDataTable& table, std::size_t unit);

// Every ordered pair (A, B) of units 0 to 104, A = B included, in which at least one of the two
// deals damage to the other; A in id order, then B.
std::vector<Matchup> matchups(const model::UnitDataTable& table, const AnimationSummary& summary);

inline constexpr const char* kMatchupCsvHeader =
    "a_id,a_name,b_id,b_name,a_kills_b_point_blank_s,b_kills_a_point_blank_s,"
    "a_kills_b_max_distance_s,b_kills_a_max_distance_s,a_cost,b_cost";

// The matchups as CSV: the header above, then one line per matchup, lines ended by '\n'. Names
// are names[id] where given and not empty, else the id; a name holding a comma, a quote or a
// line break is quoted. Times are in seconds, written as the calculator writes them; "cannot"
// where that side deals no damage; a maximum-distance time of 0 means the killer is done
// before the other is in firing range. The costs are unitCost's: with the times they give the
// balance map's view "for the cost".
std::string matchupCsv(const std::vector<Matchup>& rows, std::span<const std::string> names);

// matchups() written by matchupCsv().
std::string matchupTableCsv(const model::UnitDataTable& table, const AnimationSummary& summary,
                            std::span<const std::string> names);

}  // namespace tarnwick::game
