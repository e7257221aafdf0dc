// Message boxes through MessageBoxW, with the texts converted from UTF-8.
#include "win32ui/message_box.h"

#include "platform/win32/wide_string.h"

namespace win32ui {

int ShowMessageBox(HWND hOwner, std::string_view text, std::string_view caption, UINT nIcon,
                   UINT nButtons) {
    return MessageBoxW(hOwner, platform::Utf8ToWide(text).c_str(),
                       platform::Utf8ToWide(caption).c_str(), nIcon | nButtons);
}

}  // namespace win32ui
