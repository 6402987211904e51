#include "ChildProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

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
    return run;
}

}  // namespace tarnwick::bench
