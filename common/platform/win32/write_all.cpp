// Writing a whole byte range to a Win32 file handle, in pieces WriteFile can take.
#include "platform/win32/write_all.h"

#include <algorithm>

namespace platform {

ErrorCode WriteAll(HANDLE hFile, const void* pData, std::size_t nSize, std::size_t& nWritten) {
    // WriteFile takes a DWORD count; larger ranges go in pieces of 1 GiB.
    constexpr std::size_t kMaxPiece = std::size_t{1} << 30;
    const char* p = static_cast<const char*>(pData);
    nWritten = 0;
    while (nWritten < nSize) {
        const DWORD nPiece = static_cast<DWORD>(std::min(nSize - nWritten, kMaxPiece));
        DWORD nDone = 0;
        if (!WriteFile(hFile, p + nWritten, nPiece, &nDone, nullptr)) {
            const DWORD nError = GetLastError();
            return nError != ERROR_SUCCESS ? nError : kErrorDiskFull;
        }
        if (nDone == 0) return kErrorDiskFull;
        nWritten += nDone;
    }
    return kSuccess;
}

}  // namespace platform
