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
    : cells_(kAnimatedUnitCount * kAnimatedUnitCount, -1), matchups_(matchups) {
    std::vector<bool> fights(kAnimatedUnitCount, false);
    for (std::size_t index = 0; index < matchups_.size(); ++index) {
        const Matchup& pair = matchups_[index];
        if (pair.a >= kAnimatedUnitCount || pair.b >= kAnimatedUnitCount) {
            continue;
        }
        cells_[pair.a * kAnimatedUnitCount + pair.b] = static_cast<std::int32_t>(index);
        fights[pair.a] = true;
        fights[pair.b] = true;
    }
    for (std::size_t unit = 0; unit < kAnimatedUnitCount; ++unit) {
        if (fights[unit]) {
            units_.push_back(unit);
        }
    }
}

DuelTimes BalanceMatrix::duel(std::size_t a, std::size_t b, DuelStart start) const {
    if (a >= kAnimatedUnitCount || b >= kAnimatedUnitCount || cells_.empty()) {
        return {};
    }
    const std::int32_t index = cells_[a * kAnimatedUnitCount + b];
    if (index < 0) {
        return {};
    }
    const Matchup& pair = matchups_[static_cast<std::size_t>(index)];
    if (start == DuelStart::PointBlank) {
        return {pair.aOnB.pointBlank, pair.bOnA.pointBlank};
    }
    return {pair.aOnB.maxDistance, pair.bOnA.maxDistance};
}

std::optional<double> outcomeLog(const DuelTimes& times) {
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
    if (a == b) {
        return 0.0;
    }
    if (a <= 0) {
        return kOutcomeCap;
    }
    if (b <= 0) {
        return -kOutcomeCap;
    }
    return std::clamp(std::log10(b / a), -kOutcomeCap, kOutcomeCap);
}

std::vector<std::size_t> strongestFirst(const BalanceMatrix& matrix, DuelStart start,
                                        const std::vector<std::size_t>& rows,
                                        const std::vector<std::size_t>& columns) {
    std::vector<double> strength(rows.size(), 0.0);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        double sum = 0;
        int counted = 0;
        for (const std::size_t column : columns) {
            if (const auto log = outcomeLog(matrix.duel(rows[row], column, start))) {
                sum += *log;
                ++counted;
            }
        }
        strength[row] = counted > 0 ? sum / counted : 0.0;
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return strength[x] > strength[y]; });
    std::vector<std::size_t> ordered;
    ordered.reserve(rows.size());
    for (const std::size_t index : order) {
        ordered.push_back(rows[index]);
    }
    return ordered;
}

TimeScale timeScaleOf(const BalanceMatrix& matrix, DuelStart start,
                      const std::vector<std::size_t>& rows,
                      const std::vector<std::size_t>& columns) {
    std::optional<TimeScale> scale;
    for (const std::size_t row : rows) {
        for (const std::size_t column : columns) {
            if (const auto ticks = matrix.duel(row, column, start).aKillsB) {
                const double seconds = scaleSeconds(*ticks);
                scale = scale ? TimeScale{std::min(scale->shortest, seconds),
                                          std::max(scale->longest, seconds)}
                              : TimeScale{seconds, seconds};
            }
        }
    }
    return scale.value_or(TimeScale{});
}

Rgb cellColour(const DuelTimes& times, MapShows shows, const TimeScale& scale) {
    if (shows == MapShows::Time) {
        return times.aKillsB ? timeColour(*times.aKillsB, scale) : kCannotColour;
    }
    const auto log = outcomeLog(times);
    return log ? outcomeColour(*log) : kCannotColour;
}

bool hasOneSidedMark(const DuelTimes& times, MapShows shows) {
    const Verdict verdict = verdictOf(times);
    return shows == MapShows::Outcome && (verdict == Verdict::OnlyA || verdict == Verdict::OnlyB);
}

std::vector<LegendEntry> legendOf(MapShows shows, const TimeScale& scale) {
    std::vector<LegendEntry> entries;
    if (shows == MapShows::Outcome) {
        for (const double log : {1.0, std::log10(3.0), 0.0, -std::log10(3.0), -1.0}) {
            const std::string ratio = ratioText(log);
            std::string text = log > 0 ? "A wins " + ratio : log < 0 ? "B wins " + ratio : "even";
            if (std::abs(log) == kOutcomeCap) {
                text += " or more";
            }
            entries.push_back({outcomeColour(log), text});
        }
        entries.push_back({kCannotColour, "neither can hurt the other"});
        entries.push_back({outcomeColour(kOutcomeCap), "only one side can hurt the other", true});
        return entries;
    }
    const double middle = std::sqrt(scale.shortest * scale.longest);
    for (const double seconds : {scale.shortest, middle, scale.longest}) {
        entries.push_back({timeColour(seconds * kTicksPerSecond, scale),
                           "A kills B in " + formatFixed(seconds, 1) + " s"});
    }
    entries.push_back({kCannotColour, "A cannot hurt B"});
    return entries;
}

std::string legendTitle(MapShows shows, DuelStart start) {
    const std::string from =
        start == DuelStart::PointBlank ? "from point blank" : "from the greatest distance";
    return shows == MapShows::Outcome
               ? "Who wins " + from + " (the loser's time to kill : the winner's)"
               : "Time for A to kill B " + from;
}

std::string formatSeconds(double ticks) {
    return formatFixed(ticks / kTicksPerSecond, 1) + " s";
}

std::string duelSummary(std::string_view nameA, std::string_view nameB, const DuelTimes& times) {
    const std::string a(nameA);
    const std::string b(nameB);
    switch (verdictOf(times)) {
        case Verdict::Neither:
            return a + " and " + b + " cannot hurt each other";
        case Verdict::OnlyA:
            return a + " beats " + b + ": " + formatSeconds(*times.aKillsB) + "; " + b +
                   " cannot hurt " + a;
        case Verdict::OnlyB:
            return b + " beats " + a + ": " + formatSeconds(*times.bKillsA) + "; " + a +
                   " cannot hurt " + b;
        case Verdict::AWins:
            return a + " beats " + b + ": " + formatSeconds(*times.aKillsB) + " against " +
                   formatSeconds(*times.bKillsA);
        case Verdict::BWins:
            return b + " beats " + a + ": " + formatSeconds(*times.bKillsA) + " against " +
                   formatSeconds(*times.aKillsB);
        case Verdict::Even:
            break;
    }
    return a + " and " + b + " are even: " + formatSeconds(*times.aKillsB) + " each";
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
