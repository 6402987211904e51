// Peak memory of `tarnwick-tool apply --in-place` on folders of 1, 100 and 1,000 scenarios of
// the game's largest map size, run as a shell runs it: the tool in its own process, its peak
// resident set as getrusage reports it for that child. The aim is under 30 MB at 1,000 files,
// and no growth with the number of files; a run above it ends the bench with status 1.
// Usage: apply_memory_bench [COUNT...]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DemoScenario.h"
#include "core/files/Scenario.h"

using namespace tarnwick;

namespace {

constexpr long kAimKilobytes = 30 * 1024;

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

struct ChildRun {
    int status = -1;
    long peakKilobytes = 0;
    double seconds = 0;
};

ChildRun runTool(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string program = TARNWICK_TOOL_PATH;
    argv.push_back(program.data());
    std::vector<std::string> words = arguments;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    ChildRun run;
    rusage usage{};
    if (child < 0 || wait4(child, &run.status, 0, &usage) != child) {
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKilobytes = usage.ru_maxrss;  // kilobytes on Linux
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) {
        counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty()) {
        counts = {1, 100, 1000};
    }
    const int most = *std::max_element(counts.begin(), counts.end());

    char folderTemplate[] = "/tmp/tarnwick-apply-bench-XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folderTemplate;
    const auto scenario = files::writeScenario(demo::demoScenario({.mapSide = 128}));
    std::vector<std::string> files;
    for (int i = 0; i < most; ++i) {
        files.push_back((folder / ("map" + std::to_string(i) + ".pud")).string());
        writeFile(files.back(), scenario);
    }
    const std::string changes = (folder / "sight.csv").string();
    std::string sight = "unit,sightRange\n";
    for (int unit = 0; unit < 110; ++unit) {
        sight += std::to_string(unit) + ",9\n";
    }
    writeFile(changes, std::vector<std::uint8_t>(sight.begin(), sight.end()));

    std::printf("scenario file: %zu bytes\n", scenario.size());
    std::printf("%8s %16s %10s\n", "files", "peak RSS (MB)", "seconds");
    int failures = 0;
    for (const int count : counts) {
        std::vector<std::string> arguments = {"apply", "--in-place", "--quiet", changes};
        arguments.insert(arguments.end(), files.begin(), files.begin() + count);
        const ChildRun run = runTool(arguments);
        const bool ok = WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
        const bool withinAim = run.peakKilobytes <= kAimKilobytes;
        failures += ok && withinAim ? 0 : 1;
        std::printf("%8d %16.1f %10.2f%s\n", count, static_cast<double>(run.peakKilobytes) / 1024.0,
                    run.seconds, ok ? "" : "  (the tool failed)");
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
