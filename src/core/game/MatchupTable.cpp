#include "core/game/MatchupTable.h"

#include <array>

#include "core/exchange/Csv.h"

namespace tarnwick::game {

namespace {

void appendName(std::string& out, std::size_t id, std::span<const std::string> names) {
    const bool named = id < names.size() && !names[id].empty();
    out += named ? exchange::csvField(names[id]) : std::to_string(id);
}

void appendTime(std::string& out, const std::optional<double>& ticks) {
    out += ticks ? formatTime(*ticks, TimeUnit::Seconds) : "cannot";
}

}  // namespace

std::int64_t unitCost(const model::UnitDataTable& table, std::size_t unit) {
    std::int64_t cost = 0;
    for (const model::FieldDescriptor& field :
         {model::unitfields::goldCost, model::unitfields::lumberCost, model::unitfields::oilCost}) {
        cost += field.shownValue(table.get(field, unit));
    }
    return cost;
}

std::vector<Matchup> matchups(const model::UnitDataTable& table, const AnimationSummary& summary) {
    std::array<Fighter, kAnimatedUnitCount> fighters;
    std::array<std::int64_t, kAnimatedUnitCount> costs{};
    for (std::size_t unit = 0; unit < kAnimatedUnitCount; ++unit) {
        fighters[unit] = fighterOf(table, summary, unit);
        costs[unit] = unitCost(table, unit);
    }
    std::vector<Matchup> rows;
    for (std::size_t a = 0; a < kAnimatedUnitCount; ++a) {
        for (std::size_t b = 0; b < kAnimatedUnitCount; ++b) {
            Matchup row{
                a,        b,       duel(fighters[a], fighters[b]), duel(fighters[b], fighters[a]),
                costs[a], costs[b]};
            if (row.aOnB.pointBlank || row.bOnA.pointBlank) {
                rows.push_back(row);
            }
        }
    }
    return rows;
}

std::string matchupCsv(const std::vector<Matchup>& rows, std::span<const std::string> names) {
    std::string out = kMatchupCsvHeader;
    out += '\n';
    out.reserve(out.size() + rows.size() * 96);
    for (const Matchup& row : rows) {
        out += std::to_string(row.a);
        out += ',';
        appendName(out, row.a, names);
        out += ',';
        out += std::to_string(row.b);
        out += ',';
        appendName(out, row.b, names);
        out += ',';
        appendTime(out, row.aOnB.pointBlank);
        out += ',';
        appendTime(out, row.bOnA.pointBlank);
        out += ',';
        appendTime(out, row.aOnB.maxDistance);
        out += ',';
        appendTime(out, row.bOnA.maxDistance);
        out += ',';
        out += std::to_string(row.aCost);
        out += ',';
        out += std::to_string(row.bCost);
        out += '\n';
    }
    return out;
}

std::string matchupTableCsv(const model::UnitDataTable& table, const AnimationSummary& summary,
                            std::span<const std::string> names) {
    return matchupCsv(matchups(table, summary), names);
}

}  // namespace tarnwick::game
