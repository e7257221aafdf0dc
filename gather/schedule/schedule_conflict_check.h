// CScheduleConflictCheck: whether two booked schedules would read the same host at the same time.
#pragma once
#include <string>
#include <vector>

#include "conflict_hosts.h"
#include "host_tables.h"
#include "platform/clock.h"
#include "schedule.h"

// Titles of the message box that shows a failed check: when a registration or change is refused,
// and when the hourly check (minute 10 of every hour) finds a clash.
inline constexpr const char* kConflictTitleRefused = "予約を取り消しました";
inline constexpr const char* kConflictTitleHourly = "予約チェック";

// One overlap check over the whole schedule table, built for one call. Every booked schedule is
// expanded to the hosts it reads (groups through the group table), its runs are listed up to the
// present moment plus 31 days, and for every host every pair of its schedules A < B is compared
// run by run. Each clash adds the line
//   "予約 %02d と予約 %02d の ホスト(%s) が %s ～ %s で競合しています。\r\n"
// Hosts come in the order the schedule table first names them; within a host the lines are
// ordered by A, then B, then A's run, then B's run.
class CScheduleConflictCheck {
public:
    // Runs the check with tNow as the present moment. True when no clash was found; otherwise
    // false, and ResultText() names every clash.
    bool Check(const CScheduleTable& schedules, const CGroupTable& groups, platform::Time tNow);

    // The clash lines of the last check; empty when it accepted the schedules.
    const std::string& ResultText() const { return m_strResult; }

private:
    std::vector<CHostReaders> m_hosts;              // host -> schedules that read it
    std::vector<std::vector<CScheduleRun>> m_runs;  // schedule number -> its runs
    std::string m_strResult;
};
