// What one save costs as its folder grows: `tarnwick-tool set` on a scenario in a folder of 10
// files against the same in a folder of 10,000, as a script that sets a field in each file of a
// large folder runs it. The processes' CPU time (user and system) is compared, in turns, as
// medians and the median of each round's ratio. The aim is at most 1.2 times: a save that read
// its whole folder each time would make such a script's work grow with the square of the files.
// Above the aim the bench ends with status 1.
// Usage: save_folder_bench [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QString>

#include "ChildProcess.h"
#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

using namespace tarnwick;

namespace {

constexpr double kAim = 1.2;

// A folder of `count` files: the scenario that is set and others, empty, that only fill it.
bench::Contender setInFolderOf(const std::filesystem::path& root, int count) {
    const std::filesystem::path folder = root / std::to_string(count);
    std::filesystem::create_directory(folder);
    const std::string scenario = (folder / "map.pud").string();
    platform::saveWholeFile(QString::fromStdString(scenario),
                            files::writeScenario(demo::demoScenario()));
    for (int file = 1; file < count; ++file) {
        std::ofstream(folder / ("other-" + std::to_string(file) + ".pud"));
    }
    return {TARNWICK_TOOL_PATH, {"set", scenario, scenario, "0", "hitPoints", "60"}};
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    char rootTemplate[] = "/tmp/tarnwick-save-folder-bench-XXXXXX";
    if (mkdtemp(rootTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path root = rootTemplate;
    const auto timing = bench::timeInTurns(setInFolderOf(root, 10), setInFolderOf(root, 10000),
                                           rounds, bench::Measure::Cpu);
    std::filesystem::remove_all(root);
    if (!timing) {
        return 1;
    }
    const bool withinAim = timing->ratio <= kAim;
    std::printf(
        "set, %d runs each, CPU medians: folder of 10 %.2f ms, of 10,000 %.2f ms, "
        "ratio %.2f (aim: at most %.1f)%s\n",
        rounds, timing->baselineMs, timing->contenderMs, timing->ratio, kAim,
        withinAim ? "" : "  (above the aim)");
    return withinAim ? 0 : 1;
}
