// LocalComputerName through GetComputerNameW.
#include <windows.h>

#include "platform/computer_name.h"
#include "platform/win32/wide_string.h"

namespace platform {

std::string LocalComputerName() {
    wchar_t szName[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD nLength = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(szName, &nLength)) return std::string();
    return WideToUtf8(std::wstring(szName, nLength));
}

}  // namespace platform
