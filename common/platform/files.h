// File-system operations the suite needs, reporting Windows error codes (0 = success).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/error_codes.h"

namespace platform {

// The directory separator that paths built by the programs use.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Adds the separator to a directory path unless it already ends with one (either '\' or '/').
// An empty path stays empty (it stands for the current directory, never for the root).
std::string WithTrailingSeparator(const std::string& directory);

// Matches a file name against a wildcard pattern: '*' stands for any run of characters
// (including none), '?' for exactly one character (one UTF-8 sequence, not one byte), anything
// else for itself. "*.*" matches every name, as on Windows. With ignoreCase, ASCII letters match
// either case (Windows' behaviour); FindFiles on Linux matches case-sensitively like its file
// systems.
bool WildcardMatch(std::string_view pattern, std::string_view name, bool ignoreCase);

bool FileExists(const std::string& path);  // true for files and directories
ErrorCode RenameFile(const std::string& from, const std::string& to);  // fails if `to` exists
ErrorCode DeleteFile(const std::string& path);
ErrorCode CreateDirectory(const std::string& path);  // one level; kErrorAlreadyExists if present
#ifdef _WIN32
// <windows.h> defines DeleteFile and CreateDirectory as macros for DeleteFileW and
// CreateDirectoryW. Whichever order the headers come in, a call through the macro lands on these
// overloads, which do the same as the two functions above.
ErrorCode DeleteFileW(const std::string& path);
ErrorCode CreateDirectoryW(const std::string& path);
#endif

struct FoundFile {
    std::string strName;  // the file name only, without its directory
    bool bDirectory = false;
    bool bHidden = false;  // Windows hidden attribute; on Linux a name starting with '.'
};

// Lists the entries of a directory whose names match a pattern with '*' and '?' wildcards
// ("C:\\data\\VARN_*.va_"): the pattern's last path component is the wildcard part (after the
// last '\' or '/' on Windows, the last '/' on Linux). "." and ".." are never returned. The list
// is in byte order of the names. An empty list and kSuccess when nothing matches;
// kErrorPathNotFound when the directory does not exist. Windows matches without regard to case;
// Linux, whose file systems tell case apart, matches case-sensitively.
ErrorCode FindFiles(const std::string& pattern, std::vector<FoundFile>& found);

// The file's creation time (on Linux, the birth time when the file system has one, otherwise the
// last status change time).
ErrorCode FileCreationTime(const std::string& path, Time& created);

// The directory that holds the running program's executable, with a trailing separator.
std::string ProgramDirectory();

}  // namespace platform
