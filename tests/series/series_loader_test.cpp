// Loading a request's data files: split pieces, files cut short, bad files, progress, verdicts.
#include "series/series_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "datafile/data_file_test_util.h"
#include "series_test_blocks.h"

namespace {

using namespace series;
using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CLevels;
using seriestest::CTimedBlock;
using seriestest::kStart;

// nSamples samples one second apart from tFirst, processor busy nBusy percent.
std::vector<CTimedBlock> Samples(CHostBlocks& host, platform::Time tFirst, int nSamples,
                                 double dBusy = 40) {
    std::vector<CTimedBlock> vec;
    for (int i = 0; i < nSamples; ++i) {
        vec.push_back({tFirst + i, host.Next({dBusy, 0, 800, 819'200, 10, 10, {1000}})});
    }
    return vec;
}

class SeriesLoader : public ::testing::Test {
protected:
    std::string Write(const std::vector<CTimedBlock>& samples, std::uint32_t nBranch = 1) {
        const std::string strPath =
            seriestest::WriteDataFile(m_dir, "PC1", samples, seriestest::EnglishNames(), nBranch);
        EXPECT_FALSE(strPath.empty());
        return strPath;
    }

    CTempDir m_dir;
    CHostBlocks m_host;
};

TEST_F(SeriesLoader, SplitPiecesJoinIntoOneSeries) {
    const std::string strFirst = Write(Samples(m_host, kStart, 30, 40), 1);
    const std::string strSecond = Write(Samples(m_host, kStart + 30, 30, 60), 2);
    const CLoadResult result = LoadSeries({strFirst, strSecond}, *CounterChoice(0));
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_strHost, "PC1");
    EXPECT_EQ(result.m_nFiles, 2u);
    EXPECT_EQ(result.m_nSamples, 60u);
    EXPECT_TRUE(result.m_vecProblems.empty());
    const CSeries& series = result.m_series;
    ASSERT_EQ(series.Points().size(), 60u);
    EXPECT_EQ(series.ValueCount(), 59u);  // only the very first sample has no rate
    EXPECT_NEAR(series.Points()[29].m_dValue, 40, 1e-9);
    EXPECT_NEAR(series.Points()[30].m_dValue, 60, 1e-9);
    EXPECT_EQ(series.FirstTime(), kStart);
    EXPECT_EQ(series.LastTime(), kStart + 59);
    EXPECT_EQ(series.TypicalStep(), 1);

    // In the wrong order the earlier piece's samples are left out; ordering by the headers'
    // start times puts them right.
    const CLoadResult reversed = LoadSeries({strSecond, strFirst}, *CounterChoice(0));
    EXPECT_EQ(reversed.m_nSamples, 60u);
    EXPECT_EQ(reversed.m_nSkipped, 30u);
    EXPECT_EQ(OrderedByStart({strSecond, m_dir.Path("none.var"), strFirst}),
              (std::vector<std::string>{strFirst, strSecond, m_dir.Path("none.var")}));
}

TEST_F(SeriesLoader, AFileCutInsideASampleGivesItsWholeSamples) {
    const std::string strPath = Write(Samples(m_host, kStart, 10));
    const auto nSize = std::filesystem::file_size(platform_test::PathFromUtf8(strPath));
    for (const std::uintmax_t nCut : {std::uintmax_t{1}, std::uintmax_t{3}, std::uintmax_t{200}}) {
        const std::string strCut = m_dir.Path("cut.va_");
        datafile_test::WriteAll(strCut, datafile_test::ReadAll(strPath).substr(0, nSize - nCut));
        const CLoadResult result = LoadSeries({strCut}, *CounterChoice(3));
        ASSERT_TRUE(result.Ok()) << nCut;
        EXPECT_EQ(result.m_nSamples, 9u) << nCut;
        EXPECT_TRUE(result.m_vecProblems.empty()) << nCut;
        EXPECT_DOUBLE_EQ(result.m_series.Maximum(), 800);
    }
}

TEST_F(SeriesLoader, UnreadableFilesAreSkippedAndNamed) {
    const std::string strGood = Write(Samples(m_host, kStart, 5));
    m_dir.WriteFile("notes.txt", "not a data file at all");
    const std::string strMissing = m_dir.Path("VARN_gone.var");
    const CLoadResult result =
        LoadSeries({strMissing, m_dir.Path("notes.txt"), strGood}, *CounterChoice(3));
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nFiles, 1u);
    ASSERT_EQ(result.m_vecProblems.size(), 2u);
    EXPECT_EQ(result.m_vecProblems[0].m_strPath, strMissing);
    EXPECT_EQ(result.m_vecProblems[0].m_eProblem, EFileProblem::kOpenFailed);
    EXPECT_EQ(result.m_vecProblems[0].m_nCode, platform::kErrorFileNotFound);
    EXPECT_EQ(result.m_vecProblems[1].m_eProblem, EFileProblem::kNotDataFile);

    const CLoadResult none = LoadSeries({strMissing, m_dir.Path("notes.txt")}, *CounterChoice(3));
    EXPECT_EQ(none.m_eError, ELoadError::kNoUsableFile);
    EXPECT_EQ(none.m_vecProblems.size(), 2u);
}

TEST_F(SeriesLoader, ADamagedRecordEndsItsFileOnly) {
    const std::string strFirst = Write(Samples(m_host, kStart, 6), 1);
    const std::string strSecond = Write(Samples(m_host, kStart + 6, 4), 2);
    // The end mark of the last sample of the first file becomes "ENX".
    std::string strBytes = datafile_test::ReadAll(strFirst);
    strBytes[strBytes.size() - 1] = 'X';
    datafile_test::WriteAll(strFirst, strBytes);
    const CLoadResult result = LoadSeries({strFirst, strSecond}, *CounterChoice(0));
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nSamples, 9u);
    ASSERT_EQ(result.m_vecProblems.size(), 1u);
    EXPECT_EQ(result.m_vecProblems[0].m_eProblem, EFileProblem::kDamaged);
    EXPECT_EQ(result.m_vecProblems[0].m_strPath, strFirst);
}

TEST_F(SeriesLoader, VerdictsWhenNothingCanBeDrawn) {
    CHostBlocks noDisks;
    noDisks.Builder().RemoveObject(perf::kObjectPhysicalDisk);
    const std::string strNoDisks = Write(Samples(noDisks, kStart, 3));
    const std::string strOne = Write(Samples(m_host, kStart, 1));
    const std::string strEmpty = Write({});
    struct Case {
        const char* szWhat;
        std::vector<std::string> vecPaths;
        int nChoice;
        ELoadError eError;
    };
    const Case cases[] = {
        {"no files", {}, 0, ELoadError::kNoFiles},
        {"no samples", {strEmpty}, 0, ELoadError::kNoSamples},
        {"counter the host did not deliver", {strNoDisks}, 5, ELoadError::kCounterMissing},
        {"the other disk object is there", {strNoDisks}, 6, ELoadError::kNone},
        {"one sample cannot give a rate", {strOne}, 0, ELoadError::kNoValues},
        {"one sample gives a memory value", {strOne}, 3, ELoadError::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadSeries(c.vecPaths, *CounterChoice(c.nChoice)).m_eError, c.eError)
            << c.szWhat;
    }
}

TEST_F(SeriesLoader, ProgressGrowsToTheTotalAndCanCancel) {
    // Blocks padded to 100 KB, so that progress is reported within the files.
    m_host.Builder().SetTrailingBytes(100'000);
    const std::string strFirst = Write(Samples(m_host, kStart, 30), 1);
    const std::string strSecond = Write(Samples(m_host, kStart + 30, 30), 2);
    std::vector<CLoadProgress> vecSeen;
    const CLoadResult result = LoadSeries({strFirst, strSecond}, *CounterChoice(7),
                                          [&](const CLoadProgress& progress) {
                                              vecSeen.push_back(progress);
                                              return true;
                                          });
    ASSERT_TRUE(result.Ok());
    ASSERT_GE(vecSeen.size(), 4u);
    const std::uint64_t nTotal = datafile_test::FileSize(strFirst) + datafile_test::FileSize(strSecond);
    for (std::size_t i = 0; i < vecSeen.size(); ++i) {
        EXPECT_EQ(vecSeen[i].m_nBytesTotal, nTotal);
        EXPECT_EQ(vecSeen[i].m_nFiles, 2u);
        if (i > 0) {
            EXPECT_GE(vecSeen[i].m_nBytesDone, vecSeen[i - 1].m_nBytesDone);
        }
    }
    EXPECT_EQ(vecSeen.back().m_nBytesDone, nTotal);
    EXPECT_EQ(vecSeen.back().m_nSamples, 60u);

    int nCalls = 0;
    const CLoadResult cancelled =
        LoadSeries({strFirst, strSecond}, *CounterChoice(7), [&](const CLoadProgress&) {
            return ++nCalls < 3;
        });
    EXPECT_EQ(cancelled.m_eError, ELoadError::kCancelled);
    EXPECT_EQ(nCalls, 3);
}

}  // namespace
