// The clipboard of the Linux build: one file per format name in the per-user runtime directory.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/clipboard.h"
#include "platform/posix/errno_map.h"
#include "platform/posix/runtime_dir.h"

namespace platform {
namespace {

ErrorCode ClipboardDirectory(std::string& directory) {
    if (!posix::PrivateRuntimeSubdirectory("clipboard", directory)) {
        return posix::ErrorFromErrno(errno);
    }
    return kSuccess;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Removes every format's file, as emptying the clipboard does.
void RemoveAllFormats(const std::string& directory) {
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) return;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ".clip") == 0) {
            unlink((directory + "/" + name).c_str());
        }
    }
    closedir(dir);
}

}  // namespace

ErrorCode PutClipboardBlock(const std::string& formatName, std::string_view bytes, void*) {
    if (formatName.empty()) return kErrorInvalidParameter;
    std::string directory;
    ErrorCode error = ClipboardDirectory(directory);
    if (error != kSuccess) return error;
    // Written aside and renamed into place, so a reader never sees half a block.
    const std::string staging = directory + "/.staging-" + std::to_string(getpid());
    const int fd = open(staging.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return posix::ErrorFromErrno(errno);
    if (!WriteAll(fd, bytes)) {
        error = posix::ErrorFromErrno(errno);
        close(fd);
        unlink(staging.c_str());
        return error;
    }
    close(fd);
    RemoveAllFormats(directory);
    const std::string target = directory + "/" + posix::EscapeFileName(formatName) + ".clip";
    if (rename(staging.c_str(), target.c_str()) != 0) {
        error = posix::ErrorFromErrno(errno);
        unlink(staging.c_str());
        return error;
    }
    return kSuccess;
}

ErrorCode GetClipboardBlock(const std::string& formatName, std::string& bytes) {
    bytes.clear();
    if (formatName.empty()) return kErrorInvalidParameter;
    std::string directory;
    const ErrorCode error = ClipboardDirectory(directory);
    if (error != kSuccess) return error;
    const std::string path = directory + "/" + posix::EscapeFileName(formatName) + ".clip";
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? kErrorFileNotFound : posix::ErrorFromErrno(errno);
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const ErrorCode readError = posix::ErrorFromErrno(errno);
            close(fd);
            bytes.clear();
            return readError;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return kSuccess;
}

}  // namespace platform
