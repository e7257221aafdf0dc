// Tests of saving and restoring column widths as the count-plus-widths binary value.
#include "list/column_widths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "list/sorted_list_model.h"
#include "recording_view.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ColumnWidths, SaveAndRestoreRoundTripThroughTheStoredValue) {
    CSortedListModel saved;
    saved.SetColumnLayout("NO,30;ホスト名,60");
    saved.SetColumnWidth(1, 300);
    saved.SetColumnWidth(0, -3);  // user widths are kept in range
    const Bytes stored = saved.SaveColumnWidths();
    EXPECT_EQ(stored, (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0x2c, 1, 0, 0}));

    CRecordingView view;
    CSortedListModel list(&view);
    list.SetColumnLayout("NO,30;ホスト名,60");
    view.m_arrEvents.clear();
    ASSERT_TRUE(list.RestoreColumnWidths(stored));
    EXPECT_EQ(list.GetColumnWidth(0), 0);
    EXPECT_EQ(list.GetColumnWidth(1), 300);
    EXPECT_EQ(view.m_arrEvents, (std::vector<std::string>{"widths"}));
    EXPECT_EQ(ColumnWidthsEntry(1000), "1000");
}

TEST(ColumnWidths, RestoreIgnoresValuesThatDoNotFit) {
    const struct {
        const char* what;
        Bytes stored;
    } cases[] = {
        {"absent", {}},
        {"shorter than a count", {2, 0, 0}},
        {"other count", {3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}},
        {"one width missing", {2, 0, 0, 0, 1, 0, 0, 0}},
        {"extra bytes", {2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 9}},
        {"negative count", {0xff, 0xff, 0xff, 0xff}},
        {"huge count", {0x01, 0, 0, 0x40, 1, 0, 0, 0, 2, 0, 0, 0}},
        {"negative width", {2, 0, 0, 0, 1, 0, 0, 0, 0xff, 0xff, 0xff, 0xff}},
        {"absurd width", {2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        CRecordingView view;
        CSortedListModel list(&view);
        list.SetColumnLayout("NO,30;ホスト名,60");
        view.m_arrEvents.clear();
        EXPECT_FALSE(list.RestoreColumnWidths(c.stored)) << c.what;
        EXPECT_EQ(list.GetColumnWidth(0), 30) << c.what;
        EXPECT_EQ(list.GetColumnWidth(1), 60) << c.what;
        EXPECT_TRUE(view.m_arrEvents.empty()) << c.what;
    }
}

}  // namespace
