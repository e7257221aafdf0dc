// Tests of the registry store against values other programs may have written: wrong types and
// strings without a terminator or with an odd byte count must never be over-read.
#include <windows.h>

#include <gtest/gtest.h>

#include "config_store_fixture.h"
#include "platform/config_store.h"
#include "platform/win32/wide_string.h"

namespace platform_test {

void DeleteTestValue(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                      platform::Utf8ToWide(platform::ConfigStore::kKeyPath).c_str(), 0,
                      KEY_SET_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, platform::Utf8ToWide(name).c_str());
        RegCloseKey(key);
    }
}

}  // namespace platform_test

namespace {

using platform::ConfigStore;
using platform_test::ConfigStoreTest;

class RegistryRawTest : public ConfigStoreTest {
protected:
    // Writes a value's bytes exactly as given, bypassing the store.
    void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, platform::Utf8ToWide(ConfigStore::kKeyPath).c_str(),
                            0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, platform::Utf8ToWide(name).c_str(), 0, type,
                                 static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(RegistryRawTest, StringWithoutTerminatorIsReadToItsEnd) {
    const std::string name = ValueName("unterminated");
    const wchar_t text[] = {L'a', L'b', L'c', L'X'};
    WriteRaw(name, REG_SZ, text, 3 * sizeof(wchar_t));  // "abc", no terminator stored
    std::string read;
    ASSERT_EQ(ConfigStore::ReadString(name, read), platform::kSuccess);
    EXPECT_EQ(read, "abc");
}

TEST_F(RegistryRawTest, OddByteCountDropsTheHalfCharacter) {
    const std::string name = ValueName("odd");
    const wchar_t text[] = {L'a', L'b', L'c'};
    WriteRaw(name, REG_SZ, text, 5);
    std::string read;
    ASSERT_EQ(ConfigStore::ReadString(name, read), platform::kSuccess);
    EXPECT_EQ(read, "ab");
}

TEST_F(RegistryRawTest, EmbeddedTerminatorEndsTheString) {
    const std::string name = ValueName("embedded");
    const wchar_t text[] = {L'a', L'\0', L'b', L'\0'};
    WriteRaw(name, REG_SZ, text, sizeof text);
    std::string read;
    ASSERT_EQ(ConfigStore::ReadString(name, read), platform::kSuccess);
    EXPECT_EQ(read, "a");
}

TEST_F(RegistryRawTest, DwordOfTheWrongSizeOrTypeIsInvalidData) {
    const std::string shortName = ValueName("short_dword");
    const std::string binaryName = ValueName("binary");
    const BYTE bytes[4] = {1, 2, 3, 4};
    WriteRaw(shortName, REG_DWORD, bytes, 2);
    WriteRaw(binaryName, REG_BINARY, bytes, 4);
    std::uint32_t number = 0;
    std::string text;
    EXPECT_EQ(ConfigStore::ReadDword(shortName, number), platform::kErrorInvalidData);
    EXPECT_EQ(ConfigStore::ReadDword(binaryName, number), platform::kErrorInvalidData);
    EXPECT_EQ(ConfigStore::ReadString(binaryName, text), platform::kErrorInvalidData);
}

TEST_F(RegistryRawTest, StoredStringIsTerminatedUtf16) {
    const std::string name = ValueName("stored");
    ASSERT_EQ(ConfigStore::WriteString(name, "予約"), platform::kSuccess);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, platform::Utf8ToWide(ConfigStore::kKeyPath).c_str(),
                            0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key),
              ERROR_SUCCESS);
    wchar_t buffer[8] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(key, platform::Utf8ToWide(name).c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 3 * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(buffer), L"\u4E88\u7D04");
}

// Every program of the suite uses the 64-bit view of the key, where the installer writes it. A
// 32-bit program that left out KEY_WOW64_64KEY would land in the 32-bit view
// (SOFTWARE\WOW6432Node\...); the store must neither read nor write there. This test works on
// the machine's own HKEY_LOCAL_MACHINE, since a redirected one has no views.
class RegistryViewTest : public testing::Test {
protected:
    // Writes a DWORD into one view of the suite's key, creating the key as an installer would.
    static void WriteInView(REGSAM view, const std::wstring& name, DWORD value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                                  platform::Utf8ToWide(ConfigStore::kKeyPath).c_str(), 0, nullptr,
                                  0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&value), sizeof value),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static DWORD ReadInView(REGSAM view, const std::wstring& name) {
        HKEY key = nullptr;
        DWORD value = 0;
        DWORD size = sizeof value;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                                platform::Utf8ToWide(ConfigStore::kKeyPath).c_str(), 0,
                                KEY_QUERY_VALUE | view, &key),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&value), &size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        return value;
    }
    void TearDown() override {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                              platform::Utf8ToWide(ConfigStore::kKeyPath).c_str(), 0,
                              KEY_SET_VALUE | view, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, m_name.c_str());
                RegCloseKey(key);
            }
        }
    }

    const std::wstring m_name = L"VarnoleViewTest_" + std::to_wstring(GetCurrentProcessId());
};

TEST_F(RegistryViewTest, TheStoreUsesThe64BitViewOnly) {
    WriteInView(KEY_WOW64_64KEY, m_name, 64);
    WriteInView(KEY_WOW64_32KEY, m_name, 32);
    const std::string name = platform::WideToUtf8(m_name);
    std::uint32_t read = 0;
    ASSERT_EQ(ConfigStore::ReadDword(name, read), platform::kSuccess);
    EXPECT_EQ(read, 64u);
    ASSERT_EQ(ConfigStore::WriteDword(name, 7), platform::kSuccess);
    EXPECT_EQ(ReadInView(KEY_WOW64_64KEY, m_name), 7u);
    EXPECT_EQ(ReadInView(KEY_WOW64_32KEY, m_name), 32u);
}

}  // namespace
