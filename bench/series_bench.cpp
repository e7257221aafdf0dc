// Reading one counter out of a 1 GB data file (warm page cache) against reading the same file in
// 1 MiB chunks: the series reader should keep at least half the speed of the plain read.
//
// The file is written into a fresh folder under the system's temporary directory by the data
// file writer, from the blocks of a simulated desk computer, and removed at the end.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_data_file.h"
#include "series/counter_choice.h"
#include "series/series_loader.h"

namespace {

std::string g_strPath;

void BM_ReadInChunks(benchmark::State& state) {
    bench::MeasureChunkedRead(state, g_strPath);
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

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path dir;
    return bench::RunWithBenchFile(argc, argv, "series-bench", "BM_ExtractCounter", g_strPath, dir);
}
