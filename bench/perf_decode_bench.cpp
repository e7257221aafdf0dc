// Costs of the collection hot path on a busy host's block (16 processors, 4 disks, 300 processes,
// about 100 KB): decoding the trigger figures against copying the block once, and appending the
// block to a data file through the writer against a plain buffered fwrite of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "perf/perf_figures.h"
#include "perf/perf_layout.h"
#include "sim/block_builder.h"
#include "sim/host_block.h"

namespace {

constexpr std::size_t kBlockBytes = 100 * 1024;
constexpr int kSamplesPerFile = 100;

// Two consecutive replies of a busy host: the figures are rates, so the decode alternates them.
std::vector<std::vector<std::uint8_t>> BusyHostBlocks() {
    sim::CHostShape shape;
    shape.m_strSystemName = "SV01";
    shape.m_nProcessors = 16;
    shape.m_vecPhysicalDisks = {"0 C:", "1 D:", "2 E:", "3 F:"};
    shape.m_vecLogicalDisks = {"C:", "D:", "E:", "F:"};
    shape.m_vecProcesses.clear();
    for (int i = 0; i < 300; ++i) shape.m_vecProcesses.push_back("process" + std::to_string(i));
    sim::CPerfBlockBuilder builder = sim::MakeHostBlockBuilder(shape);
    const std::size_t nObjects = builder.Build().size();
    if (nObjects < kBlockBytes) builder.SetTrailingBytes(kBlockBytes - nObjects);

    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < 2; ++i) {
        builder.SetClock(10'000'000LL * (i + 1));
        builder.AddValue(perf::kObjectProcessor, perf::kTotalInstance,
                         perf::kCounterProcessorTime, 4'000'000);
        builder.AddValue(perf::kObjectPhysicalDisk, perf::kTotalInstance, perf::kCounterDiskTime,
                         2'500'000);
        blocks.push_back(builder.Build());
    }
    return blocks;
}

const std::vector<std::vector<std::uint8_t>>& Blocks() {
    static const auto blocks = BusyHostBlocks();
    return blocks;
}

void BM_TakeSnapshot(benchmark::State& state) {
    const auto& blocks = Blocks();
    perf::CPerfRateState cpu, disk;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& block = blocks[i++ & 1];
        benchmark::DoNotOptimize(perf::TakeSnapshot(block, cpu, disk));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * blocks[0].size()));
}
BENCHMARK(BM_TakeSnapshot);

void BM_CopyBlockOnce(benchmark::State& state) {
    const auto& block = Blocks()[0];
    std::vector<std::uint8_t> copy(block.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), block.data(), block.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * block.size()));
}
BENCHMARK(BM_CopyBlockOnce);

std::filesystem::path ScratchDirectory() {
    const auto dir = std::filesystem::temp_directory_path() / "varnole-perf-bench";
    std::filesystem::create_directories(dir);
    return dir;
}

// One iteration: a data file of 100 samples through the writer (create, header, samples, finish).
void BM_WriteSamplesThroughWriter(benchmark::State& state) {
    const auto& block = Blocks()[0];
    const std::string dir = ScratchDirectory().string();
    CDataFileHeader header;
    header.m_strHost = "SV01";
    const CCounterNameMap names;
    for (auto _ : state) {
        CDataFileWriter writer;
        if (writer.Create(dir, "SV01", 1, 1'700'000'000) != 0 ||
            writer.WriteHeader(header, names) != 0) {
            state.SkipWithError("cannot create the data file");
            break;
        }
        for (int i = 0; i < kSamplesPerFile; ++i) writer.WriteSample(1'700'000'000 + i, block);
        writer.Finish();
        state.PauseTiming();
        std::filesystem::remove(writer.FinishedPath());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * kSamplesPerFile * block.size()));
}
BENCHMARK(BM_WriteSamplesThroughWriter)->Unit(benchmark::kMillisecond);

// The same bytes with the C library's buffered stream: time, length, block, end mark per sample.
void BM_WriteSamplesWithFwrite(benchmark::State& state) {
    const auto& block = Blocks()[0];
    const std::string path = (ScratchDirectory() / "plain.bin").string();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) {
            state.SkipWithError("cannot create the file");
            break;
        }
        for (int i = 0; i < kSamplesPerFile; ++i) {
            const std::int32_t nTime = 1'700'000'000 + i;
            const std::uint32_t nLength = static_cast<std::uint32_t>(block.size());
            std::fwrite(&nTime, sizeof nTime, 1, file);
            std::fwrite(&nLength, sizeof nLength, 1, file);
            std::fwrite(block.data(), 1, block.size(), file);
            std::fwrite("\x03" "END", 1, 4, file);
        }
        std::fclose(file);
        state.PauseTiming();
        std::filesystem::remove(path);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * kSamplesPerFile * block.size()));
}
BENCHMARK(BM_WriteSamplesWithFwrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
