// Shared log files on Linux: O_APPEND writes under an open-file-description lock, and whole-file
// reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"
#include "platform/posix/errno_map.h"

namespace platform {
namespace {

// A missing file is created by the open, so ENOENT can only mean a missing directory.
ErrorCode OpenError(int err) {
    if (err == ENOENT || err == ENOTDIR) return kErrorPathNotFound;
    return posix::ErrorFromErrno(err);
}

}  // namespace

struct AppendFile::Impl {
    int m_nFd = -1;
};

AppendFile::AppendFile() : m_pImpl(std::make_unique<Impl>()) {}

AppendFile::~AppendFile() {
    Close();
}

ErrorCode AppendFile::Open(const std::string& path) {
    Close();
    if (path.empty()) return kErrorPathNotFound;
    int fd;
    do {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return OpenError(errno);

    // The whole file, including whatever is appended later (l_len 0), locked against other
    // writers; the lock belongs to this open file, so two objects in one process conflict too.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    int result;
    do {
        result = fcntl(fd, F_OFD_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int err = errno;
        close(fd);
        return (err == EAGAIN || err == EACCES) ? kErrorSharingViolation
                                                : posix::ErrorFromErrno(err);
    }
    m_pImpl->m_nFd = fd;
    return kSuccess;
}

ErrorCode AppendFile::Append(std::string_view bytes) {
    const int fd = m_pImpl->m_nFd;
    if (fd < 0) return kErrorInvalidHandle;
    if (bytes.empty()) return kSuccess;
    struct stat st {};
    if (fstat(fd, &st) != 0) return posix::ErrorFromErrno(errno);
    const off_t previousEnd = st.st_size;

    // Usually one write takes everything; a signal or a nearly full disk can make it take less,
    // and the rest follows while the lock still keeps other writers out.
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int err = n < 0 ? errno : ENOSPC;
        if (written > 0) {
            int cut;
            do {
                cut = ftruncate(fd, previousEnd);
            } while (cut != 0 && errno == EINTR);
        }
        return (err == ENOSPC || err == EFBIG) ? kErrorDiskFull : posix::ErrorFromErrno(err);
    }
    return kSuccess;
}

bool AppendFile::IsOpen() const {
    return m_pImpl->m_nFd >= 0;
}

void AppendFile::Close() {
    if (m_pImpl->m_nFd >= 0) close(m_pImpl->m_nFd);  // also drops the lock
    m_pImpl->m_nFd = -1;
}

}  // namespace platform
