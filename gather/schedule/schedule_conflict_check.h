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

class CConflictRunMemory;

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
    // false, and ResultText() names every clash. With a run memory, run lists it still holds for
    // a schedule are taken from it instead of being listed again.
    bool Check(const CScheduleTable& schedules, const CGroupTable& groups, platform::Time tNow,
               CConflictRunMemory* pMemory = nullptr);

    // The clash lines of the last check; empty when it accepted the schedules.
    const std::string& ResultText() const { return m_strResult; }

private:
    std::vector<CHostReaders> m_hosts;              // host -> schedules that read it
    std::vector<std::vector<CScheduleRun>> m_runs;  // schedule number -> its runs
    std::string m_strResult;
};

// The run lists of the schedules kept from one check to the next, for a check repeated every
// second (the scheduler's, during minute 10 of each hour), where a tick changes one or two
// schedules at most. A schedule's list is used again while its record is the same and the
// horizon has not yet reached the run it left out, within a minute of the listing (the runs are
// local times, and the zone may be changed); otherwise it is listed anew. The answers are those
// of a check without memory.
class CConflictRunMemory {
public:
    // The runs ConflictRuns(schedule, tNow + kConflictLookAhead) gives for slot nSlot.
    const std::vector<CScheduleRun>& Runs(int nSlot, const CSchedule& schedule,
                                          platform::Time tNow);

private:
    struct SListing {
        bool m_bListed = false;
        CSchedule m_schedule;             // the record listed
        platform::Time m_tListed = 0;     // the present moment of the listing
        platform::Time m_tSameUntil = 0;  // the latest present moment the list holds for
        std::vector<CScheduleRun> m_runs;
    };
    std::vector<SListing> m_listings = std::vector<SListing>(kScheduleSlots);
};
