// The chart picture out of Graph: a PNG file chosen in the save dialog, or a bitmap on the
// clipboard.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/error_codes.h"
#include "rgb_image.h"

// Asks where to save, offering strDefaultName; the chosen path (UTF-8), or nothing when the
// user cancelled.
std::optional<std::string> AskSavePath(HWND hOwner, const std::string& strDefaultName);

// Writes the picture as a PNG file.
platform::ErrorCode SavePicture(const std::string& strPath, const CRgbImage& image);

// Puts the picture on the clipboard as a device-independent bitmap (CF_DIB).
platform::ErrorCode CopyPicture(HWND hOwner, const CRgbImage& image);
