// Writing the overlap check's clash lines.
#include "conflict_lines.h"

#include <cstddef>

#include "schedule_texts.h"

void CConflictLineWriter::Append(std::string& strText, const std::string& strHost,
                                 const CRunClash& clash) {
    strText += "予約 ";
    strText += NumberText(clash.m_nScheduleA);
    strText += " と予約 ";
    strText += NumberText(clash.m_nScheduleB);
    strText += " の ホスト(";
    strText += strHost;
    strText += ") が ";
    strText += TimeText(clash.m_tStart);
    strText += " ～ ";
    strText += TimeText(clash.m_tEnd);
    strText += " で競合しています。\r\n";
}

const std::string& CConflictLineWriter::TimeText(platform::Time t) {
    const auto [it, bNew] = m_mapTimeTexts.try_emplace(t);
    if (bNew) it->second = FormatScheduleTime(t, kTimeStyleConflict);
    return it->second;
}

const std::string& CConflictLineWriter::NumberText(int nSchedule) {
    std::string& strNumber = m_strNumbers[static_cast<std::size_t>(nSchedule)];
    if (strNumber.empty()) strNumber = ScheduleNumberText(nSchedule);
    return strNumber;
}
