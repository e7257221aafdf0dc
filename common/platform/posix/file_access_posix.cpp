// Files for administrators only on Linux: the owner may read and write them, nobody else.
#include <sys/stat.h>

#include <cerrno>

#include "platform/file_access.h"
#include "platform/posix/errno_map.h"

namespace platform {

ErrorCode RestrictToAdministrators(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    if (chmod(path.c_str(), S_IRUSR | S_IWUSR) == 0) return kSuccess;
    return posix::ErrorFromErrno(errno);
}

}  // namespace platform
