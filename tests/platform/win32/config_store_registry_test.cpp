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
                      KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
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
                            0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
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
                            0, KEY_QUERY_VALUE, &key),
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

}  // namespace
