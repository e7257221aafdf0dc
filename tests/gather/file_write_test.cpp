// Whole-file writes, replacing renames and capped reads of the platform layer.
#include "platform/file_write.h"

#include <gtest/gtest.h>

#include "gather/gather_fixture.h"
#include "platform/temp_dir.h"

namespace {

using gather_test::ReadBytes;
using platform_test::CTempDir;

TEST(FileWrite, WritesWholeFileAndTruncatesAnOldOne) {
    CTempDir dir;
    const std::string strPath = dir.Path("settings.dat");
    const std::string strLong(100000, 'x');
    ASSERT_EQ(platform::WriteFileFlushed(strPath, strLong), platform::kSuccess);
    EXPECT_EQ(ReadBytes(strPath), strLong);
    ASSERT_EQ(platform::WriteFileFlushed(strPath, std::string("a\0b", 3)), platform::kSuccess);
    EXPECT_EQ(ReadBytes(strPath), std::string("a\0b", 3));
    ASSERT_EQ(platform::WriteFileFlushed(strPath, ""), platform::kSuccess);
    EXPECT_EQ(ReadBytes(strPath), "");
}

TEST(FileWrite, MissingDirectoryIsAPathError) {
    CTempDir dir;
    EXPECT_EQ(platform::WriteFileFlushed(dir.Path("none") + platform::kPathSeparator + "f", "x"),
              platform::kErrorPathNotFound);
}

TEST(FileWrite, RenameReplacesAnExistingTarget) {
    CTempDir dir;
    dir.WriteFile("new", "fresh");
    dir.WriteFile("cur", "stale");
    ASSERT_EQ(platform::RenameReplacing(dir.Path("new"), dir.Path("cur")), platform::kSuccess);
    EXPECT_EQ(ReadBytes(dir.Path("cur")), "fresh");
    EXPECT_FALSE(dir.Exists("new"));
    ASSERT_EQ(platform::RenameReplacing(dir.Path("cur"), dir.Path("moved")), platform::kSuccess);
    EXPECT_EQ(ReadBytes(dir.Path("moved")), "fresh");
    EXPECT_EQ(platform::RenameReplacing(dir.Path("cur"), dir.Path("x")),
              platform::kErrorFileNotFound);
}

TEST(FileRead, SizeCapIsInclusive) {
    CTempDir dir;
    dir.WriteFile("f", "0123456789");
    std::string bytes = "previous";
    EXPECT_EQ(platform::ReadFileCapped(dir.Path("f"), 10, bytes), platform::kSuccess);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(platform::ReadFileCapped(dir.Path("f"), 9, bytes), platform::kErrorFileTooLarge);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(platform::ReadFileCapped(dir.Path("missing"), 10, bytes),
              platform::kErrorFileNotFound);
}

}  // namespace
