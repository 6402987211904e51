#include "core/game/BalanceMap.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>

namespace tarnwick::game {

namespace {

// 10:1 is the end of the outcome scale.
constexpr double kOutcomeCap = 1.0;
constexpr double kShortestSeconds = 0.1;

constexpr Rgb kEvenColour{247, 247, 247};
constexpr Rgb kAWinsColour{33, 102, 172};
constexpr Rgb kBWinsColour{178, 24, 43};
constexpr Rgb kShortTimeColour{8, 48, 107};
constexpr Rgb kLongTimeColour{239, 243, 255};

std::uint8_t mixChannel(std::uint8_t from, std::uint8_t to, double share) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

Rgb mix(const Rgb& from, const Rgb& to, double share) {
    share = std::clamp(share, 0.0, 1.0);
    return {mixChannel(from.red, to.red, share), mixChannel(from.green, to.green, share),
            mixChannel(from.blue, to.blue, share)};
}

Rgb outcomeColour(double log) {
    return log >= 0 ? mix(kEvenColour, kAWinsColour, log / kOutcomeCap)
                    : mix(kEvenColour, kBWinsColour, -log / kOutcomeCap);
}

double scaleSeconds(double ticks) {
    return std::max(ticks / kTicksPerSecond, kShortestSeconds);
}

Rgb timeColour(double ticks, const TimeScale& scale) {
    const double span = std::log(scale.longest / scale.shortest);
    const double share = span > 0 ? std::log(scaleSeconds(ticks) / scale.shortest) / span : 0.0;
    return mix(kShortTimeColour, kLongTimeColour, share);
}

std::string formatFixed(double value, int decimals) {
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

// "3:1" for an outcome logarithm of either sign: the loser's time to the winner's, rounded.
std::string ratioText(double log) {
    return formatFixed(std::pow(10.0, std::abs(log)), 0) + ":1";
}

// The time scale's ends: the 5th and the 95th percentile.
constexpr double kLowPercentile = 0.05;
constexpr double kHighPercentile = 0.95;

// `items` in the order `before` gives their indexes; equal ones keep their order.
template <typename Before>
std::vector<std::size_t> orderedBy(const std::vector<std::size_t>& items, Before before) {
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<std::size_t> ordered;
    ordered.reserve(items.size());
    for (const std::size_t index : order) {
        ordered.push_back(items[index]);
    }
    return ordered;
}

// A legend's seconds: a tenth below 10 s, whole seconds from there ("2.1 s", "61 s").
std::string scaleText(double seconds) {
    return formatFixed(seconds, seconds < 10 ? 1 : 0) + " s";
}

// log10 of (B's time x B's weight) / (A's time x A's weight), capped; a side that cannot kill,
// or that kills at once, sits at the cap.
std::optional<double> weighedLog(const DuelTimes& times, double weightA, double weightB) {
    switch (verdictOf(times)) {
        case Verdict::Neither:
            return std::nullopt;
        case Verdict::OnlyA:
            return kOutcomeCap;
        case Verdict::OnlyB:
            return -kOutcomeCap;
        default:
            break;
    }
    const double a = *times.aKillsB;
    const double b = *times.bKillsA;
    if (a <= 0 && b <= 0) {
        return 0.0;
    }
    if (a <= 0) {
        return kOutcomeCap;
    }
    if (b <= 0) {
        return -kOutcomeCap;
    }
    // One quotient of two products, so that equal products are exactly even.
    return std::clamp(std::log10((b * weightB) / (a * weightA)), -kOutcomeCap, kOutcomeCap);
}

}  // namespace

Verdict verdictOf(const DuelTimes& times) {
    if (!times.aKillsB && !times.bKillsA) {
        return Verdict::Neither;
    }
    if (!times.bKillsA) {
        return Verdict::OnlyA;
    }
    if (!times.aKillsB) {
        return Verdict::OnlyB;
    }
    if (*times.aKillsB < *times.bKillsA) {
        return Verdict::AWins;
    }
    return *times.aKillsB > *times.bKillsA ? Verdict::BWins : Verdict::Even;
}

BalanceMatrix::BalanceMatrix(const std::vector<Matchup>& matchups)
    : costs_(kAnimatedUnitCount, 0),
      cells_(kAnimatedUnitCount * kAnimatedUnitCount, -1),
      matchups_(matchups) {
    std::vector<bool> fights(kAnimatedUnitCount, false);
    for (std::size_t index = 0; index < matchups_.size(); ++index) {
        const Matchup& pair = matchups_[index];
        if (pair.a >= kAnimatedUnitCount || pair.b >= kAnimatedUnitCount) {
            continue;
        }
        cells_[pair.a * kAnimatedUnitCount + pair.b] = static_cast<std::int32_t>(index);
        costs_[pair.a] = pair.aCost;
        costs_[pair.b] = pair.bCost;
        fights[pair.a] = true;
        fights[pair.b] = true;
    }
    for (std::size_t unit = 0; unit < kAnimatedUnitCount; ++unit) {
        if (fights[unit]) {
            units_.push_back(unit);
        }
    }
}

const Matchup* BalanceMatrix::matchup(std::size_t a, std::size_t b) const {
    if (a >= kAnimatedUnitCount || b >= kAnimatedUnitCount || cells_.empty()) {
        return nullptr;
    }
    const std::int32_t index = cells_[a * kAnimatedUnitCount + b];
    return index < 0 ? nullptr : &matchups_[static_cast<std::size_t>(index)];
}

DuelTimes BalanceMatrix::duel(std::size_t a, std::size_t b, DuelStart start) const {
    const Matchup* found = matchup(a, b);
    if (found == nullptr) {
        return {};
    }
    const Matchup& pair = *found;
    if (start == DuelStart::PointBlank) {
        return {pair.aOnB.pointBlank, pair.bOnA.pointBlank};
    }
    return {pair.aOnB.maxDistance, pair.bOnA.maxDistance};
}

DuelCosts BalanceMatrix::costs(std::size_t a, std::size_t b) const {
    const auto costOf = [&](std::size_t unit) { return unit < costs_.size() ? costs_[unit] : 0; };
    return {costOf(a), costOf(b)};
}

std::optional<double> outcomeLog(const DuelTimes& times) {
    return weighedLog(times, 1.0, 1.0);
}

std::optional<double> costLog(const DuelTimes& times, const DuelCosts& costs) {
    if (costs.a <= 0 || costs.b <= 0) {
        return std::nullopt;
    }
    return weighedLog(times, static_cast<double>(costs.a), static_cast<double>(costs.b));
}

std::optional<double> advantageLog(const DuelTimes& times, const DuelCosts& costs, MapShows shows) {
    return shows == MapShows::Cost ? costLog(times, costs) : outcomeLog(times);
}

std::optional<int> standingOf(const DuelTimes& times, const DuelCosts& costs, MapShows shows) {
    const auto log = advantageLog(times, costs, shows);
    if (!log) {
        return std::nullopt;
    }
    return *log > 0 ? 1 : *log < 0 ? -1 : 0;
}

bool standingDiffers(const BalanceMatrix& matrix, const BalanceMatrix& other, std::size_t a,
                     std::size_t b, DuelStart start, MapShows shows) {
    return standingOf(matrix.duel(a, b, start), matrix.costs(a, b), shows) !=
           standingOf(other.duel(a, b, start), other.costs(a, b), shows);
}

std::vector<std::size_t> strongestFirst(const BalanceMatrix& matrix, DuelStart start,
                                        MapShows shows, const std::vector<std::size_t>& rows,
                                        const std::vector<std::size_t>& columns) {
    std::vector<double> strength(rows.size(), 0.0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        double sum = 0;
        int counted = 0;
        for (const std::size_t column : columns) {
            if (const auto log = advantageLog(matrix.duel(rows[row], column, start),
                                              matrix.costs(rows[row], column), shows)) {
                sum += *log;
                ++counted;
            }
        }
        strength[row] = counted > 0 ? sum / counted : 0.0;
    }
    return orderedBy(rows, [&](std::size_t x, std::size_t y) { return strength[x] > strength[y]; });
}

RowTally rowTally(const BalanceMatrix& matrix, const BalanceMapScope& scope, std::size_t row) {
    RowTally tally;
    for (const std::size_t column : scope.columns) {
        const auto standing = standingOf(matrix.duel(row, column, scope.start),
                                         matrix.costs(row, column), scope.shows);
        if (standing) {
            (*standing > 0 ? tally.wins : *standing < 0 ? tally.losses : tally.even) += 1;
        }
    }
    return tally;
}

std::string tallyText(const RowTally& tally) {
    return std::to_string(tally.wins) + " / " + std::to_string(tally.losses) + " / " +
           std::to_string(tally.even);
}

std::vector<std::size_t> mostWinsFirst(const BalanceMatrix& matrix, const BalanceMapScope& scope) {
    std::vector<RowTally> tallies;
    for (const std::size_t row : scope.rows) {
        tallies.push_back(rowTally(matrix, scope, row));
    }
    return orderedBy(scope.rows, [&](std::size_t x, std::size_t y) {
        return std::pair(-tallies[x].wins, tallies[x].losses) <
               std::pair(-tallies[y].wins, tallies[y].losses);
    });
}

TimeScale timeScaleOf(const BalanceMatrix& matrix, DuelStart start,
                      const std::vector<std::size_t>& rows,
                      const std::vector<std::size_t>& columns) {
    std::vector<double> seconds;
    for (const std::size_t row : rows) {
        for (const std::size_t column : columns) {
            if (const auto ticks = matrix.duel(row, column, start).aKillsB) {
                seconds.push_back(scaleSeconds(*ticks));
            }
        }
    }
    if (seconds.empty()) {
        return {};
    }
    std::sort(seconds.begin(), seconds.end());
    const auto rank = [&](double share) {
        return seconds[static_cast<std::size_t>(
            std::lround(share * static_cast<double>(seconds.size() - 1)))];
    };
    const double shortest = rank(kLowPercentile);
    const double longest = rank(kHighPercentile);
    return {shortest, longest, seconds.front() < shortest, seconds.back() > longest};
}

Rgb cellColour(const DuelTimes& times, const DuelCosts& costs, MapShows shows,
               const TimeScale& scale) {
    if (shows == MapShows::Time) {
        return times.aKillsB ? timeColour(*times.aKillsB, scale) : kCannotColour;
    }
    if (const auto log = advantageLog(times, costs, shows)) {
        return outcomeColour(*log);
    }
    return verdictOf(times) == Verdict::Neither ? kCannotColour : kCostlessColour;
}

bool hasOneSidedMark(const DuelTimes& times, const DuelCosts& costs, MapShows shows) {
    const Verdict verdict = verdictOf(times);
    return shows != MapShows::Time && (verdict == Verdict::OnlyA || verdict == Verdict::OnlyB) &&
           advantageLog(times, costs, shows).has_value();
}

std::vector<LegendEntry> legendOf(MapShows shows, const TimeScale& scale) {
    std::vector<LegendEntry> entries;
    if (shows != MapShows::Time) {
        const std::string forTheCost = shows == MapShows::Cost ? " for the cost" : "";
        for (const double log : {1.0, std::log10(3.0), 0.0, -std::log10(3.0), -1.0}) {
            const std::string ratio = ratioText(log);
            std::string text = log > 0 ? "A wins " + ratio : log < 0 ? "B wins " + ratio : "even";
            if (std::abs(log) == kOutcomeCap) {
                text += " or more";
            }
            entries.push_back({outcomeColour(log), text + forTheCost});
        }
        entries.push_back({kCannotColour, "neither can hurt the other"});
        if (shows == MapShows::Cost) {
            entries.push_back({kCostlessColour, "a unit that costs nothing: not weighed"});
        }
        entries.push_back({outcomeColour(kOutcomeCap), "only one side can hurt the other", true});
        return entries;
    }
    const double middle = std::sqrt(scale.shortest * scale.longest);
    entries.push_back({timeColour(scale.shortest * kTicksPerSecond, scale),
                       "A kills B in " + std::string(scale.shortestClipped ? "\u2264 " : "") +
                           scaleText(scale.shortest)});
    entries.push_back(
        {timeColour(middle * kTicksPerSecond, scale), "A kills B in " + scaleText(middle)});
    entries.push_back({timeColour(scale.longest * kTicksPerSecond, scale),
                       "A kills B in " + std::string(scale.longestClipped ? "\u2265 " : "") +
                           scaleText(scale.longest)});
    entries.push_back({kCannotColour, "A cannot hurt B"});
    return entries;
}

std::string legendTitle(MapShows shows, DuelStart start) {
    const std::string from =
        start == DuelStart::PointBlank ? "from point blank" : "from the greatest distance";
    switch (shows) {
        case MapShows::Outcome:
            return "Who wins " + from + " (the loser's time to kill : the winner's)";
        case MapShows::Cost:
            return "Who wins for the cost " + from +
                   " (time to kill x cost, the loser's : the winner's)";
        case MapShows::Time:
            break;
    }
    return "Time for A to kill B " + from;
}

std::string formatSeconds(double ticks) {
    return formatFixed(ticks / kTicksPerSecond, 1) + " s";
}

std::string duelSummary(std::string_view nameA, std::string_view nameB, const DuelTimes& times,
                        const DuelCosts& costs, MapShows shows) {
    const std::string a(nameA);
    const std::string b(nameB);
    const bool forCost = shows == MapShows::Cost;
    const Verdict verdict = verdictOf(times);
    if (verdict == Verdict::Neither) {
        return a + " and " + b + " cannot hurt each other";
    }
    if (forCost && (costs.a <= 0 || costs.b <= 0)) {
        const std::string costless = costs.a > 0   ? b + " costs"
                                     : costs.b > 0 ? a + " costs"
                                                   : "both cost";
        return a + " and " + b + " cannot be weighed for the cost: " + costless + " nothing";
    }
    // The standing of the view decides who is named first; the times follow the winner.
    const int standing = *standingOf(times, costs, shows);
    const bool aFirst = standing >= 0;
    const std::string& first = aFirst ? a : b;
    const std::string& second = aFirst ? b : a;
    const std::optional<double>& firstTime = aFirst ? times.aKillsB : times.bKillsA;
    const std::optional<double>& secondTime = aFirst ? times.bKillsA : times.aKillsB;
    const std::string costText = forCost
                                     ? ", " + std::to_string(aFirst ? costs.a : costs.b) +
                                           " against " + std::to_string(aFirst ? costs.b : costs.a)
                                     : "";
    const std::string how = forCost ? " for the cost" : "";
    if (!secondTime) {
        return first + " beats " + second + how + ": " + formatSeconds(*firstTime) + costText +
               "; " + second + " cannot hurt " + first;
    }
    const std::string timesText =
        formatSeconds(*firstTime) + " against " + formatSeconds(*secondTime) + costText;
    if (standing == 0) {
        return forCost ? a + " and " + b + " are even for the cost: " + timesText
                       : a + " and " + b + " are even: " + formatSeconds(*firstTime) + " each";
    }
    return first + " beats " + second + how + ": " + timesText;
}

std::string changedWinnersText(std::size_t count) {
    if (count == 0) {
        return "No duel changes its winner";
    }
    return count == 1 ? "1 duel changes its winner"
                      : std::to_string(count) + " duels change their winner";
}

std::optional<std::string> emptyMapReason(const BalanceMatrix& matrix,
                                          const SummaryWithFailures& walked) {
    if (!matrix.isEmpty()) {
        return std::nullopt;
    }
    if (!anyScriptWalked(walked)) {
        return "No animation script could be walked: the balance map shows nothing";
    }
    // A unit attacks only with time between its blows: a wait in its attack animation.
    const bool attacks =
        std::any_of(walked.summary.scripts.begin(), walked.summary.scripts.end(),
                    [](const auto& unit) { return unit[kAttackAnimation].waitTotal > 0; });
    if (!attacks) {
        return "The animation scripts give no unit an attack: the balance map shows nothing";
    }
    return "No unit can hurt another: the balance map shows nothing";
}

}  // namespace tarnwick::game
