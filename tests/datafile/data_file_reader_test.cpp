// The sample reader: table and samples of written files, files cut anywhere, hostile records.
#include "datafile/data_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "data_file_test_util.h"
#include "datafile/data_file_format.h"
#include "datafile/data_file_writer.h"

namespace {

using datafile_test::AppendAll;
using datafile_test::Bytes;
using datafile_test::MakeBlock;
using datafile_test::ReadAll;
using datafile_test::WriteAll;
using platform_test::CTempDir;

constexpr platform::Time kStart = 1092878100;

// Delivers bytes from memory at most nPiece at a time, and fails with nError once nFailAt bytes
// have been delivered (never when nFailAt is beyond the bytes).
datafile::CDataFileInput::Source Pieces(const std::string& strBytes, std::size_t nPiece,
                                        std::size_t nFailAt = std::string::npos,
                                        platform::ErrorCode nError = platform::kErrorReadFault) {
    return [&strBytes, nPiece, nFailAt, nError, nPos = std::size_t{0}](
               void* pBuffer, std::size_t nSize, std::size_t& nRead) mutable {
        nRead = 0;
        if (nPos >= nFailAt) return nError;
        nRead = std::min({nSize, nPiece, strBytes.size() - nPos, nFailAt - nPos});
        std::copy_n(strBytes.data() + nPos, nRead, static_cast<char*>(pBuffer));
        nPos += nRead;
        return platform::kSuccess;
    };
}

CDataFileHeader SomeHeader() {
    CDataFileHeader header;
    header.m_strHost = "PC1";
    header.m_strExecId = "0408-0001";
    header.m_tStart = kStart;
    return header;
}

// One sample record as the format lays it out.
std::string Record(platform::Time tSample, const std::vector<std::uint8_t>& block,
                   std::string_view strEnd = "END") {
    CArchiveWriter archive;
    archive.WriteTime(tSample);
    archive.WriteUInt32(static_cast<std::uint32_t>(block.size()));
    archive.WriteBytes(block.data(), block.size());
    archive.WriteRawString(strEnd);
    return archive.TakeBuffer();
}

// A finished file written by the writer, and where its parts end.
struct CWrittenFile {
    std::string m_strBytes;
    std::size_t m_nHeaderEnd = 0;  // after header item 13
    std::size_t m_nTableEnd = 0;   // after the counter-name table: the first sample starts here
    std::vector<std::size_t> m_vecRecordEnds;
    std::vector<std::vector<std::uint8_t>> m_vecBlocks;
};

class DataFileReader : public ::testing::Test {
protected:
    std::string Dir() const { return m_dir.Path() + platform::kPathSeparator; }

    CWrittenFile Write(const CCounterNameMap& names, const std::vector<std::size_t>& sizes) {
        CWrittenFile file;
        CDataFileWriter writer;
        EXPECT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
        EXPECT_EQ(writer.WriteHeader(SomeHeader(), {}), platform::kSuccess);
        file.m_nHeaderEnd = ReadAll(writer.Path()).size() - 4;  // without the count of 0
        writer.Close();
        EXPECT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
        EXPECT_EQ(writer.WriteHeader(SomeHeader(), names), platform::kSuccess);
        file.m_nTableEnd = ReadAll(writer.Path()).size();
        std::size_t nEnd = file.m_nTableEnd;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            file.m_vecBlocks.push_back(MakeBlock(sizes[i], static_cast<std::uint8_t>(i)));
            EXPECT_EQ(writer.WriteSample(kStart + static_cast<platform::Time>(i),
                                         Bytes(file.m_vecBlocks.back())),
                      platform::kSuccess);
            nEnd += 8 + sizes[i] + 4;
            file.m_vecRecordEnds.push_back(nEnd);
        }
        EXPECT_EQ(writer.Finish(), platform::kSuccess);
        file.m_strBytes = ReadAll(writer.FinishedPath());
        return file;
    }

    // Writes bytes as a file of the directory and returns its path.
    std::string Put(const std::string& strBytes, const std::string& strName = "VARN_t.var") {
        WriteAll(m_dir.Path(strName), strBytes);
        return m_dir.Path(strName);
    }

    // Reads samples until something else comes; returns that and counts the samples.
    static ESampleRead Drain(CDataFileReader& reader, int& nSamples) {
        CDataSample sample;
        nSamples = 0;
        for (int i = 0; i < 1000; ++i) {
            const ESampleRead eRead = reader.Next(sample);
            if (eRead != ESampleRead::kSample) return eRead;
            ++nSamples;
        }
        ADD_FAILURE() << "the walk did not end";
        return ESampleRead::kReadError;
    }

    CTempDir m_dir;
};

TEST_F(DataFileReader, WalksTheTableAndEverySample) {
    CCounterNameMap names;
    for (int i = 1; i < 6000; i += 2) names[std::to_string(i)] = "カウンター " + std::to_string(i);
    names["1"] = "1847";
    const CWrittenFile file = Write(names, {200, 100000, 4200, 88});

    CDataFileReader reader;
    ASSERT_EQ(reader.Open(Put(file.m_strBytes)), platform::kSuccess);
    EXPECT_EQ(reader.Header().m_strHost, "PC1");
    EXPECT_EQ(reader.Header().m_strExecId, "0408-0001");
    EXPECT_EQ(reader.CounterNames(), names);
    CDataSample sample;
    for (std::size_t i = 0; i < file.m_vecBlocks.size(); ++i) {
        ASSERT_EQ(reader.Next(sample), ESampleRead::kSample);
        EXPECT_EQ(sample.m_tSample, kStart + static_cast<platform::Time>(i));
        EXPECT_EQ(sample.m_vecBlock, file.m_vecBlocks[i]);
    }
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);
}

TEST_F(DataFileReader, ViewsHandOutTheSameRecordsAndTheOffsetFollowsThem) {
    const CWrittenFile file = Write({{"2", "System"}}, {200, 300000, 4200, 88, 70000});
    for (const std::size_t nReadSize : {std::size_t{0}, std::size_t{1} << 20}) {
        CDataFileReader reader;
        if (nReadSize != 0) reader.SetReadSize(nReadSize);
        ASSERT_EQ(reader.Open(Put(file.m_strBytes)), platform::kSuccess);
        EXPECT_EQ(reader.FileSize(), file.m_strBytes.size());
        EXPECT_EQ(reader.Offset(), file.m_nTableEnd);
        platform::Time tSample = 0;
        perf::PerfBytes block;
        for (std::size_t i = 0; i < file.m_vecBlocks.size(); ++i) {
            ASSERT_EQ(reader.NextView(tSample, block), ESampleRead::kSample);
            EXPECT_EQ(tSample, kStart + static_cast<platform::Time>(i));
            EXPECT_TRUE(std::equal(block.begin(), block.end(), file.m_vecBlocks[i].begin(),
                                   file.m_vecBlocks[i].end()));
            EXPECT_EQ(reader.Offset(), file.m_vecRecordEnds[i]);
        }
        EXPECT_EQ(reader.NextView(tSample, block), ESampleRead::kEnd);
        EXPECT_EQ(reader.Offset(), file.m_strBytes.size());
    }
}

TEST_F(DataFileReader, TableOfAnOlderFileAndRepeatedIndexes) {
    CArchiveWriter archive;
    archive.WriteRawString("VARNOLE");
    archive.WriteUInt32(100);
    archive.WriteString("SV01");
    archive.WriteString("");
    archive.WriteTime(kStart);
    for (int i = 0; i < 3; ++i) archive.WriteInt32(-1);
    archive.WriteUInt32(6);
    for (const char* text : {"2", "System", "4", "Memory", "2", "システム"}) {
        archive.WriteString(text);
    }
    const std::string strFile = archive.Buffer() + Record(kStart, MakeBlock(96, 1));

    CDataFileReader reader;
    ASSERT_EQ(reader.Open(Put(strFile)), platform::kSuccess);
    EXPECT_EQ(reader.Header().m_nBranch, 1u);
    EXPECT_EQ(reader.CounterNames(), (CCounterNameMap{{"2", "システム"}, {"4", "Memory"}}));
    int nSamples = 0;
    EXPECT_EQ(Drain(reader, nSamples), ESampleRead::kEnd);
    EXPECT_EQ(nSamples, 1);
}

// Whether a cut after n bytes is worth a file of its own: every offset of the header, the table,
// record prefixes and end marks; inside a block, where every cut behaves alike, every 64th
// offset and those next to the block's edges.
bool WorthCutting(const CWrittenFile& file, std::size_t n) {
    for (std::size_t i = 0; i < file.m_vecRecordEnds.size(); ++i) {
        const std::size_t nBlockStart =
            (i == 0 ? file.m_nTableEnd : file.m_vecRecordEnds[i - 1]) + 8;
        const std::size_t nBlockEnd = file.m_vecRecordEnds[i] - 4;
        if (n > nBlockStart + 2 && n + 2 < nBlockEnd) return (n - nBlockStart) % 64 == 0;
    }
    return true;
}

TEST_F(DataFileReader, AFileCutAtEveryOffsetStopsCleanly) {
    // The second block is longer than the reading buffer.
    const CWrittenFile file = Write({{"2", "System"}, {"238", "Processor"}}, {100, 4200, 96});
    for (std::size_t n = 0; n <= file.m_strBytes.size(); ++n) {
        if (!WorthCutting(file, n)) continue;
        SCOPED_TRACE(std::to_string(n) + " bytes");
        const std::string strPath = Put(file.m_strBytes.substr(0, n));
        CDataFileHeader header;
        EXPECT_EQ(header.Read(strPath), n >= file.m_nHeaderEnd);

        CDataFileReader reader;
        const platform::ErrorCode nOpen = reader.Open(strPath);
        if (n < file.m_nTableEnd) {
            EXPECT_EQ(nOpen, platform::kErrorInvalidData);
            continue;
        }
        ASSERT_EQ(nOpen, platform::kSuccess);
        const auto nWhole = std::count_if(file.m_vecRecordEnds.begin(), file.m_vecRecordEnds.end(),
                                          [&](std::size_t nEnd) { return nEnd <= n; });
        const bool bAtBoundary = n == file.m_nTableEnd ||
                                 std::find(file.m_vecRecordEnds.begin(), file.m_vecRecordEnds.end(),
                                           n) != file.m_vecRecordEnds.end();
        int nSamples = 0;
        EXPECT_EQ(Drain(reader, nSamples),
                  bAtBoundary ? ESampleRead::kEnd : ESampleRead::kIncomplete);
        EXPECT_EQ(nSamples, nWhole);
    }
}

TEST_F(DataFileReader, BytesFromMemoryInAnyPiecesReadAsTheFileDoes) {
    CCounterNameMap names;
    for (int i = 2; i < 400; i += 2) names[std::to_string(i)] = "名前 " + std::to_string(i);
    const CWrittenFile file = Write(names, {100, 4200, 96});

    CDataFileReader fromFile;
    ASSERT_EQ(fromFile.Open(Put(file.m_strBytes)), platform::kSuccess);
    const std::span<const std::uint8_t> bytes(
        reinterpret_cast<const std::uint8_t*>(file.m_strBytes.data()), file.m_strBytes.size());
    std::vector<datafile::CDataFileInput::Source> sources = {
        datafile::CDataFileInput::FromBytes(bytes)};
    for (std::size_t nPiece : {1, 3, 4095, 4097})
        sources.push_back(Pieces(file.m_strBytes, nPiece));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE("source " + std::to_string(i));
        CDataFileReader reader;
        ASSERT_EQ(reader.Open(std::move(sources[i])), platform::kSuccess);
        EXPECT_EQ(reader.Header().m_strExecId, fromFile.Header().m_strExecId);
        EXPECT_EQ(reader.CounterNames(), names);
        CDataSample sample;
        for (const std::vector<std::uint8_t>& block : file.m_vecBlocks) {
            ASSERT_EQ(reader.Next(sample), ESampleRead::kSample);
            EXPECT_EQ(sample.m_vecBlock, block);
        }
        EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);
    }
}

TEST_F(DataFileReader, AFailingReadIsReportedWithItsCode) {
    const CWrittenFile file = Write({{"2", "System"}}, {100, 200});
    {
        SCOPED_TRACE("inside the header");
        CDataFileReader reader;
        EXPECT_EQ(reader.Open(Pieces(file.m_strBytes, 7, file.m_nHeaderEnd - 3)),
                  platform::kErrorReadFault);
    }
    {
        SCOPED_TRACE("inside the second record");
        CDataFileReader reader;
        ASSERT_EQ(reader.Open(Pieces(file.m_strBytes, 64, file.m_vecRecordEnds[0] + 20,
                                     platform::kErrorBadNetName)),
                  platform::kSuccess);
        CDataSample sample;
        EXPECT_EQ(reader.Next(sample), ESampleRead::kSample);
        EXPECT_EQ(reader.Next(sample), ESampleRead::kReadError);
        EXPECT_EQ(reader.ReadError(), platform::kErrorBadNetName);
    }
}

TEST_F(DataFileReader, EachCounterNameTextIsHeldToTheStringLimit) {
    const CWrittenFile file = Write({}, {});
    const std::string strHeader = file.m_strBytes.substr(0, file.m_nHeaderEnd);
    for (const bool bIndex : {true, false}) {
        for (const std::size_t nLength :
             {datafile::kMaxStringBytes, datafile::kMaxStringBytes + 1}) {
            SCOPED_TRACE(std::string(bIndex ? "index" : "name") + " of " + std::to_string(nLength) +
                         " bytes");
            const std::string strLong(nLength, '7');
            CArchiveWriter table;
            table.WriteUInt32(2);
            table.WriteString(bIndex ? strLong : "2");
            table.WriteString(bIndex ? "" : strLong);
            const std::string strBytes = strHeader + table.Buffer();
            CDataFileReader reader;
            EXPECT_EQ(reader.Open(Pieces(strBytes, 4096)), nLength <= datafile::kMaxStringBytes
                                                               ? platform::kSuccess
                                                               : platform::kErrorInvalidData);
        }
    }
}

TEST_F(DataFileReader, HostileRecordsStopTheWalk) {
    const CWrittenFile file = Write({}, {100});

    struct {
        const char* pszCase;
        std::string strTail;
        ESampleRead eExpected;
    } cases[] = {
        {"length beyond the file",
         std::string("\x10\x20\x30\x40\x80\x96\x98\x00", 8) + std::string(500, 'P'),
         ESampleRead::kIncomplete},
        {"length beyond any block",
         std::string("\x10\x20\x30\x40\xFF\xFF\xFF\xFF", 8) + std::string(500, 'P'),
         ESampleRead::kDamaged},
        {"length shorter than a signature", Record(kStart, MakeBlock(4, 1)), ESampleRead::kDamaged},
        {"wrong end mark", Record(kStart, MakeBlock(64, 1), "ENX"), ESampleRead::kDamaged},
        {"end mark of another length", Record(kStart, MakeBlock(64, 1), "END!"),
         ESampleRead::kDamaged},
        {"no signature", Record(kStart, std::vector<std::uint8_t>(64, 'Q')), ESampleRead::kDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        // A good record after the bad one is never reached.
        CDataFileReader reader;
        ASSERT_EQ(reader.Open(Put(file.m_strBytes + c.strTail + Record(kStart, MakeBlock(64, 2)))),
                  platform::kSuccess);
        int nSamples = 0;
        EXPECT_EQ(Drain(reader, nSamples), c.eExpected);
        EXPECT_EQ(nSamples, 1);
        CDataSample sample;
        if (c.eExpected == ESampleRead::kDamaged) {
            EXPECT_EQ(reader.Next(sample), c.eExpected);  // the walk stays stopped
        }
    }
}

TEST_F(DataFileReader, HostileTablesMakeTheFileUnreadable) {
    const CWrittenFile file = Write({}, {});
    const std::string strHeader = file.m_strBytes.substr(0, file.m_nHeaderEnd);
    CArchiveWriter odd;
    odd.WriteUInt32(3);
    for (const char* text : {"2", "System", "4"}) odd.WriteString(text);
    CArchiveWriter absurdCount;
    absurdCount.WriteUInt32(0xFFFFFFFEu);
    for (int i = 0; i < 1000; ++i) absurdCount.WriteString("");
    CArchiveWriter shortOfStrings;
    shortOfStrings.WriteUInt32(4);
    for (const char* text : {"2", "System", "4"}) shortOfStrings.WriteString(text);
    CArchiveWriter absurdName;
    absurdName.WriteUInt32(2);
    absurdName.WriteString("2");
    const std::string strAbsurdName =
        absurdName.Buffer() + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7) + "System";

    for (const std::string& strTable :
         {odd.Buffer(), absurdCount.Buffer(), shortOfStrings.Buffer(), strAbsurdName}) {
        CDataFileReader reader;
        EXPECT_EQ(reader.Open(Put(strHeader + strTable)), platform::kErrorInvalidData);
        CDataSample sample;
        EXPECT_EQ(reader.Next(sample), ESampleRead::kReadError);
    }
    CDataFileReader reader;
    EXPECT_EQ(reader.Open(m_dir.Path("missing.var")), platform::kErrorFileNotFound);
}

TEST_F(DataFileReader, FollowsAFileThatGrows) {
    const CWrittenFile file = Write({{"2", "System"}}, {});
    const std::string strRecord = Record(kStart + 5, MakeBlock(300, 3));
    const std::string strPath = Put(file.m_strBytes + strRecord.substr(0, 100));
    CDataFileReader reader;
    ASSERT_EQ(reader.Open(strPath), platform::kSuccess);
    CDataSample sample;
    EXPECT_EQ(reader.Next(sample), ESampleRead::kIncomplete);

    AppendAll(strPath, strRecord.substr(100));
    ASSERT_EQ(reader.Next(sample), ESampleRead::kSample);
    EXPECT_EQ(sample.m_tSample, kStart + 5);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);

    AppendAll(strPath, strRecord);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kSample);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);
}

TEST_F(DataFileReader, ReadsAFileWhileItIsWrittenAndFinished) {
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(SomeHeader(), {{"2", "System"}}), platform::kSuccess);

    CDataFileReader reader;
    ASSERT_EQ(reader.Open(writer.Path()), platform::kSuccess);
    CDataSample sample;
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);

    const std::vector<std::uint8_t> block = MakeBlock(500, 4);
    ASSERT_EQ(writer.WriteSample(kStart + 1, Bytes(block)), platform::kSuccess);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);  // still in the writer's buffer
    ASSERT_EQ(writer.Flush(), platform::kSuccess);
    ASSERT_EQ(reader.Next(sample), ESampleRead::kSample);
    EXPECT_EQ(sample.m_vecBlock, block);

    // The reader's open file does not stop the rename, and it keeps reading afterwards.
    ASSERT_EQ(writer.WriteSample(kStart + 2, Bytes(block)), platform::kSuccess);
    ASSERT_EQ(writer.Finish(), platform::kSuccess);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kSample);
    EXPECT_EQ(reader.Next(sample), ESampleRead::kEnd);
}

TEST_F(DataFileReader, RandomlyDamagedFilesNeverCrashTheWalk) {
    const CWrittenFile file = Write({{"2", "System"}, {"4", "Memory"}}, {120, 4300, 90});
    std::mt19937 random(20040819);
    for (int nRound = 0; nRound < 300; ++nRound) {
        std::string strBytes = file.m_strBytes;
        const int nChanges = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < nChanges; ++i) {
            const std::size_t nAt = random() % strBytes.size();
            // Length bytes and prefixes are where damage matters most: favour 0x00 and 0xFF.
            const unsigned nKind = random() % 4;
            strBytes[nAt] = static_cast<char>(nKind == 0 ? 0x00 : nKind == 1 ? 0xFF : random());
        }
        if (random() % 4 == 0) strBytes.resize(random() % strBytes.size());
        CDataFileReader reader;
        if (reader.Open(Put(strBytes)) != platform::kSuccess) continue;
        int nSamples = 0;
        const ESampleRead eLast = Drain(reader, nSamples);
        EXPECT_NE(eLast, ESampleRead::kReadError);
        EXPECT_LE(nSamples, 3);
    }
}

}  // namespace
