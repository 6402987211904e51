// Throughput of the archive codec and of entry insertion. The codec is measured against the
// ordinary decoder loop and the binary-tree encoder as usually written, and the decoder against
// memcpy of the same output, all repeated and interleaved in one run so the machine's load hits
// each alike; unpacking and repacking every entry of the demo game's archives gives the figure
// a user feels. Prints the median MB/s of each, and the median ratio per workload.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

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
}

constexpr const char* kWorkloads[] = {"scenario", "game", "mixed"};

void decodeProject(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive::lzssDecompress(stream(name), data(name).size()));
    }
    setThroughput(state, name);
}

void decodeBaseline(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::plainDecompress(stream(name), data(name).size()));
    }
    setThroughput(state, name);
}

void encodeProject(benchmark::State& state, const std::string& name) {
    NoProgress quiet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive::lzssCompress(data(name), quiet));
    }
    setThroughput(state, name);
}

void encodeBaseline(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::plainCompress(data(name)));
    }
    setThroughput(state, name);
}

// The most any decoder could do: copy the finished output into a buffer already there.
void copyOutput(benchmark::State& state, const std::string& name) {
    const bench::Bytes& source = data(name);
    bench::Bytes target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::ClobberMemory();
    }
    setThroughput(state, name);
}

// Timing means nothing unless both codecs produce the same thing on the timed inputs.
void checkBaselinesAgree() {
    for (const std::string name : kWorkloads) {
        const bool same = archive::lzssDecompress(stream(name), data(name).size()) == data(name) &&
                          bench::plainDecompress(stream(name), data(name).size()) == data(name) &&
                          bench::plainCompress(data(name)) == stream(name);
        if (!same) {
            std::fprintf(stderr, "%s: the project's codec and the baseline disagree\n",
                         name.c_str());
            std::exit(1);
        }
    }
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::int64_t gameArchiveContent() {
    static const auto total = static_cast<std::int64_t>(bench::gameData().size());
    return total;
}

// What a user waits for when unpacking every entry of every archive.
void unpackArchives(benchmark::State& state) {
    for (auto _ : state) {
        for (const demo::GameFile& file : bench::gameArchives()) {
            const archive::ArchiveView view(file.bytes);
            for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
                if (view.offset(slot) != -1) {
                    benchmark::DoNotOptimize(view.extract(static_cast<std::int64_t>(slot)));
                }
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * gameArchiveContent());
}

// Every entry packed again as it was stored; the payloads must come out as they went in.
std::vector<bench::Bytes> repackArchive(const demo::GameFile& file) {
    const archive::ArchiveView view(file.bytes);
    NoProgress quiet;
    std::vector<bench::Bytes> payloads;
    for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
        if (view.offset(slot) != -1) {
            const auto entry = static_cast<std::int64_t>(slot);
            const bench::Bytes data = view.extract(entry);
            payloads.push_back(view.info(entry).compressed ? archive::lzssCompress(data, quiet)
                                                           : data);
        }
    }
    return payloads;
}

void repackArchives(benchmark::State& state) {
    for (auto _ : state) {
        for (const demo::GameFile& file : bench::gameArchives()) {
            benchmark::DoNotOptimize(repackArchive(file));
        }
    }
    state.SetBytesProcessed(state.iterations() * gameArchiveContent());
}

void checkRepackIsExact() {
    for (const demo::GameFile& file : bench::gameArchives()) {
        const archive::ArchiveView view(file.bytes);
        const std::vector<bench::Bytes> payloads = repackArchive(file);
        std::size_t next = 0;
        for (std::size_t slot = 0; slot < view.entryCount(); ++slot) {
            if (view.offset(slot) == -1) {
                continue;
            }
            const archive::EntryInfo info = view.info(static_cast<std::int64_t>(slot));
            const std::span<const std::uint8_t> stored(file.bytes.data() + info.offset + 4,
                                                       info.storedLength - 4);
            if (!std::ranges::equal(stored, payloads[next++])) {
                std::fprintf(stderr, "%s: entry %zu repacks differently\n", file.path.c_str(),
                             slot);
                std::exit(1);
            }
        }
    }
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

// Keeps every repetition's throughput for the summary printed at the end, which is all that
// is shown.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto found = run.counters.find("bytes_per_second");
            if (run.run_type == Run::RT_Iteration && found != run.counters.end()) {
                throughput[run.run_name.str()].push_back(found->second.value);
            }
        }
    }

    double medianThroughput(const std::string& name) const {
        const auto found = throughput.find(name);
        return found == throughput.end() ? 0 : median(found->second);
    }

    // Repetition k of one benchmark against repetition k of the other.
    double medianRatio(const std::string& over, const std::string& under) const {
        const auto top = throughput.find(over);
        const auto bottom = throughput.find(under);
        if (top == throughput.end() || bottom == throughput.end()) {
            return 0;
        }
        std::vector<double> ratios;
        for (std::size_t k = 0; k < std::min(top->second.size(), bottom->second.size()); ++k) {
            ratios.push_back(top->second[k] / bottom->second[k]);
        }
        return median(ratios);
    }

    void printComparison(const std::string& label, const std::string& over,
                         const std::string& under) const {
        const double ratio = medianRatio(over, under);
        if (ratio > 0) {
            std::printf("  %-24s %9.1f MB/s vs %9.1f MB/s: %6.3fx\n", label.c_str(),
                        medianThroughput(over) / 1e6, medianThroughput(under) / 1e6, ratio);
        }
    }

    void printThroughput(const std::string& label, const std::string& name) const {
        std::printf("  %-24s %9.1f MB/s\n", label.c_str(), medianThroughput(name) / 1e6);
    }

  private:
    std::map<std::string, std::vector<double>> throughput;
};

}  // namespace

int main(int argc, char** argv) {
    for (const std::string name : kWorkloads) {
        benchmark::RegisterBenchmark(("decode/project/" + name).c_str(), decodeProject, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("decode/baseline/" + name).c_str(), decodeBaseline, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("copy/memcpy/" + name).c_str(), copyOutput, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/project/" + name).c_str(), encodeProject, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("encode/baseline/" + name).c_str(), encodeBaseline, name)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("archives/unpack", unpackArchives)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("archives/repack", repackArchives)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("insert/5MB", insertEntry)->Unit(benchmark::kMillisecond);
    // Repeated and interleaved unless the command line says otherwise: flags given later win.
    std::vector<char*> arguments = {argv[0]};
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    arguments.push_back(repetitions.data());
    arguments.push_back(interleaving.data());
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int argumentCount = static_cast<int>(arguments.size());
    benchmark::Initialize(&argumentCount, arguments.data());
    checkBaselinesAgree();
    checkRepackIsExact();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nmedian throughput, and the median of the per-repetition ratios:\n");
    for (const std::string name : kWorkloads) {
        std::printf("%s, %.1f MB packed to %.3f of its size\n", name.c_str(),
                    static_cast<double>(data(name).size()) / 1e6,
                    static_cast<double>(stream(name).size()) / static_cast<double>(data(name).size()));
        reporter.printComparison("decode, project/baseline", "decode/project/" + name,
                                 "decode/baseline/" + name);
        reporter.printComparison("encode, project/baseline", "encode/project/" + name,
                                 "encode/baseline/" + name);
        reporter.printComparison("decode, project/memcpy", "decode/project/" + name,
                                 "copy/memcpy/" + name);
    }
    std::printf("the demo game's archives, %.1f MB of content\n",
                static_cast<double>(gameArchiveContent()) / 1e6);
    reporter.printThroughput("unpack every entry", "archives/unpack");
    reporter.printThroughput("repack every entry", "archives/repack");
    std::printf("a 5 MB archive\n");
    reporter.printThroughput("replace one entry", "insert/5MB");
    benchmark::Shutdown();
    return 0;
}
