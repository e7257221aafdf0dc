// CHostRegWindow: list and edit events to the model, the model's texts and lists to the controls.
#include "host_reg_window.h"

#include "host_dialogs_resource.h"
#include "list_box.h"
#include "login_window.h"
#include "platform/computer_name.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

CHostRegWindow::CHostRegWindow(platform::HostAccess& access, CErrorLog& errorLog)
    : CHostDialogBase(IDD_HOSTREG, gather_ui::kStaticText, gather_ui::kStaticText),
      m_access(access),
      m_errorLog(errorLog),
      m_messageBoxes(*this),
      m_model(*this, m_messageBoxes, access, errorLog, platform::LocalComputerName()) {}

bool CHostRegWindow::OnInit() {
    GreyCloseItem();
    for (const int nId : {IDOK, IDC_HOSTREG_ADD, IDC_HOSTREG_DELETE, IDC_HOSTREG_CHECK}) {
        m_look.AddCommandButton(Handle(), nId);
    }
    m_look.AddCancelButton(Handle(), IDCANCEL);
    m_look.AddTooltip(Handle(), IDC_HOSTREG_ADD, kTipHostRegAdd);
    m_look.AddTooltip(Handle(), IDC_HOSTREG_DELETE, kTipHostRegDelete);
    m_look.AddTooltip(Handle(), IDC_HOSTREG_CHECK, kTipHostRegManual);
    m_look.AddTooltip(Handle(), IDC_HOSTREG_MANUAL, kTipHostRegManual);
    m_model.OnInit();
    SetTimer(Handle(), kRefreshTimer, kHostRegRefreshMs, nullptr);
    return true;
}

bool CHostRegWindow::OnCommand(int nId, int nCode, HWND hControl) {
    if (nCode == LBN_SELCHANGE) {
        const std::string strSelected = gather_ui::SelectedListBoxText(hControl);
        if (nId == IDC_HOSTREG_DOMAINS && !strSelected.empty())
            m_model.OnDomainSelected(strSelected);
        if (nId == IDC_HOSTREG_HOSTS && !strSelected.empty()) m_model.OnHostSelected(strSelected);
        if (nId == IDC_HOSTREG_REGISTERED) m_model.OnRegisteredSelected(strSelected);
        return true;
    }
    if (nId == IDC_HOSTREG_MANUAL && nCode == EN_CHANGE) {
        m_model.OnManualEntryChanged(ItemText(IDC_HOSTREG_MANUAL));
        return true;
    }
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_HOSTREG_ADD:
            m_model.OnAdd();
            return true;
        case IDC_HOSTREG_DELETE:
            m_model.OnDelete();
            return true;
        case IDC_HOSTREG_CHECK:
            m_model.OnConnectionCheck();
            return true;
        default:
            return false;
    }
}

void CHostRegWindow::OnOk() {
    m_model.OnOk();
}

void CHostRegWindow::OnCancel() {
    m_model.OnCancel();
}

void CHostRegWindow::OnTimer(UINT_PTR nTimerId) {
    if (nTimerId == kRefreshTimer) m_model.OnTimer();
}

void CHostRegWindow::OnDestroy() {
    KillTimer(Handle(), kRefreshTimer);
    CHostDialogBase::OnDestroy();
}

void CHostRegWindow::ShowRegisteredHosts(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_HOSTREG_REGISTERED), vecHosts);
}

void CHostRegWindow::ShowDomains(const std::vector<std::string>& vecDomains) {
    gather_ui::FillListBox(Item(IDC_HOSTREG_DOMAINS), vecDomains);
}

void CHostRegWindow::ShowHosts(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_HOSTREG_HOSTS), vecHosts);
}

void CHostRegWindow::SetDomainText(const std::string& strText) {
    SetItemText(IDC_HOSTREG_DOMAIN, strText);
}

void CHostRegWindow::SetHostText(const std::string& strText) {
    SetItemText(IDC_HOSTREG_HOST, strText);
}

void CHostRegWindow::SetManualEntryText(const std::string& strText) {
    SetItemText(IDC_HOSTREG_MANUAL, strText);
}

void CHostRegWindow::SetInformationText(const std::string& strText) {
    SetItemText(IDC_HOSTREG_INFO, strText);
}

void CHostRegWindow::EnableAdd(bool bEnable) {
    EnableItem(IDC_HOSTREG_ADD, bEnable);
}

void CHostRegWindow::EnableDelete(bool bEnable) {
    EnableItem(IDC_HOSTREG_DELETE, bEnable);
}

bool CHostRegWindow::RunLogin(const SLoginFields& fields) {
    CLoginWindow login(m_access, m_errorLog, fields);
    return login.DoModal(Handle()) == IDOK;
}

void CHostRegWindow::ShowWaitCursor(bool bWait) {
    m_look.ShowWaitCursor(bWait);
}

void CHostRegWindow::Close() {
    EndDialog(IDOK);
}
