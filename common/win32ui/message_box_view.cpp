// CWindowMessageBoxView: portable message boxes through win32ui::ShowMessageBox.
#include "win32ui/message_box_view.h"

#include "win32ui/message_box.h"

namespace win32ui {

UINT MessageBoxIconFlag(EMessageIcon eIcon) {
    switch (eIcon) {
        case EMessageIcon::kInformation:
            return MB_ICONINFORMATION;
        case EMessageIcon::kWarning:
            return MB_ICONWARNING;
        case EMessageIcon::kError:
            return MB_ICONERROR;
        case EMessageIcon::kQuestion:
            return MB_ICONQUESTION;
        case EMessageIcon::kNone:
            break;
    }
    return 0;
}

UINT MessageBoxButtonFlags(EMessageButtons eButtons, EMessageModality eModality) {
    UINT nFlags = MB_OK;
    if (eButtons == EMessageButtons::kOkCancel) nFlags = MB_OKCANCEL;
    if (eButtons == EMessageButtons::kYesNo) nFlags = MB_YESNO;
    if (eModality == EMessageModality::kSystem) nFlags |= MB_SYSTEMMODAL;
    return nFlags;
}

EMessageResult MessageBoxAnswer(int nPressed, EMessageButtons eButtons) {
    switch (nPressed) {
        case IDOK:
            return EMessageResult::kOk;
        case IDYES:
            return EMessageResult::kYes;
        case IDNO:
            return EMessageResult::kNo;
        default:
            return eButtons == EMessageButtons::kYesNo ? EMessageResult::kNo
                                                       : EMessageResult::kCancel;
    }
}

EMessageResult CWindowMessageBoxView::ShowMessage(const CMessageBox& box) {
    const int nPressed = ShowMessageBox(m_pOwner->Handle(), box.m_strText, box.m_strCaption,
                                        MessageBoxIconFlag(box.m_eIcon),
                                        MessageBoxButtonFlags(box.m_eButtons, box.m_eModality));
    return MessageBoxAnswer(nPressed, box.m_eButtons);
}

}  // namespace win32ui
