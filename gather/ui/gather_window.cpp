// Gather's main window: controls, colours, tooltips, the timer and the bindings to CGatherDlg.
#include "gather_window.h"

#include <commctrl.h>

#include "resource.h"
#include "sim/host_access_choice.h"

namespace {

constexpr UINT_PTR kSchedulerTimer = 1;
constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kStaticText = RGB(0, 0, 255);
constexpr COLORREF kCommandFace = RGB(63, 128, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The image buttons and their pictures.
struct SImageButton {
    int m_nControl;
    int m_nBitmap;
};
constexpr SImageButton kImageButtons[] = {
    {IDC_NEW_SCHEDULE, IDB_NEW},
    {IDC_CHANGE_SCHEDULE, IDB_CHANGE},
    {IDC_VIEW_SCHEDULE, IDB_VIEW},
    {IDC_STOP_DELETE, IDB_STOP},
    {IDC_HOST_REGISTRATION, IDB_HOST_REGISTRATION},
    {IDC_GROUP_REGISTRATION, IDB_GROUPS},
};

struct STooltip {
    int m_nControl;
    const char* m_pszText;
};
constexpr STooltip kTooltips[] = {
    {IDC_NEW_SCHEDULE, "VARNOLE でデータ取得を行うスケジュールを新たに登録します"},
    {IDC_CHANGE_SCHEDULE, "すでに登録されているスケジュール内容を変更します"},
    {IDC_VIEW_SCHEDULE, "登録されているスケジュール内容を確認できます"},
    {IDC_STOP_DELETE, "すでに登録されているスケジュールの中断・削除を行います"},
    {IDC_CLEAR_LOG, "選択されたログやログ全体を削除できます"},
    {IDC_SCHEDULE_LIST, "登録されたスケジュールが表示されます"},
};

constexpr const char* kProfileProgram = "Gather";
constexpr UINT kMsgComeForward = WM_APP + 1;

}  // namespace

CGatherWindow::CGatherWindow(const CGatherEnvironment& environment, platform::HostAccess& network)
    : CDialogBase(IDD_GATHER_DIALOG),
      m_messageBoxes(*this),
      m_context{&network, environment.m_pErrorLog, std::string()},
      m_wizard(m_context, environment.Clock()),
      m_gather(*this, m_messageBoxes, m_wizard, environment),
      m_scheduleList(m_gather.ScheduleList(), kProfileProgram),
      m_runLog(m_gather.RunLog(), kProfileProgram),
      m_colors(kBackground) {
    m_colors.SetStaticTextColor(kStaticText);
    m_wizard.SetSchedules(m_gather.Schedules());
}

CGatherWindow::~CGatherWindow() {
    for (HBITMAP hBitmap : m_bitmaps) DeleteObject(hBitmap);
}

bool CGatherWindow::OnInit() {
    GreyCloseItem();
    SetIcons(IDR_MAINFRAME);
    m_hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                            MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_SHARED));
    CreateButtonsAndTooltips();
    m_wizard.SetOwner(Handle());
    m_scheduleList.Attach(Handle(), IDC_SCHEDULE_LIST);
    m_runLog.Attach(Handle(), IDC_RUN_LOG);

    if (!m_gather.InitGather(CGatherStartup())) {
        EndDialog(IDCANCEL);  // the start-up check has said why
        return true;
    }
    m_context.m_strProgramDir = m_gather.GetProgramDirectory();
    m_scheduleList.RestoreColumnWidths();
    m_runLog.RestoreColumnWidths();
    // Once a second, each tick at the start of the clock's next second: the timer is set again
    // after every tick (OnTimer).
    m_bTimer = SetTimer(Handle(), kSchedulerTimer,
                        static_cast<UINT>(m_gather.MillisecondsToNextTick()), nullptr) != 0;
    // Started from the main menu: come to the front once shown, so that the dialogs opened from
    // here give the activation back to this window when they close.
    PostMessageW(Handle(), kMsgComeForward, 0, 0);
    if (!sim::ProcessHostAccessError().empty()) {
        m_gather.AddLog("VARNOLE_SIMULATION", sim::ProcessHostAccessError());
    }
    return true;
}

void CGatherWindow::CreateButtonsAndTooltips() {
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    for (const SImageButton& button : kImageButtons) {
        auto hBitmap = static_cast<HBITMAP>(
            LoadImageW(hInstance, MAKEINTRESOURCEW(button.m_nBitmap), IMAGE_BITMAP, 0, 0, 0));
        if (hBitmap == nullptr) continue;  // the caption stays readable without its picture
        m_bitmaps.push_back(hBitmap);
        SendDlgItemMessageW(Handle(), button.m_nControl, BM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(hBitmap));
    }
    const int colorButtons[] = {IDOK, IDC_CLEAR_LOG};
    for (std::size_t i = 0; i < m_colorButtons.size(); ++i) {
        CColorButton& button = m_colorButtons[i];
        button.Attach(Handle(), colorButtons[i]);
        button.m_crText = kWhite;
        button.m_crFace = kCommandFace;
    }
    for (const STooltip& tip : kTooltips) {
        auto pTooltip = std::make_unique<CToolTip>();
        if (pTooltip->Create(Handle(), Item(tip.m_nControl), tip.m_pszText))
            m_tooltips.push_back(std::move(pTooltip));
    }
}

bool CGatherWindow::OnCommand(int nId, int nCode, HWND) {
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_NEW_SCHEDULE:
            m_gather.RegisterSchedule();
            return true;
        case IDC_CHANGE_SCHEDULE:
            m_gather.ChangeSchedule();
            return true;
        case IDC_VIEW_SCHEDULE:
            m_gather.ViewSchedule();
            return true;
        case IDC_STOP_DELETE:
            m_gather.StopOrDeleteSchedules();
            return true;
        case IDC_HOST_REGISTRATION:
            EditHosts();
            return true;
        case IDC_GROUP_REGISTRATION:
            EditGroups();
            return true;
        case IDC_CLEAR_LOG:
            m_gather.ClearLog();
            return true;
        default:
            return false;
    }
}

bool CGatherWindow::OnNotify(int nId, NMHDR& header, LRESULT&) {
    // A double click on a row of the schedule list views it; one on empty space does nothing.
    if (nId != IDC_SCHEDULE_LIST || header.code != NM_DBLCLK) return false;
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (activate.iItem >= 0 && !m_scheduleList.SelectedRows().empty()) m_gather.ViewSchedule();
    return true;
}

void CGatherWindow::OnOk() {
    RequestExit();
}

void CGatherWindow::OnCancel() {
    RequestExit();
}

void CGatherWindow::RequestExit() {
    if (m_gather.OnExitRequest()) EndDialog(IDOK);
}

void CGatherWindow::OnTimer(UINT_PTR nTimerId) {
    if (nTimerId != kSchedulerTimer) return;
    m_gather.OnSchedulerTick();
    SetTimer(Handle(), kSchedulerTimer, static_cast<UINT>(m_gather.MillisecondsToNextTick()),
             nullptr);
}

bool CGatherWindow::OnSysCommand(WPARAM nCommand, LPARAM) {
    // The close box is greyed; a close command sent from outside is refused too, so that leaving
    // always goes through the exit question.
    return (nCommand & 0xFFF0) == SC_CLOSE;
}

HBRUSH CGatherWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_colors.Choose(nMessage, hDC, hControl);
}

void CGatherWindow::OnDestroy() {
    if (m_bTimer) KillTimer(Handle(), kSchedulerTimer);
    // After a refused start the lists have no columns: the stored widths stay as they were.
    if (m_gather.IsStarted()) {
        m_scheduleList.SaveColumnWidths();
        m_runLog.SaveColumnWidths();
    }
    m_tooltips.clear();
    m_gather.OnDestroyGather();
}

bool CGatherWindow::OnMessage(UINT nMessage, WPARAM, LPARAM, INT_PTR& nResult) {
    if (nMessage == WM_PAINT && IsIconic(Handle())) {
        PaintMinimised();
        nResult = 0;
        return true;
    }
    if (nMessage == kMsgComeForward) {
        SetForegroundWindow(Handle());
        return true;
    }
    if (nMessage == WM_QUERYDRAGICON) {
        nResult = reinterpret_cast<INT_PTR>(m_hIcon);
        return true;
    }
    return false;
}

void CGatherWindow::PaintMinimised() {
    PAINTSTRUCT paint;
    HDC hDC = BeginPaint(Handle(), &paint);
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    RECT rc;
    GetClientRect(Handle(), &rc);
    const int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_hIcon != nullptr) DrawIcon(hDC, x, y, m_hIcon);
    EndPaint(Handle(), &paint);
}

bool CGatherWindow::PreTranslateMessage(MSG& msg) {
    for (const auto& pTooltip : m_tooltips) pTooltip->Relay(msg);
    return false;
}

std::vector<int> CGatherWindow::GetSelectedRows(EGatherList eList) const {
    return eList == EGatherList::kSchedules ? m_scheduleList.SelectedRows()
                                            : m_runLog.SelectedRows();
}

void CGatherWindow::EditHosts() {
    // The dialog edits a copy; what it leaves there becomes the host table.
    auto pHosts = std::make_unique<CHostTable>(m_gather.Hosts());
    RunHostRegistrationDialog(Handle(), *pHosts, m_context);
    m_gather.EditTables().Hosts() = *pHosts;
}

void CGatherWindow::EditGroups() {
    auto pHosts = std::make_unique<CHostTable>(m_gather.Hosts());
    auto pGroups = std::make_unique<CGroupTable>(m_gather.Groups());
    const bool bOk =
        RunGroupListDialog(Handle(), *pHosts, *pGroups, m_gather.Schedules(), m_context);
    // Host registrations made from the group dialogs stay; the groups only after OK.
    m_gather.EditTables().Hosts() = *pHosts;
    if (bOk) m_gather.EditTables().Groups() = *pGroups;
}
