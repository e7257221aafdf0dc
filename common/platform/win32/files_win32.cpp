// File-system operations on Windows through the W API.
#include <windows.h>
// The suite's own DeleteFile and CreateDirectory are defined here under their real names.
#undef DeleteFile
#undef CreateDirectory

#include <algorithm>

#include "platform/files.h"
#include "platform/win32/wide_string.h"

namespace platform {
namespace {

constexpr std::int64_t kEpochDifference = 116444736000000000ll;  // 1601 -> 1970, 100-ns units

}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

ErrorCode RenameFile(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    if (MoveFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str())) return kSuccess;
    return GetLastError();
}

ErrorCode DeleteFile(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    if (::DeleteFileW(Utf8ToWide(path).c_str())) return kSuccess;
    return GetLastError();
}

ErrorCode CreateDirectory(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    if (::CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr)) return kSuccess;
    return GetLastError();
}

ErrorCode DeleteFileW(const std::string& path) {
    return DeleteFile(path);
}

ErrorCode CreateDirectoryW(const std::string& path) {
    return CreateDirectory(path);
}

ErrorCode FindFiles(const std::string& pattern, std::vector<FoundFile>& found) {
    found.clear();
    const std::size_t separator = pattern.find_last_of("\\/");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    if (nameStart >= pattern.size()) return kErrorFileNotFound;

    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(Utf8ToWide(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // "Nothing matches" is an empty result, not a failure.
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) ? kSuccess : error;
    }
    DWORD error = ERROR_SUCCESS;
    for (;;) {
        const std::wstring_view name(data.cFileName);
        if (name != L"." && name != L"..") {
            FoundFile file;
            file.strName = WideToUtf8(name);
            file.bDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            file.bHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
            found.push_back(std::move(file));
        }
        // Any failure ends the walk: the entry in data is stale and must not be taken again.
        if (!FindNextFileW(find, &data)) {
            error = GetLastError();
            break;
        }
    }
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) return error;
    // The enumeration order depends on the file system; name order makes results repeatable.
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.strName < b.strName; });
    return kSuccess;
}

ErrorCode FileCreationTime(const std::string& path, Time& created) {
    if (path.empty()) return kErrorPathNotFound;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return GetLastError();
    }
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftCreationTime.dwHighDateTime) << 32) |
        data.ftCreationTime.dwLowDateTime);
    created = (ticks - kEpochDifference) / 10000000;
    return kSuccess;
}

std::string ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string(".") + kPathSeparator;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return std::string(".") + kPathSeparator;
    return WideToUtf8(std::wstring_view(path).substr(0, separator + 1));
}

}  // namespace platform
