// Window texts in the program's UTF-8, converted to and from UTF-16 at the Win32 call.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace win32ui {

std::string GetWindowTextUtf8(HWND hWnd);
void SetWindowTextUtf8(HWND hWnd, std::string_view text);
std::string GetDlgItemTextUtf8(HWND hDialog, int nId);
void SetDlgItemTextUtf8(HWND hDialog, int nId, std::string_view text);

}  // namespace win32ui
