// The file operations the settings file uses, behind an interface so tests can inject faults.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/error_codes.h"

// Each operation reports a Windows error code (0 = success), as the platform layer does.
// The settings file holds the hosts' passwords: every file WriteAll makes is readable and
// writable by administrators and the system only, and a rename keeps that.
class IFileOps {
public:
    virtual ~IFileOps() = default;

    // True when the path names an existing file or directory.
    virtual bool Exists(const std::string& strPath) = 0;
    // Reads the whole file into strContents; platform::kErrorFileTooLarge without reading when
    // the file is larger than nMaxSize bytes.
    virtual platform::ErrorCode ReadAll(const std::string& strPath, std::size_t nMaxSize,
                                        std::string& strContents) = 0;
    // Creates or truncates the file, writes all bytes, flushes them to the disk and closes it.
    // After a failure the file may exist with part of the bytes.
    virtual platform::ErrorCode WriteAll(const std::string& strPath, std::string_view bytes) = 0;
    // Renames a file; fails when strTo exists.
    virtual platform::ErrorCode Rename(const std::string& strFrom, const std::string& strTo) = 0;
    // Renames a file over strTo, replacing it in one step when it exists.
    virtual platform::ErrorCode Replace(const std::string& strFrom, const std::string& strTo) = 0;
    virtual platform::ErrorCode Delete(const std::string& strPath) = 0;
    // Makes an existing file readable and writable by administrators and the system only.
    virtual platform::ErrorCode RestrictAccess(const std::string& strPath) = 0;
};

// The platform's file system. One shared instance.
IFileOps& PlatformFileOps();
