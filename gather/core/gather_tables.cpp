// CGatherTables: the tables on the heap and the reset of schedule slots.
#include "gather_tables.h"

CGatherTables::CGatherTables(const platform::IClock& clock)
    : m_pClock(&clock),
      m_pHosts(std::make_unique<CHostTable>()),
      m_pGroups(std::make_unique<CGroupTable>()),
      m_pSchedules(std::make_unique<CScheduleTable>()) {}

void CGatherTables::ResetSchedule(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    Schedule(nSchedule) = BlankSchedule();
}

void CGatherTables::ResetAllSchedules() {
    m_pSchedules->fill(BlankSchedule());
}
