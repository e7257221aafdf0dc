// The data file catalogue: which files become rows, their texts, their order, and the data
// directory it searches.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/local_time_util.h"
#include "data_catalogue.h"
#include "data_directory.h"
#include "data_file_fixtures.h"
#include "platform/temp_dir.h"
#include "plotara_texts.h"

namespace {

using plotara::CDataCatalogue;
using plotara_test::SFileRecipe;

TEST(ThresholdTextTest, KeepsTheSpacesOfThresholdsThatAreNotSet) {
    struct {
        int cpu, mem, disk;
        const char* expected;
    } const cases[] = {
        {80, -1, 50, "CPU 80  DSK 50"},
        {-1, -1, -1, "  "},
        {10, 512, 30, "CPU 10 MEM 512 DSK 30"},
        {-1, 512, -1, " MEM 512 "},
        {0, 0, 0, "CPU 0 MEM 0 DSK 0"},
        {-1, -1, 100, "  DSK 100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plotara::ThresholdText(c.cpu, c.mem, c.disk), c.expected)
            << c.cpu << " " << c.mem << " " << c.disk;
    }
}

TEST(CatalogueRowTextsTest, ShowsEveryColumnAndTheStartTimeWithItsWeekday) {
    SFileRecipe recipe;
    recipe.m_strGroup = "営業部";
    recipe.m_strExecId = "40800012";
    recipe.m_nBranch = 3;
    recipe.m_strHost = "サーバ01";
    recipe.m_strComment = "月次 チェック";
    recipe.m_tStart = testutil::Local(2004, 8, 19, 14, 5, 0);
    recipe.m_nCpu = 80;
    recipe.m_nDisk = 50;
    const std::vector<std::string> texts =
        plotara::CatalogueRowTexts(7, plotara_test::HeaderOf(recipe));
    const std::vector<std::string> expected = {
        "7", "40800012", "営業部", "サーバ01", "3", "2004/08/19 (木) 14:05:00", "CPU 80  DSK 50",
        "月次 チェック"};
    EXPECT_EQ(texts, expected);

    // Midnight on a Sunday, single digits everywhere: every field keeps its zeros.
    recipe.m_tStart = testutil::Local(2005, 1, 2, 0, 0, 9);
    EXPECT_EQ(plotara::CatalogueRowTexts(0, plotara_test::HeaderOf(recipe))[plotara::kColumnStart],
              "2005/01/02 (日) 00:00:09");
}

TEST(CatalogueNamesTest, SkipsDirectoriesHiddenEntriesAndEmptyNames) {
    const std::vector<platform::FoundFile> found = {
        {"VARN_a.var", false, false}, {"VARN_dir.var", true, false},
        {"VARN_hidden.var", false, true}, {"", false, false}, {"VARN_b.var", false, false}};
    EXPECT_EQ(plotara::CatalogueNames(found), (std::vector<std::string>{"VARN_a.var", "VARN_b.var"}));
}

TEST(FindDataDirectoryTest, TakesTheValueWithASeparatorOrElseTheProgramDirectory) {
    const std::string sep(1, platform::kPathSeparator);
    const auto value = [](platform::ErrorCode error, std::string text) {
        return [=](std::string& out) {
            out = text;
            return error;
        };
    };
    EXPECT_EQ(plotara::FindDataDirectory(value(platform::kSuccess, "D:\\Data"), "prog" + sep),
              "D:\\Data" + sep);
    EXPECT_EQ(plotara::FindDataDirectory(value(platform::kSuccess, "D:\\Data\\"), "prog" + sep),
              "D:\\Data\\");
    EXPECT_EQ(plotara::FindDataDirectory(value(platform::kErrorFileNotFound, "ignored"), "prog"),
              "prog" + sep);
    EXPECT_EQ(plotara::FindDataDirectory(value(platform::kErrorInvalidData, ""), "prog" + sep),
              "prog" + sep);
    // An empty value names no directory anybody chose (with a separator it would be the root).
    EXPECT_EQ(plotara::FindDataDirectory(value(platform::kSuccess, ""), "prog" + sep), "prog" + sep);
    EXPECT_EQ(plotara::FindDataDirectory({}, "prog" + sep), "prog" + sep);
}

// A data directory on disk and the catalogue over it.
class CatalogueTest : public ::testing::Test {
protected:
    std::string Dir() const { return m_dir.Path() + platform::kPathSeparator; }

    // A current file through the project's writer; returns its name.
    std::string Job(const SFileRecipe& recipe, int nSchedule = 1) {
        const std::string strPath = plotara_test::WriteJobFile(Dir(), recipe, nSchedule);
        EXPECT_FALSE(strPath.empty());
        return std::filesystem::path(platform_test::PathFromUtf8(strPath)).filename().string();
    }
    void Raw(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(plotara_test::WriteBytesFile(m_dir.Path(name), bytes));
    }

    bool Fill() {
        m_catalogue.SetDataDirectory(Dir());
        return m_catalogue.FillCatalogue(m_list);
    }

    // Each row as "NO host start-hour" plus, for a check of the NO, the host of its file.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int row = 0; row < m_list.GetRowCount(); ++row) {
            rows.push_back(m_list.GetText(row, plotara::kColumnNo) + " " +
                           m_list.GetText(row, plotara::kColumnHost));
        }
        return rows;
    }

    // Every row's NO names the file whose header gave the row.
    void ExpectNumbersLeadToTheirFiles() const {
        for (int row = 0; row < m_list.GetRowCount(); ++row) {
            const int nNo = std::stoi(m_list.GetText(row, plotara::kColumnNo));
            EXPECT_EQ(m_list.GetRowData(row), nNo);
            CDataFileHeader header;
            ASSERT_TRUE(header.Read(Dir() + m_catalogue.FileOfRow(nNo))) << nNo;
            EXPECT_EQ(header.m_strHost, m_list.GetText(row, plotara::kColumnHost));
            EXPECT_EQ(std::to_string(header.m_nBranch), m_list.GetText(row, plotara::kColumnBranch));
        }
    }

    platform_test::CTempDir m_dir;
    CSortedListModel m_list;
    CDataCatalogue m_catalogue;
    platform::Time m_t0 = testutil::Local(2004, 8, 19, 10, 0, 0);
};

SFileRecipe Spec(const std::string& host, platform::Time t, std::uint32_t version = 130) {
    SFileRecipe recipe;
    recipe.m_strHost = host;
    recipe.m_tStart = t;
    recipe.m_nVersion = version;
    recipe.m_strExecId = version >= 110 ? "40800001" : "";
    return recipe;
}

TEST_F(CatalogueTest, DropsFilesThatAreNotDataFilesAndClosesUpTheNumbers) {
    m_list.SetColumnLayout(plotara::kCatalogueLayout);
    // Names in byte order are the search's order: A, B, C, ...
    Raw("VARN_A.var", plotara_test::HeaderBytes(Spec("HOST-A", m_t0)));
    Raw("VARN_B.var", plotara_test::HeaderBytes(Spec("HOST-B", m_t0 + 60, 105)));
    Raw("VARN_C.var", plotara_test::HeaderBytes(Spec("HOST-C", m_t0 + 120, 100)));
    SFileRecipe wrongTag = Spec("HOST-D", m_t0 + 180);
    wrongTag.m_strTag = "VARNOLE2";
    Raw("VARN_D.var", plotara_test::HeaderBytes(wrongTag));
    std::string cut = plotara_test::HeaderBytes(Spec("HOST-E", m_t0 + 240));
    Raw("VARN_E.var", cut.substr(0, cut.size() - 20));
    Raw("VARN_F.var", plotara_test::HeaderBytes(Spec("HOST-F", m_t0 + 300, 110)));
    Raw("VARN_G.var", "");
    m_dir.MakeDirectory("VARN_x.var");
    Raw("VARN_H.va_", plotara_test::HeaderBytes(Spec("HOST-H", m_t0)));  // still being written
    Raw("other.var", plotara_test::HeaderBytes(Spec("HOST-I", m_t0)));

    EXPECT_TRUE(Fill());
    EXPECT_EQ(m_catalogue.Files(), (std::vector<std::string>{"VARN_A.var", "VARN_C.var", "VARN_F.var"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2 HOST-F", "1 HOST-C", "0 HOST-A"}));
    ExpectNumbersLeadToTheirFiles();
    // The version 100 file: no execution ID, no group, branch 1.
    EXPECT_EQ(m_list.GetText(1, plotara::kColumnExecId), "");
    EXPECT_EQ(m_list.GetText(1, plotara::kColumnGroup), "");
    EXPECT_EQ(m_list.GetText(1, plotara::kColumnBranch), "1");
    EXPECT_EQ(m_catalogue.FileOfRow(3), "");
    EXPECT_EQ(m_catalogue.FileOfRow(-1), "");
}

TEST_F(CatalogueTest, ListsTheWritersFilesNewestFirstWithTheArrowOnTheStartTime) {
    m_list.SetColumnLayout(plotara::kCatalogueLayout);
    // A three-piece split run of one host, a group run of two hosts started at the same moment,
    // and a single run with thresholds.
    for (std::uint32_t branch = 1; branch <= 3; ++branch) {
        SFileRecipe piece = Spec("PC01", m_t0 + (branch - 1) * 1800);
        piece.m_strExecId = "40800002";
        piece.m_nBranch = branch;
        Job(piece, 2);
    }
    for (const char* host : {"PC03", "PC02"}) {
        SFileRecipe member = Spec(host, m_t0 + 7200);
        member.m_strGroup = "G1";
        member.m_strExecId = "40800003";
        Job(member, 4);
    }
    SFileRecipe single = Spec("SV01", m_t0 - 86400);
    single.m_nCpu = 80;
    single.m_nDisk = 50;
    single.m_strComment = "前日";
    Job(single, 7);

    EXPECT_TRUE(Fill());
    ASSERT_EQ(m_list.GetRowCount(), 6);
    std::vector<std::string> order;
    for (int row = 0; row < 6; ++row) {
        order.push_back(m_list.GetText(row, plotara::kColumnHost) + "/" +
                        m_list.GetText(row, plotara::kColumnBranch));
    }
    // Equal start times keep the host order of the earlier sorts.
    EXPECT_EQ(order, (std::vector<std::string>{"PC02/1", "PC03/1", "PC01/3", "PC01/2", "PC01/1",
                                               "SV01/1"}));
    EXPECT_EQ(m_list.GetSortColumn(), plotara::kColumnStart);
    EXPECT_FALSE(m_list.IsAscending());
    EXPECT_EQ(m_list.GetText(5, plotara::kColumnThreshold), "CPU 80  DSK 50");
    EXPECT_EQ(m_list.GetText(5, plotara::kColumnComment), "前日");
    EXPECT_EQ(m_list.GetText(0, plotara::kColumnGroup), "G1");
    EXPECT_EQ(m_list.GetText(0, plotara::kColumnStart), "2004/08/19 (木) 12:00:00");
    ExpectNumbersLeadToTheirFiles();
}

TEST_F(CatalogueTest, AMissingOrEmptyDirectoryGivesAnEmptyListAndNoCatalogue) {
    m_list.SetColumnLayout(plotara::kCatalogueLayout);
    m_list.AppendRow({"9", "old row"});
    EXPECT_FALSE(Fill());  // empty directory
    EXPECT_EQ(m_list.GetRowCount(), 0);

    Raw("VARN_A.var", plotara_test::HeaderBytes(Spec("HOST-A", m_t0)));
    EXPECT_TRUE(Fill());
    m_catalogue.SetDataDirectory(Dir() + "no-such-dir" + platform::kPathSeparator);
    EXPECT_FALSE(m_catalogue.FillCatalogue(m_list));
    EXPECT_EQ(m_list.GetRowCount(), 0);
    EXPECT_TRUE(m_catalogue.Files().empty());

    // A data directory that is a file, not a directory.
    m_catalogue.SetDataDirectory(m_dir.Path("VARN_A.var") + platform::kPathSeparator);
    EXPECT_FALSE(m_catalogue.FillCatalogue(m_list));
    EXPECT_EQ(m_list.GetRowCount(), 0);
}

TEST_F(CatalogueTest, FilesThatVanishOrAreCutShortWhileReadingAreLeftOut) {
    m_list.SetColumnLayout(plotara::kCatalogueLayout);
    for (const char* name : {"VARN_A.var", "VARN_B.var", "VARN_C.var", "VARN_D.var"})
        Raw(name, plotara_test::HeaderBytes(Spec(std::string(name).substr(5, 1), m_t0)));
    // Reading A removes B; reading C cuts D short, as another program might meanwhile.
    CDataCatalogue catalogue([this](const std::string& strPath, CDataFileHeader& header) {
        if (strPath.ends_with("VARN_A.var"))
            std::filesystem::remove(platform_test::PathFromUtf8(m_dir.Path("VARN_B.var")));
        if (strPath.ends_with("VARN_C.var"))
            plotara_test::WriteBytesFile(m_dir.Path("VARN_D.var"), "\x08VARNOLE1");
        return header.Read(strPath);
    });
    catalogue.SetDataDirectory(Dir());
    EXPECT_TRUE(catalogue.FillCatalogue(m_list));
    EXPECT_EQ(catalogue.Files(), (std::vector<std::string>{"VARN_A.var", "VARN_C.var"}));
    EXPECT_EQ(m_list.GetRowCount(), 2);
}

TEST_F(CatalogueTest, AHeaderCutAnywhereOrWithAbsurdLengthsNeverBecomesARow) {
    m_list.SetColumnLayout(plotara::kCatalogueLayout);
    SFileRecipe recipe = Spec("PC01", m_t0);
    recipe.m_strGroup = "G";
    recipe.m_strComment = "c";
    const std::string full = plotara_test::HeaderBytes(recipe);
    // Items 1 to 13 end 4 bytes before the counter-name count.
    const std::size_t nHeaderEnd = full.size() - 4;
    for (std::size_t n = 0; n < nHeaderEnd; ++n) {
        Raw("VARN_cut.var", full.substr(0, n));
        EXPECT_TRUE(Fill());  // a name was found, though no data file
        EXPECT_EQ(m_list.GetRowCount(), 0) << "cut at " << n;
    }
    // A host name announcing 2^31 bytes, in a file of a few dozen.
    std::string absurd = full.substr(0, full.find("PC01") - 1);
    absurd += std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7) + "PC01";
    Raw("VARN_cut.var", absurd);
    Raw("VARN_ok.var", full);
    EXPECT_TRUE(Fill());
    EXPECT_EQ(m_catalogue.Files(), (std::vector<std::string>{"VARN_ok.var"}));
}

}  // namespace
