// The headless runner end to end: it is started as a program on the demo network with the real
// clock, and what a session leaves behind is checked: VARNOLE.dat, the data files, the exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "perf/perf_figures.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/process.h"
#include "platform/temp_dir.h"
#include "settings_format.h"

namespace {

// Sets a variable of this process's environment, which the runner inherits.
void SetVariable(const char* pszName, const std::string& strValue) {
#ifdef _WIN32
    _putenv_s(pszName, strValue.c_str());
#else
    setenv(pszName, strValue.c_str(), 1);
#endif
}

std::string Quoted(const std::string& strText) {
    return "\"" + strText + "\"";
}

class HeadlessRunTest : public ::testing::Test {
protected:
    HeadlessRunTest()
        : m_pHosts(std::make_unique<CHostTable>()),
          m_pGroups(std::make_unique<CGroupTable>()),
          m_pSchedules(std::make_unique<CScheduleTable>()) {
        m_dir.MakeDirectory("prog");
        m_dir.MakeDirectory("data");
        m_strProgramDir = m_dir.Path("prog");
        m_strDataDir = m_dir.Path("data");
        const std::string strSelf = platform::ProgramDirectory();
        SetVariable("VARNOLE_SIMULATION", strSelf + "demo-network.txt");
#ifndef _WIN32
        // The execution-ID counter of this run stays in the scratch directory, and so do the
        // named mutexes: a Gather of another test run or of the user is not this run's second copy.
        SetVariable("VARNOLE_CONFIG_DIR", m_dir.Path("config"));
        m_dir.MakeDirectory("runtime");
        SetVariable("XDG_RUNTIME_DIR", m_dir.Path("runtime"));
#endif
        m_strRunner = strSelf + VARNOLE_HEADLESS_RUNNER;
#ifdef _WIN32
        std::replace(m_strRunner.begin(), m_strRunner.end(), '/', '\\');
#endif
    }

    void AddHost(const std::string& strHost, const std::string& strOs) {
        for (CHostEntry& host : *m_pHosts) {
            if (!host.IsFree()) continue;
            host.m_strHost = strHost;
            host.m_strOsInfo = strOs;
            return;
        }
    }
    CSchedule& Book(int nSlot, const std::string& strHost, std::int32_t nRepeat,
                    platform::Time tStart, int nSeconds) {
        CSchedule& schedule = (*m_pSchedules)[static_cast<std::size_t>(nSlot)];
        schedule = CSchedule::Blank(tStart);
        schedule.m_strTarget = strHost;
        schedule.m_nState = kStateWaiting;
        schedule.m_nInterval = 1000;
        schedule.m_nRepeat = nRepeat;
        schedule.m_tStart = tStart;
        schedule.m_tsDuration = nSeconds;
        schedule.m_tNextStart = tStart;
        schedule.m_tNextEnd = tStart + nSeconds;
        return schedule;
    }
    void WriteSettings() {
        m_dir.WriteFile("prog/VARNOLE.dat",
                        EncodeSettings(1, *m_pHosts, *m_pGroups, *m_pSchedules));
    }
    CSettingsContents ReadSettings() const {
        return DecodeSettings(
            ReadAll(m_dir.Path("prog") + platform::kPathSeparator + "VARNOLE.dat"));
    }
    static std::string ReadAll(const std::string& strPath) {
        std::ifstream in(platform_test::PathFromUtf8(strPath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Runs the runner for nSeconds and returns its exit code (-1 when it did not end).
    int Run(int nSeconds) {
        platform::ChildProcess child;
        const std::string strCommand =
            Quoted(m_strRunner) + " --program-dir " + Quoted(m_strProgramDir) + " --data-dir " +
            Quoted(m_strDataDir) + " --seconds " + std::to_string(nSeconds);
        if (child.Start(strCommand) != platform::kSuccess) return -1;
        const unsigned nLimitMs = static_cast<unsigned>(nSeconds + 60) * 1000u;
        if (child.WaitForExit(nLimitMs) != platform::kSuccess) return -1;
        std::uint32_t nCode = 0;
        return child.ExitCode(nCode) ? static_cast<int>(nCode) : -1;
    }
    std::vector<std::string> DataFiles(const std::string& strPattern) const {
        std::vector<platform::FoundFile> arrFound;
        platform::FindFiles(m_strDataDir + platform::kPathSeparator + strPattern, arrFound);
        std::vector<std::string> arrNames;
        for (const auto& found : arrFound) arrNames.push_back(found.strName);
        return arrNames;
    }

    platform_test::CTempDir m_dir;
    std::string m_strProgramDir;
    std::string m_strDataDir;
    std::string m_strRunner;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::unique_ptr<CScheduleTable> m_pSchedules;
};

TEST_F(HeadlessRunTest, StartNowScheduleRecordsOneFileOfDecodableSamples) {
    AddHost("PC01", "Microsoft Windows XP");
    const platform::Time tStart = platform::SystemClock().Now() + 2;
    Book(1, "PC01", kRepeatAtOnce, tStart, 10);
    WriteSettings();

    ASSERT_EQ(Run(16), 0);

    EXPECT_TRUE(DataFiles("*.va_").empty());
    const std::vector<std::string> arrFiles = DataFiles("VARN_PC01_*_1.var");
    ASSERT_EQ(arrFiles.size(), 1u);
    CDataFileReader reader;
    ASSERT_EQ(reader.Open(m_strDataDir + platform::kPathSeparator + arrFiles[0]),
              platform::kSuccess);
    EXPECT_EQ(reader.Header().m_strHost, "PC01");
    EXPECT_EQ(reader.Header().m_strOsInfo, "Microsoft Windows XP");
    EXPECT_EQ(reader.Header().m_nBranch, 1u);
    EXPECT_EQ(reader.Header().m_strExecId.size(), 8u);
    EXPECT_GE(reader.Header().m_tStart, tStart);

    // About ten samples a second apart, each a block whose figures decode as the demo host's
    // load models give them: memory wanders within 600..1800 MB, the processor is at 10% or 85%.
    CDataSample sample;
    std::vector<platform::Time> arrTimes;
    perf::CPerfRateState cpuState;
    perf::CPerfRateState diskState;
    ESampleRead eRead;
    while ((eRead = reader.Next(sample)) == ESampleRead::kSample) {
        arrTimes.push_back(sample.m_tSample);
        ASSERT_TRUE(perf::IsPerfDataBlock(sample.m_vecBlock));
        const perf::CPerfSnapshot figures =
            perf::TakeSnapshot(sample.m_vecBlock, cpuState, diskState);
        EXPECT_GE(figures.m_nMem, 600u);
        EXPECT_LE(figures.m_nMem, 1800u);
        if (arrTimes.size() > 1) {
            EXPECT_TRUE(figures.m_nCpu >= 9 && figures.m_nCpu <= 86) << figures.m_nCpu;
        }
    }
    EXPECT_EQ(eRead, ESampleRead::kEnd);
    EXPECT_GE(arrTimes.size(), 9u);
    EXPECT_LE(arrTimes.size(), 11u);
    for (std::size_t n = 1; n < arrTimes.size(); ++n) EXPECT_EQ(arrTimes[n], arrTimes[n - 1] + 1);
    EXPECT_GE(arrTimes.front(), tStart);
    EXPECT_LT(arrTimes.back(), tStart + 10);

    // The one-time run has gone from the saved settings, which kept their previous version.
    const CSettingsContents saved = ReadSettings();
    ASSERT_TRUE(saved.Complete());
    EXPECT_TRUE((*saved.m_pSchedules)[1].IsFree());
    EXPECT_EQ((*saved.m_pHosts)[0].m_strHost, "PC01");
    EXPECT_TRUE(m_dir.Exists("prog/VARNOLE.old"));
}

TEST_F(HeadlessRunTest, ExitDuringADailyRunSavesItForTomorrowAndFinishesItsFiles) {
    const platform::Time tStart = platform::SystemClock().Now() + 1;
    Book(2, "PC02", kRepeatDaily, tStart, 3600);
    WriteSettings();
    m_dir.WriteFile("data/VARN_PC09_2026-1205-10_9.va_");

    ASSERT_EQ(Run(4), 0);

    const CSettingsContents saved = ReadSettings();
    ASSERT_TRUE(saved.Complete());
    const CSchedule& schedule = (*saved.m_pSchedules)[2];
    EXPECT_EQ(schedule.m_nState, kStateWaiting);
    platform::LocalFields start;
    ASSERT_TRUE(platform::SplitLocalTime(tStart, start));
    const platform::Time tTomorrow = platform::MakeLocalTime(
        start.nYear, start.nMonth, start.nDay + 1, start.nHour, start.nMinute, 0);
    EXPECT_EQ(schedule.m_tNextStart, tTomorrow);
    EXPECT_EQ(schedule.m_tNextEnd, tTomorrow + 3600);

    EXPECT_TRUE(DataFiles("*.va_").empty());
    EXPECT_EQ(DataFiles("VARN_PC02_*_2.var").size(), 1u);
    EXPECT_EQ(DataFiles("VARN_PC09_2026-1205-10_9.var").size(), 1u);
}

TEST_F(HeadlessRunTest, RefusesAnUnknownOption) {
    platform::ChildProcess child;
    ASSERT_EQ(child.Start(Quoted(m_strRunner) + " --seconds 1 --minutes 2"), platform::kSuccess);
    ASSERT_EQ(child.WaitForExit(60000), platform::kSuccess);
    std::uint32_t nCode = 0;
    ASSERT_TRUE(child.ExitCode(nCode));
    EXPECT_EQ(nCode, 2u);
}

}  // namespace
