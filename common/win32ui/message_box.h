// The suite's one message box helper: UTF-8 text and caption, an icon and a set of buttons.
#pragma once
#include <windows.h>

#include <string_view>

namespace win32ui {

// Shows a modal message box owned by hOwner (may be null). nIcon is one of MB_ICONERROR,
// MB_ICONWARNING, MB_ICONINFORMATION, MB_ICONQUESTION or 0; nButtons one of MB_OK, MB_OKCANCEL,
// MB_YESNO, with MB_SYSTEMMODAL added for a box that holds every window. Returns the pressed
// button (IDOK, IDCANCEL, IDYES, IDNO), or 0 when the box could not be shown.
int ShowMessageBox(HWND hOwner, std::string_view text, std::string_view caption, UINT nIcon,
                   UINT nButtons);

}  // namespace win32ui
