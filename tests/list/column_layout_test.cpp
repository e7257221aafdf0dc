// Tests of layout string parsing and of a model taking its columns from one.
#include "list/column_layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "list/sorted_list_model.h"
#include "recording_view.h"

namespace {

using Columns = std::vector<std::pair<std::string, int>>;

TEST(ColumnLayout, ParsesEntriesAndSurvivesMalformedOnes) {
    const struct {
        const char* layout;
        Columns expected;
    } cases[] = {
        {"NO,30;ホスト名,60", {{"NO", 30}, {"ホスト名", 60}}},
        {"", {}},
        {"NO", {}},                             // no comma: nothing to parse
        {"NO,30;", {{"NO", 30}}},               // trailing ';' adds no column
        {"NO,30;X", {{"NO", 30}}},              // the text after the last ';' has no comma
        {"NO,abc;B,5", {{"NO", 0}, {"B", 5}}},  // width without digits
        {",10;B, 7px", {{"", 10}, {"B", 7}}},   // leading blanks and digits
        {"A,-5;B,99999999999", {{"A", 0}, {"B", kMaxColumnWidth}}},
        {"A,10,20;B,5", {{"A", 10}, {"B", 5}}},  // the width text runs to the next ';'
        {"A;B,5", {{"A;B", 5}}},                 // the name is everything before the comma
    };
    for (const auto& c : cases) {
        Columns columns;
        for (const CListColumn& column : ParseColumnLayout(c.layout)) {
            columns.emplace_back(column.m_strName, column.m_nWidth);
        }
        EXPECT_EQ(columns, c.expected) << c.layout;
    }
}

TEST(ColumnLayout, StopsAtTheFirstColumnTheViewRefusesAndKeepsEarlierOnes) {
    CRecordingView view;
    view.m_setRefusedColumns = {2};
    CSortedListModel list(&view);
    ASSERT_TRUE(list.SetColumnLayout("NO,30;ホスト名,60"));
    list.AppendRow({"01", "PC1"});
    EXPECT_FALSE(list.SetColumnLayout("B,20;C,30"));
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_EQ(view.m_arrEvents, (std::vector<std::string>{"column 0 NO 30", "column 1 ホスト名 60",
                                                          "insert 0", "column 2 B 20"}));

    view.m_setRefusedColumns.clear();
    ASSERT_TRUE(list.SetColumnLayout("B,20"));  // a later layout appends; rows gain empty texts
    EXPECT_EQ(list.GetColumnName(2), "B");
    EXPECT_EQ(list.GetColumnWidth(1), 60);
    EXPECT_EQ(list.GetText(0, 1), "PC1");
    EXPECT_EQ(list.GetText(0, 2), "");
}

}  // namespace
