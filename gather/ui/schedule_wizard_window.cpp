// The schedule wizard's window: controls, colours, tooltips and the dialogs it opens.
#include "schedule_wizard_window.h"

#include <commctrl.h>

#include "hosts/connection_check.h"
#include "platform/win32/wide_string.h"
#include "resource.h"
#include "win32ui/wait_cursor.h"
#include "wizard_tables.h"

namespace {

constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kText = RGB(0, 0, 240);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDisabledCaption = RGB(116, 162, 254);

}  // namespace

// ---- the opener ----

CScheduleWizardWindow::CScheduleWizardWindow(const SHostDialogContext& context,
                                             const platform::IClock& clock)
    : m_pContext(&context), m_pClock(&clock) {}

bool CScheduleWizardWindow::RunWizard(CScheduleWizardData& data) {
    if (m_pSchedules == nullptr) return false;  // not set up: nothing can be booked
    CScheduleWizardDialog dialog(*m_pContext, *m_pSchedules, *m_pClock);
    CScheduleWizardDlg& model = dialog.Model();
    model.SetMode(data.m_eMode);
    model.LoadTables(*data.m_pHosts, *data.m_pGroups);
    model.LoadSchedule(data.m_schedule);
    const bool bOk = dialog.DoModal(m_hOwner) == IDOK;
    // Host registrations made in the wizard stay whatever the result.
    *data.m_pHosts = model.Hosts();
    if (bOk) {
        data.m_schedule = model.Schedule();
        *data.m_pGroups = model.Groups();
    }
    return bOk;
}

// ---- the dialog ----

CScheduleWizardDialog::CScheduleWizardDialog(const SHostDialogContext& context,
                                             const CScheduleTable& schedules,
                                             const platform::IClock& clock)
    : CDialogBase(IDD_SCHEDULE_WIZARD),
      m_messageBoxes(*this),
      m_model(*this, m_messageBoxes, clock),
      m_context(context),
      m_pSchedules(&schedules),
      m_colors(kBackground) {
    m_colors.SetStaticTextColor(kText);
    m_colors.SetEditTextColor(kText);
    m_colors.KeepSystemColors(IDC_WZ_COMMENT);
}

CScheduleWizardDialog::~CScheduleWizardDialog() = default;

bool CScheduleWizardDialog::OnInit() {
    for (const SWizardColorButton& entry : WizardColorButtons()) {
        auto pButton = std::make_unique<CColorButton>();
        if (!pButton->Attach(Handle(), entry.m_nControl)) continue;
        pButton->m_crText = kWhite;
        pButton->m_crDisabledText = kDisabledCaption;
        pButton->m_crFace = RGB(entry.m_nRed, entry.m_nGreen, entry.m_nBlue);
        m_buttons.push_back(std::move(pButton));
    }
    for (const SWizardTooltip& entry : WizardTooltips()) {
        auto pTooltip = std::make_unique<CToolTip>();
        if (pTooltip->Create(Handle(), Item(entry.m_nControl), entry.m_pszText))
            m_tooltips.push_back(std::move(pTooltip));
    }
    SendDlgItemMessageW(Handle(), IDC_WZ_COMMENT, EM_LIMITTEXT, 255, 0);
    m_model.OnInit();
    return false;  // the model has placed the focus
}

bool CScheduleWizardDialog::OnCommand(int nId, int nCode, HWND) {
    // Clicks of buttons, radios and check boxes (BN_CLICKED), selection changes of the lists and
    // combo boxes (LBN_SELCHANGE, CBN_SELCHANGE); the model ignores controls it has no action for.
    if (nCode != BN_CLICKED && nCode != CBN_SELCHANGE) return false;
    m_model.OnControl(nId);
    return true;
}

void CScheduleWizardDialog::OnOk() {
    m_model.OnOk();
}

void CScheduleWizardDialog::OnCancel() {
    m_model.OnCancel();
}

HBRUSH CScheduleWizardDialog::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_colors.Choose(nMessage, hDC, hControl);
}

void CScheduleWizardDialog::OnDestroy() {
    m_tooltips.clear();
}

bool CScheduleWizardDialog::PreTranslateMessage(MSG& msg) {
    for (const auto& pTooltip : m_tooltips) pTooltip->Relay(msg);
    return false;
}

// ---- IScheduleWizardView ----

void CScheduleWizardDialog::SetCaption(const std::string& strCaption) {
    SetWindowTextW(Handle(), platform::Utf8ToWide(strCaption).c_str());
}

void CScheduleWizardDialog::ShowControl(int nId, bool bShow) {
    ShowItem(nId, bShow);
}

void CScheduleWizardDialog::EnableControl(int nId, bool bEnable) {
    EnableItem(nId, bEnable);
}

void CScheduleWizardDialog::SetText(int nId, const std::string& strText) {
    SetItemText(nId, strText);
}

std::string CScheduleWizardDialog::GetText(int nId) const {
    return ItemText(nId);
}

void CScheduleWizardDialog::SetCheck(int nId, bool bChecked) {
    SetChecked(nId, bChecked);
}

bool CScheduleWizardDialog::GetCheck(int nId) const {
    return IsChecked(nId);
}

bool CScheduleWizardDialog::IsListBox(int nId) const {
    return nId == IDC_WZ_TARGET_LIST;
}

void CScheduleWizardDialog::SetItems(int nId, const std::vector<std::string>& arrItems) {
    const bool bList = IsListBox(nId);
    HWND hControl = Item(nId);
    SendMessageW(hControl, bList ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    for (const std::string& strItem : arrItems) {
        const std::wstring wide = platform::Utf8ToWide(strItem);
        SendMessageW(hControl, bList ? LB_ADDSTRING : CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void CScheduleWizardDialog::SetSelection(int nId, int nIndex) {
    SendDlgItemMessageW(Handle(), nId, IsListBox(nId) ? LB_SETCURSEL : CB_SETCURSEL,
                        static_cast<WPARAM>(nIndex), 0);
}

int CScheduleWizardDialog::GetSelection(int nId) const {
    return static_cast<int>(
        SendDlgItemMessageW(Handle(), nId, IsListBox(nId) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void CScheduleWizardDialog::SetDate(int nId, const SWizardDate& date) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.m_nYear);
    st.wMonth = static_cast<WORD>(date.m_nMonth);
    st.wDay = static_cast<WORD>(date.m_nDay);
    SendDlgItemMessageW(Handle(), nId, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&st));
}

SWizardDate CScheduleWizardDialog::GetDate(int nId) const {
    SYSTEMTIME st{};
    if (SendDlgItemMessageW(Handle(), nId, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) !=
        GDT_VALID)
        return SWizardDate{};
    return SWizardDate{st.wYear, st.wMonth, st.wDay};
}

void CScheduleWizardDialog::FocusControl(int nId) {
    HWND hControl = Item(nId);
    // A control of a hidden page cannot take the focus; the message named the field. (The
    // control's own style is asked: while the dialog opens, the dialog itself is not shown yet.)
    if (hControl == nullptr || (GetWindowLongW(hControl, GWL_STYLE) & WS_VISIBLE) == 0) return;
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
    wchar_t szClass[16] = {};
    GetClassNameW(hControl, szClass, 16);
    if (lstrcmpiW(szClass, L"Edit") == 0) SendMessageW(hControl, EM_SETSEL, 0, -1);
}

void CScheduleWizardDialog::EndWizard(bool bOk) {
    EndDialog(bOk ? IDOK : IDCANCEL);
}

bool CScheduleWizardDialog::TestConnection(const std::string& strHost) {
    if (m_context.m_pAccess == nullptr || m_context.m_pErrorLog == nullptr) return false;
    win32ui::CWaitCursor wait;
    CMessageBoxes boxes(m_messageBoxes);
    return ::TestConnection(*m_context.m_pAccess, strHost, *m_context.m_pErrorLog, boxes);
}

void CScheduleWizardDialog::RunHostRegistration(CHostTable& hosts) {
    RunHostRegistrationDialog(Handle(), hosts, m_context);
}

bool CScheduleWizardDialog::RunGroupList(CHostTable& hosts, CGroupTable& groups) {
    return RunGroupListDialog(Handle(), hosts, groups, *m_pSchedules, m_context);
}

void CScheduleWizardDialog::RunAcquisitionCheck(const std::string& strHost) {
    RunAcquisitionCheckDialog(Handle(), strHost, m_context);
}

void CScheduleWizardDialog::RunHostPicker(const std::vector<std::string>& arrMembers) {
    RunHostPickerDialog(Handle(), arrMembers, m_context);
}
