// CAcquisitionCheckWindow: the three texts, "更新", OK and キャンセル.
#include "acquisition_check_window.h"

#include "host_dialogs_resource.h"

namespace {

// Every line feed not yet preceded by a carriage return gets one.
std::string WithCrLf(const std::string& strText) {
    std::string strResult;
    strResult.reserve(strText.size() + strText.size() / 16);
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '\n' && (i == 0 || strText[i - 1] != '\r')) strResult += '\r';
        strResult += strText[i];
    }
    return strResult;
}

}  // namespace

CAcquisitionCheckWindow::CAcquisitionCheckWindow(CAcquisitionCheck& check, std::string strHost)
    : CHostDialogBase(IDD_ACQUISITION_CHECK, gather_ui::kCheckText, std::nullopt),
      m_model(*this, check) {
    m_model.SetHost(std::move(strHost));
}

bool CAcquisitionCheckWindow::OnInit() {
    GreyCloseItem();
    m_look.AddCommandButton(Handle(), IDOK);
    m_look.AddCommandButton(Handle(), IDC_CHECK_REFRESH);
    m_look.AddCancelButton(Handle(), IDCANCEL);
    // The dialog shows itself before the first check, so the user sees what is being waited on.
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    m_model.OnInit();
    return true;
}

bool CAcquisitionCheckWindow::OnCommand(int nId, int nCode, HWND) {
    if (nId != IDC_CHECK_REFRESH || nCode != BN_CLICKED) return false;
    m_model.OnRefresh();
    return true;
}

void CAcquisitionCheckWindow::ShowTexts(const SAcquisitionTexts& texts) {
    SetItemText(IDC_CHECK_HOSTINFO, texts.m_strHost);
    // A multi-line edit (it scrolls when failures make the text long) breaks lines at CR LF.
    SetItemText(IDC_CHECK_ACQUISITION, WithCrLf(texts.m_strAcquisition));
    SetItemText(IDC_CHECK_WARNINGS, texts.m_strWarnings);
    UpdateWindow(Handle());
}
