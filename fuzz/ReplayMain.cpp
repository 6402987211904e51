// Runs a fuzz target over its seeds and any corpus files given, as an ordinary test; with
// --write-seeds DIR it writes the seeds as files for a fuzzing run to start from. An input that
// brings the target down is named on standard error. As in a fuzzing run, memory is bounded: a
// reader that allocates by a size it has not checked fails the test instead of filling the
// machine.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Seeds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARNWICK_REPLAY_UNDER_ASAN
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TARNWICK_REPLAY_UNDER_ASAN
#endif

#ifdef TARNWICK_REPLAY_UNDER_ASAN
// The sanitizer reserves far more address space than it uses: the bound is on each allocation.
extern "C" const char* __asan_default_options() {
    return "max_allocation_size_mb=512";
}
#endif

namespace {

void boundMemory() {
#ifndef TARNWICK_REPLAY_UNDER_ASAN
    constexpr rlim_t kAddressSpace = rlim_t{1} << 30;
    const rlimit limit{kAddressSpace, kAddressSpace};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

// The input being run, for the signal handler: "seed 3" or a corpus file's path.
std::string current;

extern "C" void nameFailedInput(int signal) {
    constexpr char kPrefix[] = "fuzz replay: the target failed on ";
    [[maybe_unused]] auto written = write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1);
    written = write(STDERR_FILENO, current.c_str(), std::strlen(current.c_str()));
    written = write(STDERR_FILENO, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void run(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    current = name;
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto seeds = tarnwick::fuzz::seedsFor(TARNWICK_FUZZ_TARGET);
    if (args.size() == 2 && args[0] == "--write-seeds") {
        fs::create_directories(args[1]);
        for (std::size_t i = 0; i < seeds.size(); ++i) {
            std::ofstream out(fs::path(args[1]) / ("seed-" + std::to_string(i)), std::ios::binary);
            out.write(reinterpret_cast<const char*>(seeds[i].data()),
                      static_cast<std::streamsize>(seeds[i].size()));
        }
        return 0;
    }
    boundMemory();
    for (const int signal : {SIGILL, SIGSEGV, SIGABRT, SIGFPE, SIGBUS}) {
        std::signal(signal, nameFailedInput);
    }
    std::size_t runs = 0;
    for (const auto& seed : seeds) {
        run("seed " + std::to_string(runs), seed);
        ++runs;
    }
    for (const std::string& directory : args) {
        if (!fs::is_directory(directory)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(directory)) {
            run(entry.path().string(), readFile(entry.path()));
            ++runs;
        }
    }
    std::printf("%s: %zu inputs replayed\n", TARNWICK_FUZZ_TARGET, runs);
    return runs == 0 ? 1 : 0;
}
