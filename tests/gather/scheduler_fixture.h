// Helpers for the scheduler's tests: bookings put straight into the tables, time moved second by
// second with a tick after each, rows, run log lines and data files read back.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "gather/gather_fixture.h"
#include "platform/files.h"

namespace gather_test {

class CSchedulerFixture : public CGatherFixture {
protected:
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
        m_pDlg->EditTables().Schedule(nSlot) = std::move(schedule);
        m_pDlg->RefreshScheduleRow(nSlot, -1, true);
    }
    void AddGroup(const std::string& strName, const std::vector<std::string>& arrMembers) {
        CHostGroup group;
        group.m_strName = strName;
        for (std::size_t m = 0; m < arrMembers.size(); ++m) group.m_strMember[m] = arrMembers[m];
        ASSERT_TRUE(::AddGroup(m_pDlg->EditTables().Groups(), group));
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
        const std::optional<int> nRow = m_pDlg->Rows().FindScheduleRow(nSchedule);
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
