// Tests of the list model's rows: copies, placement, deletion, sorting and the view's events.
#include "list/sorted_list_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "recording_view.h"

namespace {

using Texts = std::vector<std::string>;

Texts Column(const CSortedListModel& list, int column) {
    Texts texts;
    for (int row = 0; row < list.GetRowCount(); ++row) texts.push_back(list.GetText(row, column));
    return texts;
}

TEST(SortedListRows, KeepTheirOwnCopiesOfExactlyColumnCountTexts) {
    CSortedListModel list;
    list.SetColumnLayout("A,10;B,10;C,10");
    std::string source = "host";
    list.AppendRow({source, "x"});              // too few: C is empty
    list.AppendRow(Texts{"1", "2", "3", "4"});  // too many: the 4th is dropped
    source.assign("changed");
    EXPECT_EQ(Column(list, 0), (Texts{"host", "1"}));
    EXPECT_EQ(Column(list, 2), (Texts{"", "3"}));
    EXPECT_EQ(list.GetText(1, 3), "");  // no such column
    EXPECT_EQ(list.GetText(-1, 0), "");
}

TEST(SortedListRows, InsertAtAClampedIndexDeleteAndNotifyTheView) {
    CRecordingView view;
    CSortedListModel list(&view);
    list.SetColumnLayout("時間,140;コメント,360");
    view.m_arrEvents.clear();
    EXPECT_EQ(list.InsertRow(0, {"b"}), 0);
    EXPECT_EQ(list.InsertRow(0, {"a"}), 0);  // the run log adds at the top
    EXPECT_EQ(list.InsertRow(99, {"z"}), 2);
    EXPECT_EQ(list.InsertRow(-4, {"first"}), 0);
    EXPECT_TRUE(list.DeleteRow(1));
    EXPECT_FALSE(list.DeleteRow(3));
    EXPECT_EQ(Column(list, 0), (Texts{"first", "b", "z"}));
    list.DeleteAllRows();
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(view.m_arrEvents,
              (Texts{"insert 0", "insert 0", "insert 2", "insert 0", "delete 1", "clear"}));
}

TEST(SortedListRows, SortedInsertionOrdersColumnZeroAsText) {
    CSortedListModel list;
    list.SetColumnLayout("NO,30;ホスト名/グループ名,120");
    list.SetInsertSorted(true);
    list.AppendRow({"12", "PC1"});
    list.AppendRow({"03", "PC2"});
    EXPECT_EQ(list.InsertRow(0, {"105", "PC3"}), 1);  // the index is ignored
    EXPECT_EQ(Column(list, 0), (Texts{"03", "105", "12"}));
    EXPECT_EQ(list.AppendRow({"03", "again"}), 1);  // after the rows it equals
}

TEST(SortedListSort, SortsByValueDateOrTextInEitherDirection) {
    // Equal values (9 and 09) keep the order the previous sort left them in.
    const struct {
        Texts texts;
        Texts ascending;
        Texts descending;
    } cases[] = {
        {{"10", "9", "100", "09"}, {"9", "09", "10", "100"}, {"100", "10", "9", "09"}},
        {{"01/01/2005", "31/12/2004", "15/01/2005"},
         {"31/12/2004", "01/01/2005", "15/01/2005"},
         {"15/01/2005", "01/01/2005", "31/12/2004"}},
        {{"pc2", "PC1", "pc1"}, {"pc1", "PC1", "pc2"}, {"pc2", "PC1", "pc1"}},
    };
    for (const auto& c : cases) {
        CSortedListModel list;
        list.SetColumnLayout("X,10");
        for (const std::string& text : c.texts) list.AppendRow({text});
        ASSERT_TRUE(list.SortBy(0, true));
        EXPECT_EQ(Column(list, 0), c.ascending);
        ASSERT_TRUE(list.SortBy(0, false));
        EXPECT_EQ(Column(list, 0), c.descending);
    }
}

TEST(SortedListSort, HeaderClickTogglesOnlyOnTheSameColumn) {
    CRecordingView view;
    CSortedListModel list(&view);
    list.SetColumnLayout("A,10;B,10;C,10");
    const struct {
        int column;
        bool ascending;
    } clicks[] = {{1, true}, {1, false}, {1, true}, {2, true}, {1, true}, {1, false}};
    for (const auto& click : clicks) {
        ASSERT_TRUE(list.OnColumnClick(click.column));
        EXPECT_EQ(list.GetSortColumn(), click.column);
        EXPECT_EQ(list.IsAscending(), click.ascending);
    }
    EXPECT_EQ(view.m_arrEvents.back(), "arrow 1 down");
    // A column that does not exist changes nothing.
    view.m_arrEvents.clear();
    EXPECT_FALSE(list.OnColumnClick(3));
    EXPECT_FALSE(list.SortBy(-1, true));
    EXPECT_EQ(list.GetSortColumn(), 1);
    EXPECT_TRUE(view.m_arrEvents.empty());
}

TEST(SortedListSort, IsStableAndMovesRowDataWithItsRow) {
    // The data file list sorts by host, then by start time descending: equal start times keep
    // the host order.
    CRecordingView view;
    CSortedListModel list(&view);
    list.SetColumnLayout("ホスト名,80;開始時間,140");
    list.AppendRow({"PC2", "2005/01/01 10:00:00"});
    list.AppendRow({"PC1", "2005/01/01 10:00:00"});
    list.AppendRow({"PC3", "2005/01/02 10:00:00"});
    for (int row = 0; row < 3; ++row) list.SetRowData(row, row);
    view.m_arrEvents.clear();
    list.SortBy(0, true);
    list.SortBy(1, false);
    EXPECT_EQ(Column(list, 0), (Texts{"PC3", "PC1", "PC2"}));
    EXPECT_EQ(list.GetRowData(0), 2);
    EXPECT_EQ(view.m_arrEvents,
              (Texts{"arrow 0 up", "reorder 1 0 2", "arrow 1 down", "reorder 2 0 1"}));
    list.SortBy(1, false);  // already in order: no reorder event
    EXPECT_EQ(view.m_arrEvents.back(), "arrow 1 down");
}

TEST(SortedListSort, MixedColumnsGiveAPermutationWhateverTheComparisonSays) {
    // Numbers, words, dates and empty texts make an inconsistent comparison; sorting must still
    // keep every row exactly once.
    const char* const kTexts[] = {"abc",        "10",   "9",   "",       "31/12/2004", "x1", "-5",
                                  "01/01/2005", "ＡＢ", "007", "ホスト", "12/13/1999", " 3"};
    CSortedListModel list;
    list.SetColumnLayout("X,10");
    std::uint32_t seed = 12345;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        list.AppendRow({kTexts[(seed >> 16) % std::size(kTexts)]});
        list.SetRowData(i, i);
    }
    for (bool ascending : {true, false, true}) {
        list.SortBy(0, ascending);
        std::vector<int> data;
        for (int row = 0; row < list.GetRowCount(); ++row) data.push_back(list.GetRowData(row));
        std::sort(data.begin(), data.end());
        for (int i = 0; i < 300; ++i) ASSERT_EQ(data[static_cast<std::size_t>(i)], i);
    }
}

}  // namespace
