// The Graph window: the request from the clipboard, the loading worker polled on a timer, the
// chart view, the status line, and saving and copying the picture.
#include "graph_window.h"

#include <commctrl.h>

#include <algorithm>

#include "chart_view.h"
#include "companion_window.h"
#include "companions_resource.h"
#include "graph_layout.h"
#include "graph_texts.h"
#include "picture_export.h"
#include "platform/clipboard.h"
#include "win32ui/gdi_handles.h"
#include "win32ui/message_box.h"
#include "win32ui/window_text.h"

namespace {

constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressMs = 100;
constexpr int kProgressSteps = 1000;
constexpr COLORREF kBackground = RGB(240, 240, 250);
constexpr COLORREF kStaticText = RGB(0, 0, 240);
constexpr const char* kErrorCaption = "エラー";

void Place(HWND hControl, const CLayoutRect& rc) {
    SetWindowPos(hControl, nullptr, rc.m_nLeft, rc.m_nTop, rc.m_nWidth, rc.m_nHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string FirstLine(const std::string& strText) {
    return strText.substr(0, strText.find('\n'));
}

}  // namespace

CGraphWindow::CGraphWindow() : CDialogBase(IDD_GRAPH), m_colors(kBackground) {
    m_colors.SetStaticTextColor(kStaticText);
}

bool CGraphWindow::OnInit() {
    MakeCommandButton(m_buttonSave, Handle(), IDC_SAVE);
    MakeCommandButton(m_buttonCopy, Handle(), IDC_COPY);
    MakeCommandButton(m_buttonExit, Handle(), IDCANCEL);
    m_pChart = CChartView::From(Item(IDC_CHART));
    SendMessageW(Item(IDC_PROGRESS), PBM_SETRANGE32, 0, kProgressSteps);

    {
        win32ui::CWindowDC dc(Handle());
        win32ui::CSelectObject font(
            dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc.Get(), &metrics)) m_nLineHeight = metrics.tmHeight + 1;
    }

    if (TakeRequest()) {
        m_bLoading = true;
        std::vector<std::string> vecPaths;
        for (const CGraphFileItem& item : m_param.m_files.Items()) {
            vecPaths.push_back(NormalizeRequestPath(item.m_strPath));
        }
        m_pJob = std::make_unique<CGraphLoadJob>();
        m_pJob->Start(std::move(vecPaths), *m_pChoice);
        SetStatus(LoadingText({0, m_param.m_files.Size(), 0, 0, 0}));
        if (m_pChart != nullptr) m_pChart->ShowMessage("データファイルを読み込んでいます...");
        SetTimer(Handle(), kProgressTimer, kProgressMs, nullptr);
    }
    LayOut();
    return true;
}

bool CGraphWindow::TakeRequest() {
    win32ui::SetWindowTextUtf8(Handle(), GraphWindowTitle(nullptr));
    std::string strBlock;
    const platform::ErrorCode nError = platform::GetClipboardBlock(kGraphParamFormat, strBlock);
    if (nError != platform::kSuccess) {
        ShowFailure(MissingBlockText(nError));
        return false;
    }
    const CGraphParamDecodeResult decoded = DecodeGraphParamBlock(strBlock, m_param);
    if (!decoded.Ok()) {
        ShowFailure(MalformedBlockText(decoded));
        return false;
    }
    m_pChoice = series::CounterChoice(m_param.m_nCounter);  // 0 to 7: the decoder checked it
    win32ui::SetWindowTextUtf8(Handle(), GraphWindowTitle(&m_param));
    return m_pChoice != nullptr;
}

void CGraphWindow::OnTimer(UINT_PTR nTimerId) {
    if (nTimerId != kProgressTimer || !m_pJob) return;
    const CGraphLoadJob::CStatus status = m_pJob->Status();
    const series::CLoadProgress& progress = status.m_progress;
    const auto nPosition = progress.m_nBytesTotal > 0
                               ? static_cast<WPARAM>(progress.m_nBytesDone * kProgressSteps /
                                                     progress.m_nBytesTotal)
                               : 0;
    SendMessageW(Item(IDC_PROGRESS), PBM_SETPOS, nPosition, 0);
    if (!status.m_bDone) {
        SetStatus(LoadingText(progress));
        return;
    }
    KillTimer(Handle(), kProgressTimer);
    Finish();
}

void CGraphWindow::Finish() {
    series::CLoadResult result = m_pJob->TakeResult();
    m_bLoading = false;
    LayOut();
    if (result.m_eError == series::ELoadError::kCancelled) return;
    if (!result.Ok()) {
        ShowFailure(LoadErrorText(result, *m_pChoice));
        return;
    }
    series::CChartRequest request;
    request.m_bShowDate = m_param.m_bShowDate != 0;
    request.m_strHost = m_param.m_strHost.empty() ? result.m_strHost : m_param.m_strHost;
    request.m_pChoice = m_pChoice;
    m_strChartStatus = ChartStatusText(
        result, series::StatisticsText(result.m_series, m_pChoice->m_eUnit));
    SetStatus(m_strChartStatus);
    if (m_pChart != nullptr) {
        m_pChart->ShowSeries(std::make_shared<const series::CSeries>(std::move(result.m_series)),
                             std::move(request));
    }
    EnableWindow(Item(IDC_SAVE), TRUE);
    EnableWindow(Item(IDC_COPY), TRUE);
}

void CGraphWindow::ShowFailure(const std::string& strMessage) {
    SetStatus(strMessage);
    if (m_pChart != nullptr) m_pChart->ShowMessage(strMessage);
}

void CGraphWindow::SetStatus(const std::string& strText) {
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_STATUS, strText);
}

void CGraphWindow::LayOut() {
    RECT rc{};
    GetClientRect(Handle(), &rc);
    const CGraphLayout layout = LayOutGraphWindow(rc.right, rc.bottom, m_nLineHeight, m_bLoading);
    Place(Item(IDC_CHART), layout.m_chart);
    Place(Item(IDC_STATUS), layout.m_status);
    Place(Item(IDC_PROGRESS), layout.m_progress);
    ShowWindow(Item(IDC_PROGRESS), m_bLoading ? SW_SHOWNA : SW_HIDE);
    Place(Item(IDC_SAVE), layout.m_save);
    Place(Item(IDC_COPY), layout.m_copy);
    Place(Item(IDCANCEL), layout.m_exit);
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool CGraphWindow::OnCommand(int nId, int nCode, HWND) {
    if (nCode != BN_CLICKED) return false;
    if (nId == IDC_SAVE) {
        Save();
        return true;
    }
    if (nId == IDC_COPY) {
        Copy();
        return true;
    }
    return false;
}

void CGraphWindow::Save() {
    if (m_pChart == nullptr || !m_pChart->HasChart()) return;
    const std::optional<std::string> strPath = AskSavePath(
        Handle(), DefaultImageFileName(m_param.m_strHost, m_param.m_strCounter));
    if (!strPath) return;
    const platform::ErrorCode nCode = SavePicture(*strPath, m_pChart->Picture());
    if (nCode != platform::kSuccess) {
        win32ui::ShowMessageBox(Handle(), SaveFailedText(*strPath, nCode), kErrorCaption,
                                MB_ICONWARNING, MB_OK);
        return;
    }
    SetStatus(FirstLine(m_strChartStatus) + "\n" + SavedText(*strPath));
}

void CGraphWindow::Copy() {
    if (m_pChart == nullptr || !m_pChart->HasChart()) return;
    const platform::ErrorCode nCode = CopyPicture(Handle(), m_pChart->Picture());
    if (nCode != platform::kSuccess) {
        win32ui::ShowMessageBox(Handle(), CopyFailedText(nCode), kErrorCaption, MB_ICONWARNING,
                                MB_OK);
        return;
    }
    SetStatus(FirstLine(m_strChartStatus) + "\n" + CopiedText());
}

void CGraphWindow::OnCancel() {
    if (m_pJob) m_pJob->Cancel();
    KillTimer(Handle(), kProgressTimer);
    EndDialog(IDCANCEL);
}

HBRUSH CGraphWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND) {
    return m_colors.Choose(nMessage, hDC);
}

bool CGraphWindow::OnMessage(UINT nMessage, WPARAM, LPARAM lParam, INT_PTR& nResult) {
    if (nMessage == WM_SIZE) {
        LayOut();
        nResult = 0;
        return true;
    }
    if (nMessage == WM_GETMINMAXINFO) {
        RECT rc{0, 0, kGraphMinWidth, kGraphMinHeight};
        AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
        auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
        pInfo->ptMinTrackSize.x = rc.right - rc.left;
        pInfo->ptMinTrackSize.y = rc.bottom - rc.top;
        nResult = 0;
        return true;
    }
    return false;
}
