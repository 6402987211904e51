// Throughput of the archive codec and of entry insertion, against plain transcriptions of the
// same algorithms measured in the same run. Prints MB/s per benchmark, then the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "BenchData.h"
#include "PlainLzss.h"
#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/archive/LzssDecoder.h"
#include "core/archive/LzssEncoder.h"

using namespace tarnwick;

namespace {

const bench::Bytes& data(const std::string& name) {
    static const std::map<std::string, bench::Bytes> sets = {
        {"scenario", bench::scenarioData()},
        {"mixed", bench::mixedData()},
        {"game", bench::gameData()},
    };
    return sets.at(name);
}

const bench::Bytes& stream(const std::string& name) {
    static std::map<std::string, bench::Bytes> streams;
    auto& packed = streams[name];
    if (packed.empty()) {
        NoProgress quiet;
        packed = archive::lzssCompress(data(name), quiet);
    }
    return packed;
}

void setThroughput(benchmark::State& state, const std::string& name) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data(name).size()));
    state.counters["ratio"] =
        static_cast<double>(stream(name).size()) / static_cast<double>(data(name).size());
}

void decodeFast(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive::lzssDecompress(stream(name), data(name).size()));
    }
    setThroughput(state, name);
}

void decodePlain(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::plainDecompress(stream(name), data(name).size()));
    }
    setThroughput(state, name);
}

void encodeFast(benchmark::State& state, const std::string& name) {
    NoProgress quiet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive::lzssCompress(data(name), quiet));
    }
    setThroughput(state, name);
}

void encodePlain(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::plainCompress(data(name)));
    }
    setThroughput(state, name);
}

// Replacing an entry in the middle of a 5 MB archive.
void insertEntry(benchmark::State& state) {
    bench::Bytes archive = {'W', 'A', 'R', '2', 100, 0, 0, 0};
    const std::size_t entrySize = 50'000;
    for (std::uint32_t slot = 0; slot < 100; ++slot) {
        const auto offset = static_cast<std::uint32_t>(8 + 400 + slot * (entrySize + 4));
        for (int shift = 0; shift < 32; shift += 8) {
            archive.push_back(static_cast<std::uint8_t>(offset >> shift));
        }
    }
    for (std::uint32_t slot = 0; slot < 100; ++slot) {
        archive.insert(archive.end(), {0x50, 0xC3, 0, 0});
        archive.insert(archive.end(), entrySize, static_cast<std::uint8_t>(slot));
    }
    const bench::Bytes replacement(60'000, 7);
    NoProgress quiet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive::insertEntry(
            archive, 50, archive::entryHeader(replacement.size(), false), replacement, quiet));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(archive.size()));
}

// Keeps each run's throughput for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("bytes_per_second");
            if (found != run.counters.end()) {
                throughput[run.benchmark_name()] = found->second.value;
            }
        }
    }
    std::map<std::string, double> throughput;
};

}  // namespace

int main(int argc, char** argv) {
    for (const std::string name : {"scenario", "mixed", "game"}) {
        benchmark::RegisterBenchmark(("decode/fast/" + name).c_str(), decodeFast, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("decode/plain/" + name).c_str(), decodePlain, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/fast/" + name).c_str(), encodeFast, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/plain/" + name).c_str(), encodePlain, name)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("insert/5MB", insertEntry)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nthroughput, fast code over its plain baseline:\n");
    for (const std::string direction : {"decode", "encode"}) {
        for (const std::string name : {"scenario", "mixed", "game"}) {
            const double fast = reporter.throughput[direction + "/fast/" + name];
            const double plain = reporter.throughput[direction + "/plain/" + name];
            if (plain > 0) {
                std::printf("  %s %-8s %8.1f MB/s vs %8.1f MB/s: %.2fx\n", direction.c_str(),
                            name.c_str(), fast / 1e6, plain / 1e6, fast / plain);
            }
        }
    }
    benchmark::Shutdown();
    return 0;
}
