// The modders' data tools as a shell runs them, files and all: `units --format json` and
// `apply` on a scenario, one file and a folder of thirty in place. The aim is well under 10 ms
// a file. Wall-clock times, since every save waits for the disk's flush; "per file" is the
// wall-clock time of one file, and the CPU column shows the program's own share.
#include <benchmark/benchmark.h>

#include <sstream>

#include <QTemporaryDir>

#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"
#include "tool/ToolCommands.h"

using namespace tarnwick;

namespace {

constexpr int kFolderSize = 30;

class Folder {
  public:
    Folder() {
        const auto scenario = files::writeScenario(demo::demoScenario());
        scenarioBytes = scenario.size();
        for (int i = 0; i < kFolderSize; ++i) {
            save(name(i), scenario);
        }
        std::string sight = "unit,sightRange\n";
        for (int unit = 0; unit < 110; ++unit) {
            sight += std::to_string(unit) + ",9\n";
        }
        save("sight.csv", std::vector<std::uint8_t>(sight.begin(), sight.end()));
        const std::string json = run({"units", path(name(0)), "--format", "json"});
        save("all.json", std::vector<std::uint8_t>(json.begin(), json.end()));
    }
    std::string path(const std::string& file) const {
        return directory.filePath(QString::fromStdString(file)).toStdString();
    }
    static std::string name(int i) { return "s" + std::to_string(i) + ".pud"; }
    static std::string run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        if (tool::runTool(arguments, out, err) != 0) {
            throw std::runtime_error(err.str());
        }
        return out.str();
    }

    std::size_t scenarioBytes = 0;

  private:
    void save(const std::string& file, const std::vector<std::uint8_t>& bytes) const {
        platform::saveWholeFile(QString::fromStdString(path(file)), bytes);
    }
    QTemporaryDir directory;
};

const Folder& folder() {
    static const Folder made;
    return made;
}

void perFile(benchmark::State& state, int files) {
    state.counters["per file"] = benchmark::Counter(
        files, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["scenario bytes"] = static_cast<double>(folder().scenarioBytes);
}

void unitsAsJson(benchmark::State& state) {
    const std::string in = folder().path(Folder::name(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Folder::run({"units", in, "--format", "json"}).size());
    }
    perFile(state, 1);
}

// The floor of every command that writes: reading and saving the file, nothing changed.
void resaveAlone(benchmark::State& state) {
    const Folder& f = folder();
    for (auto _ : state) {
        Folder::run({"resave", f.path(Folder::name(0)), f.path("out.pud")});
    }
    perFile(state, 1);
}

// Every unit value of the table: the round trip's worst case, some 4000 values.
void applyEveryUnitValue(benchmark::State& state) {
    const Folder& f = folder();
    for (auto _ : state) {
        Folder::run({"apply", f.path(Folder::name(0)), f.path("all.json"), f.path("out.pud")});
    }
    perFile(state, 1);
}

void applyOneColumnInPlaceToAFolder(benchmark::State& state) {
    const Folder& f = folder();
    std::vector<std::string> arguments = {"apply", "--in-place", f.path("sight.csv")};
    for (int i = 0; i < kFolderSize; ++i) {
        arguments.push_back(f.path(Folder::name(i)));
    }
    for (auto _ : state) {
        Folder::run(arguments);
    }
    perFile(state, kFolderSize);
}

}  // namespace

BENCHMARK(unitsAsJson)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(resaveAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(applyEveryUnitValue)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(applyOneColumnInPlaceToAFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
