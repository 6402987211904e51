// Any bytes as the animation script entry: every walk ends inside the entry, either normally
// or with one failure line; the calculator's figures built on the summary stay finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/ShortList.h"
#include "core/game/AnimationSummary.h"
#include "core/game/UnitDuel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    const std::span<const std::uint8_t> entry(data, size);
    const auto result = game::summariseAnimations(entry);
    if (result.failures.size() > game::kAnimatedUnitCount * game::kAnimationCount) {
        __builtin_trap();
    }
    const std::string report = shortList(result.failures);
    if (std::count(report.begin(), report.end(), '\n') > 20 ||
        report.empty() != result.failures.empty()) {
        __builtin_trap();
    }
    // A few walks from starts the lists do not name.
    for (const std::size_t start : {std::size_t{0}, size / 2, size}) {
        const auto walk = game::walkScript(entry, start);
        if (!walk.ok() && walk.failure->empty()) {
            __builtin_trap();
        }
    }

    // The same bytes, repeated, as a unit table: the figures never come out as inf or nan.
    if (size == 0) {
        return 0;
    }
    model::UnitDataTable table;
    for (std::size_t i = 0; i < table.bytes.size(); ++i) {
        table.bytes[i] = data[i % size];
    }
    const auto finite = [](const game::DuelOutcome& outcome) {
        return std::isfinite(outcome.damagePerTick) &&
               (!outcome.pointBlank || std::isfinite(*outcome.pointBlank)) &&
               (!outcome.maxDistance || std::isfinite(*outcome.maxDistance));
    };
    for (std::size_t i = 0; i < 16; ++i) {
        const auto x = game::fighterOf(table, result.summary, data[i % size] % 105u);
        const auto y = game::fighterOf(table, result.summary, data[(i * 7 + 1) % size] % 105u);
        const auto outcome = game::duel(x, y);
        if (!finite(outcome) || outcome.pointBlank.has_value() != (outcome.damagePerTick > 0)) {
            __builtin_trap();
        }
    }
    const auto lines = game::compareUnits(table, result.summary, {size % 105, "a"}, {104, "b"},
                                          game::TimeUnit::Seconds);
    if (lines.size() != 8) {
        __builtin_trap();
    }
    return 0;
}
