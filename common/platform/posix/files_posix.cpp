// File-system operations on Linux, reporting the Windows error codes the same calls give there.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files.h"
#include "platform/posix/errno_map.h"

namespace platform {
namespace {

std::string ParentOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return trimmed.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Windows tells a missing file (2) from a missing directory on the way to it (3); errno does not.
ErrorCode ErrorForPath(int err, const std::string& path) {
    if (err == ENOENT && !IsDirectory(ParentOf(path))) return kErrorPathNotFound;
    return posix::ErrorFromErrno(err);
}

// Renames without replacing an existing target, atomically where the file system allows it.
int RenameNoReplace(const char* from, const char* to) {
#if defined(SYS_renameat2)
    constexpr unsigned kRenameNoReplace = 1;  // RENAME_NOREPLACE
    if (syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kRenameNoReplace) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
#endif
    // The file system cannot refuse a replacement itself: check first, then rename.
    struct stat st {};
    if (lstat(to, &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from, to);
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

ErrorCode RenameFile(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    if (RenameNoReplace(from.c_str(), to.c_str()) == 0) return kSuccess;
    const int err = errno;
    if (err == EEXIST || err == ENOTEMPTY) return kErrorAlreadyExists;
    if (err == ENOENT) {
        struct stat st {};
        if (lstat(from.c_str(), &st) != 0) return ErrorForPath(ENOENT, from);
        return kErrorPathNotFound;  // the target's directory is missing
    }
    return posix::ErrorFromErrno(err);
}

ErrorCode DeleteFile(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    if (unlink(path.c_str()) == 0) return kSuccess;
    return ErrorForPath(errno, path);
}

ErrorCode CreateDirectory(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    if (mkdir(path.c_str(), 0777) == 0) return kSuccess;
    const int err = errno;
    if (err == EEXIST) return kErrorAlreadyExists;
    if (err == ENOENT) return kErrorPathNotFound;
    return posix::ErrorFromErrno(err);
}

ErrorCode FindFiles(const std::string& pattern, std::vector<FoundFile>& found) {
    found.clear();
    const std::size_t slash = pattern.rfind('/');
    const std::string directory =
        slash == std::string::npos ? std::string(".") : pattern.substr(0, slash == 0 ? 1 : slash);
    const std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (wildcard.empty()) return kErrorFileNotFound;

    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) {
        const int err = errno;
        return err == ENOENT ? kErrorPathNotFound : posix::ErrorFromErrno(err);
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (!WildcardMatch(wildcard, name, false)) continue;
        FoundFile file;
        file.strName = name;
        file.bHidden = name[0] == '.';
        if (entry->d_type == DT_DIR) {
            file.bDirectory = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            file.bDirectory =
                fstatat(dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        found.push_back(std::move(file));
        errno = 0;
    }
    const int err = errno;
    closedir(dir);
    if (err != 0) return posix::ErrorFromErrno(err);
    // readdir's order depends on the file system; name order makes results repeatable.
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.strName < b.strName; });
    return kSuccess;
}

ErrorCode FileCreationTime(const std::string& path, Time& created) {
    if (path.empty()) return kErrorPathNotFound;
#if defined(STATX_BTIME)
    struct statx stx {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_CTIME, &stx) == 0) {
        created = (stx.stx_mask & STATX_BTIME) ? static_cast<Time>(stx.stx_btime.tv_sec)
                                               : static_cast<Time>(stx.stx_ctime.tv_sec);
        return kSuccess;
    }
    if (errno != ENOSYS) return ErrorForPath(errno, path);
#endif
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return ErrorForPath(errno, path);
    created = static_cast<Time>(st.st_ctime);
    return kSuccess;
}

std::string ProgramDirectory() {
    char buffer[PATH_MAX + 1];
    const ssize_t length = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return std::string(".") + kPathSeparator;
    const std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string(".") + kPathSeparator;
    return path.substr(0, slash + 1);
}

}  // namespace platform
