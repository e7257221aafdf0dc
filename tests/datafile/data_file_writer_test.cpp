// The data file writer: the exact layout of header and sample records, the buffer, and failures.
#include "datafile/data_file_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "data_file_test_util.h"
#include "platform/data_file_io.h"
#include "platform/files.h"
#include "platform/local_time.h"

namespace {

using datafile_test::Bytes;
using datafile_test::FileSize;
using datafile_test::MakeBlock;
using datafile_test::ReadAll;
using platform_test::CTempDir;

constexpr platform::Time kStart = 1092878100;  // 2004-08-19 01:15:00 UTC
constexpr char kSep = platform::kPathSeparator;

CDataFileHeader JobHeader() {
    CDataFileHeader header;
    header.m_strOsInfo = "Windows 2000 5.0 (Build 2195) Service Pack 4";
    header.m_strCpuInfo = "x86 Family 6 Model 8";
    header.m_strGroup = "本社";
    header.m_strExecId = "0408-0001";
    header.m_nBranch = 2;
    header.m_strHost = "PC1";
    header.m_strComment = "週次の確認";
    header.m_tStart = kStart;
    header.m_nCpuThreshold = 80;
    header.m_nMemThreshold = -1;
    header.m_nDiskThreshold = 50;
    return header;
}

class DataFileWriter : public ::testing::Test {
protected:
    std::string Dir() const { return m_dir.Path() + kSep; }

    CTempDir m_dir;
};

TEST_F(DataFileWriter, HeaderHasTheDocumentedLayout) {
    CDataFileHeader header = JobHeader();
    header.m_strTag = "ignored";  // the writer always writes its own tag and version
    header.m_nVersion = 100;
    const CCounterNameMap names = {{"2", "System"}, {"4", "Memory"}};
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(header, names), platform::kSuccess);

    // Built item by item in the order of the format, independently of the writer.
    CArchiveWriter expected;
    expected.WriteRawString("VARNOLE1");
    expected.WriteUInt32(130);
    for (const char* text : {"Windows 2000 5.0 (Build 2195) Service Pack 4", "x86 Family 6 Model 8",
                             "本社", "0408-0001"}) {
        expected.WriteString(text);
    }
    expected.WriteUInt32(2);
    expected.WriteString("PC1");
    expected.WriteString("週次の確認");
    expected.WriteTime(kStart);
    expected.WriteInt32(80);
    expected.WriteInt32(-1);
    expected.WriteInt32(50);
    expected.WriteUInt32(4);
    for (const char* text : {"2", "System", "4", "Memory"}) expected.WriteString(text);

    // The header is on disk without an explicit Flush.
    const std::string strFile = ReadAll(writer.Path());
    EXPECT_EQ(strFile, expected.Buffer());
    EXPECT_EQ(strFile.substr(0, 13), std::string("\x08VARNOLE1\x82\0\0\0", 13));
}

TEST_F(DataFileWriter, SampleRecordsHoldTheBlockAsReceived) {
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
    const std::size_t nHeader = static_cast<std::size_t>(FileSize(writer.Path()));

    // A request buffer longer than its block: only TotalByteLength bytes are stored.
    const std::vector<std::uint8_t> small = MakeBlock(200, 1, 51200);
    // Larger than the buffer: written past it.
    const std::vector<std::uint8_t> large = MakeBlock(100000, 2);
    // A block claiming more bytes than its buffer holds: the buffer's bytes, and L says so.
    const std::vector<std::uint8_t> claims = MakeBlock(5000, 3, 300);
    ASSERT_EQ(writer.WriteSample(kStart + 1, Bytes(small)), platform::kSuccess);
    ASSERT_EQ(writer.WriteSample(kStart + 2, Bytes(large)), platform::kSuccess);
    ASSERT_EQ(writer.WriteSample(kStart + 3, Bytes(claims)), platform::kSuccess);
    ASSERT_EQ(writer.Flush(), platform::kSuccess);

    CArchiveWriter expected;
    expected.WriteTime(kStart + 1);
    expected.WriteUInt32(200);
    expected.WriteBytes(small.data(), 200);
    expected.WriteRawString("END");
    expected.WriteTime(kStart + 2);
    expected.WriteUInt32(100000);
    expected.WriteBytes(large.data(), large.size());
    expected.WriteRawString("END");
    expected.WriteTime(kStart + 3);
    expected.WriteUInt32(300);
    expected.WriteBytes(claims.data(), 300);
    expected.WriteRawString("END");
    const std::string strRecords = ReadAll(writer.Path()).substr(nHeader);
    ASSERT_EQ(strRecords.size(), expected.Size());
    EXPECT_TRUE(strRecords == expected.Buffer());
    EXPECT_EQ(expected.Buffer().substr(8 + 200, 4),
              "\x03"
              "END");
}

TEST_F(DataFileWriter, SamplesWaitInTheBufferUntilFlushedOrFull) {
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
    const auto nHeader = FileSize(writer.Path());

    const std::vector<std::uint8_t> block = MakeBlock(1000, 4);  // 1,012 bytes per record
    ASSERT_EQ(writer.WriteSample(kStart, Bytes(block)), platform::kSuccess);
    EXPECT_EQ(FileSize(writer.Path()), nHeader);
    ASSERT_EQ(writer.Flush(), platform::kSuccess);
    EXPECT_EQ(FileSize(writer.Path()), nHeader + 1012);

    // Four more records fit in 4,096 bytes; the fifth does not, and what the buffer holds then
    // (four records and the start of the fifth) goes to the file.
    for (int i = 0; i < 4; ++i) ASSERT_EQ(writer.WriteSample(kStart, Bytes(block)), 0u);
    EXPECT_EQ(FileSize(writer.Path()), nHeader + 1012);
    ASSERT_EQ(writer.WriteSample(kStart, Bytes(block)), platform::kSuccess);
    EXPECT_GE(FileSize(writer.Path()), nHeader + 5 * 1012);
    EXPECT_LT(FileSize(writer.Path()), nHeader + 6 * 1012);

    ASSERT_EQ(writer.Finish(), platform::kSuccess);
    EXPECT_EQ(FileSize(writer.FinishedPath()), nHeader + 6 * 1012);
    EXPECT_FALSE(platform::FileExists(writer.Path()));
}

// Both pieces of WriteBoth reach the file in order, as two writes would put them there; an empty
// piece adds nothing.
TEST_F(DataFileWriter, AFileWritesTwoPiecesAsOne) {
    const std::string strPath = m_dir.Path("pieces.va_");
    std::unique_ptr<platform::IOutputFile> pFile;
    ASSERT_EQ(platform::CreateNewOutputFile(strPath, pFile), platform::kSuccess);
    const std::vector<std::uint8_t> large = MakeBlock(4 * 1024 * 1024, 9);
    ASSERT_EQ(pFile->WriteBoth("abc", 3, large.data(), large.size()), platform::kSuccess);
    ASSERT_EQ(pFile->WriteBoth("", 0, "de", 2), platform::kSuccess);
    ASSERT_EQ(pFile->WriteBoth("f", 1, "", 0), platform::kSuccess);
    ASSERT_EQ(pFile->Close(), platform::kSuccess);
    const std::string strExpected = "abc" + std::string(large.begin(), large.end()) + "def";
    EXPECT_TRUE(ReadAll(strPath) == strExpected);
}

// An output file that notes how the writer hands it bytes.
class CNotingFile final : public platform::IOutputFile {
public:
    explicit CNotingFile(std::vector<std::string>& vecCalls) : m_pCalls(&vecCalls) {}
    platform::ErrorCode Write(const void*, std::size_t nSize) override {
        m_pCalls->push_back("write " + std::to_string(nSize));
        return platform::kSuccess;
    }
    platform::ErrorCode WriteBoth(const void*, std::size_t nFirst, const void*,
                                  std::size_t nSecond) override {
        m_pCalls->push_back("both " + std::to_string(nFirst) + " " + std::to_string(nSecond));
        return platform::kSuccess;
    }
    platform::ErrorCode Close() override { return platform::kSuccess; }

private:
    std::vector<std::string>* m_pCalls;
};

// A block too large for the buffer goes to the file together with the bytes the buffer holds
// before it (the end mark of the previous record, this record's time and length): one hand-over
// per sample, not two.
TEST_F(DataFileWriter, ALargeBlockLeavesWithTheBufferedBytesInOneHandOver) {
    std::vector<std::string> vecCalls;
    CDataFileWriter writer([&](const std::string&, std::unique_ptr<platform::IOutputFile>& pFile) {
        pFile = std::make_unique<CNotingFile>(vecCalls);
        return platform::kSuccess;
    });
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    const std::vector<std::uint8_t> large = MakeBlock(60000, 2);
    ASSERT_EQ(writer.WriteSample(kStart, Bytes(large)), platform::kSuccess);
    ASSERT_EQ(writer.WriteSample(kStart + 1, Bytes(large)), platform::kSuccess);
    ASSERT_EQ(writer.Flush(), platform::kSuccess);
    EXPECT_EQ(vecCalls, (std::vector<std::string>{"both 8 60000", "both 12 60000", "write 4"}));
}

TEST_F(DataFileWriter, RefusesWhatIsNotABlockWithoutHarm) {
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
    std::vector<std::uint8_t> notPerf = MakeBlock(200, 5);
    notPerf[0] = 'X';
    const std::vector<std::uint8_t> tooShortToSay = MakeBlock(8, 6, 16);  // no length field
    const std::vector<std::uint8_t> claimsTooLittle = MakeBlock(4, 7, 200);
    const std::vector<std::uint8_t> headerCutShort = MakeBlock(87, 8, 200);
    EXPECT_EQ(writer.WriteSample(kStart, Bytes(notPerf)), platform::kErrorInvalidParameter);
    EXPECT_EQ(writer.WriteSample(kStart, Bytes(tooShortToSay)), platform::kErrorInvalidParameter);
    EXPECT_EQ(writer.WriteSample(kStart, Bytes(claimsTooLittle)), platform::kErrorInvalidParameter);
    EXPECT_EQ(writer.WriteSample(kStart, Bytes(headerCutShort)), platform::kErrorInvalidParameter);
    EXPECT_EQ(writer.WriteSample(kStart, {}), platform::kErrorInvalidParameter);
    EXPECT_EQ(writer.Error(), platform::kSuccess);
    const auto nSize = FileSize(writer.Path());
    ASSERT_EQ(writer.Finish(), platform::kSuccess);
    EXPECT_EQ(FileSize(writer.FinishedPath()), nSize);
}

TEST_F(DataFileWriter, ClosingWithoutFinishKeepsTheBytesAndTheOpenName) {
    std::string strPath;
    {
        CDataFileWriter writer;
        ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
        ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
        const std::vector<std::uint8_t> block = MakeBlock(100, 8);
        ASSERT_EQ(writer.WriteSample(kStart, Bytes(block)), platform::kSuccess);
        strPath = writer.Path();
    }
    EXPECT_EQ(ReadAll(strPath).substr(ReadAll(strPath).size() - 4),
              "\x03"
              "END");
}

// An output file that passes bytes to a real file until a chosen write, which fails with a full
// disk, or whose close fails.
class CFailingFile final : public platform::IOutputFile {
public:
    CFailingFile(std::unique_ptr<platform::IOutputFile> pReal, int nFailingWrite, bool bFailClose)
        : m_pReal(std::move(pReal)), m_nFailingWrite(nFailingWrite), m_bFailClose(bFailClose) {}
    platform::ErrorCode Write(const void* pData, std::size_t nSize) override {
        if (++m_nWrites == m_nFailingWrite) {
            // Part of the bytes reach the disk before it is full.
            m_pReal->Write(pData, nSize / 2);
            return platform::kErrorDiskFull;
        }
        return m_pReal->Write(pData, nSize);
    }
    platform::ErrorCode Close() override {
        const platform::ErrorCode nCode = m_pReal->Close();
        return m_bFailClose ? platform::kErrorWriteFault : nCode;
    }

private:
    std::unique_ptr<platform::IOutputFile> m_pReal;
    int m_nFailingWrite;
    bool m_bFailClose;
    int m_nWrites = 0;
};

CDataFileWriter::FileCreator FailingCreator(int nFailingWrite, bool bFailClose = false) {
    return [=](const std::string& strPath, std::unique_ptr<platform::IOutputFile>& pFile) {
        std::unique_ptr<platform::IOutputFile> pReal;
        const platform::ErrorCode nCode = platform::CreateNewOutputFile(strPath, pReal);
        if (nCode == platform::kSuccess) {
            pFile = std::make_unique<CFailingFile>(std::move(pReal), nFailingWrite, bFailClose);
        }
        return nCode;
    };
}

TEST_F(DataFileWriter, AFailedWriteIsReportedEverywhereAfterAndTheFileStaysOpenNamed) {
    CDataFileWriter writer(FailingCreator(2));
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, kStart), platform::kSuccess);
    ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);  // write 1
    const std::vector<std::uint8_t> block = MakeBlock(100, 9);
    ASSERT_EQ(writer.WriteSample(kStart, Bytes(block)), platform::kSuccess);  // buffered
    EXPECT_EQ(writer.Flush(), platform::kErrorDiskFull);                      // write 2
    EXPECT_EQ(writer.Error(), platform::kErrorDiskFull);
    EXPECT_EQ(writer.WriteSample(kStart, Bytes(block)), platform::kErrorDiskFull);
    EXPECT_EQ(writer.Flush(), platform::kErrorDiskFull);
    EXPECT_EQ(writer.Finish(), platform::kErrorDiskFull);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_TRUE(writer.FinishedPath().empty());
    EXPECT_TRUE(platform::FileExists(writer.Path()));
    std::vector<platform::FoundFile> finished;
    ASSERT_EQ(platform::FindFiles(m_dir.Path("*.var"), finished), platform::kSuccess);
    EXPECT_TRUE(finished.empty());
}

TEST_F(DataFileWriter, FailuresOfTheHeaderALargeSampleAndTheCloseAreReported) {
    {
        CDataFileWriter writer(FailingCreator(1));
        ASSERT_EQ(writer.Create(Dir(), "PC1", 1, kStart), platform::kSuccess);
        EXPECT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kErrorDiskFull);
        EXPECT_EQ(writer.Close(), platform::kErrorDiskFull);
    }
    {
        // A block larger than the buffer goes to the file at once, so its failure shows at once.
        CDataFileWriter writer(FailingCreator(2));
        ASSERT_EQ(writer.Create(Dir(), "PC1", 2, kStart), platform::kSuccess);
        ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
        const std::vector<std::uint8_t> large = MakeBlock(60000, 10);
        EXPECT_EQ(writer.WriteSample(kStart, Bytes(large)), platform::kErrorDiskFull);
    }
    {
        CDataFileWriter writer(FailingCreator(0, true));
        ASSERT_EQ(writer.Create(Dir(), "PC1", 4, kStart), platform::kSuccess);
        ASSERT_EQ(writer.WriteHeader(JobHeader(), {}), platform::kSuccess);
        EXPECT_EQ(writer.Finish(), platform::kErrorWriteFault);
        EXPECT_TRUE(platform::FileExists(writer.Path()));
        EXPECT_TRUE(writer.FinishedPath().empty());
    }
}

}  // namespace
