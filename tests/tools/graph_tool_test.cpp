// varnole-graph: the SVG of a plan, the command's exit codes and messages, its option parsing.
#include "graph_tool.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "command_line.h"
#include "datafile/data_file_test_util.h"
#include "platform/local_time.h"
#include "series/series_test_blocks.h"
#include "svg_chart.h"

namespace {

using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CTimedBlock;
using seriestest::kStart;

// Every match of a pattern's first group in the text.
std::vector<std::string> AllMatches(const std::string& strText, const std::string& strPattern) {
    std::vector<std::string> vec;
    const std::regex pattern(strPattern);
    for (auto it = std::sregex_iterator(strText.begin(), strText.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        vec.push_back((*it)[1]);
    }
    return vec;
}

TEST(SvgChart, HoldsTheTitleTheLabelsAndTheLineOfThePlan) {
    series::CSeries data;
    const platform::Time t = platform::MakeLocalTime(2024, 8, 19, 14, 0, 0);
    for (int i = 0; i <= 1800; ++i) data.AddValue(t + i, i < 900 ? 10 : 85);
    data.AddGap(t + 1801);
    data.AddValue(t + 1802, 50);
    series::CChartRequest request;
    request.m_strHost = "<A&B>";
    request.m_pChoice = series::CounterChoice(0);
    request.m_bShowDate = true;
    const series::CChartPlan plan = series::MakeChartPlan(data, request, SvgTextMetrics());
    const std::string strSvg = RenderSvg(plan);

    EXPECT_NE(strSvg.find("<title>&lt;A&amp;B&gt;  CPU-CPU Time</title>"), std::string::npos);
    EXPECT_EQ(AllMatches(strSvg, "class=\"title\"[^>]*>([^<]*)<"),
              std::vector<std::string>{"&lt;A&amp;B&gt;  CPU-CPU Time"});
    std::vector<std::string> values;
    for (const series::CAxisTick& tick : plan.m_vecValueTicks) values.push_back(tick.m_strLabel);
    EXPECT_EQ(values.front(), "0");
    EXPECT_EQ(values.back(), "100");
    const std::string strValueLabels =
        strSvg.substr(strSvg.find("value-labels"), strSvg.find("time-labels") - strSvg.find("value-labels"));
    EXPECT_EQ(AllMatches(strValueLabels, ">([^<]*)</text>"), values);
    const std::vector<std::string> times = AllMatches(
        strSvg.substr(strSvg.find("time-labels")), "<text[^>]*>([0-9:/]*)</text>");
    ASSERT_GE(times.size(), 4u);
    EXPECT_EQ(times[0], "14:00");
    EXPECT_EQ(times[1], "2024/08/19");
    EXPECT_NE(strSvg.find("最小 10.0%  平均 47.5%  最大 85.0%"), std::string::npos);

    // The polyline holds the plan's points; the lone value after the gap is a dot.
    const std::vector<std::string> polylines = AllMatches(strSvg, "<polyline points=\"([^\"]*)\"");
    ASSERT_EQ(polylines.size(), 1u);
    std::string strExpected;
    for (const series::CChartPoint& p : plan.m_vecLines[0]) {
        strExpected += (strExpected.empty() ? "" : " ") + std::to_string(p.m_nX) + "," +
                       std::to_string(p.m_nY);
    }
    EXPECT_EQ(polylines[0], strExpected);
    EXPECT_EQ(AllMatches(strSvg, "<circle cx=\"([0-9]+)\"").size(), 1u);
}

class GraphTool : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& vecArgs) {
        m_out.str({});
        m_err.str({});
        return RunGraphTool(vecArgs, m_out, m_err);
    }

    std::string WriteRun(CHostBlocks& host, int nSamples, std::uint32_t nBranch,
                         platform::Time tFirst) {
        std::vector<CTimedBlock> samples;
        for (int i = 0; i < nSamples; ++i) {
            samples.push_back({tFirst + i, host.Next({30, 10, 900, 921'600, 20, 20, {5000}})});
        }
        return seriestest::WriteDataFile(m_dir, "PC1", samples, seriestest::EnglishNames(),
                                         nBranch);
    }

    CTempDir m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(GraphTool, WritesTheChartOfTheFiles) {
    CHostBlocks host;
    const std::string strFirst = WriteRun(host, 120, 1, kStart);
    const std::string strSecond = WriteRun(host, 120, 2, kStart + 120);
    const std::string strSvg = m_dir.Path("chart.svg");
    // Given the second piece first, as a shell pattern would.
    ASSERT_EQ(Run({"--counter", "0", "-o", strSvg, strSecond, strFirst}), kGraphToolOk)
        << m_err.str();
    EXPECT_EQ(m_err.str(), "");
    EXPECT_EQ(m_out.str(), strSvg + ": 240 samples from 2 file(s), CPU-CPU Time, 40.0% to "
                                    "40.0%, average 40.0%\n");
    const std::string strText = datafile_test::ReadAll(strSvg);
    EXPECT_NE(strText.find("<title>PC1  CPU-CPU Time</title>"), std::string::npos);
    EXPECT_EQ(AllMatches(strText, "<polyline points=\"([^\"]*)\"").size(), 1u);
    EXPECT_EQ(strText.find("2024/08/19"), std::string::npos);
    EXPECT_FALSE(m_dir.Exists("chart.svg.tmp"));

    ASSERT_EQ(Run({"--show-date", "--counter", "7", "--width", "400", "--height", "300", "-o",
                   strSvg, strFirst}),
              kGraphToolOk);
    const std::string strDated = datafile_test::ReadAll(strSvg);
    EXPECT_NE(strDated.find("width=\"400\" height=\"300\""), std::string::npos);
    EXPECT_NE(strDated.find(">2024/08/19</text>"), std::string::npos);
    EXPECT_NE(strDated.find("PC1  Network I/F-Data Transfer Size"), std::string::npos);
}

TEST_F(GraphTool, WrongCommandLinesExitWithTwo) {
    const struct {
        std::vector<std::string> vecArgs;
        const char* szMessage;
    } cases[] = {
        {{"-o", "x.svg", "a.var"}, "--counter is required"},
        {{"--counter", "8", "-o", "x.svg", "a.var"}, "--counter needs a number from 0 to 7: 8"},
        {{"--counter", "x", "-o", "x.svg", "a.var"}, "--counter needs a number from 0 to 7: x"},
        {{"--counter", "1", "a.var"}, "-o FILE.svg is required"},
        {{"--counter", "1", "-o", "x.svg"}, "no data file given"},
        {{"--counter", "1", "--colour", "red", "-o", "x.svg", "a.var"}, "unknown option: --colour"},
        {{"--counter", "1", "-o"}, "-o needs a value"},
        {{"--counter", "1", "--counter", "2", "-o", "x.svg", "a"}, "--counter is given twice"},
        {{"--counter", "1", "--width", "100", "-o", "x.svg", "a"},
         "--width needs a number of pixels from 160 to 20000: 100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.vecArgs), kGraphToolUsage) << c.szMessage;
        EXPECT_EQ(m_err.str().rfind(std::string("varnole-graph: ") + c.szMessage + "\nusage: ", 0),
                  0u)
            << m_err.str();
    }
    EXPECT_EQ(Run({"--help"}), kGraphToolOk);
    EXPECT_NE(m_out.str().find("7  Network I/F-Data Transfer Size"), std::string::npos);
}

TEST_F(GraphTool, FilesThatCannotBeDrawnExitWithOne) {
    CHostBlocks noDisks;
    noDisks.Builder().RemoveObject(perf::kObjectPhysicalDisk);
    const std::string strNoDisks = WriteRun(noDisks, 5, 1, kStart);
    const std::string strSvg = m_dir.Path("chart.svg");
    const std::string strMissing = m_dir.Path("missing.var");

    EXPECT_EQ(Run({"--counter", "5", "-o", strSvg, strNoDisks}), kGraphToolError);
    EXPECT_EQ(m_err.str(), "varnole-graph: the files do not hold Physical Disk-Disk Time (the "
                           "host did not deliver it)\n");
    EXPECT_EQ(Run({"--counter", "0", "-o", strSvg, strMissing}), kGraphToolError);
    EXPECT_EQ(m_err.str(), "varnole-graph: " + strMissing +
                               ": cannot open (error 2)\nvarnole-graph: none of the files can be "
                               "read\n");
    EXPECT_FALSE(m_dir.Exists("chart.svg"));

    // A file that cannot be read beside one that can: a warning, and the chart.
    EXPECT_EQ(Run({"--counter", "0", "-o", strSvg, strMissing, strNoDisks}), kGraphToolOk);
    EXPECT_EQ(m_err.str(), "varnole-graph: " + strMissing + ": cannot open (error 2)\n");
    EXPECT_TRUE(m_dir.Exists("chart.svg"));

    EXPECT_EQ(Run({"--counter", "0", "-o", m_dir.Path("no/such/dir/x.svg"), strNoDisks}),
              kGraphToolError);
    EXPECT_NE(m_err.str().find("cannot write"), std::string::npos);
    // The picture is written but cannot take its name (a folder has it): nothing is left over.
    m_dir.MakeDirectory("taken.svg");
    EXPECT_EQ(Run({"--counter", "0", "-o", m_dir.Path("taken.svg"), strNoDisks}), kGraphToolError);
    EXPECT_FALSE(m_dir.Exists("taken.svg.tmp"));
}

TEST(ToolCommandLine, NumbersAndTimes) {
    EXPECT_EQ(tools::ParseWholeNumber("15", 1, 20), 15);
    EXPECT_EQ(tools::ParseWholeNumber("0", 1, 20), std::nullopt);
    EXPECT_EQ(tools::ParseWholeNumber("1x", 1, 20), std::nullopt);
    EXPECT_EQ(tools::ParseWholeNumber("", 1, 20), std::nullopt);
    EXPECT_EQ(tools::ParseWholeNumber("-3", -5, 5), -3);
    EXPECT_EQ(tools::ParseLocalTime("2024-08-19 14:05"),
              platform::MakeLocalTime(2024, 8, 19, 14, 5, 0));
    EXPECT_EQ(tools::ParseLocalTime("2024-08-19 14:05:09"),
              platform::MakeLocalTime(2024, 8, 19, 14, 5, 9));
    for (const char* szBad : {"2024-08-19", "2024-08-19 14:05x", "2024-13-01 00:00",
                              "2024-08-19 24:00", "yesterday", "2024-08-19 14:05:09 "}) {
        EXPECT_EQ(tools::ParseLocalTime(szBad), std::nullopt) << szBad;
    }
    tools::CCommandLine line;
    std::string strError;
    const tools::COptionRule rules[] = {{"--a", true}, {"--b", false}};
    ASSERT_TRUE(tools::ParseCommandLine({"x", "--b", "--a", "1", "--", "--a", "y"}, rules, line,
                                        strError));
    EXPECT_EQ(*line.Value("--a"), "1");
    EXPECT_TRUE(line.Flag("--b"));
    EXPECT_EQ(line.m_vecOperands, (std::vector<std::string>{"x", "--a", "y"}));
}

}  // namespace
