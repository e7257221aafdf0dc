// Tests of the header item geometry: text indents, the arrow's place, direction and shading.
#include <gtest/gtest.h>

#include "win32ui/header_arrow_plan.h"

namespace {

using win32ui::PlanHeaderItem;
using win32ui::SPlanPoint;
using win32ui::SPlanRect;

constexpr SPlanRect kItem{100, 0, 200, 20};  // q = 5

TEST(HeaderArrowPlan, TextIsIndentedAndTheSortColumnKeepsRoomForItsArrow) {
    const auto plain = PlanHeaderItem(kItem, false, false, true);
    EXPECT_EQ(plain.rcText, (SPlanRect{105, 0, 195, 20}));
    EXPECT_TRUE(plain.bDrawText);
    EXPECT_FALSE(plain.bArrow);

    const auto sorted = PlanHeaderItem(kItem, false, true, true);
    EXPECT_EQ(sorted.rcText, (SPlanRect{105, 0, 180, 20}));
    ASSERT_TRUE(sorted.bArrow);
    // The arrow is 2q wide and 2q high, between 3q and q from the right edge, centred.
    for (const auto& edge : sorted.edges) {
        for (const SPlanPoint& point : {edge.from, edge.to}) {
            EXPECT_GE(point.x, 185);
            EXPECT_LE(point.x, 195);
            EXPECT_GE(point.y, 5);
            EXPECT_LE(point.y, 15);
        }
    }
}

TEST(HeaderArrowPlan, ApexPointsUpWhenAscendingAndDownWhenDescending) {
    const auto up = PlanHeaderItem(kItem, false, true, true);
    const auto down = PlanHeaderItem(kItem, false, true, false);
    // The apex is the one point at the middle of the arrow.
    const auto ApexY = [](const win32ui::SHeaderItemPlan& plan) {
        for (const auto& edge : plan.edges) {
            if (edge.from.x == 190) return edge.from.y;
            if (edge.to.x == 190) return edge.to.y;
        }
        return -1;
    };
    EXPECT_EQ(ApexY(up), 5);
    EXPECT_EQ(ApexY(down), 15);
    // One shaded edge, two lit ones, in both directions.
    for (const auto& plan : {up, down}) {
        int lit = 0;
        for (const auto& edge : plan.edges) lit += edge.bLit ? 1 : 0;
        EXPECT_EQ(lit, 2);
    }
}

TEST(HeaderArrowPlan, PressedItemsShiftAndNarrowItemsDropTheirText) {
    const auto pressed = PlanHeaderItem(kItem, true, false, true);
    EXPECT_EQ(pressed.rcText, (SPlanRect{106, 2, 196, 22}));

    // 24 pixels high (q = 6): 12 of a 30-pixel item go to indents, 18 to the arrow.
    const auto narrow = PlanHeaderItem(SPlanRect{0, 0, 30, 24}, false, true, true);
    EXPECT_FALSE(narrow.bDrawText);
    EXPECT_TRUE(narrow.bArrow);
}

}  // namespace
