// CHostRegDlg: lists, examination with the logon loop, add, delete, OK and Cancel.
#include "host_reg_dlg.h"

#include "host_connection.h"
#include "host_information.h"
#include "host_name_check.h"
#include "network_browse.h"
#include "wait_scope.h"

CHostRegDlg::CHostRegDlg(IHostRegView& view, IMessageBoxView& messageBoxes,
                         platform::HostAccess& access, CErrorLog& errorLog,
                         std::string strLocalName)
    : m_view(view),
      m_boxes(messageBoxes),
      m_access(access),
      m_errorLog(errorLog),
      m_strLocalName(std::move(strLocalName)),
      m_pWorking(std::make_unique<CHostTable>()),
      m_pSnapshot(std::make_unique<CHostTable>()) {}

void CHostRegDlg::SetTable(const CHostTable& hosts) {
    *m_pWorking = hosts;
    *m_pSnapshot = hosts;
}

void CHostRegDlg::OnInit() {
    m_view.EnableAdd(false);
    m_view.EnableDelete(false);
    CWaitScope wait(m_view);
    RefillLists();
}

void CHostRegDlg::OnTimer() {
    if (m_bBusy || m_boxes.IsOpen()) return;
    if (m_bHostSelected || m_bDomainSelected || !m_strManualEntry.empty()) return;
    CWaitScope wait(m_view);
    RefillLists();
}

void CHostRegDlg::RefillLists() {
    ShowRegistered();
    const std::vector<std::string> vecDomains = EnumerateDomainNames(m_access);
    m_view.ShowDomains(vecDomains);
    m_view.ShowHosts({});
    m_bDomainSelected = false;
    m_bHostSelected = false;
    if (vecDomains.empty()) {
        m_view.ShowHosts(ListedHostNames({}, m_strLocalName));
        return;
    }
    m_view.SetDomainText(vecDomains.front());
    ListHostsOf(vecDomains.front());
}

void CHostRegDlg::ShowRegistered() {
    std::vector<std::string> vecHosts;
    for (const CHostEntry& entry : *m_pWorking) {
        if (!entry.IsFree()) vecHosts.push_back(entry.m_strHost);
    }
    m_view.ShowRegisteredHosts(vecHosts);
    m_strRegisteredSelection.clear();
    m_view.EnableDelete(false);
}

void CHostRegDlg::ListHostsOf(const std::string& strDomain) {
    m_view.ShowHosts(ListedHostNames(EnumerateHostNames(m_access, strDomain), m_strLocalName));
    m_bHostSelected = false;
}

void CHostRegDlg::OnDomainSelected(const std::string& strDomain) {
    if (m_bBusy) return;
    m_bDomainSelected = true;
    m_view.SetDomainText(strDomain);
    m_view.ShowHosts({});
    CWaitScope wait(m_view);
    ListHostsOf(strDomain);
}

void CHostRegDlg::OnHostSelected(const std::string& strHost) {
    if (m_bBusy || strHost.empty()) return;
    m_bHostSelected = true;
    m_view.SetHostText(strHost);
    // A registered host brings its stored logon along, to pre-fill the login dialog.
    const std::optional<int> nSlot = FindHost(*m_pWorking, strHost);
    if (nSlot) {
        m_candidate = (*m_pWorking)[static_cast<std::size_t>(*nSlot)];
    } else {
        m_candidate = CHostEntry();
        m_candidate.m_strHost = strHost;
    }
    Examine();
}

void CHostRegDlg::OnManualEntryChanged(const std::string& strText) {
    m_strManualEntry = strText;
}

void CHostRegDlg::OnConnectionCheck() {
    if (m_bBusy || m_strManualEntry.empty()) return;
    m_strManualEntry = UpperCaseHostName(m_strManualEntry);
    m_view.SetManualEntryText(m_strManualEntry);
    m_candidate = CHostEntry();
    m_candidate.m_strHost = m_strManualEntry;

    // A name that cannot be a computer's, or could not be kept, never reaches the network.
    const std::string strProblem = HostNameProblem(m_candidate.m_strHost);
    if (!strProblem.empty()) {
        m_view.EnableAdd(false);
        m_view.SetInformationText(std::string(kInformationUnavailable) + strProblem);
        return;
    }
    Examine();
}

platform::ErrorCode CHostRegDlg::ProbeCandidate() {
    platform::HostKey hMachine = platform::kNoHostKey;
    const platform::ErrorCode nCode =
        m_access.ConnectRegistry("\\\\" + m_candidate.m_strHost, hMachine);
    if (nCode == platform::kSuccess) m_access.CloseKey(hMachine);
    return nCode;
}

void CHostRegDlg::Examine() {
    m_bBusy = true;
    m_view.EnableAdd(false);

    // The logon is asked for only while the host refuses access; Cancel ends the asking and the
    // query below shows why the host cannot be read.
    platform::ErrorCode nCode = ProbeCandidate();
    while (nCode == platform::kErrorAccessDenied) {
        SLoginFields fields;
        fields.m_strHost = m_candidate.m_strHost;
        fields.m_strUser = m_candidate.m_strUser;
        fields.m_strPassword = m_candidate.m_strPassword;
        if (!m_view.RunLogin(fields)) break;
        nCode = ProbeCandidate();
    }

    CWaitScope wait(m_view);
    const SHostInformation information = QueryHostInformation(
        m_access, m_candidate.m_strHost, m_strLocalName, m_errorLog, m_candidate);
    m_view.SetInformationText(information.m_strText);
    if (information.m_bSuccess) {
        m_view.EnableAdd(!FindHost(*m_pWorking, m_candidate.m_strHost).has_value());
        m_view.SetHostText(m_candidate.m_strHost);
    }
    m_bBusy = false;
}

void CHostRegDlg::OnAdd() {
    if (m_bBusy) return;
    const auto warn = [&](const char* pszText) {
        m_boxes.Show(pszText, "エラー", EMessageIcon::kWarning, EMessageButtons::kOk);
    };
    if (m_candidate.m_strOsInfo.empty()) {
        warn(kHostRegNoInformation);
        return;
    }
    if (!m_candidate.m_strHost.empty()) {
        if (FindHost(*m_pWorking, m_candidate.m_strHost)) {
            warn(kHostRegAlreadyRegistered);
            return;
        }
        if (!AddHost(*m_pWorking, m_candidate)) {
            warn(kHostRegTableFull);
            return;
        }
    }
    ShowRegistered();
    m_view.EnableAdd(false);
}

void CHostRegDlg::OnRegisteredSelected(const std::string& strHost) {
    m_strRegisteredSelection = strHost;
    m_view.EnableDelete(!strHost.empty());
}

void CHostRegDlg::OnDelete() {
    if (m_bBusy || m_strRegisteredSelection.empty()) return;
    DeleteHost(*m_pWorking, m_strRegisteredSelection);
    ShowRegistered();  // disables "削除" and forgets the selection
}

void CHostRegDlg::OnOk() {
    if (m_bBusy) return;
    m_view.Close();
}

void CHostRegDlg::OnCancel() {
    if (m_bBusy) return;
    if (!m_boxes.AskYesNo(kHostRegCancelQuestion, kHostRegCancelCaption, EMessageIcon::kWarning)) {
        return;
    }
    *m_pWorking = *m_pSnapshot;
    m_view.Close();
}
