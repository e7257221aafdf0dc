// CMessageBoxes: boxes shown through the window, counted while they are open.
#include "dialog/message_box.h"

EMessageResult CMessageBoxes::Show(const CMessageBox& box) {
    ++m_nOpen;
    const EMessageResult eResult = m_pView->ShowMessage(box);
    --m_nOpen;
    return eResult;
}

EMessageResult CMessageBoxes::Show(const std::string& strText, const std::string& strCaption,
                                   EMessageIcon eIcon, EMessageButtons eButtons) {
    CMessageBox box;
    box.m_strText = strText;
    box.m_strCaption = strCaption;
    box.m_eIcon = eIcon;
    box.m_eButtons = eButtons;
    return Show(box);
}

bool CMessageBoxes::AskYesNo(const std::string& strText, const std::string& strCaption,
                             EMessageIcon eIcon) {
    return Show(strText, strCaption, eIcon, EMessageButtons::kYesNo) == EMessageResult::kYes;
}
