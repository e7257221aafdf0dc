// Helpers for the data file tests: stand-in performance data blocks and whole-file bytes.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "perf/perf_block.h"
#include "platform/temp_dir.h"

namespace datafile_test {

// A buffer that passes as a performance data block: the "PERF" signature, TotalByteLength =
// nTotal at its offset 20 (when the buffer reaches that far), and a byte pattern that differs
// per seed. The buffer holds nBuffer bytes when given: more than the block claims, as a request
// buffer does, or fewer, as a hostile reply might.
inline std::vector<std::uint8_t> MakeBlock(std::size_t nTotal, std::uint8_t nSeed,
                                           std::size_t nBuffer = 0) {
    std::vector<std::uint8_t> block(nBuffer != 0 ? nBuffer : nTotal);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(nSeed + i * 7);
    }
    const std::uint8_t signature[8] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    std::copy_n(signature, std::min(block.size(), sizeof signature), block.begin());
    const std::uint32_t nLength = static_cast<std::uint32_t>(nTotal);
    if (block.size() >= 24) {
        for (int i = 0; i < 4; ++i) block[20 + i] = static_cast<std::uint8_t>(nLength >> (8 * i));
    }
    return block;
}

inline perf::PerfBytes Bytes(const std::vector<std::uint8_t>& block) {
    return perf::PerfBytes(block.data(), block.size());
}

inline std::string ReadAll(const std::string& strPath) {
    std::ifstream file(platform_test::PathFromUtf8(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Replaces the file. It is removed first: some file systems write a truncated file through to
// the disk when it is closed, which would make tests that write thousands of files slow.
inline void WriteAll(const std::string& strPath, const std::string& strBytes) {
    std::error_code ignored;
    std::filesystem::remove(platform_test::PathFromUtf8(strPath), ignored);
    std::ofstream file(platform_test::PathFromUtf8(strPath), std::ios::binary);
    file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
}

inline void AppendAll(const std::string& strPath, const std::string& strBytes) {
    std::ofstream file(platform_test::PathFromUtf8(strPath), std::ios::binary | std::ios::app);
    file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
}

inline std::uintmax_t FileSize(const std::string& strPath) {
    return std::filesystem::file_size(platform_test::PathFromUtf8(strPath));
}

}  // namespace datafile_test
