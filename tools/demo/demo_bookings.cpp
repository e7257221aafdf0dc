// The demo booking set on the demo network's hosts.
#include "demo_bookings.h"

#include <cstdio>

namespace {

struct SDemoBooking {
    int nSchedule;
    std::int32_t nTargetType;
    const char* pszTarget;
    std::int32_t nIntervalMs;
    std::int32_t nCpuThreshold;
    const char* pszComment;
    const char* pszShows;
};

const SDemoBooking kBookings[] = {
    {1, kTargetHost, "PC01", 1000, kThresholdUnused, "単一ホスト", "one host, every second"},
    {2, kTargetGroup, kDemoGroup, 2000, kThresholdUnused, "グループ",
     "a group of two hosts, every 2 seconds, one data file each"},
    {3, kTargetHost, "PC02", 1000, 10, "しきい値トリガー",
     "records only once the processor load reaches 10 % (after about 35 s)"},
    {4, kTargetHost, "DOWN01", 1000, kThresholdUnused, "応答しないホスト",
     "a host that refuses every connection"},
};

}  // namespace

std::vector<std::string> FillDemoBookings(CGatherTables& tables, platform::Time tStart,
                                          int nSeconds) {
    for (const char* pszHost : {"PC01", "PC02", "PC03", "PC04", "DOWN01"}) {
        CHostEntry host;
        host.m_strHost = pszHost;
        AddHost(tables.Hosts(), host);
    }
    CHostGroup group;
    group.m_strName = kDemoGroup;
    AddMember(group, "PC03");
    AddMember(group, "PC04");
    AddGroup(tables.Groups(), group);

    std::vector<std::string> vecLines;
    for (const SDemoBooking& booking : kBookings) {
        // A booking "今すぐ開始" as the wizard makes it, whose run is already fixed: the settings
        // file keeps it while its start lies ahead.
        CSchedule& schedule = tables.Schedule(booking.nSchedule);
        schedule = tables.BlankSchedule();
        schedule.m_nTargetType = booking.nTargetType;
        schedule.m_strTarget = booking.pszTarget;
        schedule.m_strComment = booking.pszComment;
        schedule.m_nState = kStateWaiting;
        schedule.m_nRepeat = kRepeatAtOnce;
        schedule.m_tStart = 0;
        schedule.m_nEndType = kEndAfterDuration;
        schedule.m_tsDuration = nSeconds;
        schedule.m_nInterval = booking.nIntervalMs;
        schedule.m_nCpuThreshold = booking.nCpuThreshold;
        schedule.m_tNextStart = tStart;
        schedule.m_tNextEnd = tStart + nSeconds;
        char szNumber[8];
        std::snprintf(szNumber, sizeof(szNumber), "%02d", booking.nSchedule);
        vecLines.push_back(std::string(szNumber) + "  " + booking.pszTarget + ": " +
                           booking.pszShows);
        tables.SetLastSchedule(booking.nSchedule);
    }
    return vecLines;
}
