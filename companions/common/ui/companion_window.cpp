// The companion programs' shared window pieces: button faces, program start, folder picker.
#include "companion_window.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32/wide_string.h"

namespace {

// The folder dialog of Windows Vista and later (IFileOpenDialog picking folders).
std::optional<std::string> AskFolderModern(HWND hOwner, const std::wstring& strTitle,
                                           const std::wstring& strInitial, bool& bAvailable) {
    IFileOpenDialog* pDialog = nullptr;
    bAvailable = SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&pDialog)));
    if (!bAvailable) return std::nullopt;
    std::optional<std::string> strResult;
    FILEOPENDIALOGOPTIONS nOptions = 0;
    pDialog->GetOptions(&nOptions);
    pDialog->SetOptions(nOptions | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    pDialog->SetTitle(strTitle.c_str());
    IShellItem* pInitial = nullptr;
    if (!strInitial.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(strInitial.c_str(), nullptr, IID_PPV_ARGS(&pInitial)))) {
        pDialog->SetFolder(pInitial);
        pInitial->Release();
    }
    IShellItem* pItem = nullptr;
    if (SUCCEEDED(pDialog->Show(hOwner)) && SUCCEEDED(pDialog->GetResult(&pItem))) {
        PWSTR pszPath = nullptr;
        if (SUCCEEDED(pItem->GetDisplayName(SIGDN_FILESYSPATH, &pszPath)) && pszPath != nullptr) {
            strResult = platform::WideToUtf8(pszPath);
            CoTaskMemFree(pszPath);
        }
        pItem->Release();
    }
    pDialog->Release();
    return strResult;
}

int CALLBACK BrowseCallback(HWND hWnd, UINT nMessage, LPARAM, LPARAM lpData) {
    if (nMessage == BFFM_INITIALIZED && lpData != 0) {
        SendMessageW(hWnd, BFFM_SETSELECTIONW, TRUE, lpData);
    }
    return 0;
}

// The older folder tree, where the modern dialog cannot be made.
std::optional<std::string> AskFolderClassic(HWND hOwner, const std::wstring& strTitle,
                                            const std::wstring& strInitial) {
    BROWSEINFOW info{};
    info.hwndOwner = hOwner;
    info.lpszTitle = strTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(strInitial.c_str());
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info);
    if (pidl == nullptr) return std::nullopt;
    std::optional<std::string> strResult;
    wchar_t szPath[MAX_PATH] = {};
    if (SHGetPathFromIDListW(pidl, szPath)) strResult = platform::WideToUtf8(szPath);
    CoTaskMemFree(pidl);
    return strResult;
}

}  // namespace

void MakeCommandButton(CColorButton& button, HWND hDialog, int nId) {
    button.m_crFace = RGB(63, 128, 255);
    button.m_crText = RGB(255, 255, 255);
    button.m_crDisabledText = RGB(116, 162, 254);  // readable on the blue face while disabled
    button.Attach(hDialog, nId);
}

void MakeCancelButton(CColorButton& button, HWND hDialog, int nId) {
    button.m_crFace = RGB(255, 63, 63);
    button.m_crText = RGB(255, 255, 255);
    button.m_crDisabledText = RGB(255, 150, 150);  // readable on the red face while disabled
    button.Attach(hDialog, nId);
}

CCompanionProgram::CCompanionProgram() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);
    m_bCom = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

CCompanionProgram::~CCompanionProgram() {
    if (m_bCom) CoUninitialize();
}

std::optional<std::string> AskFolder(HWND hOwner, const std::string& strTitle,
                                     const std::string& strInitial) {
    const std::wstring strWideTitle = platform::Utf8ToWide(strTitle);
    std::wstring strWideInitial = platform::Utf8ToWide(strInitial);
    // The dialogs want a folder without the trailing separator (except a drive's root).
    while (strWideInitial.size() > 3 &&
           (strWideInitial.back() == L'\\' || strWideInitial.back() == L'/')) {
        strWideInitial.pop_back();
    }
    bool bAvailable = false;
    std::optional<std::string> strResult =
        AskFolderModern(hOwner, strWideTitle, strWideInitial, bAvailable);
    if (!bAvailable) strResult = AskFolderClassic(hOwner, strWideTitle, strWideInitial);
    return strResult;
}
