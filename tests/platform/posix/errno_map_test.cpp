// Tests of the errno -> Windows code mapping and the English texts of the Linux build.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/error_codes.h"
#include "platform/posix/errno_map.h"

namespace {

struct SErrnoCase {
    int err;
    platform::ErrorCode expected;
};

class ErrnoMap : public testing::TestWithParam<SErrnoCase> {};

TEST_P(ErrnoMap, GivesTheWindowsCode) {
    EXPECT_EQ(platform::posix::ErrorFromErrno(GetParam().err), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ErrnoMap,
                         testing::Values(SErrnoCase{0, platform::kSuccess},
                                         SErrnoCase{ENOENT, platform::kErrorFileNotFound},
                                         SErrnoCase{ENOTDIR, platform::kErrorPathNotFound},
                                         SErrnoCase{EACCES, platform::kErrorAccessDenied},
                                         SErrnoCase{EPERM, platform::kErrorAccessDenied},
                                         SErrnoCase{EEXIST, platform::kErrorFileExists},
                                         SErrnoCase{ENOSPC, platform::kErrorDiskFull},
                                         SErrnoCase{ENOTEMPTY, platform::kErrorDirNotEmpty},
                                         SErrnoCase{ENAMETOOLONG, platform::kErrorFilenameTooLong},
                                         SErrnoCase{EINVAL, platform::kErrorInvalidParameter},
                                         SErrnoCase{ETIMEDOUT, platform::kErrorTimeout},
                                         SErrnoCase{EMFILE, platform::kErrorTooManyOpenFiles},
                                         SErrnoCase{EBADF, platform::kErrorInvalidHandle},
                                         SErrnoCase{EIO, platform::kErrorGenFailure},
                                         SErrnoCase{EDOM, platform::kErrorGenFailure}));

TEST(ErrnoMap, LastErrorReadsErrno) {
    errno = ENOENT;
    EXPECT_EQ(platform::LastError(), platform::kErrorFileNotFound);
}

TEST(PosixMessages, EveryCodeTheLayerReturnsHasAText) {
    for (int err = 0; err < 256; ++err) {
        const platform::ErrorCode code = platform::posix::ErrorFromErrno(err);
        EXPECT_FALSE(platform::SystemErrorMessage(code).empty()) << "errno " << err << ": " << code;
    }
    // Not from errno: the capped file read refuses a file that is too large with it.
    EXPECT_FALSE(platform::SystemErrorMessage(platform::kErrorFileTooLarge).empty());
}

TEST(PosixMessages, UseWindowsWording) {
    EXPECT_EQ(platform::SystemErrorMessage(platform::kErrorFileNotFound),
              "The system cannot find the file specified.");
    EXPECT_EQ(platform::SystemErrorMessage(platform::kErrorAlreadyExists),
              "Cannot create a file when that file already exists.");
    EXPECT_EQ(platform::SystemErrorMessage(999999), "");
}

}  // namespace
