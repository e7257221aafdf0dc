// Reads back who may open a file, for the tests of files that hold passwords.
#pragma once
#include <gtest/gtest.h>

#include <string>

namespace platform_test {

// Success when only administrators and the system may open the file: on Windows a protected
// DACL that allows BUILTIN\Administrators and SYSTEM only (under Wine, which keeps no DACL on
// files but derives one from the Unix mode bits, no entry for anyone but SYSTEM and the owner);
// on Linux mode 0600. Otherwise a failure that says what was found.
testing::AssertionResult OnlyAdministratorsHaveAccess(const std::string& strPath);

// Lets everyone read and write the file, as files written without a restriction could be.
void OpenToEveryone(const std::string& strPath);

}  // namespace platform_test
