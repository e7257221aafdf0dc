// Message boxes of the headless runner: printed with their caption, answered Yes or OK.
#include "console_view.h"

EMessageResult CConsoleGatherView::ShowMessage(const CMessageBox& box) {
    *m_pErr << "[" << box.m_strCaption << "] " << box.m_strText << std::endl;
    return box.m_eButtons == EMessageButtons::kYesNo ? EMessageResult::kYes : EMessageResult::kOk;
}

std::vector<int> CConsoleGatherView::GetSelectedRows(EGatherList eList) const {
    (void)eList;
    return {};
}
