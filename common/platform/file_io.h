// Appending whole records to a log file that several threads and processes share.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/error_codes.h"

namespace platform {

// A file opened for appending while others may read it but not write it (Windows share mode
// FILE_SHARE_READ; on Linux an open-file-description write lock on the whole file, which every
// writer through this class respects). Each Append adds its bytes at the current end of the file
// in one piece, so records appended by different writers never interleave.
class AppendFile {
public:
    AppendFile();
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the file, creating it when it is missing and keeping its contents otherwise.
    // kErrorSharingViolation when another writer holds it open right now (worth a retry);
    // kErrorPathNotFound when the directory is missing. A newly created file is stamped with the
    // current time as its creation time, so a file made under the name of one just renamed away
    // does not inherit that file's creation time (Windows file-system tunnelling).
    ErrorCode Open(const std::string& path);

    // Appends the bytes at the end of the file. All or nothing: when the file system takes only
    // part of them (a full disk), the file is cut back to its previous length and the error is
    // returned, so a reader never meets half a record followed by whole ones.
    ErrorCode Append(std::string_view bytes);

    bool IsOpen() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

}  // namespace platform
