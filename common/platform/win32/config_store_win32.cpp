// The configuration store on Windows: values under the suite's key in HKEY_LOCAL_MACHINE.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/config_store.h"
#include "platform/win32/wide_string.h"

namespace platform {

namespace {

// Every program of the suite opens the key in the 64-bit registry view, whatever its own
// bitness: the installer (a 64-bit package) writes the key there, and a 32-bit program without
// this flag would be redirected to SOFTWARE\WOW6432Node\HALDEK\... and see other values.
constexpr REGSAM kRegistryView = KEY_WOW64_64KEY;

// The suite's key, opened (never created) with the given access; closed when it leaves scope.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LSTATUS Open(REGSAM access) {
        Close();
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(ConfigStore::kKeyPath).c_str(), 0,
                             access | kRegistryView, &m_hKey);
    }
    void Close() {
        if (m_hKey != nullptr) RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// Reads a value's type and raw bytes, growing the buffer while the value grows under us.
ErrorCode QueryValue(const std::string& name, DWORD& type, std::vector<BYTE>& data) {
    CRegKey key;
    LSTATUS status = key.Open(KEY_QUERY_VALUE);
    if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
    const std::wstring wideName = Utf8ToWide(name);
    DWORD size = 0;
    status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    for (;;) {
        if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
        data.assign(size, 0);
        status = RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type,
                                  data.empty() ? nullptr : data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            status = ERROR_SUCCESS;
            continue;  // size now holds the new length
        }
        if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
        if (size > data.size()) return kErrorInvalidData;
        data.resize(size);
        return kSuccess;
    }
}

ErrorCode SetValue(HKEY key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
    if (key == nullptr) return kErrorInvalidHandle;
    return static_cast<ErrorCode>(
        RegSetValueExW(key, Utf8ToWide(name).c_str(), 0, type, data, size));
}

}  // namespace

ErrorCode ConfigStore::ReadString(const std::string& name, std::string& value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    const ErrorCode error = QueryValue(name, type, data);
    if (error != kSuccess) return error;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return kErrorInvalidData;
    // The stored bytes need not end with a terminator nor have an even length: take the whole
    // UTF-16 units only and stop at the first terminator.
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    value = WideToUtf8(text);
    return kSuccess;
}

ErrorCode ConfigStore::ReadDword(const std::string& name, std::uint32_t& value) {
    DWORD type = 0;
    std::vector<BYTE> data;
    const ErrorCode error = QueryValue(name, type, data);
    if (error != kSuccess) return error;
    if (type != REG_DWORD || data.size() != sizeof(DWORD)) return kErrorInvalidData;
    DWORD number = 0;
    memcpy(&number, data.data(), sizeof number);
    value = number;
    return kSuccess;
}

struct ConfigWriter::SKey {
    CRegKey key;
};

ConfigWriter::ConfigWriter() : m_pKey(std::make_unique<SKey>()) {}
ConfigWriter::~ConfigWriter() = default;

ErrorCode ConfigWriter::Open() {
    return static_cast<ErrorCode>(m_pKey->key.Open(KEY_SET_VALUE));
}

bool ConfigWriter::IsOpen() const {
    return m_pKey->key.Get() != nullptr;
}

ErrorCode ConfigWriter::WriteString(const std::string& name, const std::string& value) {
    const std::wstring text = Utf8ToWide(value);
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return SetValue(m_pKey->key.Get(), name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    size);
}

ErrorCode ConfigWriter::WriteDword(const std::string& name, std::uint32_t value) {
    const DWORD number = value;
    return SetValue(m_pKey->key.Get(), name, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                    sizeof number);
}

}  // namespace platform
