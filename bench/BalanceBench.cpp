// The game balance calculator: summarising the animation scripts and the whole matchup table
// of a scenario, which the command line writes as CSV and which should take well under a
// second. Times per run in milliseconds.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "DemoGameData.h"
#include "DemoScenario.h"
#include "core/archive/Archive.h"
#include "core/files/Scenario.h"
#include "core/game/AnimationSummary.h"
#include "core/game/BalanceMap.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"
#include "core/game/StringTable.h"
#include "core/model/UnitDataTable.h"

using namespace tarnwick;

namespace {

const std::vector<std::uint8_t>& gameArchive() {
    static const std::vector<std::uint8_t> archive = [] {
        for (const auto& file : demo::demoGameFiles()) {
            if (file.path == "DATA/MAINDAT.WAR") {
                return file.bytes;
            }
        }
        return std::vector<std::uint8_t>{};
    }();
    return archive;
}

std::vector<std::string> demoNames() {
    const auto names = game::readGameNames(demo::demoStringTable());
    std::vector<std::string> out;
    for (const auto& name : names.unitRows) {
        out.push_back(name.value_or(""));
    }
    return out;
}

void summaryOfTheDemoScripts(benchmark::State& state) {
    const auto entry = demo::demoAnimations();
    for (auto _ : state) {
        benchmark::DoNotOptimize(game::summariseAnimations(entry));
    }
}

// The longest walks an entry of 64 KiB allows: every one of the 735 scripts waits its way
// through the whole entry before jumping back.
void summaryOfTheLongestScripts(benchmark::State& state) {
    std::vector<std::uint8_t> entry(224);
    for (std::size_t unit = 0; unit < game::kAnimatedUnitCount; ++unit) {
        entry[2 * unit] = 210;
    }
    for (std::size_t animation = 0; animation < game::kAnimationCount; ++animation) {
        entry[210 + 2 * animation] = 224;
    }
    while (entry.size() < 65'533) {
        entry.insert(entry.end(), {1, 3});
    }
    entry.insert(entry.end(), {3, 224, 0});
    for (auto _ : state) {
        benchmark::DoNotOptimize(game::summariseAnimations(entry));
    }
}

void matrixFromTheSummary(benchmark::State& state) {
    const model::Document scenario = demo::demoScenario();
    const auto summary = game::summariseAnimations(demo::demoAnimations()).summary;
    const auto names = demoNames();
    std::size_t rows = 0;
    for (auto _ : state) {
        const std::string csv = game::matchupTableCsv(scenario.unitData, summary, names);
        rows = static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n'));
        benchmark::DoNotOptimize(csv.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// What `balance --matrix` does between reading its files and writing its output: read the
// scenario, extract and unpack entry 278, summarise it and write the table.
void matrixOfAScenario(benchmark::State& state) {
    const auto scenarioFile = files::writeScenario(demo::demoScenario());
    const auto names = demoNames();
    for (auto _ : state) {
        model::Document document;
        files::readScenario(document, scenarioFile);
        const archive::ArchiveView view(gameArchive());
        const auto summary = game::summariseAnimations(view.extract(278));
        benchmark::DoNotOptimize(
            game::matchupTableCsv(document.unitData, summary.summary, names).data());
    }
}

// What the Balance Map window does after each edit, in the view for the cost: every duel
// again, rows and columns in order of strength for the cost, the time scale's percentiles and
// each row's tally. It runs on the window's thread, so it must stay far below a frame's worth of
// milliseconds (under 5).
void balanceMapAfterAnEdit(benchmark::State& state) {
    model::Document scenario = demo::demoScenario();
    const auto summary = game::summariseAnimations(demo::demoAnimations()).summary;
    std::uint32_t hitPoints = 30;
    for (auto _ : state) {
        // An edit of one unit, as typed on its page.
        scenario.unitData.set(model::unitfields::hitPoints, 0, ++hitPoints % 200 + 1);
        const game::BalanceMatrix matrix(game::matchups(scenario.unitData, summary));
        const auto& units = matrix.units();
        game::BalanceMapScope scope{units, units, game::DuelStart::PointBlank,
                                    game::MapShows::Cost};
        scope.rows = game::strongestFirst(matrix, scope.start, scope.shows, units, units);
        scope.columns = game::strongestFirst(matrix, scope.start, scope.shows, units, units);
        benchmark::DoNotOptimize(game::timeScaleOf(matrix, scope.start, scope.rows, scope.columns));
        int wins = 0;
        for (const std::size_t row : scope.rows) {
            wins += game::rowTally(matrix, scope, row).wins;
        }
        benchmark::DoNotOptimize(wins);
    }
}

// `balance --matrix OUT.png` between reading its files and encoding the picture.
void balanceMapPicture(benchmark::State& state) {
    const model::Document scenario = demo::demoScenario();
    const auto summary = game::summariseAnimations(demo::demoAnimations()).summary;
    const auto names = demoNames();
    const game::BalanceMatrix matrix(game::matchups(scenario.unitData, summary));
    const game::BalanceMapScope scope{matrix.units(), matrix.units()};
    for (auto _ : state) {
        const game::BalanceMapTexts texts = game::balanceMapTexts(matrix, scope, names);
        const auto layout = game::balanceMapLayout(texts, game::kDefaultCellSize);
        benchmark::DoNotOptimize(game::drawBalanceMap(matrix, scope, texts, layout));
    }
}

}  // namespace

BENCHMARK(summaryOfTheDemoScripts)->Unit(benchmark::kMillisecond);
BENCHMARK(summaryOfTheLongestScripts)->Unit(benchmark::kMillisecond);
BENCHMARK(matrixFromTheSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(matrixOfAScenario)->Unit(benchmark::kMillisecond);
BENCHMARK(balanceMapAfterAnEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(balanceMapPicture)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
