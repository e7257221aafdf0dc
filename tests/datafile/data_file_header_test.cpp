// Reading data file headers: both layouts, both tags, the version rule, and damaged files.
#include "datafile/data_file_header.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

#include "archive_stream.h"
#include "data_file_test_util.h"
#include "datafile/data_file_writer.h"

namespace {

using datafile_test::WriteAll;
using platform_test::CTempDir;

constexpr platform::Time kStart = 1092878100;  // 2004-08-19 01:15:00 UTC

// Header items 1 to 13 as an older or another program writes them, item by item.
std::string HandHeader(std::string_view strTag, std::uint32_t nVersion) {
    CArchiveWriter archive;
    archive.WriteRawString(strTag);
    archive.WriteUInt32(nVersion);
    if (nVersion >= 110) {
        archive.WriteString("NT 4.0");
        archive.WriteString("x86");
        archive.WriteString("営業部");
        archive.WriteString("0408-0007");
        archive.WriteUInt32(5);
    }
    archive.WriteString("SV01");
    archive.WriteString("旧形式");
    archive.WriteTime(kStart);
    archive.WriteInt32(90);
    archive.WriteInt32(100);
    archive.WriteInt32(-1);
    return archive.TakeBuffer();
}

class DataFileHeaderRead : public ::testing::Test {
protected:
    // Writes the bytes to a file and reads its header.
    bool ReadBytes(const std::string& strBytes, CDataFileHeader& header) {
        WriteAll(m_dir.Path("VARN_x.var"), strBytes);
        return header.Read(m_dir.Path("VARN_x.var"));
    }

    CTempDir m_dir;
};

// Every field, so that one comparison shows which differ.
auto Fields(const CDataFileHeader& h) {
    return std::tie(h.m_strTag, h.m_nVersion, h.m_strOsInfo, h.m_strCpuInfo, h.m_strGroup,
                    h.m_strExecId, h.m_nBranch, h.m_strHost, h.m_strComment, h.m_tStart,
                    h.m_nCpuThreshold, h.m_nMemThreshold, h.m_nDiskThreshold);
}

TEST_F(DataFileHeaderRead, WhatTheWriterWroteReadsBack) {
    CDataFileHeader written;
    written.m_strTag = "VARNOLE1";
    written.m_nVersion = 130;
    written.m_strOsInfo = "Windows XP 5.1";
    written.m_strCpuInfo = "x86 Family 15";
    written.m_strGroup = "本社";
    written.m_strExecId = "0408-0012";
    written.m_nBranch = 7;
    written.m_strHost = "PC1";
    written.m_strComment = std::string(70000, 'k');  // the longest length prefix
    written.m_tStart = kStart;
    written.m_nCpuThreshold = 80;
    written.m_nDiskThreshold = 0;
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(m_dir.Path() + platform::kPathSeparator, "PC1", 3, kStart), 0u);
    ASSERT_EQ(writer.WriteHeader(written, {{"1", "1847"}, {"2", "System"}}), 0u);
    ASSERT_EQ(writer.Finish(), 0u);

    CDataFileHeader read;
    ASSERT_TRUE(read.Read(writer.FinishedPath()));
    EXPECT_EQ(Fields(read), Fields(written));
}

TEST_F(DataFileHeaderRead, Version100HasNoJobFields) {
    CDataFileHeader header;
    header.m_strGroup = "stale";  // a reused object must not keep earlier values
    ASSERT_TRUE(ReadBytes(HandHeader("VARNOLE", 100), header));
    CDataFileHeader expected;
    expected.m_strTag = "VARNOLE";
    expected.m_nVersion = 100;
    expected.m_strHost = "SV01";
    expected.m_strComment = "旧形式";
    expected.m_tStart = kStart;
    expected.m_nCpuThreshold = 90;
    expected.m_nMemThreshold = 100;
    EXPECT_EQ(Fields(header), Fields(expected));  // empty job fields and branch number 1
}

TEST_F(DataFileHeaderRead, OnlyKnownTagsAndVersionsAreDataFiles) {
    struct {
        const char* pszTag;
        std::uint32_t nVersion;
        bool bDataFile;
    } const cases[] = {
        {"VARNOLE1", 130, true},         {"VARNOLE1", 100, true},
        {"VARNOLE", 130, true},          {"VARNOLE1", 110, true},
        {"VARNOLE1", 0xFFFFFFFFu, true}, {"VARNOLE1", 101, false},
        {"VARNOLE1", 105, false},        {"VARNOLE1", 109, false},
        {"VARNOLE1", 99, false},         {"VARNOLE1", 0, false},
        {"VARNOLE2", 130, false},        {"varnole1", 130, false},
        {"VARNOLE1 ", 130, false},       {"", 130, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszTag) + " " + std::to_string(c.nVersion));
        EXPECT_EQ(CDataFileHeader::IsDataFile(c.pszTag, c.nVersion), c.bDataFile);
        CDataFileHeader header;
        EXPECT_EQ(ReadBytes(HandHeader(c.pszTag, c.nVersion), header), c.bDataFile);
    }
}

TEST_F(DataFileHeaderRead, AHeaderCutAnywhereIsNotADataFile) {
    for (std::uint32_t nVersion : {100u, 130u}) {
        const std::string strFull = HandHeader("VARNOLE1", nVersion);
        for (std::size_t n = 0; n <= strFull.size(); ++n) {
            SCOPED_TRACE("version " + std::to_string(nVersion) + ", " + std::to_string(n) +
                         " bytes");
            CDataFileHeader header;
            EXPECT_EQ(ReadBytes(strFull.substr(0, n), header), n == strFull.size());
        }
    }
}

TEST_F(DataFileHeaderRead, AbsurdLengthsAndGarbageAreNotDataFiles) {
    CArchiveWriter start;
    start.WriteRawString("VARNOLE1");
    start.WriteUInt32(100);
    const std::string strStart = start.Buffer();
    CDataFileHeader header;

    // A host name announcing almost 4 GiB, with a few bytes behind it.
    EXPECT_FALSE(ReadBytes(
        strStart + std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF", 7) + std::string(100, 'x'), header));
    // The length marker 0xFFFE, which the format never writes.
    EXPECT_FALSE(ReadBytes(strStart + "\xFF\xFE\xFF" + std::string(70000, 'x'), header));
    // A string longer than any header text, even though the file holds all of it.
    CArchiveWriter huge;
    huge.WriteRawString(std::string((1u << 20) + 1, 'h'));
    EXPECT_FALSE(ReadBytes(strStart + huge.Buffer() + std::string(20, '\0'), header));
    // A first string that is far too long to be the tag.
    EXPECT_FALSE(ReadBytes(std::string("\xFF\x00\x10", 3) + std::string(4096, 'V'), header));
    EXPECT_FALSE(ReadBytes(std::string(5000, '\0'), header));
    EXPECT_FALSE(ReadBytes(std::string(5000, '\xFF'), header));

    EXPECT_FALSE(header.Read(m_dir.Path("missing.var")));
    m_dir.MakeDirectory("VARN_dir.var");
    EXPECT_FALSE(header.Read(m_dir.Path("VARN_dir.var")));
}

}  // namespace
