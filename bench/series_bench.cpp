// Reading one counter out of a 1 GB data file (warm page cache) against reading the same file in
// 1 MiB chunks: the series reader should keep at least half the speed of the plain read.
//
// The file is written into a fresh folder under the system's temporary directory by the data
// file writer, from the blocks of a simulated desk computer, and removed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "perf/perf_layout.h"
#include "platform/data_file_io.h"
#include "series/counter_choice.h"
#include "series/series_loader.h"
#include "sim/block_builder.h"
#include "sim/counter_names.h"
#include "sim/host_block.h"

namespace {

constexpr std::uint64_t kFileBytes = 1ull << 30;
constexpr std::size_t kChunkBytes = 1u << 20;
constexpr std::int64_t kSecond = 10'000'000;
constexpr platform::Time kStart = 1'724'043'600;

std::string g_strPath;

// A desk computer's samples, one a second, until the file holds kFileBytes.
std::string WriteBenchFile(const std::filesystem::path& dir) {
    CCounterNameMap names;
    for (const auto& [nIndex, strName] : sim::EnglishCounterNames()) {
        names[std::to_string(nIndex)] = std::string(strName);
    }
    sim::CPerfBlockBuilder builder = sim::MakeHostBlockBuilder(sim::CHostShape());
    CDataFileWriter writer;
    if (writer.Create(dir.string() + "/", "PC01", 1, kStart) != 0) return {};
    CDataFileHeader header;
    header.m_strHost = "PC01";
    header.m_tStart = kStart;
    writer.WriteHeader(header, names);
    std::uint64_t nWritten = 0;
    for (std::int64_t i = 0; nWritten < kFileBytes; ++i) {
        builder.SetClock((1000 + i) * kSecond);
        builder.AddValue(perf::kObjectProcessor, "_Total", perf::kCounterProcessorTime,
                         kSecond * (i % 7 + 1) / 8);
        builder.AddValue(perf::kObjectNetworkInterface,
                         sim::CHostShape().m_vecNetworkInterfaces.front(),
                         sim::kCounterBytesTotalPerSec, 1000 * (i % 13));
        const std::vector<std::uint8_t> block = builder.Build();
        writer.WriteSample(kStart + i, block);
        nWritten += block.size() + 15;
    }
    if (writer.Finish() != 0) return {};
    return writer.FinishedPath();
}

std::uint64_t ReadInChunks(const std::string& strPath) {
    platform::InputFile file;
    if (file.Open(strPath) != 0) return 0;
    std::vector<char> buffer(kChunkBytes);
    std::uint64_t nTotal = 0;
    for (;;) {
        std::size_t nRead = 0;
        if (file.Read(buffer.data(), buffer.size(), nRead) != 0 || nRead == 0) break;
        nTotal += nRead;
        benchmark::DoNotOptimize(buffer.data());
    }
    return nTotal;
}

void BM_ReadInChunks(benchmark::State& state) {
    std::uint64_t nBytes = 0;
    for (auto _ : state) nBytes += ReadInChunks(g_strPath);
    state.SetBytesProcessed(static_cast<std::int64_t>(nBytes));
}
BENCHMARK(BM_ReadInChunks)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExtractCounter(benchmark::State& state) {
    const series::CCounterChoice& choice = *series::CounterChoice(static_cast<int>(state.range(0)));
    const std::uint64_t nFile = std::filesystem::file_size(g_strPath);
    std::size_t nPoints = 0;
    for (auto _ : state) {
        const series::CLoadResult result = series::LoadSeries({g_strPath}, choice);
        if (!result.Ok()) state.SkipWithError("the series could not be read");
        nPoints = result.m_series.Points().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(nFile * state.iterations()));
    state.counters["samples"] = static_cast<double>(nPoints);
}
// CPU-CPU Time (one "_Total" instance) and Network I/F (every interface added up).
BENCHMARK(BM_ExtractCounter)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond)->UseRealTime();

// Shows every run and remembers its throughput for the ratio printed at the end.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) m_mapRates[run.benchmark_name()] = it->second;
        }
    }
    std::map<std::string, double> m_mapRates;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::error_code error;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("varnole-series-bench-" + std::to_string(std::chrono::steady_clock::now()
                                                       .time_since_epoch()
                                                       .count()));
    std::filesystem::create_directories(dir, error);
    g_strPath = WriteBenchFile(dir);
    if (g_strPath.empty()) {
        std::cerr << "series_bench: cannot write the data file in " << dir << "\n";
        std::filesystem::remove_all(dir, error);
        return 1;
    }
    ReadInChunks(g_strPath);  // the page cache holds the file from here on
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::filesystem::remove_all(dir, error);

    // Each extraction against the chunked read of the same kind of figure (a single run, or the
    // mean or median of repetitions): the part of the name after its last '/'.
    for (const auto& [strName, dRate] : reporter.m_mapRates) {
        if (strName.rfind("BM_ExtractCounter", 0) != 0) continue;
        const std::string strKind = strName.substr(strName.rfind('/') + 1);
        if (strKind.find("_stddev") != std::string::npos || strKind.find("_cv") != std::string::npos) {
            continue;  // spreads are not throughputs
        }
        const auto it = reporter.m_mapRates.find("BM_ReadInChunks/" + strKind);
        if (it != reporter.m_mapRates.end() && it->second > 0) {
            std::printf("%s: %.2f of the chunked read's throughput\n", strName.c_str(),
                        dRate / it->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
