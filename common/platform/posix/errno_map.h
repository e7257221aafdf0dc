// Maps C library errno values onto the Windows error codes that the whole suite reports.
#pragma once
#include "platform/error_codes.h"

namespace platform::posix {

// The Windows code closest in meaning to an errno value (0 gives kSuccess; unknown values give
// kErrorGenFailure).
ErrorCode ErrorFromErrno(int err);

}  // namespace platform::posix
