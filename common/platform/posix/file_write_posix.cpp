// Whole-file I/O on Linux: fsync'd writes, rename over an existing file, reads with a size limit.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_write.h"
#include "platform/posix/errno_map.h"

namespace platform {
namespace {

ErrorCode WriteError(int err) {
    if (err == ENOSPC || err == EDQUOT) return kErrorDiskFull;
    if (err == ENOENT || err == ENOTDIR) return kErrorPathNotFound;
    return posix::ErrorFromErrno(err);
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace

ErrorCode WriteFileFlushed(const std::string& path, std::string_view bytes, EFileAccess access) {
    if (path.empty()) return kErrorPathNotFound;
    const bool restricted = access == EFileAccess::kAdministrators;
    if (restricted && unlink(path.c_str()) != 0 && errno != ENOENT) return WriteError(errno);
    const int fd = restricted
                       ? OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                       : OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return WriteError(errno);
    // The mode given to open passes through the umask, which could take the owner's bits away.
    if (restricted && fchmod(fd, S_IRUSR | S_IWUSR) != 0) {
        const int err = errno;
        close(fd);
        return WriteError(err);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int err = n < 0 ? errno : ENOSPC;  // no progress and no error: the disk is full
        close(fd);
        return WriteError(err);
    }
    int result;
    do {
        result = fsync(fd);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int err = errno;
        close(fd);
        return WriteError(err);
    }
    if (close(fd) != 0 && errno != EINTR) return WriteError(errno);
    return kSuccess;
}

ErrorCode RenameReplacing(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    if (rename(from.c_str(), to.c_str()) != 0) {
        const int err = errno;
        if (err == ENOENT) {
            struct stat st {};
            return lstat(from.c_str(), &st) != 0 ? kErrorFileNotFound : kErrorPathNotFound;
        }
        return posix::ErrorFromErrno(err);
    }
    // The rename lives in the directory: flush it as well (best effort; some file systems
    // refuse to sync a directory).
    const int dir = OpenRetrying(DirectoryOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return kSuccess;
}

ErrorCode ReadFileCapped(const std::string& path, std::size_t maxSize, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return kErrorPathNotFound;
    const int fd = OpenRetrying(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) {
            struct stat st {};
            const std::string dir = DirectoryOf(path);
            return (stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? kErrorFileNotFound
                                                                        : kErrorPathNotFound;
        }
        return posix::ErrorFromErrno(err);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int err = errno;
        close(fd);
        return posix::ErrorFromErrno(err);
    }
    if (S_ISDIR(st.st_mode)) {
        close(fd);
        return kErrorAccessDenied;  // what opening a directory as a file gives on Windows
    }
    if (st.st_size < 0 || static_cast<unsigned long long>(st.st_size) > maxSize) {
        close(fd);
        return kErrorFileTooLarge;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            // The file may have grown since it was measured.
            if (static_cast<std::size_t>(n) > maxSize - bytes.size()) {
                close(fd);
                bytes.clear();
                return kErrorFileTooLarge;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int err = n < 0 ? errno : 0;
        close(fd);
        if (err != 0) {
            bytes.clear();
            return posix::ErrorFromErrno(err);
        }
        return kSuccess;
    }
}

}  // namespace platform
