// Convert's window: controls in, model calls out, the progress timer.
#include "convert_window.h"

#include <commctrl.h>

#include "companion_window.h"
#include "companions_resource.h"
#include "convert_texts.h"

namespace {

constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressMs = 100;
constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kStaticText = RGB(0, 0, 240);

}  // namespace

CConvertWindow::CConvertWindow()
    : CDialogBase(IDD_CONVERT),
      m_messageBoxes(*this),
      m_convert(*this, m_messageBoxes, convert::SConvertEnvironment::Real()),
      m_list(m_convert.List(), "Convert"),
      m_colors(kBackground) {
    m_colors.SetStaticTextColor(kStaticText);
    m_colors.KeepSystemColors(IDC_CONVERT_FOLDER);
}

bool CConvertWindow::OnInit() {
    GreyCloseItem();
    MakeCommandButton(m_buttonBrowse, Handle(), IDC_CONVERT_BROWSE);
    MakeCommandButton(m_buttonStart, Handle(), IDC_CONVERT_START);
    MakeCancelButton(m_buttonStop, Handle(), IDC_CONVERT_STOP);
    MakeCommandButton(m_buttonExit, Handle(), IDCANCEL);
    SendMessageW(Item(IDC_CONVERT_PROGRESS), PBM_SETRANGE32, 0, 1000);
    m_list.Attach(Handle(), IDC_CONVERT_LIST);
    m_list.RestoreColumnWidths();
    m_convert.OnInit();  // closes the window itself when another copy runs
    SetFocus(Item(IDC_CONVERT_LIST));
    return false;  // the focus is set
}

bool CConvertWindow::OnCommand(int nId, int nCode, HWND) {
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_CONVERT_BROWSE:
            m_convert.OnChooseFolder();
            return true;
        case IDC_CONVERT_START:
            m_convert.OnConvert(IsChecked(IDC_CONVERT_UTF8));
            return true;
        case IDC_CONVERT_STOP:
            m_convert.OnStop();
            return true;
        default:
            return false;
    }
}

void CConvertWindow::OnTimer(UINT_PTR nTimerId) {
    if (nTimerId == kProgressTimer) m_convert.OnTick();
}

HBRUSH CConvertWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_colors.Choose(nMessage, hDC, hControl);
}

void CConvertWindow::OnDestroy() {
    KillTimer(Handle(), kProgressTimer);
    m_list.SaveColumnWidths();
}

std::optional<std::string> CConvertWindow::AskFolder(const std::string& strInitial) {
    return ::AskFolder(Handle(), convert::kFolderPickerTitle, strInitial);
}

void CConvertWindow::ShowDataDirectory(const std::string& strText) {
    SetItemText(IDC_CONVERT_DATADIR, strText);
}

void CConvertWindow::ShowOutputFolder(const std::string& strFolder) {
    SetItemText(IDC_CONVERT_FOLDER, strFolder);
}

void CConvertWindow::ShowStatus(const std::string& strText) {
    SetItemText(IDC_CONVERT_STATUS, strText);
}

void CConvertWindow::ShowProgress(bool bVisible, int nPermille) {
    SendMessageW(Item(IDC_CONVERT_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(nPermille), 0);
    ShowItem(IDC_CONVERT_PROGRESS, bVisible);
}

void CConvertWindow::SetConverting(bool bConverting) {
    for (const int nId : {IDC_CONVERT_LIST, IDC_CONVERT_BROWSE, IDC_CONVERT_UTF8,
                          IDC_CONVERT_START}) {
        EnableItem(nId, !bConverting);
    }
    EnableItem(IDC_CONVERT_STOP, bConverting);
}

void CConvertWindow::StartTimer() {
    SetTimer(Handle(), kProgressTimer, kProgressMs, nullptr);
}

void CConvertWindow::StopTimer() {
    KillTimer(Handle(), kProgressTimer);
}
