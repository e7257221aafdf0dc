// Saving the chart as PNG through the common save dialog, and copying it as CF_DIB.
#include "picture_export.h"

#include <commdlg.h>

#include <vector>

#include "platform/file_write.h"
#include "platform/win32/clipboard_data.h"
#include "platform/win32/wide_string.h"

std::optional<std::string> AskSavePath(HWND hOwner, const std::string& strDefaultName) {
    std::vector<wchar_t> vecFile(MAX_PATH * 4, L'\0');
    const std::wstring strDefault = platform::Utf8ToWide(strDefaultName);
    strDefault.copy(vecFile.data(), vecFile.size() - 1);
    static constexpr wchar_t kFilter[] = L"PNG ファイル (*.png)\0*.png\0\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = vecFile.data();
    ofn.nMaxFile = static_cast<DWORD>(vecFile.size());
    ofn.lpstrDefExt = L"png";
    ofn.lpstrTitle = L"グラフの保存";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    return platform::WideToUtf8(vecFile.data());
}

platform::ErrorCode SavePicture(const std::string& strPath, const CRgbImage& image) {
    const std::string strPng = EncodePng(image);
    if (strPng.empty()) return platform::kErrorInvalidData;
    return platform::WriteFileFlushed(strPath, strPng);
}

platform::ErrorCode CopyPicture(HWND hOwner, const CRgbImage& image) {
    const std::string strDib = EncodeDib(image);
    if (strDib.empty()) return platform::kErrorInvalidData;
    return platform::PutClipboardBytes(CF_DIB, strDib, hOwner);
}
