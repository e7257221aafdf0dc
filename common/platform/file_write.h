// Whole-file I/O for small files that must never be left half-written: flushed writes, replacing
// renames, capped reads.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/error_codes.h"
#include "platform/file_access.h"

namespace platform {

// Creates the file or truncates it, writes all bytes, flushes them to the disk and closes it.
// While it is open others may read it but not write it. A full disk gives kErrorDiskFull. After
// a failure the file may hold part of the bytes: callers write under a temporary name.
// With EFileAccess::kAdministrators the file is a new one that has that access from its
// creation on (an existing file of that name is deleted first, so that nobody who opened it
// before can read the new bytes).
ErrorCode WriteFileFlushed(const std::string& path, std::string_view bytes,
                           EFileAccess access = EFileAccess::kInherited);

// Renames `from` to `to`, replacing `to` in one step when it exists (on Linux the directory
// entry is flushed too, so the new name survives a power failure).
ErrorCode RenameReplacing(const std::string& from, const std::string& to);

// Reads a whole file into bytes while others may go on writing, renaming or deleting it.
// A file larger than maxSize is not read: kErrorFileTooLarge, and bytes stays empty.
ErrorCode ReadFileCapped(const std::string& path, std::size_t maxSize, std::string& bytes);

}  // namespace platform
