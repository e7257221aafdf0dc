// varnole-convert: what it writes, its messages and exit codes, and the files it refuses to join.
#include "convert_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "datafile/data_file_test_util.h"
#include "series/series_test_blocks.h"

namespace {

using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CTimedBlock;
using seriestest::kStart;

struct CRun {
    int m_nCode = -1;
    std::string m_strOut;
    std::string m_strErr;
};

CRun RunTool(const std::vector<std::string>& vecArgs) {
    std::ostringstream out;
    std::ostringstream err;
    CRun run;
    run.m_nCode = RunConvertTool(vecArgs, out, err);
    run.m_strOut = out.str();
    run.m_strErr = err.str();
    return run;
}

class ConvertTool : public ::testing::Test {
protected:
    std::string Write(const std::string& strHost, const std::string& strExecId,
                      std::uint32_t nBranch, platform::Time tFirst, int nSamples) {
        const std::string strPath =
            seriestest::WriteRunPiece(m_dir, m_host, strHost, strExecId, nBranch, tFirst, nSamples);
        EXPECT_FALSE(strPath.empty());
        return strPath;
    }
    CTempDir m_dir;
    CHostBlocks m_host;
};

TEST_F(ConvertTool, JoinsThePiecesOfARunInTheOrderOfTheirStart) {
    const std::string strFirst = Write("PC01", "2408-0007", 1, kStart, 3);
    const std::string strSecond = Write("PC01", "2408-0007", 2, kStart + 3, 3);
    const std::string strCsv = m_dir.Path("pc01.csv");
    // Given the wrong way round, as a shell pattern may give them.
    const CRun run = RunTool({"--utf8", "-o", strCsv, strSecond, strFirst});
    EXPECT_EQ(run.m_nCode, kConvertToolOk) << run.m_strErr;
    EXPECT_EQ(run.m_strOut, strCsv + ": 6 rows of 13 columns from 2 file(s) of PC01, UTF-8\n");
    EXPECT_EQ(run.m_strErr, "");
    const std::string strText = datafile_test::ReadAll(strCsv);
    EXPECT_EQ(strText.rfind("\xEF\xBB\xBF日時,CPU-CPU Time [%],", 0), 0u);
    // Times go forward through the rows: 07:00:00 to 07:00:05 in Berlin.
    EXPECT_NE(strText.find("\r\n2024/08/19 07:00:00,"), std::string::npos);
    EXPECT_LT(strText.find("07:00:02,"), strText.find("07:00:03,"));
    EXPECT_EQ(strText.find("07:00:06,"), std::string::npos);

    // Code page 932 without --utf8.
    const CRun plain = RunTool({"-o", strCsv, strFirst});
    EXPECT_EQ(plain.m_nCode, kConvertToolOk);
    EXPECT_EQ(plain.m_strOut, strCsv + ": 3 rows of 13 columns from 1 file(s) of PC01, code page 932\n");
    EXPECT_EQ(datafile_test::ReadAll(strCsv).rfind("\x93\xfa\x8e\x9e,", 0), 0u);
}

TEST_F(ConvertTool, RefusesFilesOfDifferentCollections) {
    const std::string strA = Write("PC01", "2408-0007", 1, kStart, 2);
    const std::string strB = Write("PC02", "2408-0007", 1, kStart, 2);
    const std::string strC = Write("PC01", "2408-0008", 2, kStart + 2, 2);
    const std::string strOld = Write("PC01", "", 1, kStart + 4, 2);
    const std::string strCsv = m_dir.Path("x.csv");
    const struct {
        std::vector<std::string> vecFiles;
        std::string strMessage;
    } kCases[] = {
        {{strA, strB}, strB + " is of another host than the first file"},
        {{strA, strC}, strC + " is of another collection (execution ID) than the first file"},
        {{strA, strOld}, strOld + " has no execution ID"},
    };
    for (const auto& c : kCases) {
        std::vector<std::string> vecArgs = {"-o", strCsv};
        vecArgs.insert(vecArgs.end(), c.vecFiles.begin(), c.vecFiles.end());
        const CRun run = RunTool(vecArgs);
        EXPECT_EQ(run.m_nCode, kConvertToolError);
        EXPECT_NE(run.m_strErr.find(c.strMessage), std::string::npos) << run.m_strErr;
        EXPECT_FALSE(std::filesystem::exists(platform_test::PathFromUtf8(strCsv)));
    }
    EXPECT_EQ(RunTool({"-o", strCsv, strOld}).m_nCode, kConvertToolOk);  // alone it converts
}

TEST_F(ConvertTool, SaysWhatWentWrongWithItsExitCode) {
    const std::string strGood = Write("PC01", "2408-0007", 1, kStart, 2);
    const std::string strCsv = m_dir.Path("out.csv");
    const struct {
        std::vector<std::string> vecArgs;
        int nCode;
        std::string strMessage;
    } kCases[] = {
        {{}, kConvertToolUsage, "-o FILE.csv is required"},
        {{"-o", strCsv}, kConvertToolUsage, "no data file given"},
        {{"--csv", "-o", strCsv, strGood}, kConvertToolUsage, "unknown option: --csv"},
        {{"-o"}, kConvertToolUsage, "-o needs a value"},
        {{"-o", strGood, strGood}, kConvertToolUsage, "-o names a data file"},
        {{"-o", m_dir.Path("x.VA_"), strGood}, kConvertToolUsage, "-o names a data file"},
        {{"-o", strCsv, m_dir.Path("none.var")}, kConvertToolError, "none of the files can be read"},
        {{"-o", m_dir.Path("no/such/dir.csv"), strGood}, kConvertToolError, "cannot write"},
    };
    for (const auto& c : kCases) {
        const CRun run = RunTool(c.vecArgs);
        EXPECT_EQ(run.m_nCode, c.nCode) << c.strMessage;
        EXPECT_NE(run.m_strErr.find("varnole-convert: " + c.strMessage), std::string::npos)
            << run.m_strErr;
        if (c.nCode == kConvertToolUsage) {
            EXPECT_NE(run.m_strErr.find("usage: varnole-convert"), std::string::npos);
        }
    }
    EXPECT_NE(RunTool({"-o", strCsv, m_dir.Path("none.var"), strGood})
                  .m_strErr.find("none.var: cannot open (error 2)"),
              std::string::npos);
    const CRun help = RunTool({"--help"});
    EXPECT_EQ(help.m_nCode, kConvertToolOk);
    EXPECT_EQ(help.m_strOut.rfind("usage: varnole-convert [--utf8] -o FILE.csv DATAFILE...", 0), 0u);
}

}  // namespace
