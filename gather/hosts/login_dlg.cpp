// CLoginDlg: opening with an immediate attempt, OK, Cancel.
#include "login_dlg.h"

#include "host_connection.h"

CLoginDlg::CLoginDlg(ILoginView& view, IMessageBoxView& messageBoxes, platform::HostAccess& access,
                     CErrorLog& errorLog, SLoginFields fields)
    : m_view(view),
      m_boxes(messageBoxes),
      m_access(access),
      m_errorLog(errorLog),
      m_fields(std::move(fields)) {}

void CLoginDlg::OnInit() {
    m_view.ShowFields(m_fields);
    if (TryLogon(m_fields)) m_view.Close(true);
}

void CLoginDlg::OnOk(const SLoginFields& typed) {
    if (!typed.m_strHost.empty() && typed.m_strUser.empty()) {
        m_boxes.Show(kLoginNoUser, "エラー", EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    if (TryLogon(typed)) m_view.Close(true);
}

void CLoginDlg::OnCancel() {
    m_view.Close(false);
}

bool CLoginDlg::TryLogon(const SLoginFields& fields) {
    if (fields.m_strHost.empty() || fields.m_strUser.empty()) return false;
    const platform::ErrorCode nCode =
        ConnectIpc(m_access, fields.m_strHost, fields.m_strUser, fields.m_strPassword);
    if (nCode == platform::kSuccess) return true;
    const std::string strMessage =
        m_errorLog.ReportPlatformError(static_cast<std::int32_t>(nCode), kLoginLabel);
    m_boxes.Show(strMessage, "エラー", EMessageIcon::kWarning, EMessageButtons::kOk);
    return false;
}
