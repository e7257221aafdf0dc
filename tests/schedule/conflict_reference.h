// The overlap check written the plain way: every pair of schedules on a host, run by run, with
// the four comparison cases. A yardstick for the swept implementation, not product code.
#pragma once
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host_tables.h"
#include "schedule.h"
#include "schedule_texts.h"

namespace reference {

// The runs of a schedule up to tHorizon: the booked run, then NextRun from each run's end (from
// one second after its start when that finds no later start), none for the monthly kinds.
inline std::vector<CScheduleRun> Runs(const CSchedule& s, platform::Time tHorizon) {
    std::vector<CScheduleRun> runs{{s.m_tNextStart, s.m_tNextEnd}};
    if (s.m_nRepeat == kRepeatMonthDay || s.m_nRepeat == kRepeatMonthEnd) return runs;
    while (runs.size() < 1000) {
        const CScheduleRun last = runs.back();
        auto next = NextRun(s, last.m_tEnd);
        if (next && next->m_tStart <= last.m_tStart) next = NextRun(s, last.m_tStart + 1);
        if (!next || next->m_tStart <= last.m_tStart || next->m_tEnd >= tHorizon) break;
        runs.push_back(*next);
    }
    return runs;
}

inline std::string Line(int nA, int nB, const std::string& strHost, platform::Time tFrom,
                        platform::Time tTo) {
    char sz[512];
    std::snprintf(sz, sizeof sz, "予約 %02d と予約 %02d の ホスト(%s) が %s ～ %s ", nA, nB,
                  strHost.c_str(), FormatScheduleTime(tFrom, 2).c_str(),
                  FormatScheduleTime(tTo, 2).c_str());
    return std::string(sz) + "で競合しています。\r\n";
}

// The check's text: hosts in order of first mention, every pair A < B, a outer, b inner.
inline std::string ConflictText(const CScheduleTable& schedules, const CGroupTable& groups,
                                platform::Time tNow) {
    std::vector<std::pair<std::string, std::vector<int>>> hosts;
    const auto add = [&](const std::string& strHost, int n) {
        for (auto& [strName, list] : hosts) {
            if (strName != strHost) continue;
            if (list.back() != n) list.push_back(n);
            return;
        }
        hosts.push_back({strHost, {n}});
    };
    for (int i = 0; i < kScheduleSlots; ++i) {
        const CSchedule& s = schedules[i];
        if (s.m_nState == 0 || s.m_strTarget.empty()) continue;
        if (s.m_nTargetType == 0) add(s.m_strTarget, i);
        if (s.m_nTargetType != 1) continue;
        for (const CHostGroup& group : groups) {
            if (group.m_strName != s.m_strTarget) continue;
            for (const std::string& strMember : group.m_strMember) {
                if (strMember.empty()) break;
                add(strMember, i);
            }
            break;
        }
    }

    std::string strText;
    const platform::Time tHorizon = tNow + 31 * 86400;
    std::vector<std::vector<CScheduleRun>> runs(kScheduleSlots);
    for (int i = 0; i < kScheduleSlots; ++i) runs[i] = Runs(schedules[i], tHorizon);
    for (const auto& [strHost, list] : hosts) {
        for (std::size_t x = 0; x < list.size(); ++x) {
            for (std::size_t y = x + 1; y < list.size(); ++y) {
                for (const CScheduleRun& a : runs[list[x]]) {
                    for (const CScheduleRun& b : runs[list[y]]) {
                        const auto a0 = a.m_tStart, a1 = a.m_tEnd, b0 = b.m_tStart, b1 = b.m_tEnd;
                        if (b0 <= a0 && a0 <= b1 && b1 <= a1)
                            strText += Line(list[x], list[y], strHost, a0, b1);
                        else if (a0 <= b0 && b0 <= a1 && a1 <= b1)
                            strText += Line(list[x], list[y], strHost, b0, a1);
                        else if (a0 <= b0 && b1 <= a1)
                            strText += Line(list[x], list[y], strHost, b0, b1);
                        else if (b0 <= a0 && a1 <= b1)
                            strText += Line(list[x], list[y], strHost, a0, a1);
                    }
                }
            }
        }
    }
    return strText;
}

}  // namespace reference
