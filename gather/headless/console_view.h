// The headless runner's stand-in for Gather's main window: message boxes go to the error stream
// and are answered Yes (or OK); no list rows are ever selected, and nobody books through the
// wizard (it is cancelled should anything open it).
#pragma once
#include <ostream>

#include "dialog/message_box.h"
#include "gather_view.h"
#include "schedule_wizard.h"

class CConsoleGatherView final : public IGatherView,
                                 public IMessageBoxView,
                                 public IScheduleWizard {
public:
    // The stream must outlive the view.
    explicit CConsoleGatherView(std::ostream& err) : m_pErr(&err) {}

    EMessageResult ShowMessage(const CMessageBox& box) override;
    std::vector<int> GetSelectedRows(EGatherList eList) const override;
    bool RunWizard(CScheduleWizardData& data) override;

private:
    std::ostream* m_pErr;
};
