// Writing a whole byte range to a Win32 file handle, in pieces WriteFile can take.
#pragma once
#include <windows.h>

#include <cstddef>

#include "platform/error_codes.h"

namespace platform {

// Writes all nSize bytes at the handle's position. On failure returns the error (kErrorDiskFull
// when WriteFile accepts nothing without saying why); nWritten tells how many bytes went in.
ErrorCode WriteAll(HANDLE hFile, const void* pData, std::size_t nSize, std::size_t& nWritten);

}  // namespace platform
