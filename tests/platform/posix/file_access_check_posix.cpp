// Who may open a file on Linux: its permission bits.
#include <sys/stat.h>

#include <cstdio>

#include "platform/file_access_check.h"

namespace platform_test {

testing::AssertionResult OnlyAdministratorsHaveAccess(const std::string& strPath) {
    struct stat st {};
    if (stat(strPath.c_str(), &st) != 0) {
        return testing::AssertionFailure() << strPath << " cannot be read: " << errno;
    }
    const unsigned mode = st.st_mode & 07777;
    if (mode == 0600) return testing::AssertionSuccess();
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode);
    return testing::AssertionFailure() << strPath << " has mode " << text << ", not 0600";
}

void OpenToEveryone(const std::string& strPath) {
    ASSERT_EQ(chmod(strPath.c_str(), 0666), 0) << strPath;
}

}  // namespace platform_test
