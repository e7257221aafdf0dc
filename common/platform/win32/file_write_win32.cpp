// Whole-file I/O on Windows: flushed writes, MoveFileEx over an existing file, reads with a size
// limit.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "platform/file_write.h"
#include "platform/win32/administrators_only.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/write_all.h"

namespace platform {

ErrorCode WriteFileFlushed(const std::string& path, std::string_view bytes, EFileAccess access) {
    if (path.empty()) return kErrorPathNotFound;
    const std::wstring widePath = Utf8ToWide(path);
    DWORD creation = CREATE_ALWAYS;
    std::optional<CAdministratorsOnlySecurity> security;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (access == EFileAccess::kAdministrators) {
        // A security descriptor applies only to a file that the call creates.
        security.emplace();
        if (security->Error() != kSuccess) return security->Error();
        if (!DeleteFileW(widePath.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
            return GetLastError();
        }
        attributes.lpSecurityDescriptor = security->Descriptor();
        creation = CREATE_NEW;
    }
    HANDLE file = CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &attributes,
                              creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    std::size_t written = 0;
    const ErrorCode error = WriteAll(file, bytes.data(), bytes.size(), written);
    if (error != kSuccess) {
        CloseHandle(file);
        return error;
    }
    if (!FlushFileBuffers(file)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return error;
    }
    if (!CloseHandle(file)) return GetLastError();
    return kSuccess;
}

ErrorCode RenameReplacing(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    if (MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return kSuccess;
    }
    return GetLastError();
}

ErrorCode ReadFileCapped(const std::string& path, std::size_t maxSize, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return kErrorPathNotFound;
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        return error;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxSize) {
        CloseHandle(file);
        return kErrorFileTooLarge;
    }
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD done = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &done, nullptr)) {
            const DWORD error = GetLastError();
            CloseHandle(file);
            bytes.clear();
            return error;
        }
        if (done == 0) break;
        // The file may have grown since it was measured.
        if (done > maxSize - bytes.size()) {
            CloseHandle(file);
            bytes.clear();
            return kErrorFileTooLarge;
        }
        bytes.append(buffer, done);
    }
    CloseHandle(file);
    return kSuccess;
}

}  // namespace platform
