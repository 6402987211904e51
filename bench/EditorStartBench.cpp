// What a user waits for at every start of the editor: the whole process, from its start to its
// first paint (offscreen, TARNWICK_QUIT_AFTER_FIRST_PAINT) with a 128 x 128 scenario, against an
// empty Qt window built in the same run (empty-window), in CPU time. The two run in turns, so
// that a busy machine slows both alike; the times are medians, the ratio the median of each
// round's ratio. The aim is at most 2 times the empty window; above it the bench ends with
// status 1.
// Usage: editor_start_bench [ROUNDS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <QString>

#include "ChildProcess.h"
#include "DemoGameData.h"
#include "DemoScenario.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

using namespace tarnwick;

constexpr double kAim = 2.0;

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    char folderTemplate[] = "/tmp/tarnwick-editor-start-bench-XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const std::string scenario = (folder / "map.pud").string();
    platform::saveWholeFile(QString::fromStdString(scenario),
                            files::writeScenario(demo::demoScenario({.mapSide = 128})));
    // Settings and a game directory of its own, so that the editor starts as at a user's
    // second start, and no display: both programs draw into memory.
    const std::filesystem::path game = folder / "game";
    demo::writeDemoGameDirectory(QString::fromStdString(game.string()));
    std::filesystem::create_directories(folder / "config" / "Tarnwick");
    std::ofstream(folder / "config" / "Tarnwick" / "Tarnwick.conf")
        << "[General]\nWar2Dir=" << game.string() << '\n';
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TARNWICK_QUIT_AFTER_FIRST_PAINT", "1", 1);

    const auto timing =
        bench::timeInTurns({TARNWICK_EMPTY_WINDOW_PATH, {}}, {TARNWICK_EDITOR_PATH, {scenario}},
                           rounds, bench::Measure::Cpu);
    std::filesystem::remove_all(folder);
    if (!timing) {
        std::puts("a run failed");
        return 1;
    }
    const bool withinAim = timing->ratio <= kAim;
    std::printf(
        "%d runs each, CPU time to the first paint, medians; aim: at most %.1f times the "
        "empty window\n",
        rounds, kAim);
    std::printf("%14s %14s %8s\n", "empty (ms)", "editor (ms)", "ratio");
    std::printf("%14.2f %14.2f %8.2f%s\n", timing->baselineMs, timing->contenderMs, timing->ratio,
                withinAim ? "" : "  (above the aim)");
    return withinAim ? 0 : 1;
}
