// The real network on Windows: remote registry (RegConnectRegistryW ...) and WNet browsing.
#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "platform/host_access.h"
#include "platform/win32/wide_string.h"

namespace platform {
namespace {

HKEY ToHkey(HostKey hKey) {
    return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(hKey));
}

HostKey FromHkey(HKEY hKey) {
    return static_cast<HostKey>(reinterpret_cast<std::uintptr_t>(hKey));
}

// The provider whose domains and computers Gather offers.
constexpr wchar_t kProviderName[] = L"Microsoft Windows Network";
// Buffer of one enumeration, and the size each WNetEnumResourceW call is told it has.
constexpr DWORD kEnumBufferBytes = 0x80000;
constexpr DWORD kEnumCallBytes = 0x4000;

// Lists the containers below a network resource record: scope "global network", any resource
// type, display type "domain", usage "container", the given remote name (none for the top).
ErrorCode EnumerateContainer(const wchar_t* pszRemoteName, std::vector<std::string>& vecNames) {
    NETRESOURCEW resource{};
    resource.dwScope = RESOURCE_GLOBALNET;
    resource.dwType = RESOURCETYPE_ANY;
    resource.dwDisplayType = RESOURCEDISPLAYTYPE_DOMAIN;
    resource.dwUsage = RESOURCEUSAGE_CONTAINER;
    std::wstring strRemote = pszRemoteName != nullptr ? pszRemoteName : L"";
    std::wstring strProvider = kProviderName;
    resource.lpRemoteName = pszRemoteName != nullptr ? strRemote.data() : nullptr;
    resource.lpProvider = strProvider.data();

    HANDLE hEnum = nullptr;
    DWORD nResult = WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, &resource, &hEnum);
    if (nResult != NO_ERROR) return nResult;

    // NETRESOURCEW entries hold pointers into the same buffer: keep it aligned for them.
    std::vector<std::uint64_t> vecBuffer(kEnumBufferBytes / sizeof(std::uint64_t));
    for (;;) {
        DWORD nCount = 1;
        DWORD nBytes = kEnumCallBytes;
        nResult = WNetEnumResourceW(hEnum, &nCount, vecBuffer.data(), &nBytes);
        if (nResult != NO_ERROR) break;
        const auto* pEntry = reinterpret_cast<const NETRESOURCEW*>(vecBuffer.data());
        for (DWORD i = 0; i < nCount; ++i) {
            if (pEntry[i].lpRemoteName != nullptr) {
                vecNames.push_back(WideToUtf8(pEntry[i].lpRemoteName));
            }
        }
    }
    WNetCloseEnum(hEnum);
    return nResult == ERROR_NO_MORE_ITEMS ? kSuccess : nResult;
}

class CNetworkHostAccess final : public HostAccess {
public:
    ErrorCode ConnectRegistry(const std::string& strHost, HostKey& hMachine) override {
        const std::wstring strWide = Utf8ToWide(strHost);
        HKEY hKey = nullptr;
        const LONG nResult = RegConnectRegistryW(strWide.empty() ? nullptr : strWide.c_str(),
                                                 HKEY_LOCAL_MACHINE, &hKey);
        hMachine = nResult == ERROR_SUCCESS ? FromHkey(hKey) : kNoHostKey;
        return static_cast<ErrorCode>(nResult);
    }

    ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                            const std::string& strPassword) override {
        std::wstring strRemote = Utf8ToWide(strRemoteName);
        const std::wstring strWideUser = Utf8ToWide(strUser);
        const std::wstring strWidePassword = Utf8ToWide(strPassword);
        NETRESOURCEW resource{};
        resource.dwType = RESOURCETYPE_DISK;
        resource.lpRemoteName = strRemote.data();
        // WNetAddConnection2 reports its code as the result (and does not always set the last
        // error, for example under Wine).
        return WNetAddConnection2W(&resource, strWidePassword.c_str(), strWideUser.c_str(), 0);
    }

    ErrorCode OpenKey(HostKey hKey, const std::string& strSubKey, std::uint32_t nAccess,
                      HostKey& hResult) override {
        const std::wstring strWide = Utf8ToWide(strSubKey);
        HKEY hOpened = nullptr;
        const LONG nResult = RegOpenKeyExW(ToHkey(hKey), strWide.c_str(), 0, nAccess, &hOpened);
        hResult = nResult == ERROR_SUCCESS ? FromHkey(hOpened) : kNoHostKey;
        return static_cast<ErrorCode>(nResult);
    }

    ErrorCode QueryValue(HostKey hKey, const std::string& strValue, std::uint32_t* pType,
                         void* pData, std::uint32_t& nBytes) override {
        const std::wstring strWide = Utf8ToWide(strValue);
        DWORD nType = 0;
        DWORD nSize = nBytes;
        const LONG nResult = RegQueryValueExW(ToHkey(hKey), strWide.c_str(), nullptr, &nType,
                                              static_cast<BYTE*>(pData), &nSize);
        nBytes = nSize;
        if (pType != nullptr) *pType = nType;
        return static_cast<ErrorCode>(nResult);
    }

    ErrorCode CloseKey(HostKey hKey) override {
        return static_cast<ErrorCode>(RegCloseKey(ToHkey(hKey)));
    }

    ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        vecDomains.clear();
        return EnumerateContainer(nullptr, vecDomains);
    }

    ErrorCode EnumerateHosts(const std::string& strDomain,
                             std::vector<std::string>& vecHosts) override {
        vecHosts.clear();
        const std::wstring strWide = Utf8ToWide(strDomain);
        return EnumerateContainer(strWide.c_str(), vecHosts);
    }
};

}  // namespace

std::unique_ptr<HostAccess> CreateNetworkHostAccess() {
    return std::make_unique<CNetworkHostAccess>();
}

std::string EnvironmentVariable(const std::string& strName) {
    const std::wstring strWideName = Utf8ToWide(strName);
    std::wstring strValue(256, L'\0');
    for (int nAttempt = 0; nAttempt < 4; ++nAttempt) {
        const DWORD nLength = GetEnvironmentVariableW(strWideName.c_str(), strValue.data(),
                                                      static_cast<DWORD>(strValue.size()));
        if (nLength == 0) return std::string();
        if (nLength < strValue.size()) {
            strValue.resize(nLength);
            return WideToUtf8(strValue);
        }
        strValue.assign(nLength, L'\0');  // too small: nLength counts the terminating NUL
    }
    return std::string();
}

}  // namespace platform
