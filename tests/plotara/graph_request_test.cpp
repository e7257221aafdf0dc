// The selection rules and the graph request built from the selected rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "common/local_time_util.h"
#include "data_file_fixtures.h"
#include "graph_request.h"
#include "platform/temp_dir.h"
#include "plotara_texts.h"

namespace {

using plotara::kColumnExecId;
using plotara::kColumnHost;

// Fills a list with rows of only an execution ID and a host name.
void FillList(CSortedListModel& list, const std::vector<std::pair<std::string, std::string>>& rows) {
    list.SetColumnLayout(plotara::kCatalogueLayout);
    for (const auto& [execId, host] : rows) {
        std::vector<std::string> texts(plotara::kCatalogueColumnCount);
        texts[kColumnExecId] = execId;
        texts[kColumnHost] = host;
        list.AppendRow(texts);
    }
}

TEST(CheckSelectionTest, TheFirstBrokenRuleOfTheRowsInListOrderDecides) {
    const std::string schedule(plotara::kTextScheduleMismatch);
    const std::string unknown(plotara::kTextHostUnknown);
    const std::string host(plotara::kTextHostMismatch);
    struct {
        std::vector<std::pair<std::string, std::string>> rows;
        std::string expected;
    } const cases[] = {
        {{}, ""},
        {{{"", ""}}, ""},  // one row: no rules
        {{{"4080001", "PC1"}, {"4080001", "PC1"}, {"4080001", "PC1"}}, ""},
        {{{"4080001", "PC1"}, {"4080001", "PC2"}}, host},  // two members of one group run
        {{{"", "PC1"}, {"", "PC1"}}, schedule},            // two files of the oldest format
        {{{"4080001", "PC1"}, {"4080002", "PC2"}, {"4080001", "PC1"}}, schedule},
        {{{"4080001", "PC1"}, {"4080001", "PC2"}, {"4080002", "PC1"}}, host},
        {{{"4080001", ""}, {"4080001", ""}}, unknown},
        {{{"4080001", "PC1"}, {"4080001", ""}}, unknown},
        {{{"4080001", "PC1"}, {"", "PC1"}}, schedule},
        {{{"4080001", "pc1"}, {"4080001", "PC1"}}, host},  // names compare exactly
    };
    for (const auto& c : cases) {
        CSortedListModel list;
        FillList(list, c.rows);
        std::vector<int> rows;
        for (int i = 0; i < list.GetRowCount(); ++i) rows.push_back(i);
        EXPECT_EQ(plotara::CheckSelection(list, rows), c.expected) << "rows: " << rows.size();
    }
}

TEST(GraphFilePathTest, RepeatsTheDirectorysSeparator) {
    EXPECT_EQ(plotara::GraphFilePath("D:\\Data\\", "VARN_A.var"), "D:\\Data\\\\VARN_A.var");
    EXPECT_EQ(plotara::GraphFilePath("/srv/data/", "VARN_A.var"), "/srv/data//VARN_A.var");
    EXPECT_EQ(plotara::GraphFilePath("D:\\予\\", "VARN_予.var"), "D:\\予\\\\VARN_予.var");
}

// A catalogue whose headers come from recipes instead of files' contents; the files exist (empty)
// only so that the directory search finds them.
class GraphRequestTest : public ::testing::Test {
protected:
    void Add(const std::string& name, const plotara_test::SFileRecipe& recipe) {
        m_dir.WriteFile(name);
        m_recipes[name] = recipe;
    }
    void Fill() {
        m_list.SetColumnLayout(plotara::kCatalogueLayout);
        m_catalogue.SetDataDirectory(Dir());
        ASSERT_TRUE(m_catalogue.FillCatalogue(m_list));
    }
    std::string Dir() const { return m_dir.Path() + platform::kPathSeparator; }
    std::string PathOf(const std::string& name) const {
        return Dir() + platform::kPathSeparator + name;
    }
    // The row of the file with this name.
    int RowOf(const std::string& name) const {
        for (int row = 0; row < m_list.GetRowCount(); ++row) {
            if (m_catalogue.FileOfRow(m_list.GetRowData(row)) == name) return row;
        }
        ADD_FAILURE() << "no row for " << name;
        return -1;
    }
    std::vector<std::string> Paths(const CGraphParam& param) const {
        std::vector<std::string> paths;
        for (const CGraphFileItem& item : param.m_files.Items()) paths.push_back(item.m_strPath);
        return paths;
    }

    static plotara_test::SFileRecipe Piece(const std::string& host, const std::string& execId,
                                         std::uint32_t branch) {
        plotara_test::SFileRecipe recipe;
        recipe.m_strHost = host;
        recipe.m_strExecId = execId;
        recipe.m_nBranch = branch;
        recipe.m_tStart = testutil::Local(2004, 8, 19, 10, 0, 0) + branch * 1800;
        return recipe;
    }

    platform_test::CTempDir m_dir;
    std::map<std::string, plotara_test::SFileRecipe> m_recipes;
    CSortedListModel m_list;
    plotara::CDataCatalogue m_catalogue{[this](const std::string& strPath, CDataFileHeader& header) {
        for (const auto& [name, recipe] : m_recipes) {
            if (strPath == Dir() + name) {
                header = plotara_test::HeaderOf(recipe);
                return true;
            }
        }
        return false;
    }};
};

TEST_F(GraphRequestTest, NoRowIsRefusedAndOneRowIsItsFileAsBranchOne) {
    Add("VARN_A.var", Piece("PC1", "4080007", 2));
    Fill();
    plotara::SGraphRequest request = plotara::BuildGraphRequest(m_list, m_catalogue, {}, 0, true);
    EXPECT_EQ(request.m_strRefusal, plotara::kTextNoSelection);

    request = plotara::BuildGraphRequest(m_list, m_catalogue, {0}, 5, true);
    ASSERT_TRUE(request.Ok());
    ASSERT_EQ(request.m_param.m_files.Size(), 1u);
    const CGraphFileItem& item = request.m_param.m_files.Items()[0];
    EXPECT_EQ(item.m_strExecId, "");
    EXPECT_EQ(item.m_nBranch, 1);
    EXPECT_EQ(item.m_strPath, PathOf("VARN_A.var"));
    EXPECT_EQ(request.m_param.m_strHost, "PC1");
    EXPECT_EQ(request.m_param.m_nCounter, 5);
    EXPECT_EQ(request.m_param.m_strCounter, "Physical Disk-Disk Time");
    EXPECT_EQ(request.m_param.m_bShowDate, 0);
}

TEST_F(GraphRequestTest, ThePiecesOfASplitRunGoInBranchOrderWhateverTheListOrder) {
    Add("VARN_1.var", Piece("PC1", "4080007", 1));
    Add("VARN_2.var", Piece("PC1", "4080007", 2));
    Add("VARN_3.var", Piece("PC1", "4080007", 3));
    Add("VARN_X.var", Piece("PC2", "4080008", 1));
    Fill();
    const std::vector<std::string> inBranchOrder = {PathOf("VARN_1.var"), PathOf("VARN_2.var"),
                                                    PathOf("VARN_3.var")};
    // Newest first: branch 3, 2, 1 in the list; then re-sorted by the NO column.
    for (bool bResort : {false, true}) {
        if (bResort) m_list.SortBy(plotara::kColumnNo, true);
        std::vector<int> rows = {RowOf("VARN_3.var"), RowOf("VARN_1.var"), RowOf("VARN_2.var")};
        std::sort(rows.begin(), rows.end());  // what the window gives: list order
        const plotara::SGraphRequest request =
            plotara::BuildGraphRequest(m_list, m_catalogue, rows, 3, false);
        ASSERT_TRUE(request.Ok()) << request.m_strRefusal;
        EXPECT_EQ(Paths(request.m_param), inBranchOrder);
        EXPECT_EQ(request.m_param.m_nCounter, 3);
        EXPECT_EQ(request.m_param.m_strCounter, "Memory-Available Memory [MB]");
        EXPECT_EQ(request.m_param.m_bShowDate, 1);
        EXPECT_EQ(request.m_param.m_strHost, "PC1");
    }
    // Adding the other host's file breaks the rules.
    std::vector<int> rows = {RowOf("VARN_1.var"), RowOf("VARN_X.var")};
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(plotara::BuildGraphRequest(m_list, m_catalogue, rows, 0, true).m_strRefusal,
              plotara::kTextScheduleMismatch);
}

TEST_F(GraphRequestTest, TheBranchTextIsReadLikeAtoiAndAWrongCounterIsTheFirst) {
    Add("VARN_1.var", Piece("PC1", "4080007", 1));
    Add("VARN_2.var", Piece("PC1", "4080007", 2));
    Fill();
    // Texts a branch column could hold, read with leading blanks, sign and digits only.
    const int row1 = RowOf("VARN_1.var");
    const int row2 = RowOf("VARN_2.var");
    struct {
        const char* text1;
        const char* text2;
        std::vector<std::string> files;
    } const cases[] = {
        {"12", "3", {"VARN_2.var", "VARN_1.var"}},
        {" 2x", "10", {"VARN_1.var", "VARN_2.var"}},
        {"-1", "abc", {"VARN_1.var", "VARN_2.var"}},  // -1 before 0
        {"abc", "-1", {"VARN_2.var", "VARN_1.var"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts1(plotara::kCatalogueColumnCount), texts2 = texts1;
        for (int column = 0; column < plotara::kCatalogueColumnCount; ++column) {
            texts1[column] = m_list.GetText(row1, column);
            texts2[column] = m_list.GetText(row2, column);
        }
        texts1[plotara::kColumnBranch] = c.text1;
        texts2[plotara::kColumnBranch] = c.text2;
        CSortedListModel list;
        list.SetColumnLayout(plotara::kCatalogueLayout);
        list.SetRowData(list.AppendRow(texts1), m_list.GetRowData(row1));
        list.SetRowData(list.AppendRow(texts2), m_list.GetRowData(row2));
        const plotara::SGraphRequest request =
            plotara::BuildGraphRequest(list, m_catalogue, {0, 1}, -1, true);
        ASSERT_TRUE(request.Ok());
        EXPECT_EQ(Paths(request.m_param),
                  (std::vector<std::string>{PathOf(c.files[0]), PathOf(c.files[1])}))
            << c.text1 << " / " << c.text2;
        EXPECT_EQ(request.m_param.m_nCounter, 0);
        EXPECT_EQ(request.m_param.m_strCounter, "CPU-CPU Time");
    }
}

TEST(GraphBlockTest, StartsWithTheCounterItsTextTheHostAndTheDateFlag) {
    CSortedListModel list;
    list.SetColumnLayout(plotara::kCatalogueLayout);
    std::vector<std::string> texts(plotara::kCatalogueColumnCount);
    texts[kColumnHost] = std::string(300, 'h');
    list.AppendRow(texts);
    const plotara::CDataCatalogue catalogue;
    const plotara::SGraphRequest request = plotara::BuildGraphRequest(list, catalogue, {0}, 0, false);
    ASSERT_TRUE(request.Ok());
    const std::string block = EncodeGraphParamBlock(request.m_param);
    ASSERT_EQ(block.size(), kGraphParamBlockStep);
    const std::string head = std::string("\0\0\0\0", 4) + "\x0C" "CPU-CPU Time" +
                             "\xFF\x2C\x01" + std::string(300, 'h') + std::string("\1\0\0\0", 4) +
                             std::string("\1\0\0\0", 4);
    EXPECT_EQ(block.substr(0, head.size()), head);
}

}  // namespace
