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

INSTANTIATE_TEST_SUITE_P(
    SuiteCodes, SystemMessage,
    testing::Values(
        platform::kSuccess, platform::kErrorFileNotFound, platform::kErrorPathNotFound,
        platform::kErrorAccessDenied, platform::kErrorInvalidHandle,
        platform::kErrorNotEnoughMemory, platform::kErrorInvalidData, platform::kErrorNoMoreFiles,
        platform::kErrorWriteFault, platform::kErrorReadFault, platform::kErrorSharingViolation,
        platform::kErrorHandleEof, platform::kErrorNotSupported, platform::kErrorBadNetPath,
        platform::kErrorBadNetName, platform::kErrorFileExists, platform::kErrorInvalidParameter,
        platform::kErrorDiskFull, platform::kErrorInsufficientBuffer, platform::kErrorInvalidName,
        platform::kErrorAlreadyExists, platform::kErrorMoreData, platform::kErrorNoMoreItems,
        platform::kErrorNoNetwork, platform::kErrorLogonFailure));

TEST(SystemMessage, DiffersBetweenCodes) {
    EXPECT_NE(platform::SystemErrorMessage(platform::kErrorFileNotFound),
              platform::SystemErrorMessage(platform::kErrorPathNotFound));
}

}  // namespace
