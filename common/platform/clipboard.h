// The clipboard as the suite uses it: one block of bytes under a format registered by name.
#pragma once
#include <string>
#include <string_view>

#include "platform/error_codes.h"

namespace platform {

// Empties the clipboard and puts the bytes on it under the named format (RegisterClipboardFormat:
// every program gets the same format for the same name). ownerWindow is the native window handle
// that owns the clipboard, or null. From then on the clipboard owns the data.
//
// Linux has no system clipboard for these programs: the block is kept in a file of the per-user
// runtime directory, one per format name, which every program of the same user sees.
ErrorCode PutClipboardBlock(const std::string& formatName, std::string_view bytes,
                            void* ownerWindow = nullptr);

// Copies the block held under the named format into bytes. The block may be longer than what
// was put (Windows rounds memory blocks up; the suite's writers pad with zeros). Returns
// kErrorFileNotFound when the clipboard holds nothing under that format, another code when the
// clipboard cannot be read.
ErrorCode GetClipboardBlock(const std::string& formatName, std::string& bytes);

}  // namespace platform
