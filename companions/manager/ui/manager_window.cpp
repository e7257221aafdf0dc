// Manager's window: controls in, model calls out, the counting timer, rows that cannot be
// selected.
#include "manager_window.h"

#include <commctrl.h>

#include "companion_window.h"
#include "companions_resource.h"
#include "manager_texts.h"
#include "platform/win32/wide_string.h"

namespace {

constexpr UINT_PTR kCountTimer = 1;
constexpr UINT kCountMs = 200;
constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kStaticText = RGB(0, 0, 240);

platform::ErrorCode DiskSpace(const std::string& strDirectory, std::uint64_t& nFree,
                              std::uint64_t& nTotal) {
    ULARGE_INTEGER free{};
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExW(platform::Utf8ToWide(strDirectory).c_str(), &free, &total, nullptr)) {
        return GetLastError();
    }
    nFree = free.QuadPart;
    nTotal = total.QuadPart;
    return platform::kSuccess;
}

manager::SManagerEnvironment Environment() {
    manager::SManagerEnvironment environment = manager::SManagerEnvironment::Real();
    environment.m_fnDiskSpace = DiskSpace;
    return environment;
}

}  // namespace

CManagerWindow::CManagerWindow()
    : CDialogBase(IDD_MANAGER),
      m_messageBoxes(*this),
      m_manager(*this, m_messageBoxes, Environment()),
      m_list(m_manager.List(), "Manager"),
      m_colors(kBackground) {
    m_colors.SetStaticTextColor(kStaticText);
    m_colors.KeepSystemColors(IDC_MANAGER_FOLDER);
}

bool CManagerWindow::OnInit() {
    GreyCloseItem();
    MakeCommandButton(m_buttonChange, Handle(), IDC_MANAGER_CHANGE);
    MakeCommandButton(m_buttonDelete, Handle(), IDC_MANAGER_DELETE);
    MakeCommandButton(m_buttonRefresh, Handle(), IDC_MANAGER_REFRESH);
    MakeCommandButton(m_buttonExit, Handle(), IDCANCEL);
    m_list.Attach(Handle(), IDC_MANAGER_LIST);
    m_list.RestoreColumnWidths();
    m_manager.OnInit();  // closes the window itself when another copy runs
    SetFocus(Item(IDC_MANAGER_LIST));
    return false;  // the focus is set
}

bool CManagerWindow::OnCommand(int nId, int nCode, HWND) {
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_MANAGER_CHANGE:
            m_manager.OnChangeDirectory();
            return true;
        case IDC_MANAGER_DELETE:
            m_manager.OnDelete();
            return true;
        case IDC_MANAGER_REFRESH:
            m_manager.Refresh();
            return true;
        default:
            return false;
    }
}

bool CManagerWindow::OnNotify(int nId, NMHDR& header, LRESULT& nResult) {
    if (nId != IDC_MANAGER_LIST) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_ITEMCHANGING && (change.uChanged & LVIF_STATE) != 0 &&
        (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0 &&
        change.iItem >= 0 && !m_manager.CanSelect(change.iItem)) {
        nResult = TRUE;  // files being written cannot be selected
        return true;
    }
    if (header.code == LVN_ITEMCHANGED && (change.uChanged & LVIF_STATE) != 0 &&
        ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0) {
        m_manager.OnSelectionChanged();
    }
    return false;
}

void CManagerWindow::OnTimer(UINT_PTR nTimerId) {
    if (nTimerId == kCountTimer) m_manager.OnTick();
}

HBRUSH CManagerWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_colors.Choose(nMessage, hDC, hControl);
}

void CManagerWindow::OnDestroy() {
    KillTimer(Handle(), kCountTimer);
    m_list.SaveColumnWidths();
}

std::optional<std::string> CManagerWindow::AskFolder(const std::string& strInitial) {
    return ::AskFolder(Handle(), manager::kFolderPickerTitle, strInitial);
}

void CManagerWindow::ShowDataDirectory(const std::string& strPath) {
    SetItemText(IDC_MANAGER_FOLDER, strPath);
}

void CManagerWindow::ShowSpace(const std::string& strText) {
    SetItemText(IDC_MANAGER_SPACE, strText);
}

void CManagerWindow::ShowStatus(const std::string& strText) {
    SetItemText(IDC_MANAGER_STATUS, strText);
}

void CManagerWindow::RefreshRow(int nRow) {
    SendMessageW(m_list.Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(nRow),
                 static_cast<LPARAM>(nRow));
}

void CManagerWindow::StartTimer() {
    SetTimer(Handle(), kCountTimer, kCountMs, nullptr);
}

void CManagerWindow::StopTimer() {
    KillTimer(Handle(), kCountTimer);
}
