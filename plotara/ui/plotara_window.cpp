// Plotara's window: the data file list, the counter and time-axis choices, the two buttons.
#include "plotara_window.h"

#include <commctrl.h>

#include "graph_param.h"
#include "platform/clipboard.h"
#include "platform/win32/wide_string.h"
#include "plotara_texts.h"
#include "resource.h"

namespace {

constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kStaticText = RGB(0, 0, 240);
constexpr COLORREF kCommandFace = RGB(63, 128, 255);
constexpr COLORREF kCaptionWhite = RGB(255, 255, 255);
// The program's own section of the per-user profile, where the list keeps its column widths.
constexpr const char* kProfileName = "Plotara";

HBITMAP LoadBitmapResource(int nId) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nId),
                                           IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

CPlotaraWindow::CPlotaraWindow()
    : CDialogBase(IDD_PLOTARA_DIALOG),
      m_messageBoxes(*this),
      m_plotara(*this, m_messageBoxes, plotara::SPlotaraEnvironment::Real()),
      m_list(m_plotara.List(), kProfileName),
      m_colors(kBackground) {
    m_colors.SetStaticTextColor(kStaticText);
}

bool CPlotaraWindow::OnInit() {
    SetIcons(IDR_MAINFRAME);
    // The close box and Alt+F4 do nothing: the window is left through "終了".
    GreyCloseItem();
    SetUpPicturesAndButtons();
    FillCounterChoices();
    SetChecked(IDC_TIME_ONLY, true);
    SetChecked(IDC_SHOW_DATE, false);

    // The catalogue fills the list's model first; attaching then shows the rows in one go,
    // already in their order and with the arrow on the start time.
    m_plotara.OnInit();
    m_list.Attach(Handle(), IDC_FILE_LIST);
    m_list.RestoreColumnWidths();
    return true;
}

void CPlotaraWindow::SetUpPicturesAndButtons() {
    m_bitmapCreateGraph.Reset(LoadBitmapResource(IDB_CREATE_GRAPH));
    SendMessageW(Item(IDC_CREATE_GRAPH), BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_bitmapCreateGraph.Get()));
    m_bitmapLogo.Reset(LoadBitmapResource(IDB_LOGO));
    SendMessageW(Item(IDC_LOGO), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_bitmapLogo.Get()));

    m_buttonExit.m_crFace = kCommandFace;
    m_buttonExit.m_crText = kCaptionWhite;
    m_buttonExit.Attach(Handle(), IDCANCEL);
    m_tooltip.Create(Handle(), Item(IDC_CREATE_GRAPH), std::string(plotara::kGraphButtonTooltip));
}

void CPlotaraWindow::FillCounterChoices() {
    HWND hCombo = Item(IDC_COUNTER);
    for (std::string_view name : plotara::kCounterNames) {
        const std::wstring wide = platform::Utf8ToWide(name);
        SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(hCombo, CB_SETCURSEL, 0, 0);
}

bool CPlotaraWindow::OnCommand(int nId, int nCode, HWND) {
    if (nId == IDC_CREATE_GRAPH && nCode == BN_CLICKED) {
        m_plotara.OnCreateGraph();
        return true;
    }
    return false;
}

void CPlotaraWindow::OnOk() {
    m_plotara.OnCreateGraph();
}

void CPlotaraWindow::OnCancel() {
    m_plotara.RequestExit();
}

bool CPlotaraWindow::OnSysCommand(WPARAM nCommand, LPARAM) {
    // Greyed, but a close command sent from outside must not slip past the exit check either.
    if ((nCommand & 0xFFF0) != SC_CLOSE) return false;
    m_plotara.RequestExit();
    return true;
}

HBRUSH CPlotaraWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) {
    return m_colors.Choose(nMessage, hDC, hControl);
}

void CPlotaraWindow::OnDestroy() {
    m_list.SaveColumnWidths();
}

bool CPlotaraWindow::PreTranslateMessage(MSG& msg) {
    m_tooltip.Relay(msg);
    return false;
}

std::vector<int> CPlotaraWindow::SelectedRows() const {
    return m_list.SelectedRows();
}

int CPlotaraWindow::SelectedCounter() const {
    return static_cast<int>(SendMessageW(Item(IDC_COUNTER), CB_GETCURSEL, 0, 0));
}

bool CPlotaraWindow::IsTimeOnlyChecked() const {
    return IsChecked(IDC_TIME_ONLY);
}

platform::ErrorCode CPlotaraWindow::PutOnClipboard(const std::string& strBlock) {
    return platform::PutClipboardBlock(kGraphParamFormat, strBlock, Handle());
}

void CPlotaraWindow::ShowWaitCursor(bool bWait) {
    if (bWait) {
        m_waitCursor.emplace();
    } else {
        m_waitCursor.reset();
    }
}

void CPlotaraWindow::Close() {
    EndDialog(IDCANCEL);
}
