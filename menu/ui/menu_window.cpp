// The main menu's window: pictures, tooltips, splash and system menu for CMenuDlg.
#include "menu_window.h"

#include <shellapi.h>

#include "platform/process.h"
#include "platform/win32/wide_string.h"
#include "resource.h"
#include "version_dlg.h"

namespace {

constexpr UINT kPressMs = 200;
constexpr const wchar_t* kVersionItem = L"VARNOLE のﾊﾞｰｼﾞｮﾝ情報(&A)...";

}  // namespace

CMenuWindow::CMenuWindow()
    : CDialogBase(IDD_VARNOLE_DIALOG),
      m_messageBoxes(*this),
      m_menu(*this, m_messageBoxes, menu::SMenuEnvironment::Real()),
      m_hInstance(GetModuleHandleW(nullptr)),
      m_colors(RGB(255, 255, 255)) {}

CMenuWindow::~CMenuWindow() {
    for (SPicture& picture : m_pictures) {
        if (picture.m_hNormal != nullptr) DeleteObject(picture.m_hNormal);
        if (picture.m_hPressed != nullptr) DeleteObject(picture.m_hPressed);
    }
    if (m_hBackground != nullptr) DeleteObject(m_hBackground);
    if (m_hIconLarge != nullptr) DestroyIcon(m_hIconLarge);
    if (m_hIconSmall != nullptr) DestroyIcon(m_hIconSmall);
}

bool CMenuWindow::OnInit() {
    SetUpSystemMenu();
    m_splash.Show(Handle(), m_hInstance, IDB_SPLASH);
    AttachPicturesAndTooltips();
    m_menu.RunStartupChecks();  // closes the window itself when a check fails
    return true;
}

void CMenuWindow::SetUpSystemMenu() {
    HMENU hSystemMenu = GetSystemMenu(Handle(), FALSE);
    if (hSystemMenu != nullptr) {
        AppendMenuW(hSystemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(hSystemMenu, MF_STRING, IDM_ABOUTBOX, kVersionItem);
        // The close box and Alt+F4 do nothing: the menu is left through its exit button.
        EnableMenuItem(hSystemMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    }
    m_hIconLarge =
        static_cast<HICON>(LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    m_hIconSmall = static_cast<HICON>(LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconLarge));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
}

void CMenuWindow::AttachPicturesAndTooltips() {
    m_hBackground = static_cast<HBITMAP>(
        LoadImageW(m_hInstance, MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0, 0));
    SendMessageW(Item(IDC_BACKGROUND), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(m_hBackground));
    for (std::size_t i = 0; i < menu::kMenuButtons.size(); ++i) {
        const menu::SMenuButton& button = menu::kMenuButtons[i];
        SPicture& picture = m_pictures[i];
        picture.m_hNormal = static_cast<HBITMAP>(LoadImageW(
            m_hInstance, MAKEINTRESOURCEW(button.m_nNormalBitmap), IMAGE_BITMAP, 0, 0, 0));
        picture.m_hPressed = static_cast<HBITMAP>(LoadImageW(
            m_hInstance, MAKEINTRESOURCEW(button.m_nPressedBitmap), IMAGE_BITMAP, 0, 0, 0));
        HWND hControl = Item(button.m_nControlId);
        SendMessageW(hControl, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(picture.m_hNormal));
        if (!button.m_strTooltip.empty()) {
            m_tooltips[i] = std::make_unique<CToolTip>();
            m_tooltips[i]->Create(Handle(), hControl, std::string(button.m_strTooltip));
        }
    }
}

CMenuWindow::SPicture* CMenuWindow::PictureFor(int nControlId) {
    for (std::size_t i = 0; i < menu::kMenuButtons.size(); ++i) {
        if (menu::kMenuButtons[i].m_nControlId == nControlId) return &m_pictures[i];
    }
    return nullptr;
}

bool CMenuWindow::OnCommand(int nId, int nCode, HWND) {
    if (nCode != STN_CLICKED || menu::FindMenuButton(nId) == nullptr) return false;
    m_menu.OnButton(nId);
    return true;
}

void CMenuWindow::OnOk() {
    m_menu.OnEnter();
}

void CMenuWindow::OnCancel() {
    m_menu.OnEscape();
}

bool CMenuWindow::OnSysCommand(WPARAM nCommand, LPARAM) {
    if ((nCommand & 0xFFF0) == IDM_ABOUTBOX) {
        CVersionDlg version;
        version.DoModal(Handle(), m_hInstance);
        return true;
    }
    // Greyed, but a close command sent from outside must not slip past the exit check either.
    return (nCommand & 0xFFF0) == SC_CLOSE;
}

HBRUSH CMenuWindow::OnCtlColor(UINT nMessage, HDC hDC, HWND) {
    return m_colors.Choose(nMessage, hDC);
}

void CMenuWindow::OnDestroy() {
    m_splash.Hide();
    for (auto& tooltip : m_tooltips) tooltip.reset();
}

bool CMenuWindow::PreTranslateMessage(MSG& msg) {
    if (m_splash.FilterMessage(msg)) return true;
    for (const auto& tooltip : m_tooltips) {
        if (tooltip) tooltip->Relay(msg);
    }
    return false;
}

void CMenuWindow::AnimatePress(const menu::SMenuButton& button) {
    SPicture* pPicture = PictureFor(button.m_nControlId);
    HWND hControl = Item(button.m_nControlId);
    if (pPicture == nullptr || hControl == nullptr) return;
    // Only the pressed control is repainted while the pressed picture shows.
    SendMessageW(hControl, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(pPicture->m_hPressed));
    UpdateWindow(hControl);
    Sleep(kPressMs);
    SendMessageW(hControl, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(pPicture->m_hNormal));
    UpdateWindow(hControl);
}

void CMenuWindow::ShowWaitCursor(bool bWait) {
    if (bWait) {
        m_hCursorBeforeWait = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    } else {
        SetCursor(m_hCursorBeforeWait != nullptr
                      ? m_hCursorBeforeWait
                      : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
        m_hCursorBeforeWait = nullptr;
    }
}

void CMenuWindow::StartProgram(const std::string& strCommandLine) {
    platform::StartProgram(strCommandLine);  // a program that cannot start is not reported
}

void CMenuWindow::OpenWebPage(const std::string& strUrl) {
    ShellExecuteW(Handle(), L"open", platform::Utf8ToWide(strUrl).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void CMenuWindow::Close() {
    EndDialog(IDCANCEL);
}
