// The texts by which Gather tells the user that its settings file could not be read or written.
#pragma once
#include <string>

#include "archive_stream.h"
#include "platform/error_codes.h"

// Caption of every settings file message box.
inline constexpr const char* kSettingsErrorCaption = "エラー";

// Why a read failed, in words: the system's text for a platform error code, or the decoding
// failure.
std::string SettingsReadErrorReason(platform::ErrorCode nError);
std::string SettingsDecodeErrorReason(EArchiveError eError);
// Why a write failed, from its platform error code.
std::string SettingsWriteErrorReason(platform::ErrorCode nError);

// The settings file strPath was not read whole. strSetAside is where it was moved, or empty when
// it could not be moved (it is then overwritten by the next save, and VARNOLE.old is kept).
std::string SettingsLoadFailedText(const std::string& strPath, const std::string& strReason,
                                   const std::string& strSetAside);

// Writing the new settings file failed before VARNOLE.dat was touched.
std::string SettingsWriteFailedText(const std::string& strPath, const std::string& strReason);

// The new file was written whole under strTemporary but could not take the place of strPath.
std::string SettingsReplaceFailedText(const std::string& strPath, const std::string& strTemporary,
                                      const std::string& strReason);
