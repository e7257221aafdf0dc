// CHostRegDlg: the host registration dialog ("ホスト名の登録", dialog 129) — browsing, examining a
// host (with the logon when it refuses access), registering and deleting hosts, and Cancel's
// return to the table as it was handed in.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialog/message_box.h"
#include "host_tables.h"
#include "login_dlg.h"
#include "logs/error_log.h"
#include "platform/host_access.h"
#include "ui/host_dialogs_resource.h"

// The controls the model fills, reads or enables.
inline constexpr std::array kHostRegControls = {IDC_HOSTREG_REGISTERED,
                                                IDC_HOSTREG_ADD,
                                                IDC_HOSTREG_DELETE,
                                                IDC_HOSTREG_HOST,
                                                IDC_HOSTREG_HOSTS,
                                                IDC_HOSTREG_DOMAIN,
                                                IDC_HOSTREG_DOMAINS,
                                                IDC_HOSTREG_INFO,
                                                IDC_HOSTREG_MANUAL,
                                                IDC_HOSTREG_CHECK,
                                                IDOK,
                                                IDCANCEL};

// The lists are refreshed every 5 minutes while the user has chosen nothing.
inline constexpr std::uint32_t kHostRegRefreshMs = 300000;

// Texts of the dialog.
inline constexpr char kHostRegNoInformation[] = "情報が入手できないため、登録出来ません";
inline constexpr char kHostRegAlreadyRegistered[] = "すでに登録されています";
inline constexpr char kHostRegTableFull[] = "登録数が一杯になりました";
inline constexpr char kHostRegCancelQuestion[] = "本当にキャンセルしますか？";
inline constexpr char kHostRegCancelCaption[] = "キャンセル";
inline constexpr char kTipHostRegAdd[] =
    "右の一覧から選択されたホストを VARNOLE の対象ホストに追加します";
inline constexpr char kTipHostRegDelete[] = "選択されたホストを VARNOLE の対象ホストから除外します";
inline constexpr char kTipHostRegManual[] =
    "上記のホストリストから、対象ホストが見つからない場合には直接ホスト名またはIPアドレスを入力し"
    "接続チェックボタンを押して下さい。";

// What the model asks of its window besides message boxes. Lists are shown with nothing
// selected.
class IHostRegView {
public:
    virtual ~IHostRegView() = default;
    virtual void ShowRegisteredHosts(const std::vector<std::string>& vecHosts) = 0;  // 1007
    virtual void ShowDomains(const std::vector<std::string>& vecDomains) = 0;        // 1009
    virtual void ShowHosts(const std::vector<std::string>& vecHosts) = 0;            // 1008
    virtual void SetDomainText(const std::string& strText) = 0;                      // 1006
    virtual void SetHostText(const std::string& strText) = 0;                        // 1005
    virtual void SetManualEntryText(const std::string& strText) = 0;                 // 1094
    virtual void SetInformationText(const std::string& strText) = 0;                 // 1012
    virtual void EnableAdd(bool bEnable) = 0;
    virtual void EnableDelete(bool bEnable) = 0;
    // Runs the login dialog modally over these fields; true when it was left with OK (a logon
    // was made).
    virtual bool RunLogin(const SLoginFields& fields) = 0;
    virtual void ShowWaitCursor(bool bWait) = 0;
    // Ends the dialog. It always ends with the OK result: Cancel has restored the table first.
    virtual void Close() = 0;
};

class CHostRegDlg {
public:
    // Everything given must outlive the model. strLocalName is the local computer's name.
    CHostRegDlg(IHostRegView& view, IMessageBoxView& messageBoxes, platform::HostAccess& access,
                CErrorLog& errorLog, std::string strLocalName);

    // The opener's table, taken into the working table and the snapshot.
    void SetTable(const CHostTable& hosts);
    // The working table, for the opener to read back.
    const CHostTable& Table() const { return *m_pWorking; }

    // Opening: the lists are filled (the window greys the close item, colours the dialog, sets
    // the tooltips and starts the refresh timer).
    void OnInit();
    // The refresh timer: the lists are filled again when nothing is selected in the browse
    // lists, the manual entry is empty and nothing else is going on.
    void OnTimer();
    void OnDomainSelected(const std::string& strDomain);
    void OnHostSelected(const std::string& strHost);
    // The manual entry's text changed (as typed).
    void OnManualEntryChanged(const std::string& strText);
    // "接続チェック": the manual entry, upper-cased, is examined.
    void OnConnectionCheck();
    void OnRegisteredSelected(const std::string& strHost);
    void OnAdd();
    void OnDelete();
    void OnOk();
    // "ｷｬﾝｾﾙ" and Escape.
    void OnCancel();

    const CHostEntry& Candidate() const { return m_candidate; }

private:
    void RefillLists();
    void ShowRegistered();
    void ListHostsOf(const std::string& strDomain);
    // Examines the candidate: the logon loop while the host refuses access, the information
    // query, and "追加" for a host that answered and is not registered yet.
    void Examine();
    // Connects to the candidate's registry once and closes again; the code.
    platform::ErrorCode ProbeCandidate();

    IHostRegView& m_view;
    CMessageBoxes m_boxes;
    platform::HostAccess& m_access;
    CErrorLog& m_errorLog;
    std::string m_strLocalName;

    std::unique_ptr<CHostTable> m_pWorking;
    std::unique_ptr<CHostTable> m_pSnapshot;
    CHostEntry m_candidate;
    std::string m_strManualEntry;
    std::string m_strRegisteredSelection;
    bool m_bDomainSelected = false;
    bool m_bHostSelected = false;
    bool m_bBusy = false;  // examining a host (the login dialog may be up): the timer waits
};
