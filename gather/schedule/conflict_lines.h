// The text of the overlap check: one line per clash.
#pragma once
#include <array>
#include <string>
#include <unordered_map>

#include "conflict_sweep.h"
#include "schedule.h"

// Writes clash lines "予約 %02d と予約 %02d の ホスト(%s) が %s ～ %s で競合しています。\r\n" with
// the two schedule numbers, the host and the clash span in FormatScheduleTime style 2. Clash
// spans are run starts and ends, which recur from line to line, so each time is formatted once.
class CConflictLineWriter {
public:
    void Append(std::string& strText, const std::string& strHost, const CRunClash& clash);

private:
    const std::string& TimeText(platform::Time t);
    const std::string& NumberText(int nSchedule);

    std::unordered_map<platform::Time, std::string> m_mapTimeTexts;
    std::array<std::string, kScheduleSlots> m_strNumbers;
};
