// Tests of the system message texts for error codes.
#include <gtest/gtest.h>

#include "platform/error_codes.h"

namespace {

class SystemMessage : public testing::TestWithParam<platform::ErrorCode> {};

// Every code the suite reports has a text, without the line break the system appends.
TEST_P(SystemMessage, IsPresentAndTrimmed) {
    const std::string text = platform::SystemErrorMessage(GetParam());
    ASSERT_FALSE(text.empty()) << GetParam();
    const char last = text.back();
    EXPECT_NE(last, '\n');
    EXPECT_NE(last, '\r');
    EXPECT_NE(last, ' ');
    EXPECT_EQ(text.find('\n'), std::string::npos) << text;
}

// Every code the suite names that the system has a text for (kErrorFileTooLarge, which the
// suite returns itself, is checked on Linux only: Wine has no text for it), and the network
// failures the simulated network is scripted with: a job writes "host/" + the text, so an empty
// text leaves the run log line ending in "/".
INSTANTIATE_TEST_SUITE_P(
    SuiteCodes, SystemMessage,
    testing::Values(
        platform::kSuccess, platform::kErrorFileNotFound, platform::kErrorPathNotFound,
        platform::kErrorTooManyOpenFiles, platform::kErrorAccessDenied,
        platform::kErrorInvalidHandle, platform::kErrorNotEnoughMemory, platform::kErrorInvalidData,
        platform::kErrorNotSameDevice, platform::kErrorNoMoreFiles, platform::kErrorWriteFault,
        platform::kErrorReadFault, platform::kErrorGenFailure, platform::kErrorSharingViolation,
        platform::kErrorLockViolation, platform::kErrorHandleEof, platform::kErrorNotSupported,
        platform::kErrorBadNetPath, platform::kErrorBadNetName, platform::kErrorFileExists,
        platform::kErrorInvalidParameter, platform::kErrorDiskFull,
        platform::kErrorInsufficientBuffer, platform::kErrorInvalidName,
        platform::kErrorDirNotEmpty, platform::kErrorAlreadyExists, platform::kErrorFilenameTooLong,
        platform::kErrorMoreData, platform::kErrorNoMoreItems, platform::kErrorTimeout,
        platform::kErrorNoUnicodeTranslation, platform::kErrorNoNetwork,
        platform::kErrorLogonFailure, platform::kErrorSessionCredentialConflict,
        platform::ErrorCode{64},      // the network name is no longer available (a dropped link)
        platform::ErrorCode{1231},    // the network location cannot be reached
        platform::ErrorCode{1722}));  // the RPC server is unavailable

TEST(SystemMessage, DiffersBetweenCodes) {
    EXPECT_NE(platform::SystemErrorMessage(platform::kErrorFileNotFound),
              platform::SystemErrorMessage(platform::kErrorPathNotFound));
}

}  // namespace
