// The headless runner's window: message boxes printed with their caption and answered Yes or OK.
#include "console_view.h"

EMessageResult CConsoleGatherView::ShowMessage(const CMessageBox& box) {
    *m_pErr << "[" << box.m_strCaption << "] " << box.m_strText << std::endl;
    return box.m_eButtons == EMessageButtons::kYesNo ? EMessageResult::kYes : EMessageResult::kOk;
}

std::vector<int> CConsoleGatherView::GetSelectedRows(EGatherList eList) const {
    (void)eList;
    return {};
}

bool CConsoleGatherView::RunWizard(CScheduleWizardData& data) {
    (void)data;
    return false;
}
