// Where Plotara looks for data files: the configured data directory or its own folder.
#pragma once
#include <functional>
#include <string>

#include "platform/error_codes.h"

namespace plotara {

// Reads the configured data directory into the string; kSuccess when there is one.
using DataDirectoryReader = std::function<platform::ErrorCode(std::string&)>;

// The value read by readValue, or strProgramDir when it cannot be read or is empty (an empty
// value would name the current directory, or with the separator added the drive's root, which
// nobody configured). A separator is added when the path does not end with one.
std::string FindDataDirectory(const DataDirectoryReader& readValue,
                              const std::string& strProgramDir);

// The same with the configuration store's "DataDirectory" and the running program's directory.
std::string FindDataDirectory();

}  // namespace plotara
