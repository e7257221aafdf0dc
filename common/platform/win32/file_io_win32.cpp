// Shared log files on Windows: share-read-only opens, end-of-file appends, and whole-file reads.
#include <windows.h>

#include <algorithm>

#include "platform/file_io.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/write_all.h"

namespace platform {

struct AppendFile::Impl {
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

AppendFile::AppendFile() : m_pImpl(std::make_unique<Impl>()) {}

AppendFile::~AppendFile() {
    Close();
}

ErrorCode AppendFile::Open(const std::string& path) {
    Close();
    if (path.empty()) return kErrorPathNotFound;
    HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        // Made just now: a file renamed away from this name within the last seconds would
        // otherwise hand its creation time on to this one.
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        SetFileTime(file, &now, nullptr, nullptr);
    }
    m_pImpl->m_hFile = file;
    return kSuccess;
}

ErrorCode AppendFile::Append(std::string_view bytes) {
    HANDLE file = m_pImpl->m_hFile;
    if (file == INVALID_HANDLE_VALUE) return kErrorInvalidHandle;
    if (bytes.empty()) return kSuccess;
    LARGE_INTEGER previousEnd{};
    if (!GetFileSizeEx(file, &previousEnd)) return GetLastError();
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_END)) return GetLastError();

    std::size_t written = 0;
    const ErrorCode error = WriteAll(file, bytes.data(), bytes.size(), written);
    if (error != kSuccess && written > 0) {
        // Part of the record is in the file: cut it off again.
        SetFilePointerEx(file, previousEnd, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
    }
    return error;
}

bool AppendFile::IsOpen() const {
    return m_pImpl->m_hFile != INVALID_HANDLE_VALUE;
}

void AppendFile::Close() {
    if (m_pImpl->m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_pImpl->m_hFile);
    m_pImpl->m_hFile = INVALID_HANDLE_VALUE;
}

}  // namespace platform
