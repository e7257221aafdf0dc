// Tests of files for administrators only: written that way from the start, restricted later,
// and kept so through renames.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <string>

#include "file_access_check.h"
#include "platform/file_access.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "temp_dir.h"

namespace {

using platform::EFileAccess;
using platform_test::CTempDir;
using platform_test::OnlyAdministratorsHaveAccess;
using platform_test::OpenToEveryone;

std::string Contents(const std::string& strPath) {
    std::string bytes;
    EXPECT_EQ(platform::ReadFileCapped(strPath, 1 << 20, bytes), platform::kSuccess) << strPath;
    return bytes;
}

TEST(FileAccess, RestrictingAFileOpenToEveryoneKeepsItsBytes) {
    CTempDir dir;
    dir.WriteFile("open.dat", "passwords");
    OpenToEveryone(dir.Path("open.dat"));
    ASSERT_FALSE(OnlyAdministratorsHaveAccess(dir.Path("open.dat")));

    ASSERT_EQ(platform::RestrictToAdministrators(dir.Path("open.dat")), platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("open.dat")));
    EXPECT_EQ(Contents(dir.Path("open.dat")), "passwords");
    EXPECT_EQ(platform::RestrictToAdministrators(dir.Path("missing.dat")),
              platform::kErrorFileNotFound);
}

// A new file, and one that replaces a file open to everyone, are restricted from the start; a
// file written without the restriction is not.
TEST(FileAccess, WrittenFilesAreRestrictedOnlyWhenAsked) {
    CTempDir dir;
    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("new.dat"), "abc", EFileAccess::kAdministrators),
              platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("new.dat")));
    EXPECT_EQ(Contents(dir.Path("new.dat")), "abc");

    dir.WriteFile("old.dat", std::string(5000, 'o'));
    OpenToEveryone(dir.Path("old.dat"));
    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("old.dat"), "def", EFileAccess::kAdministrators),
              platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("old.dat")));
    EXPECT_EQ(Contents(dir.Path("old.dat")), "def");

    // Written again, restricted or not, by its owner.
    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("old.dat"), "ghi", EFileAccess::kAdministrators),
              platform::kSuccess);
    EXPECT_EQ(Contents(dir.Path("old.dat")), "ghi");

    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("plain.dat"), "x"), platform::kSuccess);
    EXPECT_FALSE(OnlyAdministratorsHaveAccess(dir.Path("plain.dat")));

    EXPECT_EQ(platform::WriteFileFlushed(dir.Path("none") + platform::kPathSeparator + "f", "x",
                                         EFileAccess::kAdministrators),
              platform::kErrorPathNotFound);
}

TEST(FileAccess, RenamesKeepTheRestriction) {
    CTempDir dir;
    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("a.new"), "1", EFileAccess::kAdministrators),
              platform::kSuccess);
    ASSERT_EQ(platform::RenameFile(dir.Path("a.new"), dir.Path("a.old")), platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("a.old")));

    dir.WriteFile("b.dat", "open");
    OpenToEveryone(dir.Path("b.dat"));
    ASSERT_EQ(platform::WriteFileFlushed(dir.Path("b.new"), "2", EFileAccess::kAdministrators),
              platform::kSuccess);
    ASSERT_EQ(platform::RenameReplacing(dir.Path("b.new"), dir.Path("b.dat")), platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("b.dat")));
    EXPECT_EQ(Contents(dir.Path("b.dat")), "2");
    EXPECT_EQ(platform::DeleteFile(dir.Path("b.dat")), platform::kSuccess);
}

#ifndef _WIN32
// The process's umask must not decide who may read the file.
TEST(FileAccess, UmaskDoesNotChangeTheMode) {
    CTempDir dir;
    const mode_t previous = umask(0377);
    const platform::ErrorCode error =
        platform::WriteFileFlushed(dir.Path("u.dat"), "x", EFileAccess::kAdministrators);
    umask(previous);
    ASSERT_EQ(error, platform::kSuccess);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(dir.Path("u.dat")));
}
#endif

}  // namespace
