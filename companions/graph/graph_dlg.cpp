// The Graph stand-in's window: reads the clipboard block once, decodes it and lists what came.
#include "graph_dlg.h"

#include <commctrl.h>

#include <string>

#include "companion_dlg.h"
#include "companions_resource.h"
#include "graph_param.h"
#include "graph_request_text.h"
#include "platform/clipboard.h"
#include "platform/win32/wide_string.h"
#include "win32ui/window_text.h"

namespace {

constexpr const char* kDescription =
    "グラフ描画プログラム Graph の代替プログラムです。グラフは描かず、クリップボードの形式 "
    "VARNOLE_GRAPH_PARAM で受け取った要求を表示します。";

void AddColumn(HWND hList, int nIndex, const wchar_t* pszName, int nWidth) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = nWidth;
    column.pszText = const_cast<wchar_t*>(pszName);
    SendMessageW(hList, LVM_INSERTCOLUMNW, nIndex, reinterpret_cast<LPARAM>(&column));
}

}  // namespace

CGraphDlg::CGraphDlg() : CDialogBase(IDD_GRAPH) {}

bool CGraphDlg::OnInit() {
    MakeCommandButton(m_buttonExit, Handle(), IDCANCEL);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_DESCRIPTION, kDescription);
    HWND hList = Item(IDC_FILES);
    SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumn(hList, 0, L"No", 40);
    AddColumn(hList, 1, L"ファイル", 460);

    std::string block;
    const platform::ErrorCode error = platform::GetClipboardBlock(kGraphParamFormat, block);
    if (error != platform::kSuccess) {
        win32ui::SetDlgItemTextUtf8(Handle(), IDC_STATUS, MissingBlockText(error));
        return true;
    }
    CGraphParam param;
    const CGraphParamDecodeResult result = DecodeGraphParamBlock(block, param);
    if (!result.Ok()) {
        win32ui::SetDlgItemTextUtf8(Handle(), IDC_STATUS, MalformedBlockText(result));
        return true;
    }
    const SGraphRequestTexts texts = DescribeGraphRequest(param);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_STATUS, texts.m_strStatus);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_COUNTER, texts.m_strCounter);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_HOST, texts.m_strHost);
    win32ui::SetDlgItemTextUtf8(Handle(), IDC_SHOW_DATE, texts.m_strShowDate);
    ShowFiles(param);
    return true;
}

void CGraphDlg::ShowFiles(const CGraphParam& param) {
    HWND hList = Item(IDC_FILES);
    int nRow = 0;
    for (const CGraphFileItem& item : param.m_files.Items()) {
        std::wstring number = std::to_wstring(nRow + 1);
        std::wstring path = platform::Utf8ToWide(item.m_strPath);
        LVITEMW row{};
        row.mask = LVIF_TEXT;
        row.iItem = nRow;
        row.pszText = number.data();
        SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
        row.iSubItem = 1;
        row.pszText = path.data();
        SendMessageW(hList, LVM_SETITEMTEXTW, nRow, reinterpret_cast<LPARAM>(&row));
        ++nRow;
    }
}
