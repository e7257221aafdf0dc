// Reads the plain-text description of a simulated network (format: docs/simulation.md).
#pragma once
#include <string>
#include <string_view>

#include "network_description.h"

namespace sim {

// The largest description file read.
inline constexpr std::size_t kMaxDescriptionBytes = 4 * 1024 * 1024;

// Parses a description. On failure returns false, leaves description unspecified and sets strError
// to "line N: what is wrong".
bool ParseNetworkDescription(std::string_view strText, CSimNetworkDescription& description,
                             std::string& strError);

// Reads and parses the file at strPath (UTF-8). Errors name the file: "<path>: line N: ..." or
// "<path>: <why it cannot be read>".
bool LoadNetworkDescription(const std::string& strPath, CSimNetworkDescription& description,
                            std::string& strError);

}  // namespace sim
