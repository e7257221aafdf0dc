// The per-user runtime directory of the Linux build, with checks that it is private.
#include "platform/posix/runtime_dir.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {
namespace {

// Creates (or checks) a directory that only this user may use; false when it is unsafe.
bool EnsurePrivateDirectory(const std::string& path) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (st.st_uid != getuid() || (st.st_mode & 0077) != 0) {
        errno = EACCES;
        return false;
    }
    return true;
}

}  // namespace

bool PrivateRuntimeDirectory(std::string& directory) {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        struct stat st {};
        if (stat(runtime, &st) == 0 && S_ISDIR(st.st_mode)) {
            directory = std::string(runtime) + "/varnole";
            if (EnsurePrivateDirectory(directory)) return true;
        }
    }
    directory = "/tmp/varnole-" + std::to_string(getuid());
    return EnsurePrivateDirectory(directory);
}

bool PrivateRuntimeSubdirectory(const std::string& name, std::string& directory) {
    std::string base;
    if (!PrivateRuntimeDirectory(base)) return false;
    directory = base + "/" + EscapeFileName(name);
    return EnsurePrivateDirectory(directory);
}

std::string EscapeFileName(const std::string& name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string file;
    for (char c : name) {
        const unsigned char b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
            b == '_' || b == '-' || (b == '.' && !file.empty())) {
            file.push_back(c);
        } else {
            file.push_back('%');
            file.push_back(kHex[b >> 4]);
            file.push_back(kHex[b & 0x0F]);
        }
    }
    return file;
}

}  // namespace platform::posix
