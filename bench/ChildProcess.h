#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::bench {

// A program run as a shell runs it, in a process of its own, and waited for.
struct ChildRun {
    int status = -1;  // as waitpid gives it; -1 when the program could not be started
    long peakKilobytes = 0;
    double seconds = 0;     // from before the fork to the end of the wait
    double cpuSeconds = 0;  // the child's, in user and system mode

    bool succeeded() const;
};

// Runs `program` with `arguments`; with `quiet` its standard output goes to /dev/null.
ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  bool quiet = false);

// A program with its arguments, to run many times.
struct Contender {
    std::string program;
    std::vector<std::string> arguments;
};
enum class Measure { Wall, Cpu };
struct Timing {
    double baselineMs = 0;  // medians
    double contenderMs = 0;
    double ratio = 0;  // the median of each round's contender time over its baseline time
};
// Both, quiet, `rounds` times in turns, so that a busy machine slows both alike: each goes first
// every other round. Nothing when a run fails.
std::optional<Timing> timeInTurns(const Contender& baseline, const Contender& contender, int rounds,
                                  Measure measure = Measure::Wall);

}  // namespace tarnwick::bench
