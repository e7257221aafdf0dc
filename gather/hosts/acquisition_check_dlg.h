// CAcquisitionCheckDlg: the data acquisition check dialog ("データ取得確認", dialog 153) for one
// host — the check on opening and on "更新", its three texts, OK and キャンセル.
#pragma once
#include <array>
#include <string>

#include "acquisition_check.h"
#include "ui/host_dialogs_resource.h"

// The controls the model fills or answers.
inline constexpr std::array kAcquisitionCheckControls = {IDC_CHECK_HOSTINFO,
                                                         IDC_CHECK_ACQUISITION,
                                                         IDC_CHECK_WARNINGS,
                                                         IDC_CHECK_REFRESH,
                                                         IDOK,
                                                         IDCANCEL};

class IAcquisitionCheckView {
public:
    virtual ~IAcquisitionCheckView() = default;
    virtual void ShowTexts(const SAcquisitionTexts& texts) = 0;
    virtual void ShowWaitCursor(bool bWait) = 0;
    virtual void Close() = 0;
};

class CAcquisitionCheckDlg {
public:
    // The view and the check must outlive the model.
    CAcquisitionCheckDlg(IAcquisitionCheckView& view, CAcquisitionCheck& check);

    // The host to check; set before the dialog opens.
    void SetHost(std::string strHost) { m_strHost = std::move(strHost); }
    const std::string& Host() const { return m_strHost; }

    // Opening and "更新": the texts are emptied, the check runs under the wait cursor, and its
    // texts are shown.
    void OnInit() { RunCheck(); }
    void OnRefresh() { RunCheck(); }
    // OK and キャンセル only close the dialog: nothing is kept.
    void OnOk() { m_view.Close(); }
    void OnCancel() { m_view.Close(); }

    const SAcquisitionTexts& Texts() const { return m_texts; }

private:
    void RunCheck();

    IAcquisitionCheckView& m_view;
    CAcquisitionCheck& m_check;
    std::string m_strHost;
    SAcquisitionTexts m_texts;
    bool m_bRunning = false;
};
