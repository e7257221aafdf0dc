// Tests of the row comparison: numbers, day/month/year dates, text, and the sort direction.
#include "list/list_compare.h"

#include <gtest/gtest.h>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(ListCompare, ChoosesTheComparisonByTheFirstText) {
    const struct {
        const char* t1;
        const char* t2;
        int expected;
    } cases[] = {
        // Digits: by value, any length; t2 read leniently.
        {"9", "10", -1},
        {"007", "7", 0},
        {"", "abc", 0},  // empty counts as digits; abc reads as 0
        {"10", "abc", 1},
        {"5", "-3", 1},
        {"12", " 12abc", 0},
        {"18446744073709551616", "18446744073709551615", 1},
        // Day/month/year: year, then month, then day.
        {"31/12/2004", "01/01/2005", -1},
        {"01/02/2005", "31/01/2005", 1},
        {"15/06/2005", "15/06/2005", 0},
        {"01/01/2005", "01/01", 1},  // fields beyond t2's end count as 0
        // Neither: text order, even when t2 is a number.
        {"abc", "10", 1},
        {"1/01/2005", "01/01/2004", 1},  // nine characters: not a date
        {"2004/12/31 10:00:00", "2005/01/01 00:00:00", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(CompareListTexts(c.t1, c.t2)), c.expected) << c.t1 << " vs " << c.t2;
    }
}

TEST(ListCompare, DescendingSwapsTheTextsSoTheSecondDecidesTheKind) {
    EXPECT_LT(CompareSortTexts("9", "10", true), 0);
    EXPECT_GT(CompareSortTexts("9", "10", false), 0);
    // Ascending, abc vs 10 is a text comparison; descending, 10 vs abc is numeric (10 > 0).
    EXPECT_GT(CompareSortTexts("abc", "10", true), 0);
    EXPECT_GT(CompareSortTexts("abc", "10", false), 0);
}

}  // namespace
