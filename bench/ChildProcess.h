#pragma once

#include <string>
#include <vector>

namespace tarnwick::bench {

// A program run as a shell runs it, in a process of its own, and waited for.
struct ChildRun {
    int status = -1;  // as waitpid gives it; -1 when the program could not be started
    long peakKilobytes = 0;
    double seconds = 0;  // from before the fork to the end of the wait

    bool succeeded() const;
};

// Runs `program` with `arguments`; with `quiet` its standard output goes to /dev/null.
ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  bool quiet = false);

}  // namespace tarnwick::bench
