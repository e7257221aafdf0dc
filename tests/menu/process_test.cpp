// Starting programs: the exit code of a waited-for program, and a program that does not exist.
#include <gtest/gtest.h>

#include "platform/process.h"

namespace {

#ifdef _WIN32
constexpr const char* kExitThree = "cmd.exe /c exit 3";
#else
constexpr const char* kExitThree = "/bin/sh -c \"exit 3\"";
#endif

TEST(ProcessTest, AStartedProgramIsWaitedForAndItsExitCodeRead) {
    platform::ChildProcess child;
    std::uint32_t code = 0;
    EXPECT_FALSE(child.IsStarted());
    EXPECT_EQ(child.WaitForExit(0), platform::kErrorInvalidHandle);
    ASSERT_EQ(child.Start(kExitThree), platform::kSuccess);
    EXPECT_TRUE(child.IsStarted());
    EXPECT_FALSE(child.ExitCode(code));
    ASSERT_EQ(child.WaitForExit(platform::kWaitForever), platform::kSuccess);
    ASSERT_TRUE(child.ExitCode(code));
    EXPECT_EQ(code, 3u);
    child.Close();
    EXPECT_FALSE(child.IsStarted());
}

TEST(ProcessTest, AMissingProgramIsReportedAndNothingIsKept) {
    EXPECT_EQ(platform::StartProgram(".\\varnole-no-such-program.exe"),
              platform::kErrorFileNotFound);
    platform::ChildProcess child;
    EXPECT_EQ(child.Start(".\\varnole-no-such-program.exe"), platform::kErrorFileNotFound);
    EXPECT_FALSE(child.IsStarted());
    EXPECT_NE(platform::StartProgram(""), platform::kSuccess);
}

TEST(ProcessTest, AProgramStartedOnItsOwnRuns) {
    EXPECT_EQ(platform::StartProgram(kExitThree), platform::kSuccess);
}

}  // namespace
