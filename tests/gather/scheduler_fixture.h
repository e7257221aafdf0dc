// A started CGatherDlg whose jobs run on a small simulated network and a manual wait clock,
// with a scripted wizard, its own error log and an in-memory execution-ID store.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "gather/gather_fixture.h"
#include "gather/scripted_wizard.h"
#include "job/wait_clock.h"
#include "logs/error_log.h"
#include "logs/execution_ids.h"
#include "platform/files.h"
#include "sim/sim_test_network.h"

namespace gather_test {

// PC1..PC4 answer; DOWN refuses every connection.
inline constexpr const char* kTestNetwork =
    "workgroup WORKGROUP\n"
    "host PC1\n"
    "host PC2\n"
    "host PC3\n"
    "host PC4\n"
    "host DOWN\n"
    "    refuse 53\n";

class CMemoryIdStore final : public IExecutionIdStore {
public:
    std::map<std::string, std::uint32_t> m_mapValues;
    platform::ErrorCode ReadDword(const std::string& strName, std::uint32_t& nValue) override {
        const auto it = m_mapValues.find(strName);
        if (it == m_mapValues.end()) return platform::kErrorFileNotFound;
        nValue = it->second;
        return platform::kSuccess;
    }
    platform::ErrorCode OpenForWriting() override { return platform::kSuccess; }
    platform::ErrorCode WriteDword(const std::string& strName, std::uint32_t nValue) override {
        m_mapValues[strName] = nValue;
        return platform::kSuccess;
    }
    void CloseForWriting() override {}
};

// A mutex name no other test process uses, so that error-log rotation stays per test.
inline std::string UniqueName(const std::string& strBase) {
    static std::atomic<int> s_nSerial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return strBase + "_" + std::to_string(stamp) + "_" + std::to_string(++s_nSerial);
}

class CSchedulerFixture : public CGatherFixture {
protected:
    CSchedulerFixture()
        : m_waitClock(m_clock),
          m_pNetwork(sim_test::MakeNetwork(kTestNetwork, m_clock)),
          m_errorLog(m_clock, m_dir.Path(), UniqueName("VarnoleTestErr")) {}

    void SetUp() override {
        CGatherFixture::SetUp();
        Attach(*m_pDlg);
    }
    // The controller goes first: its jobs use the network, the clock and the error log.
    void TearDown() override { m_pDlg.reset(); }

    void Attach(CGatherDlg& dlg) {
        CGatherJobContext context;
        context.m_pAccess = m_pNetwork.get();
        context.m_pWaitClock = &m_waitClock;
        context.m_pErrorLog = &m_errorLog;
        dlg.SetJobContext(context);
        dlg.SetExecutionIdStore(&m_store);
        dlg.SetScheduleWizard(&m_wizard);
    }

    // A booked host schedule: interval 1 s, starting at tStart for nSeconds.
    CSchedule HostSchedule(const std::string& strHost, platform::Time tStart, int nSeconds,
                           std::int32_t nRepeat = kRepeatOnce) const {
        CSchedule schedule = CSchedule::Blank(m_clock.Now());
        schedule.m_nTargetType = kTargetHost;
        schedule.m_strTarget = strHost;
        schedule.m_nInterval = 1000;
        schedule.m_nRepeat = nRepeat;
        schedule.m_tStart = tStart;
        schedule.m_tsDuration = nSeconds;
        schedule.m_tNextStart = tStart;
        schedule.m_tNextEnd = tStart + nSeconds;
        return schedule;
    }
    CSchedule GroupSchedule(const std::string& strGroup, platform::Time tStart, int nSeconds,
                            std::int32_t nRepeat = kRepeatOnce) const {
        CSchedule schedule = HostSchedule(strGroup, tStart, nSeconds, nRepeat);
        schedule.m_nTargetType = kTargetGroup;
        return schedule;
    }
    // Puts a schedule into slot nSlot, waiting, with its list row.
    void Book(int nSlot, CSchedule schedule) {
        schedule.m_nState = kStateWaiting;
        m_pDlg->Schedule(nSlot) = std::move(schedule);
        m_pDlg->RefreshScheduleRow(nSlot, -1, true);
    }
    void AddGroup(const std::string& strName, const std::vector<std::string>& arrMembers) {
        CHostGroup group;
        group.m_strName = strName;
        for (std::size_t m = 0; m < arrMembers.size(); ++m) group.m_strMember[m] = arrMembers[m];
        ASSERT_TRUE(::AddGroup(m_pDlg->Groups(), group));
    }

    // Lets the jobs settle, moves time on by whole seconds one at a time and ticks after each.
    void RunSeconds(int nSeconds) {
        for (int s = 0; s < nSeconds; ++s) {
            m_waitClock.WaitUntilIdle();
            m_waitClock.AdvanceMilliseconds(1000);
            m_waitClock.WaitUntilIdle();
            m_pDlg->OnSchedulerTick();
        }
    }
    void Tick() {
        m_waitClock.WaitUntilIdle();
        m_pDlg->OnSchedulerTick();
    }

    // Column texts of the row that shows schedule n ("" when there is none).
    std::string RowText(int nSchedule, int nColumn) const {
        const std::optional<int> nRow = m_pDlg->FindScheduleRow(nSchedule);
        return nRow ? m_pDlg->ScheduleList().GetText(*nRow, nColumn) : std::string();
    }
    // The run log's messages, oldest first.
    std::vector<std::string> LogMessages() const {
        std::vector<std::string> arrMessages;
        const CSortedListModel& log = m_pDlg->RunLog();
        for (int r = log.GetRowCount() - 1; r >= 0; --r) arrMessages.push_back(log.GetText(r, 2));
        return arrMessages;
    }
    std::vector<std::string> LogTargets() const {
        std::vector<std::string> arrTargets;
        const CSortedListModel& log = m_pDlg->RunLog();
        for (int r = log.GetRowCount() - 1; r >= 0; --r) arrTargets.push_back(log.GetText(r, 1));
        return arrTargets;
    }
    // Names of the data directory's files matching a pattern, in byte order.
    std::vector<std::string> DataFiles(const std::string& strPattern) const {
        std::vector<platform::FoundFile> arrFound;
        platform::FindFiles(m_pDlg->GetDataDirectory() + strPattern, arrFound);
        std::vector<std::string> arrNames;
        for (const auto& found : arrFound) arrNames.push_back(found.strName);
        return arrNames;
    }

    CManualWaitClock m_waitClock;
    std::unique_ptr<sim::CSimNetwork> m_pNetwork;
    CErrorLog m_errorLog;
    CMemoryIdStore m_store;
    CScriptedWizard m_wizard;
};

// Reads a finished data file: its header and the number of samples that decode.
struct CReadDataFile {
    bool m_bOpen = false;
    CDataFileHeader m_header;
    std::vector<platform::Time> m_arrSampleTimes;
    bool m_bClean = false;  // the samples end exactly at the end of the file

    explicit CReadDataFile(const std::string& strPath) {
        CDataFileReader reader;
        m_bOpen = reader.Open(strPath) == platform::kSuccess;
        if (!m_bOpen) return;
        m_header = reader.Header();
        CDataSample sample;
        ESampleRead eRead;
        while ((eRead = reader.Next(sample)) == ESampleRead::kSample)
            m_arrSampleTimes.push_back(sample.m_tSample);
        m_bClean = eRead == ESampleRead::kEnd;
    }
};

}  // namespace gather_test
