// CGroupEditWindow: the name, the two multiple-selection lists, the member buttons, the host
// registration button with its picture.
#include "group_edit_window.h"

#include "host_dialogs_resource.h"
#include "list_box.h"
#include "win32ui/window_text.h"

CGroupEditWindow::CGroupEditWindow(CHostTable& hosts, const CGroupTable& groups, CHostGroup group,
                                   const SHostDialogContext& context)
    : CHostDialogBase(IDD_GROUPEDIT, gather_ui::kStaticText, std::nullopt),
      m_context(context),
      m_messageBoxes(*this),
      m_model(*this, m_messageBoxes, hosts, groups, std::move(group)) {}

bool CGroupEditWindow::OnInit() {
    GreyCloseItem();
    // The name edit keeps the platform's white background and black text.
    m_look.Colors().KeepSystemColors(IDC_GROUPEDIT_NAME);
    for (const int nId : {IDOK, IDC_GROUPEDIT_ADD, IDC_GROUPEDIT_REMOVE}) {
        m_look.AddCommandButton(Handle(), nId);
    }
    m_look.AddCancelButton(Handle(), IDCANCEL);
    m_hostChange.Reset(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_HOST_CHANGE), IMAGE_BITMAP, 0, 0, 0)));
    SendMessageW(Item(IDC_GROUPEDIT_HOSTREG), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_hostChange.Get()));
    m_look.AddTooltip(Handle(), IDC_GROUPEDIT_ADD, kTipGroupEditAdd);
    m_look.AddTooltip(Handle(), IDC_GROUPEDIT_REMOVE, kTipGroupEditRemove);
    m_look.AddTooltip(Handle(), IDC_GROUPEDIT_HOSTREG, kTipGroupEditHostReg);
    m_model.OnInit();
    return false;  // the model put the focus on the name
}

bool CGroupEditWindow::OnCommand(int nId, int nCode, HWND hControl) {
    if (nCode == LBN_SELCHANGE) {
        if (nId == IDC_GROUPEDIT_HOSTS) {
            m_model.OnHostSelectionChanged(gather_ui::SelectedListBoxCount(hControl));
        }
        if (nId == IDC_GROUPEDIT_MEMBERS) {
            m_model.OnMemberSelectionChanged(gather_ui::SelectedListBoxCount(hControl));
        }
        return true;
    }
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_GROUPEDIT_ADD:
            m_model.OnAddMembers(gather_ui::SelectedListBoxTexts(Item(IDC_GROUPEDIT_HOSTS)));
            return true;
        case IDC_GROUPEDIT_REMOVE:
            m_model.OnRemoveMembers(gather_ui::SelectedListBoxTexts(Item(IDC_GROUPEDIT_MEMBERS)));
            return true;
        case IDC_GROUPEDIT_HOSTREG:
            m_model.OnHostRegistration();
            return true;
        default:
            return false;
    }
}

void CGroupEditWindow::OnOk() {
    m_model.OnOk(ItemText(IDC_GROUPEDIT_NAME));
}

void CGroupEditWindow::SetTitle(const std::string& strTitle) {
    win32ui::SetWindowTextUtf8(Handle(), strTitle);
}

void CGroupEditWindow::SetName(const std::string& strName) {
    SetItemText(IDC_GROUPEDIT_NAME, strName);
}

void CGroupEditWindow::ShowMembers(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_GROUPEDIT_MEMBERS), vecHosts);
}

void CGroupEditWindow::ShowHosts(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_GROUPEDIT_HOSTS), vecHosts);
}

void CGroupEditWindow::EnableAddMembers(bool bEnable) {
    EnableItem(IDC_GROUPEDIT_ADD, bEnable);
}

void CGroupEditWindow::EnableRemoveMembers(bool bEnable) {
    EnableItem(IDC_GROUPEDIT_REMOVE, bEnable);
}

void CGroupEditWindow::FocusName() {
    SetFocus(Item(IDC_GROUPEDIT_NAME));
}

bool CGroupEditWindow::RunHostRegistration(CHostTable& hosts) {
    // The registration dialog always ends with OK; after Cancel it has restored the table.
    RunHostRegistrationDialog(Handle(), hosts, m_context);
    return true;
}

void CGroupEditWindow::Close(bool bOk) {
    EndDialog(bOk ? IDOK : IDCANCEL);
}
