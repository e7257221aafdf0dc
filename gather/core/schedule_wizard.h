// The schedule wizard as the scheduler's operations use it: a mode, a working record, table copies.
#pragma once
#include <memory>

#include "host_tables.h"
#include "schedule.h"

// What the wizard is opened for.
enum class EWizardMode {
    kNew = 0,     // a new booking
    kChange = 1,  // a change of a waiting booking
    kView = 2,    // looking at a booking; nothing is taken back
    kRetry = 3,   // a new booking the overlap check rejected, shown again for correction
};

// The working copies the wizard edits. The opener fills them before the run and takes back what
// the result allows: the hosts always, the record and the groups after OK only.
class CScheduleWizardData {
public:
    CScheduleWizardData()
        : m_pHosts(std::make_unique<CHostTable>()), m_pGroups(std::make_unique<CGroupTable>()) {}

    EWizardMode m_eMode = EWizardMode::kNew;
    CSchedule m_schedule;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
};

// The modal wizard. The Win32 dialog implements it; tests script it.
class IScheduleWizard {
public:
    virtual ~IScheduleWizard() = default;
    // Runs the wizard over the data; true when the user finished it with OK.
    virtual bool RunWizard(CScheduleWizardData& data) = 0;
};
