// CLoginWindow: fields in and out of the template, OK and Cancel to the model.
#include "login_window.h"

#include "host_dialogs_resource.h"

CLoginWindow::CLoginWindow(platform::HostAccess& access, CErrorLog& errorLog, SLoginFields fields)
    : CDialogBase(IDD_LOGIN),
      m_messageBoxes(*this),
      m_model(*this, m_messageBoxes, access, errorLog, std::move(fields)) {}

bool CLoginWindow::OnInit() {
    GreyCloseItem();
    m_model.OnInit();  // may close the dialog at once when the stored logon works
    SetFocus(Item(IDC_LOGIN_USER));
    return false;
}

void CLoginWindow::OnOk() {
    m_model.OnOk(SLoginFields{ItemText(IDC_LOGIN_HOST), ItemText(IDC_LOGIN_USER),
                              ItemText(IDC_LOGIN_PASSWORD)});
}

void CLoginWindow::OnCancel() {
    m_model.OnCancel();
}

void CLoginWindow::ShowFields(const SLoginFields& fields) {
    SetItemText(IDC_LOGIN_HOST, fields.m_strHost);
    SetItemText(IDC_LOGIN_USER, fields.m_strUser);
    SetItemText(IDC_LOGIN_PASSWORD, fields.m_strPassword);
}

void CLoginWindow::Close(bool bOk) {
    EndDialog(bOk ? IDOK : IDCANCEL);
}
