// CSortedList: the list-view side of a sortable report list.
#include "win32ui/sorted_list.h"

#include <algorithm>

#include "list/column_widths.h"
#include "platform/profile_store.h"
#include "platform/win32/wide_string.h"
#include "win32ui/exception_report.h"
#include "win32ui/gdi_handles.h"
#include "win32ui/header_arrow_plan.h"

namespace {

constexpr UINT_PTR kParentSubclassBase = 0x534C5000;  // "SLP" + control id
constexpr UINT_PTR kListSubclassId = 0x534C4C53;      // "SLLS"

void DrawLine(HDC hDC, const win32ui::SArrowEdge& edge, HPEN hLit, HPEN hShaded) {
    const win32ui::CSelectObject pen(hDC, edge.bLit ? hLit : hShaded);
    MoveToEx(hDC, edge.from.x, edge.from.y, nullptr);
    LineTo(hDC, edge.to.x, edge.to.y);
}

}  // namespace

CSortedList::CSortedList(CSortedListModel& model, std::string strProgram)
    : m_model(model), m_strProgram(std::move(strProgram)) {}

CSortedList::~CSortedList() {
    Detach();
}

bool CSortedList::Attach(HWND hDialog, int nId) {
    HWND hList = GetDlgItem(hDialog, nId);
    if (hList == nullptr) return false;
    if (!SetWindowSubclass(hList, ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    if (!SetWindowSubclass(hDialog, ParentProc, kParentSubclassBase + static_cast<UINT_PTR>(nId),
                           reinterpret_cast<DWORD_PTR>(this))) {
        RemoveWindowSubclass(hList, ListProc, kListSubclassId);
        return false;
    }
    m_hWnd = hList;
    m_hParent = hDialog;
    m_nId = nId;
    m_hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

    // Mirror what the model already holds.
    for (int column = 0; column < m_model.GetColumnCount(); ++column)
        OnColumnAdded(column, m_model.GetColumnName(column), m_model.GetColumnWidth(column));
    SendMessageW(hList, LVM_SETITEMCOUNT, static_cast<WPARAM>(m_model.GetRowCount()), 0);
    for (int row = 0; row < m_model.GetRowCount(); ++row) InsertItem(row);
    if (m_model.GetSortColumn() >= 0)
        OnSortArrowChanged(m_model.GetSortColumn(), m_model.IsAscending());
    m_model.SetView(this);
    return true;
}

void CSortedList::Detach() {
    if (m_hWnd == nullptr) return;
    m_model.SetView(nullptr);
    if (IsWindow(m_hWnd)) RemoveWindowSubclass(m_hWnd, ListProc, kListSubclassId);
    if (IsWindow(m_hParent))
        RemoveWindowSubclass(m_hParent, ParentProc,
                             kParentSubclassBase + static_cast<UINT_PTR>(m_nId));
    m_hWnd = nullptr;
    m_hParent = nullptr;
    m_hHeader = nullptr;
}

bool CSortedList::RestoreColumnWidths() {
    std::vector<std::uint8_t> stored;
    if (platform::ProfileStore::ReadBinary(m_strProgram, kColumnWidthsSection,
                                           ColumnWidthsEntry(m_nId), stored) != platform::kSuccess)
        return false;
    return m_model.RestoreColumnWidths(stored);
}

bool CSortedList::SaveColumnWidths() {
    if (m_hWnd == nullptr || m_model.GetColumnCount() == 0) return false;
    for (int column = 0; column < m_model.GetColumnCount(); ++column) {
        const int width = static_cast<int>(
            SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
        m_model.SetColumnWidth(column, width);
    }
    return platform::ProfileStore::WriteBinary(m_strProgram, kColumnWidthsSection,
                                               ColumnWidthsEntry(m_nId),
                                               m_model.SaveColumnWidths()) == platform::kSuccess;
}

std::vector<int> CSortedList::SelectedRows() const {
    std::vector<int> rows;
    if (m_hWnd == nullptr) return rows;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                LVNI_SELECTED))) >= 0)
        rows.push_back(row);
    return rows;
}

void CSortedList::SelectRow(int nRow, bool bSelected) {
    if (m_hWnd == nullptr) return;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = bSelected ? LVIS_SELECTED : 0;
    SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow),
                 reinterpret_cast<LPARAM>(&item));
}

void CSortedList::ClearSelection() {
    SelectRow(-1, false);  // index -1: every item
}

bool CSortedList::OnColumnAdded(int column, const std::string& name, int width) {
    if (m_hWnd == nullptr) return true;
    std::wstring text = platform::Utf8ToWide(name);
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.fmt = LVCFMT_LEFT;
    info.cx = width;
    info.pszText = text.data();
    info.iSubItem = column;
    return SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                        reinterpret_cast<LPARAM>(&info)) >= 0;
}

void CSortedList::InsertItem(int row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACKW;
    const int index = static_cast<int>(
        SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) return;
    // Sub-items ask for their texts too.
    for (int column = 1; column < m_model.GetColumnCount(); ++column) {
        LVITEMW sub{};
        sub.iSubItem = column;
        sub.pszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(m_hWnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&sub));
    }
}

void CSortedList::OnRowInserted(int row) {
    if (m_hWnd != nullptr) InsertItem(row);
}

void CSortedList::OnRowDeleted(int row) {
    if (m_hWnd != nullptr) SendMessageW(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void CSortedList::OnAllRowsDeleted() {
    if (m_hWnd != nullptr) SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
}

void CSortedList::OnRowsReordered(const std::vector<std::size_t>& formerAt) {
    if (m_hWnd == nullptr) return;
    // The items hold no text, so only the selection and the focus have to follow their rows.
    std::vector<int> newIndexOf(formerAt.size(), -1);
    for (std::size_t i = 0; i < formerAt.size(); ++i) {
        if (formerAt[i] < newIndexOf.size()) newIndexOf[formerAt[i]] = static_cast<int>(i);
    }
    const std::vector<int> selected = SelectedRows();
    const int focused =
        static_cast<int>(SendMessageW(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    for (int row : selected) {
        if (row >= 0 && static_cast<std::size_t>(row) < newIndexOf.size())
            SelectRow(newIndexOf[static_cast<std::size_t>(row)], true);
    }
    if (focused >= 0 && static_cast<std::size_t>(focused) < newIndexOf.size()) {
        LVITEMW focus{};
        focus.stateMask = LVIS_FOCUSED;
        focus.state = LVIS_FOCUSED;
        SendMessageW(m_hWnd, LVM_SETITEMSTATE,
                     static_cast<WPARAM>(newIndexOf[static_cast<std::size_t>(focused)]),
                     reinterpret_cast<LPARAM>(&focus));
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSortedList::OnSortArrowChanged(int column, bool ascending) {
    m_nArrowColumn = column;
    m_bArrowAscending = ascending;
    if (m_hHeader == nullptr) return;
    // Only the sort column is owner-drawn; the others keep the header's own drawing.
    const int count = static_cast<int>(SendMessageW(m_hHeader, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(m_hHeader, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        const int format = i == column ? (item.fmt | HDF_OWNERDRAW) : (item.fmt & ~HDF_OWNERDRAW);
        if (format == item.fmt) continue;
        item.fmt = format;
        SendMessageW(m_hHeader, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    InvalidateRect(m_hHeader, nullptr, TRUE);
}

void CSortedList::OnColumnWidthsChanged() {
    if (m_hWnd == nullptr) return;
    for (int column = 0; column < m_model.GetColumnCount(); ++column) {
        SendMessageW(m_hWnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                     MAKELPARAM(m_model.GetColumnWidth(column), 0));
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSortedList::FillDisplayInfo(NMLVDISPINFOW& info) const {
    if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr ||
        info.item.cchTextMax <= 0)
        return;
    const std::wstring text =
        platform::Utf8ToWide(m_model.GetText(info.item.iItem, info.item.iSubItem));
    const std::size_t count =
        std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    std::copy_n(text.data(), count, info.item.pszText);
    info.item.pszText[count] = L'\0';
}

bool CSortedList::OnParentNotify(const NMHDR& header) {
    if (header.hwndFrom != m_hWnd) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            return true;
        case LVN_COLUMNCLICK:
            m_model.OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return false;  // the dialog may look at the click too
        default:
            return false;
    }
}

void CSortedList::DrawHeaderItem(const DRAWITEMSTRUCT& draw) const {
    const int column = static_cast<int>(draw.itemID);
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 255;
    SendMessageW(m_hHeader, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));

    HDC hDC = draw.hDC;
    const win32ui::CSavedDC saved(hDC);
    const RECT& rc = draw.rcItem;
    IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    FillRect(hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));

    const win32ui::SHeaderItemPlan plan = win32ui::PlanHeaderItem(
        win32ui::SPlanRect{rc.left, rc.top, rc.right, rc.bottom},
        (draw.itemState & ODS_SELECTED) != 0, column == m_nArrowColumn, m_bArrowAscending);
    if (plan.bDrawText) {
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
        const int align = item.fmt & HDF_JUSTIFYMASK;
        if (align == HDF_CENTER) format |= DT_CENTER;
        if (align == HDF_RIGHT) format |= DT_RIGHT;
        RECT rcText{plan.rcText.left, plan.rcText.top, plan.rcText.right, plan.rcText.bottom};
        SetBkMode(hDC, TRANSPARENT);
        SetTextColor(hDC, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(hDC, text, -1, &rcText, format);
    }
    if (plan.bArrow) {
        const win32ui::CPen lit(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
        const win32ui::CPen shaded(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
        for (const win32ui::SArrowEdge& edge : plan.edges) DrawLine(hDC, edge, lit.Get(), shaded.Get());
    }
}

LRESULT CALLBACK CSortedList::ParentProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR nId, DWORD_PTR pData) {
    auto* pList = reinterpret_cast<CSortedList*>(pData);
    if (nMessage == WM_NOTIFY && pList != nullptr && lParam != 0) {
        try {
            if (pList->OnParentNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
        } catch (...) {
            win32ui::ReportCurrentException("CSortedList notification");
        }
    } else if (nMessage == WM_NCDESTROY) {
        RemoveWindowSubclass(hWnd, ParentProc, nId);
    }
    return DefSubclassProc(hWnd, nMessage, wParam, lParam);
}

LRESULT CALLBACK CSortedList::ListProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR pData) {
    auto* pList = reinterpret_cast<CSortedList*>(pData);
    switch (nMessage) {
        case WM_DRAWITEM: {
            const auto* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (pList != nullptr && pDraw != nullptr && pDraw->CtlType == ODT_HEADER &&
                pDraw->hwndItem == pList->m_hHeader) {
                try {
                    pList->DrawHeaderItem(*pDraw);
                } catch (...) {
                    win32ui::ReportCurrentException("CSortedList header drawing");
                }
                return TRUE;
            }
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hWnd, ListProc, kListSubclassId);
            if (pList != nullptr) {
                pList->m_model.SetView(nullptr);
                pList->m_hWnd = nullptr;
                pList->m_hHeader = nullptr;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hWnd, nMessage, wParam, lParam);
}
