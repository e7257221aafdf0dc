// The host registration window as the tests see it: the lists and texts it shows, what is
// enabled, and a scripted login dialog that runs the real CLoginDlg model.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "hosts/host_reg_dlg.h"
#include "hosts/login_dlg.h"

namespace hosts_test {

// One user action in the login dialog: OK with these fields typed, or Cancel.
struct SLoginAction {
    std::optional<SLoginFields> m_typed;  // none: Cancel
};

class CFakeLoginView final : public ILoginView {
public:
    std::vector<SLoginFields> m_vecShown;
    std::optional<bool> m_closed;
    void ShowFields(const SLoginFields& fields) override { m_vecShown.push_back(fields); }
    void Close(bool bOk) override { m_closed = bOk; }
};

class CFakeHostRegView final : public IHostRegView {
public:
    CFakeHostRegView(IMessageBoxView& boxes, platform::HostAccess& access, CErrorLog& errorLog)
        : m_boxes(boxes), m_access(access), m_errorLog(errorLog) {}

    std::vector<std::string> m_vecRegistered, m_vecDomains, m_vecHosts;
    std::string m_strDomain, m_strHost, m_strManual, m_strInformation;
    bool m_bAdd = true;  // the template leaves them enabled until the model says otherwise
    bool m_bDelete = true;
    int m_nWaits = 0;      // wait cursors shown
    int m_nWaitDepth = 0;  // shown and not yet taken down
    int m_nDomainFills = 0;
    bool m_bClosed = false;

    // The fields each login dialog opened with, and the script of what the user does in it.
    std::vector<SLoginFields> m_vecLoginsOpened;
    std::deque<SLoginAction> m_queLogin;

    void ShowRegisteredHosts(const std::vector<std::string>& v) override { m_vecRegistered = v; }
    void ShowDomains(const std::vector<std::string>& v) override {
        m_vecDomains = v;
        ++m_nDomainFills;
    }
    void ShowHosts(const std::vector<std::string>& v) override { m_vecHosts = v; }
    void SetDomainText(const std::string& s) override { m_strDomain = s; }
    void SetHostText(const std::string& s) override { m_strHost = s; }
    void SetManualEntryText(const std::string& s) override { m_strManual = s; }
    void SetInformationText(const std::string& s) override { m_strInformation = s; }
    void EnableAdd(bool b) override { m_bAdd = b; }
    void EnableDelete(bool b) override { m_bDelete = b; }
    void ShowWaitCursor(bool bWait) override {
        m_nWaits += bWait ? 1 : 0;
        m_nWaitDepth += bWait ? 1 : -1;
    }
    void Close() override { m_bClosed = true; }

    bool RunLogin(const SLoginFields& fields) override {
        m_vecLoginsOpened.push_back(fields);
        CFakeLoginView view;
        CLoginDlg login(view, m_boxes, m_access, m_errorLog, fields);
        login.OnInit();
        while (!view.m_closed) {
            if (m_queLogin.empty()) {
                ADD_FAILURE() << "the login dialog for " << fields.m_strHost << " has no script";
                login.OnCancel();
                break;
            }
            const SLoginAction action = m_queLogin.front();
            m_queLogin.pop_front();
            if (action.m_typed) {
                login.OnOk(*action.m_typed);
            } else {
                login.OnCancel();
            }
        }
        return view.m_closed.value_or(false);
    }

private:
    IMessageBoxView& m_boxes;
    platform::HostAccess& m_access;
    CErrorLog& m_errorLog;
};

inline SLoginAction TypeLogin(const std::string& strHost, const std::string& strUser,
                              const std::string& strPassword) {
    return SLoginAction{SLoginFields{strHost, strUser, strPassword}};
}
inline SLoginAction CancelLogin() {
    return SLoginAction{};
}

}  // namespace hosts_test
