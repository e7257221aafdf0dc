// The chart area's window: painting through a memory bitmap, planning for the current size.
#include "chart_view.h"

#include <utility>

bool CChartView::Register(HINSTANCE hInstance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

CChartView* CChartView::From(HWND hWnd) {
    return hWnd != nullptr ? reinterpret_cast<CChartView*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA))
                           : nullptr;
}

void CChartView::ShowMessage(std::string strMessage) {
    m_strMessage = std::move(strMessage);
    m_pSeries.reset();
    m_plan.reset();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CChartView::ShowSeries(std::shared_ptr<const series::CSeries> pSeries,
                            series::CChartRequest request) {
    m_strMessage.clear();
    m_pSeries = std::move(pSeries);
    m_request = std::move(request);
    m_plan.reset();
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

const series::CChartPlan& CChartView::CurrentPlan() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    if (!m_plan || m_plan->m_nWidth != std::max<int>(rc.right, 1) ||
        m_plan->m_nHeight != std::max<int>(rc.bottom, 1)) {
        m_request.m_nWidth = std::max<int>(rc.right, 1);
        m_request.m_nHeight = std::max<int>(rc.bottom, 1);
        m_plan = series::MakeChartPlan(*m_pSeries, m_request, m_painter.Metrics());
    }
    return *m_plan;
}

CRgbImage CChartView::Picture() {
    if (!m_pSeries) return {};
    return m_painter.Render(CurrentPlan());
}

void CChartView::Paint() {
    win32ui::CPaintDC paint(m_hWnd);
    HDC hDC = paint.Get();
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    // Drawn into a bitmap first, so that resizing does not flicker.
    win32ui::CMemoryDC memory(CreateCompatibleDC(hDC));
    win32ui::CBitmap bitmap(CreateCompatibleBitmap(hDC, std::max<int>(rc.right, 1),
                                                      std::max<int>(rc.bottom, 1)));
    if (memory.Get() != nullptr && bitmap) {
        win32ui::CSelectObject selected(memory.Get(), bitmap.Get());
        if (m_pSeries) {
            // A plan is never smaller than its minimum size; the window shows its top left.
            RECT rcAll{0, 0, rc.right, rc.bottom};
            m_painter.PaintMessage(memory.Get(), rcAll, {});
            m_painter.Paint(memory.Get(), CurrentPlan());
        } else {
            m_painter.PaintMessage(memory.Get(), rc, m_strMessage);
        }
        BitBlt(hDC, 0, 0, rc.right, rc.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
}

LRESULT CALLBACK CChartView::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    try {
        switch (nMessage) {
            case WM_NCCREATE:
                SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                                  reinterpret_cast<LONG_PTR>(new CChartView(hWnd)));
                break;
            case WM_NCDESTROY:
                delete From(hWnd);
                SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
                break;
            case WM_ERASEBKGND:
                return 1;  // the whole area is painted in WM_PAINT
            case WM_PAINT:
                if (CChartView* pView = From(hWnd)) {
                    pView->Paint();
                    return 0;
                }
                break;
            default:
                break;
        }
    } catch (...) {
        // No exception leaves a window procedure; an unpainted area is repainted next time.
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}
