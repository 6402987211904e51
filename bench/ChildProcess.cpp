#include "ChildProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tarnwick::bench {

bool ChildRun::succeeded() const {
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ChildRun runChild(const std::string& program, const std::vector<std::string>& arguments,
                  bool quiet) {
    // Built before the fork: the child only calls what is safe there.
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (quiet) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    ChildRun run;
    rusage usage{};
    if (child < 0 || wait4(child, &run.status, 0, &usage) != child) {
        run.status = -1;
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKilobytes = usage.ru_maxrss;  // kilobytes on Linux
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return run;
}

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

std::optional<Timing> timeInTurns(const Contender& baseline, const Contender& contender, int rounds,
                                  Measure measure) {
    std::vector<double> baselineTimes;
    std::vector<double> contenderTimes;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        for (const bool isContender : {round % 2 == 1, round % 2 == 0}) {
            const Contender& next = isContender ? contender : baseline;
            const ChildRun run = runChild(next.program, next.arguments, true);
            if (!run.succeeded()) {
                std::fprintf(stderr, "%s failed\n", next.program.c_str());
                return std::nullopt;
            }
            const double seconds = measure == Measure::Wall ? run.seconds : run.cpuSeconds;
            (isContender ? contenderTimes : baselineTimes).push_back(seconds * 1000);
        }
        ratios.push_back(contenderTimes.back() / baselineTimes.back());
    }
    return Timing{median(baselineTimes), median(contenderTimes), median(ratios)};
}

}  // namespace tarnwick::bench
