// The 1 GB data file the reading benchmarks share, the plain chunked read they are measured
// against, and the reporter that prints each benchmark's share of that read's throughput.
#pragma once
#include <benchmark/benchmark.h>

#include <chrono>
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
#include "sim/block_builder.h"
#include "sim/counter_names.h"
#include "sim/host_block.h"

namespace bench {

inline constexpr std::uint64_t kFileBytes = 1ull << 30;
inline constexpr std::size_t kChunkBytes = 1u << 20;

// A fresh folder under the system's temporary directory.
inline std::filesystem::path MakeBenchFolder(const std::string& strName) {
    std::error_code error;
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        (strName + "-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(dir, error);
    return dir;
}

// A computer's samples, one a second, until the file holds kFileBytes; written by the data file
// writer. Returns the finished file's path, or nothing when it could not be written.
inline std::string WriteBenchFile(const std::filesystem::path& dir,
                                  const sim::CHostShape& shape = sim::CHostShape()) {
    constexpr std::int64_t kSecond = 10'000'000;
    constexpr platform::Time kStart = 1'724'043'600;
    CCounterNameMap names;
    for (const auto& [nIndex, strName] : sim::EnglishCounterNames()) {
        names[std::to_string(nIndex)] = std::string(strName);
    }
    sim::CPerfBlockBuilder builder = sim::MakeHostBlockBuilder(shape);
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
        for (int nCpu = 0; nCpu < shape.m_nProcessors; ++nCpu) {
            builder.AddValue(perf::kObjectProcessor, std::to_string(nCpu),
                             perf::kCounterProcessorTime, kSecond * ((i + nCpu) % 5 + 1) / 8);
        }
        builder.AddValue(perf::kObjectPhysicalDisk, "_Total", perf::kCounterDiskTime,
                         kSecond * (i % 3) / 10);
        for (const std::string& strDisk : shape.m_vecPhysicalDisks) {
            builder.AddValue(perf::kObjectPhysicalDisk, strDisk, perf::kCounterDiskTime,
                             kSecond * (i % 4) / 10);
        }
        for (const std::string& strVolume : shape.m_vecLogicalDisks) {
            builder.AddValue(perf::kObjectLogicalDisk, strVolume, perf::kCounterDiskTime,
                             kSecond * (i % 5) / 20);
        }
        builder.AddValue(perf::kObjectNetworkInterface, shape.m_vecNetworkInterfaces.front(),
                         sim::kCounterBytesTotalPerSec, 1000 * (i % 13));
        const std::vector<std::uint8_t> block = builder.Build();
        writer.WriteSample(kStart + i, block);
        nWritten += block.size() + 15;
    }
    if (writer.Finish() != 0) return {};
    return writer.FinishedPath();
}

// Reads the whole file in kChunkBytes pieces and returns the bytes read.
inline std::uint64_t ReadInChunks(const std::string& strPath) {
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

// The reference every reading benchmark is measured against: the whole file in chunks.
inline void MeasureChunkedRead(benchmark::State& state, const std::string& strPath) {
    std::uint64_t nBytes = 0;
    for (auto _ : state) nBytes += ReadInChunks(strPath);
    state.SetBytesProcessed(static_cast<std::int64_t>(nBytes));
}

// Shows every run and remembers its throughput for the ratios printed at the end.
class CRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) m_mapRates[run.benchmark_name()] = it->second;
        }
    }

    // Prints each benchmark whose name starts with strMeasured against strReference of the same
    // kind of figure (a single run, or the mean or median of repetitions: the part of the name
    // after its last '/').
    void PrintRatios(const std::string& strMeasured, const std::string& strReference) const {
        for (const auto& [strName, dRate] : m_mapRates) {
            if (strName.rfind(strMeasured, 0) != 0) continue;
            const std::string strKind = strName.substr(strName.rfind('/') + 1);
            if (strKind.find("_stddev") != std::string::npos ||
                strKind.find("_cv") != std::string::npos) {
                continue;  // spreads are not throughputs
            }
            const auto it = m_mapRates.find(strReference + "/" + strKind);
            if (it != m_mapRates.end() && it->second > 0) {
                std::printf("%s: %.2f of the chunked read's throughput\n", strName.c_str(),
                            dRate / it->second);
            }
        }
    }

private:
    std::map<std::string, double> m_mapRates;
};

// The main of a reading benchmark: writes the data file of a computer of that shape into a fresh
// folder (strPath, strDir),
// warms the page cache, runs the benchmarks, removes the folder and prints the share of the
// chunked read's throughput of every benchmark whose name starts with strMeasured.
inline int RunWithBenchFile(int argc, char** argv, const std::string& strName,
                            const std::string& strMeasured, std::string& strPath,
                            std::filesystem::path& dir,
                            const sim::CHostShape& shape = sim::CHostShape()) {
    benchmark::Initialize(&argc, argv);
    dir = MakeBenchFolder("varnole-" + strName);
    std::error_code error;
    strPath = WriteBenchFile(dir, shape);
    if (strPath.empty()) {
        std::cerr << strName << ": cannot write the data file in " << dir << "\n";
        std::filesystem::remove_all(dir, error);
        return 1;
    }
    ReadInChunks(strPath);  // the page cache holds the file from here on
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::filesystem::remove_all(dir, error);
    reporter.PrintRatios(strMeasured, "BM_ReadInChunks");
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
