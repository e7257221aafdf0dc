// CLoginDlg: the logon to a host's IPC$ share that the host registration asks for when a host
// refuses its registry ("ログイン", dialog 131).
#pragma once
#include <array>
#include <string>

#include "dialog/message_box.h"
#include "logs/error_log.h"
#include "platform/host_access.h"
#include "ui/host_dialogs_resource.h"

// The controls the model fills or reads.
inline constexpr std::array kLoginControls = {IDC_LOGIN_HOST, IDC_LOGIN_USER, IDC_LOGIN_PASSWORD,
                                              IDOK, IDCANCEL};

// The three fields of the dialog.
struct SLoginFields {
    std::string m_strHost;
    std::string m_strUser;
    std::string m_strPassword;

    bool operator==(const SLoginFields&) const = default;
};

// The error log label of a refused logon.
inline constexpr char kLoginLabel[] = "WNetAddConnection2";
// The answer to OK with no user name.
inline constexpr char kLoginNoUser[] = "ユーザ名を入力して下さい。";

// What the model asks of its window besides message boxes.
class ILoginView {
public:
    virtual ~ILoginView() = default;
    virtual void ShowFields(const SLoginFields& fields) = 0;
    // Ends the dialog: true for OK (a connection was made), false for Cancel.
    virtual void Close(bool bOk) = 0;
};

class CLoginDlg {
public:
    // Everything given must outlive the model.
    CLoginDlg(ILoginView& view, IMessageBoxView& messageBoxes, platform::HostAccess& access,
              CErrorLog& errorLog, SLoginFields fields);

    // Opening: the fields are shown and the logon is tried with them at once; when it succeeds
    // the dialog closes with OK before the user can act, otherwise its message (if any) shows
    // and the dialog stays.
    void OnInit();
    // OK with the fields as typed: the logon is tried; success closes with OK. An empty user
    // name is answered with a plain message and the dialog stays.
    void OnOk(const SLoginFields& typed);
    void OnCancel();

private:
    // Logs on to the host's IPC$ share. Fails without a message for an empty host or user name;
    // a refused logon is logged as "WNetAddConnection2" and its system message shown in a
    // warning titled "エラー". What the user typed is used for this logon only.
    bool TryLogon(const SLoginFields& fields);

    ILoginView& m_view;
    CMessageBoxes m_boxes;
    platform::HostAccess& m_access;
    CErrorLog& m_errorLog;
    SLoginFields m_fields;
};
