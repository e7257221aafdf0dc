// Tests of the file-system operations and the portable path and wildcard helpers.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/clock.h"
#include "platform/files.h"
#include "temp_dir.h"

namespace {

using platform::FoundFile;
using platform_test::CTempDir;

struct SWildcardCase {
    const char* pattern;
    const char* name;
    bool ignoreCase;
    bool expected;
};

class Wildcard : public testing::TestWithParam<SWildcardCase> {};

TEST_P(Wildcard, Matches) {
    const SWildcardCase& c = GetParam();
    EXPECT_EQ(platform::WildcardMatch(c.pattern, c.name, c.ignoreCase), c.expected)
        << c.pattern << " vs " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Wildcard,
    testing::Values(
        SWildcardCase{"VARN_*.va_", "VARN_PC1_10_3.va_", false, true},
        SWildcardCase{"VARN_*.va_", "VARN_PC1_10_3.var", false, false},
        SWildcardCase{"VARN_*.va_", "VARN_.va_", false, true},
        SWildcardCase{"VARN_*.va_", "XVARN_a.va_", false, false},
        SWildcardCase{"VARN_*.va_", "VARN_a.va_x", false, false},
        SWildcardCase{"*", "", false, true}, SWildcardCase{"*", "anything", false, true},
        SWildcardCase{"*.*", "noextension", false, true}, SWildcardCase{"?", "", false, false},
        SWildcardCase{"a?c", "abc", false, true}, SWildcardCase{"a?c", "ac", false, false},
        SWildcardCase{"a?c", "abbc", false, false},
        SWildcardCase{"a?c", "a予c", false, true},  // '?' is one character
        SWildcardCase{"??", "予", false, false}, SWildcardCase{"*予*", "VARN_予約_1", false, true},
        SWildcardCase{"*a*b*c", "xxaxxbxxbxxc", false, true},
        SWildcardCase{"*a*b*c", "xxaxxbxxbxxcx", false, false},
        SWildcardCase{"**x", "abx", false, true}, SWildcardCase{"VARN_*", "varn_pc1", false, false},
        SWildcardCase{"VARN_*", "varn_pc1", true, true}, SWildcardCase{"予*", "予約", true, true}));

TEST(WithTrailingSeparator, AddsOnlyWhenMissing) {
    const std::string sep(1, platform::kPathSeparator);
    EXPECT_EQ(platform::WithTrailingSeparator("data"), "data" + sep);
    EXPECT_EQ(platform::WithTrailingSeparator("data\\"), "data\\");
    EXPECT_EQ(platform::WithTrailingSeparator("data/"), "data/");
    EXPECT_EQ(platform::WithTrailingSeparator(""), "");
    // 予 ends in the byte '\' only in code page 932; in UTF-8 it is not a separator.
    EXPECT_EQ(platform::WithTrailingSeparator("予"), "予" + sep);
}

std::vector<std::string> Names(const std::vector<FoundFile>& found) {
    std::vector<std::string> names;
    for (const FoundFile& f : found) names.push_back(f.strName);
    return names;
}

class FilesTest : public testing::Test {
protected:
    CTempDir m_dir;
};

TEST_F(FilesTest, ExistsForFilesAndDirectoriesOnly) {
    m_dir.WriteFile("a.txt");
    m_dir.MakeDirectory("sub");
    EXPECT_TRUE(platform::FileExists(m_dir.Path("a.txt")));
    EXPECT_TRUE(platform::FileExists(m_dir.Path("sub")));
    EXPECT_FALSE(platform::FileExists(m_dir.Path("missing")));
    EXPECT_FALSE(platform::FileExists(""));
}

TEST_F(FilesTest, RenameRefusesToReplaceAndReportsWhatIsMissing) {
    m_dir.WriteFile("from.va_", "data");
    m_dir.WriteFile("taken.var", "old");
    EXPECT_EQ(platform::RenameFile(m_dir.Path("from.va_"), m_dir.Path("taken.var")),
              platform::kErrorAlreadyExists);
    EXPECT_TRUE(m_dir.Exists("from.va_"));
    EXPECT_EQ(platform::RenameFile(m_dir.Path("missing.va_"), m_dir.Path("x.var")),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RenameFile(m_dir.Path("from.va_"),
                                   m_dir.Path("nodir") + platform::kPathSeparator + "x.var"),
              platform::kErrorPathNotFound);
    EXPECT_EQ(platform::RenameFile(m_dir.Path("from.va_"), m_dir.Path("from.var")),
              platform::kSuccess);
    EXPECT_FALSE(m_dir.Exists("from.va_"));
    EXPECT_TRUE(m_dir.Exists("from.var"));
}

TEST_F(FilesTest, DeleteReportsMissingFileAndMissingDirectory) {
    m_dir.WriteFile("a.txt");
    EXPECT_EQ(platform::DeleteFile(m_dir.Path("a.txt")), platform::kSuccess);
    EXPECT_FALSE(m_dir.Exists("a.txt"));
    EXPECT_EQ(platform::DeleteFile(m_dir.Path("a.txt")), platform::kErrorFileNotFound);
    EXPECT_EQ(platform::DeleteFile(m_dir.Path("nodir") + platform::kPathSeparator + "a.txt"),
              platform::kErrorPathNotFound);
    m_dir.MakeDirectory("sub");
    EXPECT_EQ(platform::DeleteFile(m_dir.Path("sub")), platform::kErrorAccessDenied);
}

TEST_F(FilesTest, CreateDirectoryMakesOneLevel) {
    EXPECT_EQ(platform::CreateDirectory(m_dir.Path("new")), platform::kSuccess);
    EXPECT_TRUE(m_dir.Exists("new"));
    EXPECT_EQ(platform::CreateDirectory(m_dir.Path("new")), platform::kErrorAlreadyExists);
    EXPECT_EQ(platform::CreateDirectory(m_dir.Path("a") + platform::kPathSeparator + "b"),
              platform::kErrorPathNotFound);
}

TEST_F(FilesTest, FindFilesListsMatchingEntriesInNameOrder) {
    for (const char* name : {"VARN_PC2_10_1.va_", "VARN_PC1_09_2.va_", "VARN_PC1_09_2.var",
                             "other.va_", "VARN_予約_1.va_"}) {
        m_dir.WriteFile(name);
    }
    m_dir.MakeDirectory("VARN_dir.va_");
    std::vector<FoundFile> found;
    ASSERT_EQ(platform::FindFiles(m_dir.Path("VARN_*.va_"), found), platform::kSuccess);
    EXPECT_EQ(Names(found), (std::vector<std::string>{"VARN_PC1_09_2.va_", "VARN_PC2_10_1.va_",
                                                      "VARN_dir.va_", "VARN_予約_1.va_"}));
    for (const FoundFile& f : found) {
        EXPECT_EQ(f.bDirectory, f.strName == "VARN_dir.va_") << f.strName;
        EXPECT_FALSE(f.bHidden);
    }

    ASSERT_EQ(platform::FindFiles(m_dir.Path("VARN_??_1.va_"), found), platform::kSuccess);
    EXPECT_EQ(Names(found), std::vector<std::string>{"VARN_予約_1.va_"});
}

TEST_F(FilesTest, FindFilesNeverReturnsDotEntries) {
    m_dir.WriteFile("a");
    std::vector<FoundFile> found;
    ASSERT_EQ(platform::FindFiles(m_dir.Path("*"), found), platform::kSuccess);
    EXPECT_EQ(Names(found), std::vector<std::string>{"a"});
}

TEST_F(FilesTest, FindFilesWithoutMatchIsAnEmptySuccess) {
    std::vector<FoundFile> found{FoundFile{"stale", false, false}};
    EXPECT_EQ(platform::FindFiles(m_dir.Path("*.var"), found), platform::kSuccess);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(platform::FindFiles(m_dir.Path("nodir") + platform::kPathSeparator + "*.var", found),
              platform::kErrorPathNotFound);
}

TEST_F(FilesTest, CreationTimeIsNearNow) {
    const platform::Time before = platform::SystemClock().Now();
    m_dir.WriteFile("new.var");
    platform::Time created = 0;
    ASSERT_EQ(platform::FileCreationTime(m_dir.Path("new.var"), created), platform::kSuccess);
    // A wide window: this catches a wrong epoch or unit, not the file system's clock skew.
    EXPECT_GE(created, before - 120);
    EXPECT_LE(created, platform::SystemClock().Now() + 120);
    EXPECT_EQ(platform::FileCreationTime(m_dir.Path("missing"), created),
              platform::kErrorFileNotFound);
}

TEST(ProgramDirectory, HoldsThisTestProgram) {
    const std::string dir = platform::ProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), platform::kPathSeparator);
    std::vector<FoundFile> found;
    ASSERT_EQ(platform::FindFiles(dir + "platform_test*", found), platform::kSuccess);
    EXPECT_FALSE(found.empty());
}

}  // namespace
