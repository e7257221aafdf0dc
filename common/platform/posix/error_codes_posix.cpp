// Error codes on Linux: errno mapped onto Windows codes, and the English system texts for them.
#include <cerrno>
#include <iterator>

#include "platform/error_codes.h"
#include "platform/posix/errno_map.h"

namespace platform {
namespace posix {

ErrorCode ErrorFromErrno(int err) {
    switch (err) {
        case 0:
            return kSuccess;
        case ENOENT:
            return kErrorFileNotFound;
        case ENOTDIR:
            return kErrorPathNotFound;
        case EMFILE:
        case ENFILE:
            return kErrorTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return kErrorAccessDenied;
        case EBADF:
            return kErrorInvalidHandle;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EXDEV:
            return kErrorNotSameDevice;
        case EIO:
            return kErrorGenFailure;
        case EBUSY:
        case ETXTBSY:
            return kErrorSharingViolation;
        case EAGAIN:
#if EWOULDBLOCK != EAGAIN
        case EWOULDBLOCK:
#endif
        case EDEADLK:
            return kErrorLockViolation;
        case ENOSYS:
        case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
        case ENOTSUP:
#endif
            return kErrorNotSupported;
        case EEXIST:
            return kErrorFileExists;
        case EINVAL:
            return kErrorInvalidParameter;
        case ENOSPC:
        case EDQUOT:
            return kErrorDiskFull;
        case ERANGE:
            return kErrorInsufficientBuffer;
        case ELOOP:
            return kErrorInvalidName;
        case ENOTEMPTY:
            return kErrorDirNotEmpty;
        case ENAMETOOLONG:
            return kErrorFilenameTooLong;
        case ETIMEDOUT:
            return kErrorTimeout;
        case EILSEQ:
            return kErrorNoUnicodeTranslation;
        case ENETDOWN:
        case ENETUNREACH:
            return kErrorNoNetwork;
        case EHOSTUNREACH:
        case EHOSTDOWN:
            return kErrorBadNetPath;
        default:
            return kErrorGenFailure;
    }
}

}  // namespace posix

namespace {

struct SMessage {
    ErrorCode code;
    const char* text;
};

// The wording Windows gives for these codes in English: every code the posix layer maps errno
// to, every code the simulated network answers with, and the network failures its descriptions
// script (a connection that drops, a host that cannot be reached, a registry service that does
// not answer).
constexpr SMessage kMessages[] = {
    {kSuccess, "The operation completed successfully."},
    {kErrorFileNotFound, "The system cannot find the file specified."},
    {kErrorPathNotFound, "The system cannot find the path specified."},
    {kErrorTooManyOpenFiles, "The system cannot open the file."},
    {kErrorAccessDenied, "Access is denied."},
    {kErrorInvalidHandle, "The handle is invalid."},
    {kErrorNotEnoughMemory, "Not enough memory resources are available to process this command."},
    {kErrorInvalidData, "The data is invalid."},
    {kErrorNotSameDevice, "The system cannot move the file to a different disk drive."},
    {kErrorNoMoreFiles, "There are no more files."},
    {kErrorWriteFault, "The system cannot write to the specified device."},
    {kErrorReadFault, "The system cannot read from the specified device."},
    {kErrorGenFailure, "A device attached to the system is not functioning."},
    {kErrorSharingViolation,
     "The process cannot access the file because it is being used by another process."},
    {kErrorLockViolation,
     "The process cannot access the file because another process has locked a portion of the "
     "file."},
    {kErrorHandleEof, "Reached the end of the file."},
    {kErrorNotSupported, "The request is not supported."},
    {kErrorBadNetPath, "The network path was not found."},
    {64, "The specified network name is no longer available."},  // ERROR_NETNAME_DELETED
    {kErrorBadNetName, "The network name cannot be found."},
    {kErrorFileExists, "The file exists."},
    {kErrorInvalidParameter, "The parameter is incorrect."},
    {kErrorDiskFull, "There is not enough space on the disk."},
    {kErrorInsufficientBuffer, "The data area passed to a system call is too small."},
    {kErrorInvalidName, "The filename, directory name, or volume label syntax is incorrect."},
    {kErrorDirNotEmpty, "The directory is not empty."},
    {kErrorAlreadyExists, "Cannot create a file when that file already exists."},
    {kErrorFilenameTooLong, "The filename or extension is too long."},
    {kErrorFileTooLarge, "The file size exceeds the limit allowed and cannot be saved."},
    {kErrorMoreData, "More data is available."},
    {kErrorNoMoreItems, "No more data is available."},
    {kErrorNoUnicodeTranslation,
     "No mapping for the Unicode character exists in the target multi-byte code page."},
    {kErrorSessionCredentialConflict,
     "Multiple connections to a server or shared resource by the same user, using more than one "
     "user name, are not allowed. Disconnect all previous connections to the server or shared "
     "resource and try again."},
    {kErrorNoNetwork, "The network is not present or not started."},
    {1231,  // ERROR_NETWORK_UNREACHABLE
     "The network location cannot be reached. For information about network troubleshooting, "
     "see Windows Help."},
    {1722, "The RPC server is unavailable."},  // RPC_S_SERVER_UNAVAILABLE
    {kErrorLogonFailure, "The user name or password is incorrect."},
    {kErrorTimeout, "This operation returned because the timeout period expired."},
};

}  // namespace

std::string SystemErrorMessage(ErrorCode code) {
    for (const SMessage& message : kMessages) {
        if (message.code == code) return message.text;
    }
    return std::string();
}

ErrorCode LastError() {
    return posix::ErrorFromErrno(errno);
}

}  // namespace platform
