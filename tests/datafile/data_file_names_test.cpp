// Data file names: start hour text, base name, and the "(n)" rules on creating and finishing.
#include "datafile/data_file_names.h"

#include <gtest/gtest.h>

#include <string>

#include "data_file_test_util.h"
#include "datafile/data_file_writer.h"
#include "platform/files.h"
#include "platform/local_time.h"

namespace {

using platform_test::CTempDir;

constexpr char kSep = platform::kPathSeparator;

// 2004-08-19 02:15 local time, schedule 3, host PC1: the base name ends VARN_PC1_2004-0819-02_3.
platform::Time At(int nHour, int nMinute) {
    return platform::MakeLocalTime(2004, 8, 19, nHour, nMinute, 0);
}

TEST(DataFileNames, StartHourIsLocalYearMonthDayHourZeroPadded) {
    EXPECT_EQ(datafile::StartHourText(At(14, 5)), "2004-0819-14");
    EXPECT_EQ(datafile::StartHourText(At(2, 15)), "2004-0819-02");
    EXPECT_EQ(datafile::StartHourText(At(2, 59) + 60), "2004-0819-03");
    EXPECT_EQ(datafile::StartHourText(platform::MakeLocalTime(2005, 1, 1, 0, 0, 0)),
              "2005-0101-00");
    EXPECT_EQ(datafile::StartHourText(platform::MakeLocalTime(2004, 12, 31, 23, 59, 59)),
              "2004-1231-23");
}

TEST(DataFileNames, BaseNameFollowsThePatternWithTheDirectoryAsGiven) {
    const std::string strDir = std::string("data") + kSep;
    // The directory ends with a separator and the pattern adds one: two in a row.
    EXPECT_EQ(datafile::BaseName(strDir, "PC1", At(2, 15), 3),
              strDir + kSep + "VARN_PC1_2004-0819-02_3");
    EXPECT_EQ(datafile::BaseName("data", "srv-01", At(14, 0), 123),
              std::string("data") + kSep + "VARN_srv-01_2004-0819-14_123");
}

class DataFileNaming : public ::testing::Test {
protected:
    // The data directory as the programs hold it: with a trailing separator.
    std::string Dir() const { return m_dir.Path() + kSep; }
    // Creates and finishes one file of PC1, schedule 3, started at tStart.
    std::string CreateAndFinish(platform::Time tStart, std::string& strOpenName) {
        CDataFileWriter writer;
        EXPECT_EQ(writer.Create(Dir(), "PC1", 3, tStart), platform::kSuccess);
        strOpenName = NameOf(writer.Path());
        EXPECT_EQ(writer.Finish(), platform::kSuccess);
        return NameOf(writer.FinishedPath());
    }
    static std::string NameOf(const std::string& strPath) {
        return strPath.substr(strPath.find_last_of("\\/") + 1);
    }

    CTempDir m_dir;
};

TEST_F(DataFileNaming, CreateTakesTheFirstFreeOpenName) {
    CDataFileWriter first;
    ASSERT_EQ(first.Create(Dir(), "PC1", 3, At(2, 15)), platform::kSuccess);
    EXPECT_EQ(first.Path(), Dir() + kSep + "VARN_PC1_2004-0819-02_3.va_");
    EXPECT_TRUE(m_dir.Exists("VARN_PC1_2004-0819-02_3.va_"));

    // Same hour while the first is still open: (1); a directory of the next name is passed by.
    m_dir.MakeDirectory("VARN_PC1_2004-0819-02_3(2).va_");
    CDataFileWriter second;
    CDataFileWriter third;
    ASSERT_EQ(second.Create(Dir(), "PC1", 3, At(2, 40)), platform::kSuccess);
    ASSERT_EQ(third.Create(Dir(), "PC1", 3, At(2, 50)), platform::kSuccess);
    EXPECT_EQ(NameOf(second.Path()), "VARN_PC1_2004-0819-02_3(1).va_");
    EXPECT_EQ(NameOf(third.Path()), "VARN_PC1_2004-0819-02_3(3).va_");

    // A finished file of the same base does not stand in the way of a new open file.
    m_dir.WriteFile("VARN_PC1_2004-0819-03_3.var");
    CDataFileWriter fourth;
    ASSERT_EQ(fourth.Create(Dir(), "PC1", 3, At(3, 0)), platform::kSuccess);
    EXPECT_EQ(NameOf(fourth.Path()), "VARN_PC1_2004-0819-03_3.va_");
}

TEST_F(DataFileNaming, CreateNeverOverwritesAFileThatAppearsUnderTheChosenName) {
    // A creator that finds the name taken, as when another program made the file between the
    // existence test and the creation: the writer goes on with the next number.
    int nCalls = 0;
    CDataFileWriter writer(
        [&](const std::string& strPath, std::unique_ptr<platform::IOutputFile>& pFile) {
            if (++nCalls == 1) return platform::kErrorFileExists;
            return platform::CreateNewOutputFile(strPath, pFile);
        });
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, At(2, 15)), platform::kSuccess);
    EXPECT_EQ(NameOf(writer.Path()), "VARN_PC1_2004-0819-02_3(1).va_");
    EXPECT_EQ(nCalls, 2);
}

TEST_F(DataFileNaming, TwoFilesOfOneJobInOneHourShareTheBaseName) {
    std::string strOpen;
    // The first file is finished at the split before the second is created.
    EXPECT_EQ(CreateAndFinish(At(2, 0), strOpen), "VARN_PC1_2004-0819-02_3.var");
    EXPECT_EQ(strOpen, "VARN_PC1_2004-0819-02_3.va_");
    EXPECT_EQ(CreateAndFinish(At(2, 30), strOpen), "VARN_PC1_2004-0819-02_3(1).var");
    EXPECT_EQ(strOpen, "VARN_PC1_2004-0819-02_3.va_");
    EXPECT_EQ(CreateAndFinish(At(2, 45), strOpen), "VARN_PC1_2004-0819-02_3(2).var");
    EXPECT_FALSE(m_dir.Exists("VARN_PC1_2004-0819-02_3.va_"));
}

TEST_F(DataFileNaming, FinishingANumberedFileNumbersItsOwnBase) {
    m_dir.WriteFile("VARN_PC1_2004-0819-02_3.va_");
    CDataFileWriter writer;
    ASSERT_EQ(writer.Create(Dir(), "PC1", 3, At(2, 15)), platform::kSuccess);
    ASSERT_EQ(NameOf(writer.Path()), "VARN_PC1_2004-0819-02_3(1).va_");
    m_dir.WriteFile("VARN_PC1_2004-0819-02_3(1).var", "earlier");
    ASSERT_EQ(writer.Finish(), platform::kSuccess);
    EXPECT_EQ(NameOf(writer.FinishedPath()), "VARN_PC1_2004-0819-02_3(1)(1).var");
    EXPECT_EQ(datafile_test::ReadAll(m_dir.Path("VARN_PC1_2004-0819-02_3(1).var")), "earlier");
}

TEST_F(DataFileNaming, RenameToFinishedSkipsTakenNamesAndReportsAVanishedFile) {
    m_dir.WriteFile("VARN_a_b_1.va_", "left over");
    m_dir.WriteFile("VARN_a_b_1.var");
    m_dir.MakeDirectory("VARN_a_b_1(1).var");
    std::string strFinished;
    ASSERT_EQ(datafile::RenameToFinished(m_dir.Path("VARN_a_b_1.va_"), strFinished),
              platform::kSuccess);
    EXPECT_EQ(strFinished, m_dir.Path("VARN_a_b_1(2).var"));
    EXPECT_EQ(datafile_test::ReadAll(strFinished), "left over");

    EXPECT_EQ(datafile::RenameToFinished(m_dir.Path("VARN_a_b_1.va_"), strFinished),
              platform::kErrorFileNotFound);
    EXPECT_TRUE(strFinished.empty());
    EXPECT_EQ(datafile::RenameToFinished(".va_", strFinished), platform::kErrorInvalidName);
}

TEST_F(DataFileNaming, CreateInAMissingDirectoryFailsAtOnce) {
    CDataFileWriter writer;
    EXPECT_EQ(writer.Create(m_dir.Path("missing") + kSep, "PC1", 3, At(2, 15)),
              platform::kErrorPathNotFound);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Finish(), platform::kErrorInvalidHandle);
}

}  // namespace
