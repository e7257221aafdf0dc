// Message boxes of the headless runner: printed with their caption, answered Yes or OK.
#include "console_view.h"

EMessageResult CConsoleGatherView::ShowMessage(const std::string& strText,
                                               const std::string& strCaption, EMessageIcon eIcon,
                                               EMessageButtons eButtons) {
    (void)eIcon;
    *m_pErr << "[" << strCaption << "] " << strText << std::endl;
    return eButtons == EMessageButtons::kYesNo ? EMessageResult::kYes : EMessageResult::kOk;
}

std::vector<int> CConsoleGatherView::GetSelectedRows(EGatherList eList) const {
    (void)eList;
    return {};
}
