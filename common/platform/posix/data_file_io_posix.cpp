// Data files on Linux: exclusive creation with open(O_EXCL), plain read and write loops.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/data_file_io.h"
#include "platform/posix/errno_map.h"

namespace platform {
namespace {

// ENOENT on open means the directory on the way is missing when the file itself was to be
// created; when opening an existing file it means the file is missing.
ErrorCode OpenError(int err, bool bCreating) {
    if (err == EEXIST) return kErrorFileExists;
    if (err == ENOTDIR) return kErrorPathNotFound;
    if (err == ENOENT) return bCreating ? kErrorPathNotFound : kErrorFileNotFound;
    return posix::ErrorFromErrno(err);
}

class CPosixOutputFile final : public IOutputFile {
public:
    explicit CPosixOutputFile(int nFd) : m_nFd(nFd) {}
    ~CPosixOutputFile() override { Close(); }

    ErrorCode Write(const void* pData, std::size_t nSize) override {
        if (m_nFd < 0) return kErrorInvalidHandle;
        const char* p = static_cast<const char*>(pData);
        while (nSize > 0) {
            const ssize_t n = write(m_nFd, p, nSize);
            if (n > 0) {
                p += n;
                nSize -= static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            // A write that takes nothing without an error means the volume is full.
            return n < 0 ? posix::ErrorFromErrno(errno) : kErrorDiskFull;
        }
        return kSuccess;
    }

    ErrorCode Close() override {
        if (m_nFd < 0) return kSuccess;
        const int nFd = m_nFd;
        m_nFd = -1;
        // close is not retried on EINTR: on Linux the descriptor is gone either way.
        if (close(nFd) != 0 && errno != EINTR) return posix::ErrorFromErrno(errno);
        return kSuccess;
    }

private:
    int m_nFd;
};

}  // namespace

ErrorCode CreateNewOutputFile(const std::string& path, std::unique_ptr<IOutputFile>& file) {
    file.reset();
    if (path.empty()) return kErrorPathNotFound;
    int nFd;
    do {
        nFd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (nFd < 0 && errno == EINTR);
    if (nFd < 0) return OpenError(errno, true);
    file = std::make_unique<CPosixOutputFile>(nFd);
    return kSuccess;
}

struct InputFile::Impl {
    int m_nFd = -1;
};

InputFile::InputFile() : m_pImpl(std::make_unique<Impl>()) {}

InputFile::~InputFile() {
    Close();
}

ErrorCode InputFile::Open(const std::string& path) {
    Close();
    if (path.empty()) return kErrorPathNotFound;
    int nFd;
    do {
        nFd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (nFd < 0 && errno == EINTR);
    if (nFd < 0) return OpenError(errno, false);
    struct stat st {};
    if (fstat(nFd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(nFd);
        return kErrorAccessDenied;  // what Windows answers for a directory
    }
    m_pImpl->m_nFd = nFd;
    return kSuccess;
}

ErrorCode InputFile::Read(void* pBuffer, std::size_t nSize, std::size_t& nRead) {
    nRead = 0;
    if (m_pImpl->m_nFd < 0) return kErrorInvalidHandle;
    for (;;) {
        const ssize_t n = read(m_pImpl->m_nFd, pBuffer, nSize);
        if (n >= 0) {
            nRead = static_cast<std::size_t>(n);
            return kSuccess;
        }
        if (errno != EINTR) return posix::ErrorFromErrno(errno);
    }
}

ErrorCode InputFile::Size(std::uint64_t& nBytes) const {
    nBytes = 0;
    if (m_pImpl->m_nFd < 0) return kErrorInvalidHandle;
    struct stat st {};
    if (fstat(m_pImpl->m_nFd, &st) != 0) return posix::ErrorFromErrno(errno);
    nBytes = static_cast<std::uint64_t>(st.st_size);
    return kSuccess;
}

bool InputFile::IsOpen() const {
    return m_pImpl->m_nFd >= 0;
}

void InputFile::Close() {
    if (m_pImpl->m_nFd >= 0) close(m_pImpl->m_nFd);
    m_pImpl->m_nFd = -1;
}

}  // namespace platform
