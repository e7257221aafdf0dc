// Who may open a file: files that hold the hosts' administrator passwords are kept from other
// users of the machine.
#pragma once
#include <string>

#include "platform/error_codes.h"

namespace platform {

// Who may open a file that is written.
enum class EFileAccess {
    kInherited,       // what the directory gives its new files
    kAdministrators,  // see RestrictToAdministrators
};

// Makes an existing file readable and writable by administrators and the system only.
// Windows: a protected DACL (the directory's inheritable entries no longer apply) with two
// entries, full control for BUILTIN\Administrators and for SYSTEM; the owner keeps only the
// right to read and change that DACL. Linux, where the owner stands for both: mode 0600.
// A rename keeps what this sets. kErrorFileNotFound when there is no such file; a file system
// without access control gives its own code (kErrorNotSupported, for example).
ErrorCode RestrictToAdministrators(const std::string& path);

}  // namespace platform
