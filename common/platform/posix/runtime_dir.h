// The per-user runtime directory where the Linux build keeps what Windows keeps in the kernel.
#pragma once
#include <string>

namespace platform::posix {

// $XDG_RUNTIME_DIR/varnole when that directory exists, else /tmp/varnole-<uid>; created with
// mode 0700 when missing. False (errno set) when it cannot be made or is not this user's own
// private directory.
bool PrivateRuntimeDirectory(std::string& directory);

// A directory inside it (created when missing, same checks); false as above.
bool PrivateRuntimeSubdirectory(const std::string& name, std::string& directory);

// A name made safe as a file name: letters, digits, '_', '-' and a '.' not in front stay, every
// other byte is written as %XX, so different names stay different.
std::string EscapeFileName(const std::string& name);

}  // namespace platform::posix
