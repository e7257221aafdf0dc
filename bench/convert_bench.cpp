// Converting a 1 GB data file into a CSV file (warm page cache) against reading the same file in
// 1 MiB chunks: the conversion should keep at least 40% of the speed of the plain read.
//
// The file is written into a fresh folder under the system's temporary directory by the data
// file writer, from the blocks of a simulated office server (four processors, two disks, three
// volumes, sixty processes: about the block a real one returns, and twelve instance columns of
// the CSV file); it and the CSV file are removed at the end.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_data_file.h"
#include "csv_conversion.h"

namespace {

std::filesystem::path g_dir;
std::string g_strPath;

void BM_ReadInChunks(benchmark::State& state) {
    bench::MeasureChunkedRead(state, g_strPath);
}
BENCHMARK(BM_ReadInChunks)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ConvertToCsv(benchmark::State& state) {
    const std::uint64_t nFile = std::filesystem::file_size(g_strPath);
    const std::string strOutput = (g_dir / "out.csv").string();
    csv::CConvertOptions options;
    options.m_eEncoding =
        state.range(0) == 0 ? csv::ECsvEncoding::kCp932 : csv::ECsvEncoding::kUtf8Bom;
    std::size_t nRows = 0;
    std::uint64_t nCsvBytes = 0;
    for (auto _ : state) {
        const csv::CConvertResult result = csv::ConvertToCsv({g_strPath}, strOutput, options);
        if (!result.Ok()) state.SkipWithError("the CSV file could not be written");
        nRows = result.m_nRows;
    }
    std::error_code error;
    nCsvBytes = std::filesystem::file_size(strOutput, error);
    state.SetBytesProcessed(static_cast<std::int64_t>(nFile * state.iterations()));
    state.counters["rows"] = static_cast<double>(nRows);
    state.counters["csv_MB"] = static_cast<double>(nCsvBytes) / 1e6;
}
// Code page 932 and UTF-8.
BENCHMARK(BM_ConvertToCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

sim::CHostShape OfficeServer() {
    sim::CHostShape shape;
    shape.m_strSystemName = "SV01";
    shape.m_nProcessors = 4;
    shape.m_vecPhysicalDisks = {"0 C:", "1 D:"};
    shape.m_vecLogicalDisks = {"C:", "D:", "E:"};
    for (int i = static_cast<int>(shape.m_vecProcesses.size()); i < 60; ++i) {
        shape.m_vecProcesses.push_back("svchost#" + std::to_string(i));
    }
    return shape;
}

int main(int argc, char** argv) {
    return bench::RunWithBenchFile(argc, argv, "convert-bench", "BM_ConvertToCsv", g_strPath, g_dir,
                                   OfficeServer());
}
