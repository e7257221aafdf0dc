// Data files for the catalogue's tests, benchmark and GUI tool: current files through the
// project's own writer, older or damaged layouts encoded with its archive writer.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "perf/perf_block.h"
#include "platform/clock.h"
#include "platform/temp_dir.h"

namespace plotara_test {

// What one file's header says.
struct SFileRecipe {
    std::string m_strTag = "VARNOLE1";
    std::uint32_t m_nVersion = 130;
    std::string m_strGroup;
    std::string m_strExecId;
    std::uint32_t m_nBranch = 1;
    std::string m_strHost = "PC01";
    std::string m_strComment;
    platform::Time m_tStart = 0;
    std::int32_t m_nCpu = -1;
    std::int32_t m_nMem = -1;
    std::int32_t m_nDisk = -1;
};

inline CDataFileHeader HeaderOf(const SFileRecipe& recipe) {
    CDataFileHeader header;
    header.m_strOsInfo = "Windows Server 2003";
    header.m_strCpuInfo = "x86 Family 15";
    header.m_strGroup = recipe.m_strGroup;
    header.m_strExecId = recipe.m_strExecId;
    header.m_nBranch = recipe.m_nBranch;
    header.m_strHost = recipe.m_strHost;
    header.m_strComment = recipe.m_strComment;
    header.m_tStart = recipe.m_tStart;
    header.m_nCpuThreshold = recipe.m_nCpu;
    header.m_nMemThreshold = recipe.m_nMem;
    header.m_nDiskThreshold = recipe.m_nDisk;
    return header;
}

// The header bytes of any tag and version: items 3 to 7 only from version 110 on, as the
// layouts have them, then an empty counter-name table.
inline std::string HeaderBytes(const SFileRecipe& recipe) {
    CArchiveWriter archive;
    archive.WriteRawString(recipe.m_strTag);
    archive.WriteUInt32(recipe.m_nVersion);
    if (recipe.m_nVersion >= 110) {
        archive.WriteString("Windows 2000");
        archive.WriteString("x86 Family 6");
        archive.WriteString(recipe.m_strGroup);
        archive.WriteString(recipe.m_strExecId);
        archive.WriteUInt32(recipe.m_nBranch);
    }
    archive.WriteString(recipe.m_strHost);
    archive.WriteString(recipe.m_strComment);
    archive.WriteTime(recipe.m_tStart);
    archive.WriteInt32(recipe.m_nCpu);
    archive.WriteInt32(recipe.m_nMem);
    archive.WriteInt32(recipe.m_nDisk);
    archive.WriteUInt32(0);
    return archive.TakeBuffer();
}

// A small stand-in performance data block: the "PERF" signature and, at offset 20, its length,
// which covers the 88-byte block header and a little more.
inline std::vector<std::uint8_t> SampleBlock() {
    std::vector<std::uint8_t> block(96, 0);
    const std::uint8_t signature[8] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    for (int i = 0; i < 8; ++i) block[static_cast<std::size_t>(i)] = signature[i];
    block[20] = static_cast<std::uint8_t>(block.size());
    return block;
}

// Writes a finished current file the way a collection job does: created as ".va_" under the
// job's name, header, one sample, renamed to ".var". Returns the ".var" path, empty on failure.
inline std::string WriteJobFile(const std::string& strDataDir, const SFileRecipe& recipe,
                                int nSchedule) {
    CDataFileWriter writer;
    if (writer.Create(strDataDir, recipe.m_strHost, nSchedule, recipe.m_tStart) != platform::kSuccess)
        return {};
    const std::vector<std::uint8_t> block = SampleBlock();
    CCounterNameMap names;
    names["2"] = "System";
    names["238"] = "Processor";
    if (writer.WriteHeader(HeaderOf(recipe), names) != platform::kSuccess ||
        writer.WriteSample(recipe.m_tStart + 5, perf::PerfBytes(block.data(), block.size())) !=
            platform::kSuccess ||
        writer.Finish() != platform::kSuccess)
        return {};
    return writer.FinishedPath();
}

// Writes bytes as a file through the C runtime (a wide name on Windows); true when all went.
inline bool WriteBytesFile(const std::string& strPath, const std::string& strBytes) {
#ifdef _WIN32
    FILE* pFile = _wfopen(platform_test::PathFromUtf8(strPath).c_str(), L"wb");
#else
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
#endif
    if (pFile == nullptr) return false;
    const bool bWritten = std::fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return std::fclose(pFile) == 0 && bWritten;
}

}  // namespace plotara_test
