// CHostPickWindow: the member list, "選択" (also Enter and a double click) and ｷｬﾝｾﾙ.
#include "host_pick_window.h"

#include "host_dialogs_resource.h"
#include "list_box.h"

CHostPickWindow::CHostPickWindow(const SHostDialogContext& context)
    : CHostDialogBase(IDD_HOSTPICK, gather_ui::kStaticText, std::nullopt),
      m_context(context),
      m_model(*this) {}

bool CHostPickWindow::OnInit() {
    GreyCloseItem();
    m_model.OnInit();
    return true;
}

bool CHostPickWindow::OnCommand(int nId, int nCode, HWND) {
    const bool bSelect = (nId == IDC_PICK_SELECT && nCode == BN_CLICKED) ||
                         (nId == IDC_PICK_HOSTS && nCode == LBN_DBLCLK);
    if (!bSelect) return false;
    m_model.OnSelect(gather_ui::SelectedListBoxText(Item(IDC_PICK_HOSTS)));
    return true;
}

void CHostPickWindow::OnOk() {
    // Enter: "選択" is the default button.
    m_model.OnSelect(gather_ui::SelectedListBoxText(Item(IDC_PICK_HOSTS)));
}

void CHostPickWindow::ShowHosts(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_PICK_HOSTS), vecHosts);
}

void CHostPickWindow::RunCheck(const std::string& strHost) {
    RunAcquisitionCheckDialog(Handle(), strHost, m_context);
}
