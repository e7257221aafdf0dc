// The clipboard by format number (Windows only): the standard formats such as CF_DIB, and the
// registered ones the portable clipboard interface names.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/error_codes.h"

namespace platform {

// Empties the clipboard and puts a copy of the bytes on it under the format, in a movable,
// shareable memory block; owner may be null.
ErrorCode PutClipboardBytes(unsigned int format, std::string_view bytes, HWND owner);

// Copies the block held under the format; kErrorFileNotFound when there is none.
ErrorCode GetClipboardBytes(unsigned int format, std::string& bytes);

}  // namespace platform
