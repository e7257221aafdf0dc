// Data files on Windows: CreateFileW with CREATE_NEW and share modes, ReadFile/WriteFile loops.
#include <windows.h>

#include <algorithm>

#include "platform/data_file_io.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/write_all.h"

namespace platform {
namespace {

// WriteFile and ReadFile take a DWORD count; larger requests go in pieces.
constexpr std::size_t kMaxPiece = 1u << 30;

class CWin32OutputFile final : public IOutputFile {
public:
    explicit CWin32OutputFile(HANDLE hFile) : m_hFile(hFile) {}
    ~CWin32OutputFile() override { Close(); }

    ErrorCode Write(const void* pData, std::size_t nSize) override {
        if (m_hFile == INVALID_HANDLE_VALUE) return kErrorInvalidHandle;
        std::size_t nWritten = 0;
        return WriteAll(m_hFile, pData, nSize, nWritten);
    }

    ErrorCode Close() override {
        if (m_hFile == INVALID_HANDLE_VALUE) return kSuccess;
        HANDLE hFile = m_hFile;
        m_hFile = INVALID_HANDLE_VALUE;
        return CloseHandle(hFile) ? kSuccess : GetLastError();
    }

private:
    HANDLE m_hFile;
};

}  // namespace

ErrorCode CreateNewOutputFile(const std::string& path, std::unique_ptr<IOutputFile>& file) {
    file.reset();
    if (path.empty()) return kErrorPathNotFound;
    HANDLE hFile = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return GetLastError();
    file = std::make_unique<CWin32OutputFile>(hFile);
    return kSuccess;
}

struct InputFile::Impl {
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

InputFile::InputFile() : m_pImpl(std::make_unique<Impl>()) {}

InputFile::~InputFile() {
    Close();
}

ErrorCode InputFile::Open(const std::string& path) {
    Close();
    if (path.empty()) return kErrorPathNotFound;
    // Sharing write lets a reader follow a file that is still being written; sharing delete
    // lets its writer rename it when it finishes while the reader still has it open.
    HANDLE hFile = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return GetLastError();
    m_pImpl->m_hFile = hFile;
    return kSuccess;
}

ErrorCode InputFile::Read(void* pBuffer, std::size_t nSize, std::size_t& nRead) {
    nRead = 0;
    if (m_pImpl->m_hFile == INVALID_HANDLE_VALUE) return kErrorInvalidHandle;
    DWORD nGot = 0;
    if (!ReadFile(m_pImpl->m_hFile, pBuffer, static_cast<DWORD>(std::min(nSize, kMaxPiece)), &nGot,
                  nullptr)) {
        const DWORD nError = GetLastError();
        return nError == ERROR_HANDLE_EOF ? kSuccess : nError;
    }
    nRead = nGot;
    return kSuccess;
}

ErrorCode InputFile::Size(std::uint64_t& nBytes) const {
    nBytes = 0;
    if (m_pImpl->m_hFile == INVALID_HANDLE_VALUE) return kErrorInvalidHandle;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_pImpl->m_hFile, &size)) return GetLastError();
    nBytes = static_cast<std::uint64_t>(size.QuadPart);
    return kSuccess;
}

bool InputFile::IsOpen() const {
    return m_pImpl->m_hFile != INVALID_HANDLE_VALUE;
}

void InputFile::Close() {
    if (m_pImpl->m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_pImpl->m_hFile);
    m_pImpl->m_hFile = INVALID_HANDLE_VALUE;
}

}  // namespace platform
