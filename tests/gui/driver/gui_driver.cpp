// gui_driver.exe: drives the suite's windows from outside for the GUI tests (one command a run).
//
// Commands (texts are UTF-8; the exit code is 0 on success, 1 when the check fails, 2 on misuse):
//   wait-window TITLE [MS]          a visible top-level window with this title appears
//   wait-gone TITLE [MS]            no window with this title is left
//   wait-class CLASS [MS]           a visible top-level window of this class appears
//   wait-class-gone CLASS [MS]      no visible window of this class is left
//   control TITLE ID                prints the control's class, visibility, size and client size
//   click TITLE ID                  clicks the control (buttons: BM_CLICK; others: mouse press)
//   text TITLE ID                   prints the control's text
//   listview TITLE ID               prints the rows of a list view, columns separated by tabs
//   listbox TITLE ID                prints the entries of a list box, one a line
//   select TITLE ID TEXT            selects the list box entry TEXT (added to the selection of a
//                                   multiple-selection list) and posts LBN_SELCHANGE to the dialog
//   set-text TITLE ID TEXT          sets a control's text (an edit notifies its dialog)
//   enabled TITLE ID                exit code 0 when the control is enabled
//   tooltips TITLE                  prints "control id<TAB>text" for every tooltip of the window
//   msgbox CAPTION [MS]             waits for a message box and prints its text
//   answer CAPTION BUTTON [MS]      waits for a message box, prints its text and presses
//                                   BUTTON (ok, cancel, yes, no)
//   post-key TITLE VK               posts a key press (virtual-key code) to the window
//   syscommand TITLE CMD            posts a system-menu command to the window
//   close TITLE                     posts WM_CLOSE to the window
//   screenshot FILE [TITLE]         saves the desktop, or one window, as a 24-bit BMP
//   shot-class CLASS FILE [MS]      waits for a visible window of this class, then saves the
//                                   desktop at once (for windows that are up only briefly)
//   mutex-exists NAME               exit code 0 when a mutex of this name exists
//   clip-graph HOST COUNTER TEXT SHOWDATE PATH...   puts a graph request on the clipboard
//   clip-raw HEX                    puts these bytes on the clipboard under the graph format
//   clip-clear                      empties the clipboard
//   clip-hex                        prints the block under the graph format as hex digits
//   select-rows TITLE ID ROW...     clicks list-view rows (the first plainly, the others with
//                                   Ctrl), as a user selects several rows
//   selected TITLE ID               prints the selected rows of a list view, one per line
//   header TITLE ID                 prints a list view's column names, "*" after the one whose
//                                   header item is owner-drawn (the sort arrow)
//   click-header TITLE ID COLUMN    clicks a list view's column header
//   combo TITLE ID                  prints the selected index, then every entry of a combo box
//   select-combo TITLE ID INDEX     selects an entry of a combo box
//   checked TITLE ID                prints 1 when the button is checked, else 0
//   data-dir PATH                   sets DataDirectory under HKLM\SOFTWARE\HALDEK\VARNOLE\1.0
//   wait-exe-window EXE [MS]        waits for a visible top-level window of a process whose
//                                   program file is EXE, and prints its title
//   close-exe-window EXE            posts WM_CLOSE to the visible windows of that program
//   wait-exe-gone EXE [MS]          waits until no process of that program file runs
//   clip-dib                        prints "WIDTHxHEIGHT BITS" of the clipboard's bitmap (CF_DIB)
//   pixels TITLE ID RRGGBB          prints how many pixels of the control on the screen have
//                                   exactly that colour, how many are not white, and the total
//   save-as CAPTION PATH [MS]       waits for a file dialog with this caption, types the path
//                                   as the file name and presses its OK button
//   state TITLE ID                  prints "visible|hidden enabled|disabled checked|unchecked"
//   check TITLE ID 0|1              clicks a check box until it has that state; 1 on a radio
//                                   button clicks it
//   items TITLE ID                  prints a combo or list box's entries, "*" before the
//                                   selected one
//   choose TITLE ID TEXT            selects the combo or list box entry with this text, as a
//                                   user's choice (the owner gets the selection change)
//   date TITLE ID YYYY MM DD        sets a date picker
//   row-click TITLE ID ROW [double] clicks (or double-clicks) a list view row
//   header-click TITLE ID COLUMN    clicks a list view's column header
//   column-widths TITLE ID          prints a list view's column widths
//   column-width TITLE ID COL PX    sets one column's width
//   sort-arrow TITLE ID             prints the column whose header item is owner-drawn (the
//                                   sort arrow), -1 for none
//   now                             prints the local time "YYYY MM DD hh mm ss"
//   settings-write FILE             writes a VARNOLE.dat with hosts PC01..PC04 and daily
//                                   schedules 3 (PC03), 12 (PC04) and 105 (PC03), each waiting
//                                   for a run half a day away
//   settings-read FILE              prints every used schedule slot of a VARNOLE.dat as
//                                   "number<TAB>target<TAB>state<TAB>repeat<TAB>comment", then
//                                   "complete" or "damaged"
//   datafile FILE                   prints "host<TAB>branch<TAB>samples<TAB>end" of a data file
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "graph_param.h"
#include "platform/local_time.h"
#include "schedule_texts.h"
#include "settings_format.h"
#include "platform/clipboard.h"
#include "platform/win32/wide_string.h"

namespace {

constexpr DWORD kDefaultWaitMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 5000;

void Print(const std::string& text) {
    DWORD written = 0;
    const std::string line = text + "\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

int Fail(const std::string& text) {
    DWORD written = 0;
    const std::string line = "gui_driver: " + text + "\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
    return 1;
}

std::string Utf8(const std::wstring& wide) {
    return platform::WideToUtf8(wide);
}

DWORD WaitArg(const std::vector<std::wstring>& args, std::size_t index) {
    return index < args.size() ? static_cast<DWORD>(std::wcstoul(args[index].c_str(), nullptr, 10))
                               : kDefaultWaitMs;
}

std::wstring TextOf(HWND hWnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length)) {
        return std::wstring();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hWnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &got);
    text.resize(got);
    return text;
}

std::wstring ClassOf(HWND hWnd) {
    wchar_t name[256] = {};
    GetClassNameW(hWnd, name, 256);
    return name;
}

// Top-level windows that satisfy a test, in Z order.
template <typename Test>
std::vector<HWND> FindTopLevel(Test test) {
    struct SSearch {
        Test* pTest;
        std::vector<HWND> found;
    } search{&test, {}};
    EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<SSearch*>(lParam);
            if ((*pSearch->pTest)(hWnd)) pSearch->found.push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleByTitle(const std::wstring& title) {
    auto found =
        FindTopLevel([&](HWND hWnd) { return IsWindowVisible(hWnd) && TextOf(hWnd) == title; });
    return found.empty() ? nullptr : found.front();
}

HWND FindVisibleByClass(const std::wstring& className) {
    auto found = FindTopLevel(
        [&](HWND hWnd) { return IsWindowVisible(hWnd) && ClassOf(hWnd) == className; });
    return found.empty() ? nullptr : found.front();
}

// A message box: a dialog-class window with this caption and the message text control.
HWND FindMessageBox(const std::wstring& caption) {
    auto found = FindTopLevel([&](HWND hWnd) {
        return IsWindowVisible(hWnd) && ClassOf(hWnd) == L"#32770" && TextOf(hWnd) == caption &&
               GetDlgItem(hWnd, 0xFFFF) != nullptr;
    });
    return found.empty() ? nullptr : found.front();
}

template <typename Find>
HWND WaitFor(Find find, DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hWnd = find()) return hWnd;
        if (GetTickCount() - start >= waitMs) return nullptr;
        Sleep(kPollMs);
    }
}

template <typename Find>
bool WaitUntilGone(Find find, DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (find() == nullptr) return true;
        if (GetTickCount() - start >= waitMs) return false;
        Sleep(kPollMs);
    }
}

HWND ControlOf(const std::wstring& title, const std::wstring& id, std::string& error) {
    HWND hWnd = FindVisibleByTitle(title);
    if (hWnd == nullptr) {
        error = "no window \"" + Utf8(title) + "\"";
        return nullptr;
    }
    HWND hControl = GetDlgItem(hWnd, static_cast<int>(std::wcstol(id.c_str(), nullptr, 10)));
    if (hControl == nullptr) error = "no control " + Utf8(id) + " in \"" + Utf8(title) + "\"";
    return hControl;
}

// Memory in another process for messages that pass pointers.
class CRemoteMemory {
public:
    CRemoteMemory(HWND hWnd, std::size_t nSize) : m_nSize(nSize) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        m_hProcess = OpenProcess(
            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
            FALSE, pid);
        if (m_hProcess != nullptr) {
            m_pMemory = VirtualAllocEx(m_hProcess, nullptr, nSize, MEM_COMMIT | MEM_RESERVE,
                                       PAGE_READWRITE);
        }
    }
    ~CRemoteMemory() {
        if (m_pMemory != nullptr) VirtualFreeEx(m_hProcess, m_pMemory, 0, MEM_RELEASE);
        if (m_hProcess != nullptr) CloseHandle(m_hProcess);
    }
    bool Ok() const { return m_pMemory != nullptr; }
    char* At(std::size_t offset) const { return static_cast<char*>(m_pMemory) + offset; }
    bool Write(std::size_t offset, const void* pData, std::size_t nSize) const {
        return offset + nSize <= m_nSize &&
               WriteProcessMemory(m_hProcess, At(offset), pData, nSize, nullptr);
    }
    bool Read(std::size_t offset, void* pData, std::size_t nSize) const {
        return offset + nSize <= m_nSize &&
               ReadProcessMemory(m_hProcess, At(offset), pData, nSize, nullptr);
    }

private:
    HANDLE m_hProcess = nullptr;
    void* m_pMemory = nullptr;
    std::size_t m_nSize;
};

constexpr std::size_t kTextChars = 1024;

int ListViewRows(HWND hList) {
    const int rows = static_cast<int>(SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    const int columns =
        hHeader != nullptr ? static_cast<int>(SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 1;
    CRemoteMemory memory(hList, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!memory.Ok()) return Fail("cannot reach the list's process");
    for (int row = 0; row < rows; ++row) {
        std::string line;
        for (int column = 0; column < std::max(columns, 1); ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = static_cast<int>(kTextChars);
            item.pszText = reinterpret_cast<wchar_t*>(memory.At(sizeof(LVITEMW)));
            memory.Write(0, &item, sizeof(item));
            const LRESULT length =
                SendMessageW(hList, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.At(0)));
            std::wstring text(kTextChars, L'\0');
            memory.Read(sizeof(LVITEMW), text.data(), kTextChars * sizeof(wchar_t));
            text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
            if (column > 0) line += "\t";
            line += Utf8(text);
        }
        Print(line);
    }
    return 0;
}

int ToolTips(HWND hWnd) {
    auto tips = FindTopLevel([&](HWND hTip) {
        return ClassOf(hTip) == TOOLTIPS_CLASSW && GetWindow(hTip, GW_OWNER) == hWnd;
    });
    for (HWND hTip : tips) {
        const int count = static_cast<int>(SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0));
        CRemoteMemory memory(hTip, sizeof(TOOLINFOW) + kTextChars * sizeof(wchar_t));
        if (!memory.Ok()) return Fail("cannot reach the tooltip's process");
        for (int i = 0; i < count; ++i) {
            TOOLINFOW info{};
            info.cbSize = sizeof(info);
            info.lpszText = reinterpret_cast<wchar_t*>(memory.At(sizeof(TOOLINFOW)));
            memory.Write(0, &info, sizeof(info));
            if (!SendMessageW(hTip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(memory.At(0)))) {
                continue;
            }
            memory.Read(0, &info, sizeof(info));
            std::wstring text(kTextChars, L'\0');
            memory.Read(sizeof(TOOLINFOW), text.data(), kTextChars * sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), kTextChars));
            const int id = (info.uFlags & TTF_IDISHWND)
                               ? GetDlgCtrlID(reinterpret_cast<HWND>(info.uId))
                               : static_cast<int>(info.uId);
            Print(std::to_string(id) + "\t" + Utf8(text));
        }
    }
    return 0;
}

// The screen's pixels in rc as 0x00RRGGBB values, rows top to bottom; empty when GDI fails.
std::vector<std::uint32_t> CapturePixels(const RECT& rc) {
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    std::vector<std::uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hScreen, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap != nullptr && pBits != nullptr) {
        HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
        BitBlt(hMemory, 0, 0, width, height, hScreen, rc.left, rc.top, SRCCOPY);
        GdiFlush();
        const auto* pPixel = static_cast<const std::uint32_t*>(pBits);
        pixels.assign(pPixel, pPixel + static_cast<std::size_t>(width) * height);
        for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
        SelectObject(hMemory, hOld);
    }
    if (hBitmap != nullptr) DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

// Saves the screen area of the window (or of the whole desktop) as a 24-bit BMP file.
int Screenshot(const std::wstring& file, HWND hWnd) {
    RECT rc{};
    if (hWnd != nullptr) {
        GetWindowRect(hWnd, &rc);
    } else {
        rc.right = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        rc.bottom = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    }
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    const std::vector<std::uint32_t> pixels = CapturePixels(rc);
    if (pixels.empty()) return Fail("nothing to capture");
    // BMP files store rows bottom-up, three bytes a pixel, each row padded to 4 bytes.
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    std::vector<std::uint8_t> image(stride * static_cast<DWORD>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* pRow = image.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
            pRow[3 * x] = static_cast<std::uint8_t>(pixel);
            pRow[3 * x + 1] = static_cast<std::uint8_t>(pixel >> 8);
            pRow[3 * x + 2] = static_cast<std::uint8_t>(pixel >> 16);
        }
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(image.size());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + info.biSizeImage;
    bool ok = false;
    HANDLE hFile = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = WriteFile(hFile, &header, sizeof(header), &written, nullptr) &&
             WriteFile(hFile, &info, sizeof(info), &written, nullptr) &&
             WriteFile(hFile, image.data(), info.biSizeImage, &written, nullptr);
        CloseHandle(hFile);
    }
    return ok ? 0 : Fail("cannot write " + Utf8(file));
}

// Counts the control's pixels on the screen: of one colour, not white, and all.
int Pixels(HWND hControl, const std::wstring& colour) {
    RECT rc{};
    GetWindowRect(hControl, &rc);
    const std::vector<std::uint32_t> pixels = CapturePixels(rc);
    if (pixels.empty()) return Fail("nothing to capture");
    const std::uint32_t wanted = std::wcstoul(colour.c_str(), nullptr, 16);
    std::size_t matching = 0;
    std::size_t coloured = 0;
    for (const std::uint32_t pixel : pixels) {
        if (pixel == wanted) ++matching;
        if (pixel != 0xFFFFFF) ++coloured;
    }
    Print(std::to_string(matching) + " " + std::to_string(coloured) + " " +
          std::to_string(pixels.size()));
    return 0;
}

// The file name box of a file dialog: the combo box of the explorer style, or the old edit.
int SaveAs(HWND hDialog, const std::wstring& path) {
    HWND hName = GetDlgItem(hDialog, 1148);  // cmb13
    if (hName == nullptr) hName = GetDlgItem(hDialog, 1152);  // edt1
    if (hName == nullptr) return Fail("the file dialog has no file name box");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, IDOK)));
    return 0;
}

int ClipDib() {
    if (!OpenClipboard(nullptr)) return Fail("cannot open the clipboard");
    HANDLE block = GetClipboardData(CF_DIB);
    int result = Fail("no bitmap on the clipboard");
    if (block != nullptr) {
        const auto* pHeader = static_cast<const BITMAPINFOHEADER*>(GlobalLock(block));
        if (pHeader != nullptr && GlobalSize(block) >= sizeof(BITMAPINFOHEADER)) {
            Print(std::to_string(pHeader->biWidth) + "x" + std::to_string(pHeader->biHeight) +
                  " " + std::to_string(pHeader->biBitCount));
            result = 0;
        }
        GlobalUnlock(block);
    }
    CloseClipboard();
    return result;
}

int ClickControl(HWND hControl) {
    if (ClassOf(hControl) == L"Button") {
        PostMessageW(hControl, BM_CLICK, 0, 0);
        return 0;
    }
    // Any other control gets a left mouse press in its middle, as a user's click.
    RECT rc;
    GetClientRect(hControl, &rc);
    const LPARAM point = MAKELPARAM(rc.right / 2, rc.bottom / 2);
    PostMessageW(hControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(hControl, WM_LBUTTONUP, 0, point);
    return 0;
}

std::wstring ListBoxEntry(HWND hList, int index) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hList, LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length) ||
        static_cast<LRESULT>(length) == LB_ERR) {
        return std::wstring();
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &got);
    text.resize(static_cast<LRESULT>(got) == LB_ERR ? 0 : got);
    return text;
}

int ListBoxCount(HWND hList) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(hList, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
    return static_cast<LRESULT>(count) == LB_ERR ? 0 : static_cast<int>(count);
}

int SelectListBoxEntry(HWND hList, const std::wstring& entry) {
    const int count = ListBoxCount(hList);
    for (int index = 0; index < count; ++index) {
        if (ListBoxEntry(hList, index) != entry) continue;
        const LONG_PTR style = GetWindowLongPtrW(hList, GWL_STYLE);
        DWORD_PTR ignored = 0;
        if (style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
            SendMessageTimeoutW(hList, LB_SETSEL, TRUE, index, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                &ignored);
        } else {
            SendMessageTimeoutW(hList, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                                &ignored);
        }
        // Posted, so that a dialog the notification opens does not hold up the driver.
        PostMessageW(GetParent(hList), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hList), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hList));
        return 0;
    }
    return Fail("no entry \"" + Utf8(entry) + "\" in the list");
}

int PressMessageBoxButton(HWND hBox, const std::wstring& button) {
    int id = 0;
    if (button == L"ok") id = IDOK;
    if (button == L"cancel") id = IDCANCEL;
    if (button == L"yes") id = IDYES;
    if (button == L"no") id = IDNO;
    HWND hButton = id != 0 ? GetDlgItem(hBox, id) : nullptr;
    if (hButton == nullptr) return Fail("the message box has no button " + Utf8(button));
    PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    return 0;
}

int ClipRaw(const std::wstring& hex) {
    std::string bytes;
    if (hex.size() % 2 != 0) return Fail("odd number of hex digits");
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::wcstoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    }
    const platform::ErrorCode error = platform::PutClipboardBlock(kGraphParamFormat, bytes);
    return error == platform::kSuccess ? 0 : Fail("clipboard error " + std::to_string(error));
}

int ClipGraph(const std::vector<std::wstring>& args) {
    if (args.size() < 6) return Fail("clip-graph HOST COUNTER TEXT SHOWDATE PATH...");
    CGraphParam param;
    param.m_strHost = Utf8(args[2]);
    param.m_nCounter = std::wcstol(args[3].c_str(), nullptr, 10);
    param.m_strCounter = Utf8(args[4]);
    param.m_bShowDate = std::wcstol(args[5].c_str(), nullptr, 10);
    for (std::size_t i = 6; i < args.size(); ++i) {
        CGraphFileItem item;
        item.m_nBranch = static_cast<std::int32_t>(i - 5);
        item.m_strPath = Utf8(args[i]);
        param.m_files.Add(item);
    }
    const platform::ErrorCode error =
        platform::PutClipboardBlock(kGraphParamFormat, EncodeGraphParamBlock(param));
    return error == platform::kSuccess ? 0 : Fail("clipboard error " + std::to_string(error));
}

// ---- list views, headers, combo boxes and buttons of another process ----

// Posts a left click at a point of a window's client area, with the key flags of a held key.
void PostClick(HWND hWnd, POINT point, WPARAM keys) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    PostMessageW(hWnd, WM_MOUSEMOVE, keys, where);
    PostMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, where);
    PostMessageW(hWnd, WM_LBUTTONUP, keys, where);
}

// A rectangle that a list view or header fills in another process's memory.
bool RemoteRect(HWND hWnd, UINT nMessage, WPARAM index, LONG left, RECT& rc) {
    CRemoteMemory memory(hWnd, sizeof(RECT));
    if (!memory.Ok()) return false;
    rc = RECT{left, 0, 0, 0};
    memory.Write(0, &rc, sizeof(rc));
    if (!SendMessageW(hWnd, nMessage, index, reinterpret_cast<LPARAM>(memory.At(0)))) return false;
    return memory.Read(0, &rc, sizeof(rc));
}

int SelectRows(HWND hList, const std::vector<std::wstring>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(std::wcstol(rows[i].c_str(), nullptr, 10));
        SendMessageW(hList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        RECT rc{};
        if (!RemoteRect(hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), LVIR_BOUNDS, rc))
            return Fail("no row " + Utf8(rows[i]));
        // Inside the first column, away from its edges.
        const POINT point{rc.left + 6, (rc.top + rc.bottom) / 2};
        PostClick(hList, point, i == 0 ? 0 : MK_CONTROL);
        Sleep(kPollMs);  // one click at a time, as a user's
    }
    return 0;
}

int SelectedRows(HWND hList) {
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                                LVNI_SELECTED))) >= 0)
        Print(std::to_string(row));
    return 0;
}

int HeaderItems(HWND hList) {
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    if (hHeader == nullptr) return Fail("the list has no header");
    const int count = static_cast<int>(SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    CRemoteMemory memory(hHeader, sizeof(HDITEMW) + kTextChars * sizeof(wchar_t));
    if (!memory.Ok()) return Fail("cannot reach the header's process");
    for (int i = 0; i < count; ++i) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.cchTextMax = static_cast<int>(kTextChars);
        item.pszText = reinterpret_cast<wchar_t*>(memory.At(sizeof(HDITEMW)));
        memory.Write(0, &item, sizeof(item));
        SendMessageW(hHeader, HDM_GETITEMW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(memory.At(0)));
        memory.Read(0, &item, sizeof(item));
        std::wstring text(kTextChars, L'\0');
        memory.Read(sizeof(HDITEMW), text.data(), kTextChars * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), kTextChars));
        Print(Utf8(text) + ((item.fmt & HDF_OWNERDRAW) ? "*" : ""));
    }
    return 0;
}

int ClickHeader(HWND hList, const std::wstring& column) {
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    RECT rc{};
    if (hHeader == nullptr ||
        !RemoteRect(hHeader, HDM_GETITEMRECT, std::wcstoul(column.c_str(), nullptr, 10), 0, rc))
        return Fail("no header item " + Utf8(column));
    PostClick(hHeader, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, 0);
    return 0;
}

int ComboEntries(HWND hCombo) {
    Print(std::to_string(static_cast<int>(SendMessageW(hCombo, CB_GETCURSEL, 0, 0))));
    const int count = static_cast<int>(SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(hCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcsnlen(text.c_str(), text.size()));
        Print(Utf8(text));
    }
    return 0;
}

int ClipHex() {
    std::string bytes;
    const platform::ErrorCode error = platform::GetClipboardBlock(kGraphParamFormat, bytes);
    if (error != platform::kSuccess) return Fail("no graph block (" + std::to_string(error) + ")");
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex.push_back(kDigits[c >> 4]);
        hex.push_back(kDigits[c & 15]);
    }
    Print(hex);
    return 0;
}

int SetDataDirectory(const std::wstring& path) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\HALDEK\\VARNOLE\\1.0", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return Fail("cannot open the configuration key");
    const LSTATUS status =
        RegSetValueExW(hKey, L"DataDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS ? 0 : Fail("cannot write DataDirectory");
}

// ---- processes by program file ----

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// The ids of the processes whose program file is named exe (any case).
std::vector<DWORD> ProcessesOf(const std::wstring& exe) {
    std::vector<DWORD> ids;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(hSnapshot, &entry); more;
         more = Process32NextW(hSnapshot, &entry)) {
        std::wstring name = entry.szExeFile;
        const std::size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name = name.substr(slash + 1);
        if (Lower(name) == Lower(exe)) ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(hSnapshot);
    return ids;
}

std::vector<HWND> WindowsOfProgram(const std::wstring& exe) {
    const std::vector<DWORD> ids = ProcessesOf(exe);
    return FindTopLevel([&](HWND hWnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        return IsWindowVisible(hWnd) && GetWindow(hWnd, GW_OWNER) == nullptr &&
               std::find(ids.begin(), ids.end(), pid) != ids.end();
    });
}

// ---- the controls of Gather's windows ----

int ControlState(HWND hControl) {
    const LRESULT check = SendMessageW(hControl, BM_GETCHECK, 0, 0);
    Print(std::string(IsWindowVisible(hControl) ? "visible" : "hidden") +
          (IsWindowEnabled(hControl) ? " enabled" : " disabled") +
          (check == BST_CHECKED ? " checked" : " unchecked"));
    return 0;
}

int SetCheck(HWND hControl, bool bChecked) {
    const LONG style = GetWindowLongW(hControl, GWL_STYLE) & BS_TYPEMASK;
    const bool bRadio = style == BS_RADIOBUTTON || style == BS_AUTORADIOBUTTON;
    if (!bRadio && (SendMessageW(hControl, BM_GETCHECK, 0, 0) == BST_CHECKED) == bChecked) return 0;
    PostMessageW(hControl, BM_CLICK, 0, 0);
    return 0;
}

bool IsComboBox(HWND hControl) {
    return ClassOf(hControl) == L"ComboBox";
}

std::vector<std::wstring> ListItems(HWND hControl) {
    const bool bCombo = IsComboBox(hControl);
    const int count =
        static_cast<int>(SendMessageW(hControl, bCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::wstring> items;
    for (int i = 0; i < count; ++i) {
        const LRESULT length =
            SendMessageW(hControl, bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(hControl, bCombo ? CB_GETLBTEXT : LB_GETTEXT, i,
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcsnlen(text.c_str(), text.size()));
        items.push_back(text);
    }
    return items;
}

int PrintItems(HWND hControl) {
    const bool bCombo = IsComboBox(hControl);
    const int selected =
        static_cast<int>(SendMessageW(hControl, bCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    const std::vector<std::wstring> items = ListItems(hControl);
    for (std::size_t i = 0; i < items.size(); ++i)
        Print((static_cast<int>(i) == selected ? "*" : " ") + Utf8(items[i]));
    return 0;
}

int SelectItem(HWND hControl, const std::wstring& text) {
    const std::vector<std::wstring> items = ListItems(hControl);
    const auto it = std::find(items.begin(), items.end(), text);
    if (it == items.end()) return Fail("no entry \"" + Utf8(text) + "\"");
    const int index = static_cast<int>(it - items.begin());
    const bool bCombo = IsComboBox(hControl);
    SendMessageW(hControl, bCombo ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    // The controls tell their owner only of a user's change: say it as they would.
    const int id = GetDlgCtrlID(hControl);
    PostMessageW(GetParent(hControl), WM_COMMAND,
                 MAKEWPARAM(id, bCombo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hControl));
    return 0;
}

int SetDate(HWND hControl, int year, int month, int day) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    CRemoteMemory memory(hControl, sizeof(st));
    if (!memory.Ok() || !memory.Write(0, &st, sizeof(st)))
        return Fail("cannot reach the picker's process");
    return SendMessageW(hControl, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(memory.At(0)))
               ? 0
               : Fail("the picker refused the date");
}

// A rectangle the control fills in for a message that takes a RECT pointer.
// Posted mouse presses at a point of the control: the control raises its own notifications.
void PostClick(HWND hControl, int x, int y, bool bDouble) {
    const LPARAM point = MAKELPARAM(x, y);
    PostMessageW(hControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(hControl, WM_LBUTTONUP, 0, point);
    if (bDouble) {
        PostMessageW(hControl, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        PostMessageW(hControl, WM_LBUTTONUP, 0, point);
    }
}

int ClickRow(HWND hList, int row, bool bDouble) {
    RECT rc{};
    if (!RemoteRect(hList, LVM_GETITEMRECT, static_cast<WPARAM>(row), LVIR_LABEL, rc))
        return Fail("no row " + std::to_string(row));
    PostClick(hList, rc.left + 4, (rc.top + rc.bottom) / 2, bDouble);
    return 0;
}

int ClickHeader(HWND hList, int column) {
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    RECT rc{};
    if (hHeader == nullptr || !RemoteRect(hHeader, HDM_GETITEMRECT, column, 0, rc))
        return Fail("no header item " + std::to_string(column));
    PostClick(hHeader, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, false);
    return 0;
}

int ColumnWidths(HWND hList) {
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    const int columns =
        hHeader != nullptr ? static_cast<int>(SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
    std::string line;
    for (int column = 0; column < columns; ++column) {
        if (column > 0) line += ",";
        line += std::to_string(SendMessageW(hList, LVM_GETCOLUMNWIDTH, column, 0));
    }
    Print(line);
    return 0;
}

int SortArrow(HWND hList) {
    HWND hHeader = reinterpret_cast<HWND>(SendMessageW(hList, LVM_GETHEADER, 0, 0));
    if (hHeader == nullptr) return Fail("the list has no header");
    const int columns = static_cast<int>(SendMessageW(hHeader, HDM_GETITEMCOUNT, 0, 0));
    CRemoteMemory memory(hHeader, sizeof(HDITEMW));
    if (!memory.Ok()) return Fail("cannot reach the header's process");
    for (int column = 0; column < columns; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        memory.Write(0, &item, sizeof(item));
        SendMessageW(hHeader, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(memory.At(0)));
        memory.Read(0, &item, sizeof(item));
        if (item.fmt & HDF_OWNERDRAW) {
            Print(std::to_string(column));
            return 0;
        }
    }
    Print("-1");
    return 0;
}


// ---- Gather's files ----

int WriteSettings(const std::wstring& file) {
    auto pHosts = std::make_unique<CHostTable>();
    auto pGroups = std::make_unique<CGroupTable>();
    auto pSchedules = std::make_unique<CScheduleTable>();
    for (const char* psz : {"PC01", "PC02", "PC03", "PC04"}) {
        CHostEntry host;
        host.m_strHost = psz;
        AddHost(*pHosts, host);
    }
    const platform::Time tNow = platform::SystemClock().Now();
    platform::LocalFields now;
    platform::SplitLocalTime(tNow, now);
    const struct {
        int nNumber;
        const char* pszHost;
        int nHoursAway;
    } bookings[] = {{3, "PC03", 12}, {12, "PC04", 13}, {105, "PC03", 14}};
    for (const auto& booking : bookings) {
        CSchedule& s = (*pSchedules)[static_cast<std::size_t>(booking.nNumber)];
        s = CSchedule::Blank(tNow);
        s.m_strTarget = booking.pszHost;
        s.m_strComment = "予約" + std::to_string(booking.nNumber);
        s.m_nState = kStateWaiting;
        s.m_nRepeat = kRepeatDaily;
        s.m_nInterval = 5000;
        s.m_tStart =
            WallClockTime(now.nYear, now.nMonth, now.nDay, (now.nHour + booking.nHoursAway) % 24, 0)
                .value_or(tNow);
        const std::optional<CScheduleRun> run = NextRun(s, tNow);
        if (!run) return Fail("no next run");
        s.m_tNextStart = run->m_tStart;
        s.m_tNextEnd = run->m_tEnd;
    }
    const std::string bytes = EncodeSettings(1, *pHosts, *pGroups, *pSchedules);
    HANDLE hFile = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return Fail("cannot create " + Utf8(file));
    DWORD written = 0;
    const bool ok = WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr) && written == bytes.size();
    CloseHandle(hFile);
    return ok ? 0 : Fail("cannot write " + Utf8(file));
}

int ReadSettings(const std::wstring& file) {
    HANDLE hFile = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return Fail("cannot open " + Utf8(file));
    std::string bytes(GetFileSize(hFile, nullptr), '\0');
    DWORD got = 0;
    ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(hFile);
    bytes.resize(got);
    const CSettingsContents contents = DecodeSettings(bytes);
    for (int i = 0; i < contents.m_nSchedulesRead; ++i) {
        const CSchedule& s = (*contents.m_pSchedules)[static_cast<std::size_t>(i)];
        if (s.m_nState == kStateFree) continue;
        Print(ScheduleNumberText(i) + "\t" + s.m_strTarget + "\t" + std::to_string(s.m_nState) +
              "\t" + std::to_string(s.m_nRepeat) + "\t" + s.m_strComment);
    }
    Print(contents.Complete() ? "complete" : "damaged");
    return 0;
}

int ReadDataFile(const std::wstring& file) {
    CDataFileReader reader;
    const platform::ErrorCode error = reader.Open(Utf8(file));
    if (error != platform::kSuccess) return Fail("cannot read " + Utf8(file) + ": " + std::to_string(error));
    CDataSample sample;
    int samples = 0;
    ESampleRead result;
    while ((result = reader.Next(sample)) == ESampleRead::kSample) ++samples;
    const char* pszEnd = result == ESampleRead::kEnd          ? "end"
                         : result == ESampleRead::kIncomplete ? "incomplete"
                         : result == ESampleRead::kDamaged    ? "damaged"
                                                              : "read-error";
    Print(reader.Header().m_strHost + "\t" + std::to_string(reader.Header().m_nBranch) + "\t" +
          std::to_string(samples) + "\t" + pszEnd);
    return 0;
}

int PrintNow() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    char text[64];
    std::snprintf(text, sizeof text, "%04d %02d %02d %02d %02d %02d", st.wYear, st.wMonth, st.wDay,
                  st.wHour, st.wMinute, st.wSecond);
    Print(text);
    return 0;
}

int RunGatherCommand(const std::vector<std::wstring>& args, bool& bKnown) {
    bKnown = true;
    const std::wstring& command = args[1];
    auto need = [&](std::size_t count) { return args.size() >= count; };
    std::string error;
    HWND hControl = need(4) ? ControlOf(args[2], args[3], error) : nullptr;
    auto number = [&](std::size_t i) { return static_cast<int>(std::wcstol(args[i].c_str(), nullptr, 10)); };
    if (command == L"state" && need(4)) return hControl ? ControlState(hControl) : Fail(error);
    if (command == L"check" && need(5)) return hControl ? SetCheck(hControl, number(4) != 0) : Fail(error);
    if (command == L"items" && need(4)) return hControl ? PrintItems(hControl) : Fail(error);
    if (command == L"choose" && need(5)) return hControl ? SelectItem(hControl, args[4]) : Fail(error);
    if (command == L"date" && need(7))
        return hControl ? SetDate(hControl, number(4), number(5), number(6)) : Fail(error);
    if (command == L"row-click" && need(5))
        return hControl ? ClickRow(hControl, number(4), need(6) && args[5] == L"double") : Fail(error);
    if (command == L"header-click" && need(5)) return hControl ? ClickHeader(hControl, number(4)) : Fail(error);
    if (command == L"column-widths" && need(4)) return hControl ? ColumnWidths(hControl) : Fail(error);
    if (command == L"column-width" && need(6)) {
        if (hControl == nullptr) return Fail(error);
        return SendMessageW(hControl, LVM_SETCOLUMNWIDTH, number(4), MAKELPARAM(number(5), 0))
                   ? 0
                   : Fail("the list refused the width");
    }
    if (command == L"sort-arrow" && need(4)) return hControl ? SortArrow(hControl) : Fail(error);
    if (command == L"now") return PrintNow();
    if (command == L"settings-write" && need(3)) return WriteSettings(args[2]);
    if (command == L"settings-read" && need(3)) return ReadSettings(args[2]);
    if (command == L"datafile" && need(3)) return ReadDataFile(args[2]);
    bKnown = false;
    return 2;
}

int Run(const std::vector<std::wstring>& args) {
    if (args.size() < 2) return 2;
    const std::wstring& command = args[1];
    auto need = [&](std::size_t count) { return args.size() >= count; };
    std::string error;

    if (command == L"wait-window" && need(3)) {
        return WaitFor([&] { return FindVisibleByTitle(args[2]); }, WaitArg(args, 3))
                   ? 0
                   : Fail("no window \"" + Utf8(args[2]) + "\" appeared");
    }
    if (command == L"wait-gone" && need(3)) {
        return WaitUntilGone([&] { return FindVisibleByTitle(args[2]); }, WaitArg(args, 3))
                   ? 0
                   : Fail("window \"" + Utf8(args[2]) + "\" is still there");
    }
    if (command == L"wait-class" && need(3)) {
        return WaitFor([&] { return FindVisibleByClass(args[2]); }, WaitArg(args, 3))
                   ? 0
                   : Fail("no window of class " + Utf8(args[2]) + " appeared");
    }
    if (command == L"wait-class-gone" && need(3)) {
        return WaitUntilGone([&] { return FindVisibleByClass(args[2]); }, WaitArg(args, 3))
                   ? 0
                   : Fail("a window of class " + Utf8(args[2]) + " is still there");
    }
    if (command == L"control" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        RECT rc;
        GetWindowRect(hControl, &rc);
        RECT rcClient{};
        GetClientRect(hControl, &rcClient);
        Print(Utf8(ClassOf(hControl)) + (IsWindowVisible(hControl) ? " visible " : " hidden ") +
              std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top) +
              " client " + std::to_string(rcClient.right) + "x" + std::to_string(rcClient.bottom));
        return 0;
    }
    if (command == L"click" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        return hControl != nullptr ? ClickControl(hControl) : Fail(error);
    }
    if (command == L"text" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        Print(Utf8(TextOf(hControl)));
        return 0;
    }
    if (command == L"listview" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        return hControl != nullptr ? ListViewRows(hControl) : Fail(error);
    }
    if (command == L"listbox" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        const int count = ListBoxCount(hControl);
        for (int index = 0; index < count; ++index) Print(Utf8(ListBoxEntry(hControl, index)));
        return 0;
    }
    if (command == L"select" && need(5)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        return hControl != nullptr ? SelectListBoxEntry(hControl, args[4]) : Fail(error);
    }
    if (command == L"set-text" && need(5)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(hControl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[4].c_str()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
        return 0;
    }
    if (command == L"enabled" && need(4)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        return IsWindowEnabled(hControl) ? 0 : 1;
    }
    if (command == L"tooltips" && need(3)) {
        HWND hWnd = FindVisibleByTitle(args[2]);
        return hWnd != nullptr ? ToolTips(hWnd) : Fail("no window \"" + Utf8(args[2]) + "\"");
    }
    if ((command == L"msgbox" && need(3)) || (command == L"answer" && need(4))) {
        const bool bAnswer = command == L"answer";
        HWND hBox =
            WaitFor([&] { return FindMessageBox(args[2]); }, WaitArg(args, bAnswer ? 4 : 3));
        if (hBox == nullptr) return Fail("no message box \"" + Utf8(args[2]) + "\" appeared");
        Print(Utf8(TextOf(GetDlgItem(hBox, 0xFFFF))));
        return bAnswer ? PressMessageBoxButton(hBox, args[3]) : 0;
    }
    if ((command == L"post-key" || command == L"syscommand") && need(4)) {
        HWND hWnd = FindVisibleByTitle(args[2]);
        if (hWnd == nullptr) return Fail("no window \"" + Utf8(args[2]) + "\"");
        const WPARAM value = std::wcstoul(args[3].c_str(), nullptr, 0);
        if (command == L"syscommand") {
            PostMessageW(hWnd, WM_SYSCOMMAND, value, 0);
        } else {
            PostMessageW(hWnd, WM_KEYDOWN, value, 1);
            PostMessageW(hWnd, WM_KEYUP, value, 0xC0000001);
        }
        return 0;
    }
    if (command == L"close" && need(3)) {
        HWND hWnd = FindVisibleByTitle(args[2]);
        if (hWnd == nullptr) return Fail("no window \"" + Utf8(args[2]) + "\"");
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"screenshot" && need(3)) {
        HWND hWnd = nullptr;
        if (args.size() >= 4) {
            hWnd = FindVisibleByTitle(args[3]);
            if (hWnd == nullptr) return Fail("no window \"" + Utf8(args[3]) + "\"");
        }
        return Screenshot(args[2], hWnd);
    }
    if (command == L"shot-class" && need(4)) {
        if (!WaitFor([&] { return FindVisibleByClass(args[2]); }, WaitArg(args, 4))) {
            return Fail("no window of class " + Utf8(args[2]) + " appeared");
        }
        return Screenshot(args[3], nullptr);
    }
    if (command == L"mutex-exists" && need(3)) {
        HANDLE hMutex = OpenMutexW(SYNCHRONIZE, FALSE, args[2].c_str());
        if (hMutex == nullptr) return 1;
        CloseHandle(hMutex);
        return 0;
    }
    if (command == L"clip-graph") return ClipGraph(args);
    if (command == L"clip-raw" && need(3)) return ClipRaw(args[2]);
    if (command == L"clip-dib") return ClipDib();
    if (command == L"pixels" && need(5)) {
        HWND hControl = ControlOf(args[2], args[3], error);
        return hControl != nullptr ? Pixels(hControl, args[4]) : Fail(error);
    }
    if (command == L"save-as" && need(4)) {
        // A file dialog: class "#32770" with the caption, but no message text control.
        HWND hDialog = WaitFor(
            [&] {
                auto found = FindTopLevel([&](HWND hWnd) {
                    return IsWindowVisible(hWnd) && ClassOf(hWnd) == L"#32770" &&
                           TextOf(hWnd) == args[2];
                });
                return found.empty() ? nullptr : found.front();
            },
            WaitArg(args, 4));
        if (hDialog == nullptr) return Fail("no dialog \"" + Utf8(args[2]) + "\" appeared");
        return SaveAs(hDialog, args[3]);
    }
    if (command == L"clip-clear") {
        if (!OpenClipboard(nullptr)) return Fail("cannot open the clipboard");
        EmptyClipboard();
        CloseClipboard();
        return 0;
    }
    if (command == L"clip-hex") return ClipHex();
    if ((command == L"select-rows" && need(5)) || (command == L"selected" && need(4)) ||
        (command == L"header" && need(4)) || (command == L"click-header" && need(5))) {
        HWND hList = ControlOf(args[2], args[3], error);
        if (hList == nullptr) return Fail(error);
        if (command == L"select-rows")
            return SelectRows(hList, std::vector<std::wstring>(args.begin() + 4, args.end()));
        if (command == L"selected") return SelectedRows(hList);
        if (command == L"header") return HeaderItems(hList);
        return ClickHeader(hList, args[4]);
    }
    if ((command == L"combo" && need(4)) || (command == L"select-combo" && need(5)) ||
        (command == L"checked" && need(4))) {
        HWND hControl = ControlOf(args[2], args[3], error);
        if (hControl == nullptr) return Fail(error);
        if (command == L"combo") return ComboEntries(hControl);
        if (command == L"checked") {
            Print(SendMessageW(hControl, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
            return 0;
        }
        SendMessageW(hControl, CB_SETCURSEL, std::wcstoul(args[4].c_str(), nullptr, 10), 0);
        return 0;
    }
    if (command == L"data-dir" && need(3)) return SetDataDirectory(args[2]);
    if (command == L"wait-exe-window" && need(3)) {
        HWND hWnd = WaitFor(
            [&]() -> HWND {
                const std::vector<HWND> found = WindowsOfProgram(args[2]);
                return found.empty() ? nullptr : found.front();
            },
            WaitArg(args, 3));
        if (hWnd == nullptr) return Fail("no window of " + Utf8(args[2]) + " appeared");
        Print(Utf8(TextOf(hWnd)));
        return 0;
    }
    if (command == L"close-exe-window" && need(3)) {
        const std::vector<HWND> found = WindowsOfProgram(args[2]);
        if (found.empty()) return Fail("no window of " + Utf8(args[2]));
        for (HWND hWnd : found) PostMessageW(hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"wait-exe-gone" && need(3)) {
        const DWORD start = GetTickCount();
        while (!ProcessesOf(args[2]).empty()) {
            if (GetTickCount() - start >= WaitArg(args, 3))
                return Fail(Utf8(args[2]) + " still runs");
            Sleep(kPollMs);
        }
        return 0;
    }
    bool bKnown = false;
    const int gatherResult = RunGatherCommand(args, bKnown);
    if (bKnown) return gatherResult;
    return 2;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 0; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    const int result = Run(args);
    if (result == 2) Fail("unknown command or missing arguments (see the source's head comment)");
    return result;
}
