// Runs a fuzz target over its seeds and any corpus files given, as an ordinary test; with
// --write-seeds DIR it writes the seeds as files for a fuzzing run to start from.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Seeds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

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
    std::size_t runs = 0;
    for (const auto& seed : seeds) {
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
        ++runs;
    }
    for (const std::string& directory : args) {
        if (!fs::is_directory(directory)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(directory)) {
            const auto bytes = readFile(entry.path());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++runs;
        }
    }
    std::printf("%s: %zu inputs replayed\n", TARNWICK_FUZZ_TARGET, runs);
    return runs == 0 ? 1 : 0;
}
