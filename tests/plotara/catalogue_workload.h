// A data directory of many data files for measuring the catalogue, and the plain loop it is
// measured against: open each file and read its first 4 KB.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data_file_fixtures.h"
#include "platform/data_file_io.h"
#include "platform/files.h"

namespace plotara_test {

// Writes nFiles data files into strDir (which must exist): 100 hosts, 20 groups, split runs of
// up to three pieces, a month of start times, some thresholds and comments; each file is a
// current header followed by 8 KB, about what a counter-name table and a first sample take.
// Returns false when a file could not be written.
inline bool MakeCatalogueDirectory(const std::string& strDir, int nFiles) {
    const std::string filler(8192, '\x5A');
    for (int i = 0; i < nFiles; ++i) {
        SFileRecipe recipe;
        char host[16];
        std::snprintf(host, sizeof host, "PC%03d", i % 100);
        recipe.m_strHost = host;
        recipe.m_strGroup = (i % 5 == 0) ? "GROUP" + std::to_string(i % 20) : "";
        recipe.m_strExecId = std::to_string(40800000 + i / 3);
        recipe.m_nBranch = static_cast<std::uint32_t>(i % 3 + 1);
        recipe.m_tStart = 1091318400 + static_cast<platform::Time>(i) * 257;  // August 2004
        recipe.m_nCpu = (i % 4 == 0) ? 80 : -1;
        recipe.m_nDisk = (i % 7 == 0) ? 50 : -1;
        recipe.m_strComment = (i % 2 == 0) ? "夜間バッチの監視" : "";
        char name[40];
        std::snprintf(name, sizeof name, "VARN_%s_%05d.var", host, i);
        if (!WriteBytesFile(strDir + platform::kPathSeparator + name, HeaderBytes(recipe) + filler))
            return false;
    }
    return true;
}

// The names of the data files of a directory, in the order the catalogue takes them.
inline std::vector<std::string> CatalogueFileNames(const std::string& strDir) {
    std::vector<platform::FoundFile> found;
    platform::FindFiles(strDir + platform::kPathSeparator + "VARN_*.var", found);
    std::vector<std::string> names;
    for (const platform::FoundFile& file : found) names.push_back(file.strName);
    return names;
}

// The plain loop: open every file, read its first 4 KB, close it. Returns the bytes read.
inline std::size_t OpenAndReadFirst4K(const std::string& strDir,
                                      const std::vector<std::string>& names) {
    std::size_t nTotal = 0;
    char buffer[4096];
    for (const std::string& name : names) {
        platform::InputFile file;
        if (file.Open(strDir + platform::kPathSeparator + name) != platform::kSuccess) continue;
        std::size_t nRead = 0;
        file.Read(buffer, sizeof buffer, nRead);
        nTotal += nRead;
    }
    return nTotal;
}

}  // namespace plotara_test
