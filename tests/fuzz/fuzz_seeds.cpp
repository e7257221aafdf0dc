// Writes the starting inputs of the fuzz targets, made by the suite's own writers, so that the
// fuzzers begin from real files and blocks instead of from nothing.
// Usage: fuzz_seeds DIR   (writes DIR/<target>/seed-<n> for every target)
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "datafile/data_file_writer.h"
#include "graph_param.h"
#include "host_tables.h"
#include "perf/perf_test_blocks.h"
#include "schedule.h"
#include "settings_format.h"
#include "sim/counter_names.h"

namespace {

// Japanese texts as the programs store them (UTF-8 here, code page 932 in the files).
constexpr const char* kJapaneseHost = "\xE3\x82\xB5\xE3\x83\xBC\xE3\x83\x90\x31";  // サーバ1
constexpr const char* kJapaneseComment =
    "\xE5\xA4\x9C\xE9\x96\x93\xE3\x81\xAE\xE8\xB2\xA0\xE8\x8D\xB7";  // 夜間の負荷

class CSeedWriter {
public:
    CSeedWriter(const std::filesystem::path& root, const char* pszTarget)
        : m_dir(root / pszTarget) {
        std::filesystem::create_directories(m_dir);
    }
    void Write(const std::string& strBytes) {
        std::ofstream file(m_dir / ("seed-" + std::to_string(++m_nCount)), std::ios::binary);
        file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    }

private:
    std::filesystem::path m_dir;
    int m_nCount = 0;
};

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> StandardBlock(std::int64_t nTime, std::int64_t nIdle) {
    return perftest::BuildFigures({nTime, nIdle, nIdle / 2, 700});
}

// ---- settings file ----

void WriteSettingsSeeds(CSeedWriter& seeds) {
    auto pHosts = std::make_unique<CHostTable>();
    auto pGroups = std::make_unique<CGroupTable>();
    auto pSchedules = std::make_unique<CScheduleTable>();
    seeds.Write(EncodeSettings(1, *pHosts, *pGroups, *pSchedules));

    (*pHosts)[0] = {"PC01", "admin", "secret", "Windows 2000 5.0", "x86 Family 6", "Owner"};
    (*pHosts)[1] = {kJapaneseHost, "", "", "", "", ""};
    (*pGroups)[0].m_strName = "Servers";
    (*pGroups)[0].m_strMember[0] = "PC01";
    (*pGroups)[0].m_strMember[1] = kJapaneseHost;
    const platform::Time tStart = 1719824400;  // 2024-07-01 09:00 UTC
    CSchedule daily = CSchedule::Blank(tStart);
    daily.m_nState = kStateWaiting;
    daily.m_strTarget = "PC01";
    daily.m_strComment = kJapaneseComment;
    daily.m_nInterval = 5000;
    daily.m_nSplitUnit = kSplit1Hour;
    daily.m_nRepeat = kRepeatDaily;
    daily.m_nCpuThreshold = 80;
    daily.m_tNextStart = tStart;
    daily.m_tNextEnd = tStart + 3600;
    (*pSchedules)[1] = daily;
    CSchedule weekly = daily;
    weekly.m_nState = kStateRunning;
    weekly.m_nTargetType = kTargetGroup;
    weekly.m_strTarget = "Servers";
    weekly.m_strComment = std::string(300, 'c');  // a comment with the three-byte length prefix
    weekly.m_nRepeat = kRepeatWeekly;
    weekly.m_bWeekday = {0, 1, 0, 1, 0, 1, 0};
    weekly.m_nEndType = kEndAtTimeOfDay;
    weekly.m_tsEndTime = 86400 + 2 * 3600;
    (*pSchedules)[7] = weekly;
    CSchedule monthEnd = daily;
    monthEnd.m_nRepeat = kRepeatMonthEnd;
    monthEnd.m_nDay = kDayMonthEnd;
    (*pSchedules)[499] = monthEnd;
    seeds.Write(EncodeSettings(7, *pHosts, *pGroups, *pSchedules));

    // The oldest layout: 20 hosts, no groups, 100 free schedule slots.
    CArchiveWriter old;
    old.WriteInt32(100);
    old.WriteInt32(1);
    for (int i = 0; i < 20; ++i) WriteHostRecord(old, (*pHosts)[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 100; ++i) old.WriteInt32(kStateFree);
    seeds.Write(old.TakeBuffer());
}

// ---- data file ----

// An output file that keeps its bytes in memory.
class CMemoryFile : public platform::IOutputFile {
public:
    explicit CMemoryFile(std::string& strBytes) : m_strBytes(strBytes) {}
    platform::ErrorCode Write(const void* pData, std::size_t nSize) override {
        m_strBytes.append(static_cast<const char*>(pData), nSize);
        return platform::kSuccess;
    }
    platform::ErrorCode Close() override { return platform::kSuccess; }

private:
    std::string& m_strBytes;
};

std::string DataFile(const CDataFileHeader& header, const CCounterNameMap& names, int nSamples) {
    std::string strBytes;
    CDataFileWriter writer([&](const std::string&, std::unique_ptr<platform::IOutputFile>& file) {
        file = std::make_unique<CMemoryFile>(strBytes);
        return platform::kSuccess;
    });
    writer.Create("/nonexistent-fuzz-seeds/", header.m_strHost, 3, header.m_tStart);
    writer.WriteHeader(header, names);
    for (int i = 0; i < nSamples; ++i) {
        const std::vector<std::uint8_t> block = StandardBlock(50'000'000 + i * 10'000'000, 900 * i);
        writer.WriteSample(header.m_tStart + i * 5, perf::PerfBytes(block.data(), block.size()));
    }
    writer.Close();
    return strBytes;
}

void WriteDataFileSeeds(CSeedWriter& seeds) {
    CCounterNameMap names;
    for (const auto& [nIndex, strName] : sim::EnglishCounterNames()) {
        if (names.size() == 12) break;
        names[std::to_string(nIndex)] = std::string(strName);
    }
    CDataFileHeader header;
    header.m_strOsInfo = "Windows 2000 5.0";
    header.m_strCpuInfo = "x86 Family 6";
    header.m_strExecId = "2407-0001";
    header.m_strHost = "PC01";
    header.m_strComment = kJapaneseComment;
    header.m_tStart = 1719824400;
    header.m_nCpuThreshold = 80;
    const std::string strPlain = DataFile(header, names, 2);

    header.m_strGroup = "Servers";
    header.m_strHost = kJapaneseHost;
    header.m_nBranch = 2;
    const std::string strGroup = DataFile(header, {}, 1);

    // The leading two bytes choose how the fuzz target delivers the file (see data_file_fuzz).
    seeds.Write(std::string("\0\0", 2) + strPlain);
    seeds.Write(std::string("\x07\x80", 2) + strPlain);
    seeds.Write(std::string("\x01\xF0", 2) + strGroup);
    seeds.Write(std::string("\x40\x20", 2) + DataFile(header, names, 0));
}

// ---- graph request ----

void WriteGraphParamSeeds(CSeedWriter& seeds) {
    CGraphParam one;
    one.m_strHost = "PC01";
    one.m_strCounter = "CPU-CPU Time";
    one.m_bShowDate = 1;
    one.m_files.Add({"", 1, "D:\\Data\\\\VARN_A.var"});
    seeds.Write(EncodeGraphParamBlock(one));

    CGraphParam three;
    three.m_strHost = std::string(300, 'h');
    three.m_nCounter = 7;
    three.m_strCounter = kJapaneseComment;
    for (int nBranch : {3, 1, 2}) {
        three.m_files.Add({"2407-0001", nBranch,
                           "C:\\Data\\\\VARN_" + std::string(kJapaneseHost) + "_2024-0701-09_3(" +
                               std::to_string(nBranch) + ").var"});
    }
    seeds.Write(EncodeGraphParamBlock(three));
    seeds.Write(EncodeGraphParamBlock(CGraphParam()));
}

// ---- performance data block ----

void WritePerfBlockSeeds(CSeedWriter& seeds) {
    // Odd first byte: the rest is the block. Even: patches of the target's own standard block.
    seeds.Write("\x01" + Text(StandardBlock(60'000'000, 5'001'000)));
    seeds.Write(std::string("\0", 1));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    CSeedWriter settings(root, "settings");
    WriteSettingsSeeds(settings);
    CSeedWriter dataFile(root, "data_file");
    WriteDataFileSeeds(dataFile);
    CSeedWriter graphParam(root, "graph_param");
    WriteGraphParamSeeds(graphParam);
    CSeedWriter perfBlock(root, "perf_block");
    WritePerfBlockSeeds(perfBlock);
    return 0;
}
