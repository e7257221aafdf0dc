// The local computer's name, as the network knows it.
#pragma once
#include <string>

namespace platform {

// The computer's name (UTF-8): GetComputerNameW on Windows (the upper-case NetBIOS name), the
// host name up to its first dot on Linux. Empty when the platform cannot tell.
std::string LocalComputerName();

}  // namespace platform
