// What a script pays per call of tarnwick-tool: the whole process, started again and again,
// against a program on Qt Core alone built in the same run (qtcore-baseline), for `--version`
// and for `resave` of one scenario (the baseline copying the file with the same durable save).
// The two run in turns, so that a busy machine slows both alike; the times are medians, the
// ratio the median of each round's ratio. The aim is at most 1.3 times the baseline; a command
// above it ends the bench with status 1.
// Usage: startup_bench [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QString>

#include "ChildProcess.h"
#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

using namespace tarnwick;

constexpr double kAim = 1.3;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    char folderTemplate[] = "/tmp/tarnwick-startup-bench-XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const std::string scenario = (folder / "map.pud").string();
    const std::string saved = (folder / "saved.pud").string();
    platform::saveWholeFile(QString::fromStdString(scenario),
                            files::writeScenario(demo::demoScenario()));

    const std::string baseline = TARNWICK_BASELINE_PATH;
    const std::string tool = TARNWICK_TOOL_PATH;
    const std::vector<std::pair<std::string, std::pair<bench::Contender, bench::Contender>>>
        commands = {
            {"--version", {{baseline, {"--version"}}, {tool, {"--version"}}}},
            {"resave",
             {{baseline, {"copy", scenario, saved}}, {tool, {"resave", scenario, saved}}}},
        };
    std::printf("%d runs each, medians; aim: at most %.1f times the Qt Core baseline\n", rounds,
                kAim);
    std::printf("%-12s %14s %14s %8s\n", "command", "baseline (ms)", "tool (ms)", "ratio");
    int failures = 0;
    for (const auto& [name, contenders] : commands) {
        const auto timing = bench::timeInTurns(contenders.first, contenders.second, rounds);
        if (!timing) {
            ++failures;
            continue;
        }
        const bool withinAim = timing->ratio <= kAim;
        failures += withinAim ? 0 : 1;
        std::printf("%-12s %14.2f %14.2f %8.2f%s\n", name.c_str(), timing->baselineMs,
                    timing->contenderMs, timing->ratio, withinAim ? "" : "  (above the aim)");
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
