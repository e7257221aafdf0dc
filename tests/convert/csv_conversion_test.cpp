// Converting data files into a CSV file: known values, split pieces, gaps, instances that come
// later, both encodings, cut-off files, and failures that leave nothing behind.
#include "csv_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "datafile/data_file_test_util.h"
#include "platform/text_codec.h"
#include "series/series_test_blocks.h"

namespace {

using namespace csv;
using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CLevels;
using seriestest::CTimedBlock;
using seriestest::kSecond;
using seriestest::kStart;

constexpr const char* kHeading =
    "日時,CPU-CPU Time [%],CPU-CPU Privileged Time [%],CPU-CPU User Time [%],"
    "Memory-Available Memory [MB],Memory-Available Memory [KB],Physical Disk-Disk Time [%],"
    "Logical Disk-Disk Time [%],Network I/F-Data Transfer Size [B/s],CPU(0)-CPU Time [%],"
    "CPU(1)-CPU Time [%],Physical Disk(0 C:)-Disk Time [%],Logical Disk(C:)-Disk Time [%]";

// A desk computer one second at a time: processor 0 busy 25%, processor 1 busy 55% (together
// 40%: 30% user, 10% privileged), 800 MB free, disk C: 20% busy, volume C: 5%, 1000 B/s.
class CDesk {
public:
    std::vector<std::uint8_t> Next() {
        m_host.Builder().AddValue(perf::kObjectProcessor, "0", perf::kCounterProcessorTime,
                                  kSecond * 3 / 4);
        m_host.Builder().AddValue(perf::kObjectProcessor, "1", perf::kCounterProcessorTime,
                                  kSecond * 45 / 100);
        m_host.Builder().AddValue(perf::kObjectPhysicalDisk, "0 C:", perf::kCounterDiskTime,
                                  kSecond / 5);
        m_host.Builder().AddValue(perf::kObjectLogicalDisk, "C:", perf::kCounterDiskTime,
                                  kSecond / 20);
        return m_host.Next(CLevels(30, 10, 800, 819'200, 20, 5, {1000}));
    }
    std::vector<CTimedBlock> Samples(platform::Time tFirst, int nCount) {
        std::vector<CTimedBlock> vec;
        for (int i = 0; i < nCount; ++i) vec.push_back({tFirst + i, Next()});
        return vec;
    }
    CHostBlocks m_host;
};

// TZ=Europe/Berlin: kStart is 07:00:00 local time.
constexpr const char* kFirstRow = "2024/08/19 07:00:00,,,,800,819200,,,,,,,";
std::string FullRow(int nSecond) {
    char szTime[32];
    std::snprintf(szTime, sizeof szTime, "2024/08/19 07:%02d:%02d", nSecond / 60, nSecond % 60);
    return std::string(szTime) +
           ",40.00,10.00,30.00,800,819200,20.00,5.00,1000.00,25.00,55.00,20.00,5.00";
}

std::vector<std::string> Lines(const std::string& strText) {
    std::vector<std::string> vec;
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        const std::size_t nEnd = strText.find("\r\n", nStart);
        EXPECT_NE(nEnd, std::string::npos) << "a line without CR LF at " << nStart;
        if (nEnd == std::string::npos) break;
        vec.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 2;
    }
    return vec;
}

class CsvConversion : public ::testing::Test {
protected:
    std::string Write(const std::vector<CTimedBlock>& samples, std::uint32_t nBranch = 1,
                      const std::string& strHost = "PC1") {
        const std::string strPath =
            seriestest::WriteDataFile(m_dir, strHost, samples, seriestest::EnglishNames(), nBranch);
        EXPECT_FALSE(strPath.empty());
        return strPath;
    }
    // The names in the scratch folder besides the data files.
    std::vector<std::string> OtherFiles() const {
        std::vector<std::string> vec;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.Path())) {
            const std::string strName = entry.path().filename().string();
            if (strName.rfind("VARN_", 0) != 0) vec.push_back(strName);
        }
        return vec;
    }
    std::string Output() const { return m_dir.Path("out.csv"); }

    CTempDir m_dir;
    CDesk m_desk;
};

TEST_F(CsvConversion, OneRowPerSampleWithTheKnownValuesInCodePage932) {
    const std::string strFile = Write(m_desk.Samples(kStart, 3));
    const CConvertResult result = ConvertToCsv({strFile}, Output());
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_strHost, "PC1");
    EXPECT_EQ(result.m_nFiles, 1u);
    EXPECT_EQ(result.m_nRows, 3u);
    EXPECT_EQ(result.m_nColumns, 13u);
    EXPECT_TRUE(result.m_vecProblems.empty());

    const std::string strBytes = datafile_test::ReadAll(Output());
    // The heading's Japanese is code page 932 ("日時" is 93 FA 8E 9E), with no byte-order mark.
    ASSERT_EQ(strBytes.substr(0, 5), "\x93\xfa\x8e\x9e,");
    const std::vector<std::string> lines = Lines(strBytes);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], platform::Utf8ToCp932(kHeading));
    EXPECT_EQ(lines[1], kFirstRow);  // rates need two samples; the memory counts do not
    EXPECT_EQ(lines[2], FullRow(1));
    EXPECT_EQ(lines[3], FullRow(2));
    EXPECT_EQ(OtherFiles(), std::vector<std::string>{"out.csv"});
}

TEST_F(CsvConversion, Utf8WithAByteOrderMarkOnRequest) {
    const std::string strFile = Write(m_desk.Samples(kStart, 2));
    CConvertOptions options;
    options.m_eEncoding = ECsvEncoding::kUtf8Bom;
    ASSERT_TRUE(ConvertToCsv({strFile}, Output(), options).Ok());
    const std::string strBytes = datafile_test::ReadAll(Output());
    EXPECT_EQ(strBytes, std::string("\xEF\xBB\xBF") + kHeading + "\r\n" + kFirstRow + "\r\n" +
                            FullRow(1) + "\r\n");
}

TEST_F(CsvConversion, SplitPiecesJoinAndTheirRatesContinue) {
    const std::string strFirst = Write(m_desk.Samples(kStart, 2), 1);
    const std::string strSecond = Write(m_desk.Samples(kStart + 2, 2), 2);
    std::vector<series::CLoadProgress> vecSeen;
    std::vector<CConvertProgress> vecProgress;
    const CConvertResult result =
        ConvertToCsv({strFirst, strSecond}, Output(), {}, [&](const CConvertProgress& progress) {
            vecProgress.push_back(progress);
            return true;
        });
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nFiles, 2u);
    const std::vector<std::string> lines = Lines(datafile_test::ReadAll(Output()));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], kFirstRow);
    EXPECT_EQ(lines[3], FullRow(2));  // the second piece's first sample has its rates
    EXPECT_EQ(lines[4], FullRow(3));
    // Progress at each file and at the end, with every byte counted by then.
    ASSERT_GE(vecProgress.size(), 3u);
    EXPECT_EQ(vecProgress.front().m_nFiles, 2u);
    EXPECT_EQ(vecProgress.back().m_nBytesDone, vecProgress.back().m_nBytesTotal);
    EXPECT_EQ(vecProgress.back().m_nRows, 4u);

    // Another host's file does not continue the first one's rates.
    const std::string strOther = Write(m_desk.Samples(kStart + 4, 1), 1, "PC2");
    ASSERT_TRUE(ConvertToCsv({strFirst, strOther}, Output()).Ok());
    EXPECT_EQ(Lines(datafile_test::ReadAll(Output()))[3], "2024/08/19 07:00:04,,,,800,819200,,,,,,,");
}

TEST_F(CsvConversion, GapsAreEmptyFieldsAndLateInstancesGetColumnsForEveryRow) {
    std::vector<CTimedBlock> samples = m_desk.Samples(kStart, 2);
    // A sample whose reply lacked the physical disks: those fields are empty in it and in the
    // sample after it (a rate needs two samples in a row).
    sim::CPerfObjectModel disks = *m_desk.m_host.Builder().Object(perf::kObjectPhysicalDisk);
    m_desk.m_host.Builder().RemoveObject(perf::kObjectPhysicalDisk);
    samples.push_back({kStart + 2, m_desk.Next()});
    m_desk.m_host.Builder().AddObject(disks.Index(), disks.Counters(), true);
    sim::CPerfObjectModel& restored = *m_desk.m_host.Builder().Object(perf::kObjectPhysicalDisk);
    for (const auto& instance : disks.Instances()) {
        restored.AddInstance(instance.m_strName).m_vecValues = instance.m_vecValues;
    }
    // A volume "D:,new" appears: it gets a column at the end, empty for the rows before it.
    m_desk.m_host.Builder().Object(perf::kObjectLogicalDisk)->AddInstance("D:,new");
    samples.push_back({kStart + 3, m_desk.Next()});
    samples.push_back({kStart + 4, m_desk.Next()});
    const std::string strFile = Write(samples);

    const CConvertResult result = ConvertToCsv({strFile}, Output());
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nColumns, 14u);
    const std::vector<std::string> lines = Lines(datafile_test::ReadAll(Output()));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], platform::Utf8ToCp932(std::string(kHeading) +
                                              ",\"Logical Disk(D:,new)-Disk Time [%]\""));
    EXPECT_EQ(lines[1], std::string(kFirstRow) + ",");
    EXPECT_EQ(lines[2], FullRow(1) + ",");
    EXPECT_EQ(lines[3],
              "2024/08/19 07:00:02,40.00,10.00,30.00,800,819200,,5.00,1000.00,25.00,55.00,,5.00,");
    EXPECT_EQ(lines[4],
              "2024/08/19 07:00:03,40.00,10.00,30.00,800,819200,,5.00,1000.00,25.00,55.00,,5.00,");
    EXPECT_EQ(lines[5], FullRow(4) + ",0.00");
}

TEST_F(CsvConversion, ACutOffFileGivesItsWholeSamplesAndLaterSamplesOutOfOrderAreLeftOut) {
    std::vector<CTimedBlock> samples = m_desk.Samples(kStart, 4);
    samples[3].m_tTime = kStart;  // the collecting computer's clock went back
    const std::string strPath = Write(samples);
    const std::string strBytes = datafile_test::ReadAll(strPath);
    const std::string strCut = m_dir.Path("VARN_cut.va_");
    datafile_test::WriteAll(strCut, strBytes.substr(0, strBytes.size() - 2));  // inside "END"

    CConvertResult result = ConvertToCsv({strCut}, Output());
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nRows, 3u);
    EXPECT_EQ(result.m_nSkipped, 0u);
    EXPECT_TRUE(result.m_vecProblems.empty());

    result = ConvertToCsv({strPath}, Output());
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nRows, 3u);
    EXPECT_EQ(result.m_nSkipped, 1u);
}

TEST_F(CsvConversion, FilesThatCannotBeReadAreReportedAndWithoutAnyNothingIsWritten) {
    const std::string strGood = Write(m_desk.Samples(kStart, 2));
    const std::string strNotData = m_dir.Path("VARN_notes.var");
    datafile_test::WriteAll(strNotData, "just some notes\r\n");
    const std::string strMissing = m_dir.Path("VARN_missing.var");

    CConvertResult result = ConvertToCsv({strMissing, strNotData, strGood}, Output());
    ASSERT_TRUE(result.Ok());
    ASSERT_EQ(result.m_vecProblems.size(), 2u);
    EXPECT_EQ(result.m_vecProblems[0].m_eProblem, series::EFileProblem::kOpenFailed);
    EXPECT_EQ(result.m_vecProblems[1].m_eProblem, series::EFileProblem::kNotDataFile);
    EXPECT_EQ(result.m_nRows, 2u);

    std::filesystem::remove(platform_test::PathFromUtf8(Output()));
    result = ConvertToCsv({strMissing, strNotData}, Output());
    EXPECT_EQ(result.m_eError, EConvertError::kNoUsableFile);
    EXPECT_TRUE(OtherFiles().empty());

    const std::string strEmpty = Write({});
    EXPECT_EQ(ConvertToCsv({strEmpty}, Output()).m_eError, EConvertError::kNoSamples);
    EXPECT_EQ(ConvertToCsv({}, Output()).m_eError, EConvertError::kNoFiles);
    EXPECT_TRUE(OtherFiles().empty());
}

// A file maker whose files fail to write once they would hold more than a limit.
class CFailingFile final : public platform::IOutputFile {
public:
    CFailingFile(std::unique_ptr<platform::IOutputFile> pFile, std::size_t nLimit)
        : m_pFile(std::move(pFile)), m_nLimit(nLimit) {}
    platform::ErrorCode Write(const void* pData, std::size_t nSize) override {
        if (m_nWritten + nSize > m_nLimit) return platform::kErrorDiskFull;
        m_nWritten += nSize;
        return m_pFile->Write(pData, nSize);
    }
    platform::ErrorCode Close() override { return m_pFile->Close(); }

private:
    std::unique_ptr<platform::IOutputFile> m_pFile;
    std::size_t m_nLimit;
    std::size_t m_nWritten = 0;
};

TEST_F(CsvConversion, AFullDiskOrAMissingFolderLeavesNothingBehindAndTheOldFileAsItWas) {
    const std::string strFile = Write(m_desk.Samples(kStart, 4000));
    ASSERT_TRUE(ConvertToCsv({strFile}, Output()).Ok());
    const std::size_t nSize = datafile_test::ReadAll(Output()).size();
    datafile_test::WriteAll(Output(), "the earlier conversion\r\n");

    // Writes that fail at once, and one that fails only when the header is added to the rows.
    for (const std::size_t nLimit : {std::size_t{0}, std::size_t{100}, nSize - 1}) {
        CConvertOptions options;
        options.m_fnCreateFile = [&](const std::string& strPath,
                                     std::unique_ptr<platform::IOutputFile>& pFile) {
            std::unique_ptr<platform::IOutputFile> pReal;
            const platform::ErrorCode nError = platform::CreateNewOutputFile(strPath, pReal);
            if (nError == platform::kSuccess) {
                pFile = std::make_unique<CFailingFile>(std::move(pReal), nLimit);
            }
            return nError;
        };
        const CConvertResult result = ConvertToCsv({strFile}, Output(), options);
        EXPECT_EQ(result.m_eError, EConvertError::kWriteFailed) << nLimit;
        EXPECT_EQ(result.m_nWriteError, platform::kErrorDiskFull) << nLimit;
        EXPECT_EQ(OtherFiles(), std::vector<std::string>{"out.csv"}) << nLimit;
        EXPECT_EQ(datafile_test::ReadAll(Output()), "the earlier conversion\r\n") << nLimit;
    }

    const CConvertResult result = ConvertToCsv({strFile}, m_dir.Path("gone/out.csv"));
    EXPECT_EQ(result.m_eError, EConvertError::kWriteFailed);
    EXPECT_EQ(result.m_nWriteError, platform::kErrorPathNotFound);
    EXPECT_EQ(OtherFiles(), std::vector<std::string>{"out.csv"});

    // A folder whose name is taken by a file.
    datafile_test::WriteAll(m_dir.Path("taken"), "");
    EXPECT_EQ(ConvertToCsv({strFile}, m_dir.Path("taken/out.csv")).m_eError,
              EConvertError::kWriteFailed);
}

TEST_F(CsvConversion, ACancelledConversionLeavesNothingAndTemporaryNamesNeverTouchUsersFiles) {
    const std::string strFile = Write(m_desk.Samples(kStart, 4000));
    // Files of the user's that have the names the conversion would try first.
    datafile_test::WriteAll(Output() + ".rows", "mine");
    datafile_test::WriteAll(Output() + ".part", "mine too");
    int nCalls = 0;
    const CConvertResult cancelled =
        ConvertToCsv({strFile}, Output(), {}, [&](const CConvertProgress&) { return ++nCalls < 3; });
    EXPECT_EQ(cancelled.m_eError, EConvertError::kCancelled);
    auto others = OtherFiles();
    std::sort(others.begin(), others.end());
    EXPECT_EQ(others, (std::vector<std::string>{"out.csv.part", "out.csv.rows"}));

    ASSERT_TRUE(ConvertToCsv({strFile}, Output()).Ok());
    EXPECT_EQ(datafile_test::ReadAll(Output() + ".rows"), "mine");
    EXPECT_EQ(datafile_test::ReadAll(Output() + ".part"), "mine too");
    EXPECT_EQ(Lines(datafile_test::ReadAll(Output())).size(), 4001u);
}

}  // namespace
