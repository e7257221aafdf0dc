// Every program of the suite carries the same version resource and an application manifest that
// Windows accepts: administrator rights, the supported Windows versions, DPI handling and the
// common controls version 6. Reads the built programs in the build's bin folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/wide_string.h"

namespace {

struct SProgram {
    const char* pszName;
    const char* pszDescription;
};

const SProgram kPrograms[] = {
    {"VARNOLE", "VARNOLE メインメニュ"},
    {"Gather", "VARNOLE 稼動データの収集／監視"},
    {"GatherHeadless", "VARNOLE 稼動データの収集 (ウィンドウなし)"},
    {"Plotara", "VARNOLE グラフの作成"},
    {"Graph", "VARNOLE グラフ"},
    {"Convert", "VARNOLE ＣＳＶファイルの作成"},
    {"Manager", "VARNOLE 稼動データファイルの管理"},
};

// The build's program folder as Windows sees it (a Linux path is on Wine's Z: drive).
std::wstring ProgramPath(const char* pszName) {
    std::string strDir = VARNOLE_PROGRAM_DIR;
    if (!strDir.empty() && strDir.front() == '/') {
        for (char& c : strDir) c = c == '/' ? '\\' : c;
        strDir = "Z:" + strDir;
    }
    return platform::Utf8ToWide(strDir + "\\" + pszName + ".exe");
}

class ProgramResources : public testing::TestWithParam<SProgram> {};

// The manifest resource as text; empty when the program has none.
std::string ManifestOf(const std::wstring& path) {
    HMODULE hModule = LoadLibraryExW(path.c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (hModule == nullptr) return {};
    std::string strManifest;
    HRSRC hInfo = FindResourceW(hModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (hInfo != nullptr) {
        HGLOBAL hData = LoadResource(hModule, hInfo);
        const char* pData = hData ? static_cast<const char*>(LockResource(hData)) : nullptr;
        if (pData != nullptr) strManifest.assign(pData, SizeofResource(hModule, hInfo));
    }
    FreeLibrary(hModule);
    return strManifest;
}

// One string of the Japanese Unicode block of the version resource.
std::string VersionString(const std::vector<char>& block, const char* pszName) {
    const std::wstring key =
        L"\\StringFileInfo\\041104b0\\" + platform::Utf8ToWide(pszName);
    void* pValue = nullptr;
    UINT nChars = 0;
    if (!VerQueryValueW(block.data(), key.c_str(), &pValue, &nChars) || nChars == 0) return {};
    return platform::WideToUtf8(static_cast<const wchar_t*>(pValue));
}

TEST_P(ProgramResources, ManifestAsksForAdministratorsAndCommonControls6) {
    const std::wstring path = ProgramPath(GetParam().pszName);
    const std::string strManifest = ManifestOf(path);
    ASSERT_FALSE(strManifest.empty()) << "no manifest in " << GetParam().pszName << ".exe";
    for (const char* pszPart :
         {"level=\"requireAdministrator\"", "name=\"Microsoft.Windows.Common-Controls\"",
          "version=\"6.0.0.0\"", ">false</dpiAware>", ">true</gdiScaling>",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
    }
    EXPECT_NE(strManifest.find("name=\"HALDEK.VARNOLE." + std::string(GetParam().pszName) + "\""),
              std::string::npos);

    // The loader accepts it: an activation context made from the program's manifest resource.
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE hContext = CreateActCtxW(&context);
    EXPECT_NE(hContext, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    if (hContext != INVALID_HANDLE_VALUE) ReleaseActCtx(hContext);
}

TEST_P(ProgramResources, VersionResourceCarriesTheSuiteVersion) {
    const std::wstring path = ProgramPath(GetParam().pszName);
    DWORD dwHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeW(path.c_str(), &dwHandle);
    ASSERT_GT(nSize, 0u) << "no version resource in " << GetParam().pszName << ".exe";
    std::vector<char> block(nSize);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, nSize, block.data()));

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nFixed = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&pFixed), &nFixed));
    ASSERT_GE(nFixed, sizeof(VS_FIXEDFILEINFO));
    const std::string strFixed = std::to_string(HIWORD(pFixed->dwFileVersionMS)) + "." +
                                 std::to_string(LOWORD(pFixed->dwFileVersionMS)) + "." +
                                 std::to_string(HIWORD(pFixed->dwFileVersionLS));
    EXPECT_EQ(strFixed, VARNOLE_VERSION);
    EXPECT_EQ(pFixed->dwProductVersionMS, pFixed->dwFileVersionMS);
    EXPECT_EQ(pFixed->dwProductVersionLS, pFixed->dwFileVersionLS);

    EXPECT_EQ(VersionString(block, "FileVersion"), VARNOLE_VERSION);
    EXPECT_EQ(VersionString(block, "ProductVersion"), VARNOLE_VERSION);
    EXPECT_EQ(VersionString(block, "ProductName"), "VARNOLE");
    EXPECT_EQ(VersionString(block, "CompanyName"), "HALDEK");
    EXPECT_EQ(VersionString(block, "FileDescription"), GetParam().pszDescription);
    EXPECT_EQ(VersionString(block, "OriginalFilename"), std::string(GetParam().pszName) + ".exe");
}

INSTANTIATE_TEST_SUITE_P(Suite, ProgramResources, testing::ValuesIn(kPrograms),
                         [](const testing::TestParamInfo<SProgram>& info) {
                             return std::string(info.param.pszName);
                         });

}  // namespace
