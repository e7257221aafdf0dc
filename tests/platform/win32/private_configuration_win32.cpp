// A private configuration store on Windows: HKEY_LOCAL_MACHINE redirected to a key of the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "platform/config_store.h"
#include "platform/private_configuration.h"
#include "platform/win32/wide_string.h"

namespace platform_test {

struct CPrivateConfiguration::SState {
    std::wstring strRoot;
    HKEY hRoot = nullptr;
};

CPrivateConfiguration::CPrivateConfiguration() : m_pState(std::make_unique<SState>()) {
    static std::atomic<int> s_nSerial{0};
    m_pState->strRoot = L"Software\\VarnoleTest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                        std::to_wstring(++s_nSerial);
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_pState->strRoot.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &m_pState->hRoot, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_pState->hRoot), ERROR_SUCCESS);
}

CPrivateConfiguration::~CPrivateConfiguration() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(m_pState->hRoot);
    RegDeleteTreeW(HKEY_CURRENT_USER, m_pState->strRoot.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, m_pState->strRoot.c_str());
}

void CPrivateConfiguration::CreateKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                              platform::Utf8ToWide(platform::ConfigStore::kKeyPath).c_str(), 0,
                              nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool CPrivateConfiguration::KeyExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(m_pState->hRoot,
                      platform::Utf8ToWide(platform::ConfigStore::kKeyPath).c_str(), 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

}  // namespace platform_test
