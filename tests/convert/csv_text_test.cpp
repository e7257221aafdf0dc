// The pieces of a CSV line: quoting, numbers, sample times across minutes and clock changes,
// the order of instance names and their text.
#include "csv_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "csv_columns.h"
#include "platform/local_time.h"

namespace {

using namespace csv;

TEST(CsvText, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const struct {
        const char* pszField;
        const char* pszWritten;
    } kCases[] = {
        {"CPU(0)-CPU Time [%]", "CPU(0)-CPU Time [%]"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\n", "\"line\n\""},
        {" padded ", "\" padded \""},
        {"日時", "日時"},
    };
    for (const auto& c : kCases) {
        std::string strLine = "x,";
        AppendCsvField(strLine, c.pszField);
        EXPECT_EQ(strLine, std::string("x,") + c.pszWritten) << c.pszField;
    }
}

TEST(CsvText, NumbersAreRoundedAndGapsAreEmpty) {
    const struct {
        double dValue;
        int nDecimals;
        const char* pszWritten;
    } kCases[] = {
        {40.0, 2, "40.00"},          {12.345678, 2, "12.35"}, {99.995, 2, "100.00"},
        {819200, 0, "819200"},       {0.4, 0, "0"},           {-0.001, 2, "0.00"},
        {-3.5, 1, "-3.5"},           {1e12, 2, "1000000000000.00"},
        {NAN, 2, ""},                {INFINITY, 2, ""},       {7, 9, "7.000000"},
    };
    for (const auto& c : kCases) {
        std::string strLine;
        AppendCsvNumber(strLine, c.dValue, c.nDecimals);
        EXPECT_EQ(strLine, c.pszWritten) << c.dValue << " with " << c.nDecimals;
    }
}

TEST(CsvText, OnlyTheHeaderTextDependsOnTheEncoding) {
    EXPECT_EQ(EncodeCsvText("日時,CPU", ECsvEncoding::kCp932), "\x93\xfa\x8e\x9e,CPU");
    EXPECT_EQ(EncodeCsvText("日時,CPU", ECsvEncoding::kUtf8Bom), "日時,CPU");
    EXPECT_EQ(EncodeCsvText("〜", ECsvEncoding::kCp932), "?");  // U+301C has no code
}

// The time text of each time, written one after the other, against the platform's own split.
void ExpectTimesMatchThePlatform(const std::vector<platform::Time>& vecTimes) {
    CCsvTimeText text;
    for (const platform::Time t : vecTimes) {
        platform::LocalFields fields;
        ASSERT_TRUE(platform::SplitLocalTime(t, fields));
        char szExpected[32];
        std::snprintf(szExpected, sizeof szExpected, "%04d/%02d/%02d %02d:%02d:%02d", fields.nYear,
                      fields.nMonth, fields.nDay, fields.nHour, fields.nMinute, fields.nSecond);
        std::string strLine;
        text.Append(strLine, t);
        ASSERT_EQ(strLine, szExpected) << t;
    }
}

// Every nStep-th second of a span.
void ExpectTimesMatchThePlatform(platform::Time tFrom, int nSeconds, int nStep) {
    std::vector<platform::Time> vecTimes;
    for (int i = 0; i < nSeconds; i += nStep) vecTimes.push_back(tFrom + i);
    ExpectTimesMatchThePlatform(vecTimes);
}

TEST(CsvText, SampleTimesFollowTheLocalClockThroughItsChanges) {
    // TZ=Europe/Berlin: 2024-08-19 05:00:00 UTC is 07:00:00 there.
    std::string strLine;
    CCsvTimeText text;
    text.Append(strLine, 1'724'043'600);
    EXPECT_EQ(strLine, "2024/08/19 07:00:00");
    // Seconds one at a time and in odd steps over minute and day ends, and the nights the
    // clocks go forward (31 March 2024) and back (27 October 2024), the repeated hour included.
    ExpectTimesMatchThePlatform(1'724'104'740, 200, 1);   // 2024-08-19 23:59:00 +02:00
    ExpectTimesMatchThePlatform(1'711'843'200, 7200, 7);  // 2024-03-31 01:00 +01:00
    ExpectTimesMatchThePlatform(1'729'987'200, 7200, 13); // 2024-10-27 02:00 +02:00
    // Backwards too, within a minute and across minutes.
    constexpr platform::Time kMinute = 1'729'990'800;  // 2024-10-27 02:00:00 +01:00
    ExpectTimesMatchThePlatform({kMinute + 50, kMinute + 5, kMinute - 1, kMinute - 3600,
                                 kMinute + 59, kMinute + 60});
}

TEST(CsvText, InstanceNamesSortWithTheirNumbersByValue) {
    EXPECT_TRUE(NaturalLess("2", "10"));
    EXPECT_FALSE(NaturalLess("10", "2"));
    EXPECT_TRUE(NaturalLess("0 C:", "1 D:"));
    EXPECT_TRUE(NaturalLess("9 Z:", "10 A:"));
    EXPECT_TRUE(NaturalLess("C:", "D:"));
    EXPECT_TRUE(NaturalLess("HarddiskVolume2", "HarddiskVolume10"));
    EXPECT_TRUE(NaturalLess("1", "1,1"));
    EXPECT_FALSE(NaturalLess("007", "7"));
    EXPECT_FALSE(NaturalLess("7", "007"));
    EXPECT_FALSE(NaturalLess("a", "a"));
}

TEST(CsvText, InstanceNamesComeFromTheirUtf16Bytes) {
    EXPECT_EQ(InstanceNameText(std::string("0\0 \0C\0:\0", 8)), "0 C:");
    EXPECT_EQ(InstanceNameText(std::string("\xdd\x30\xfc\x30", 4)), "ポー");
    EXPECT_EQ(InstanceNameText(std::string("\x3d\xd8\x00\xde", 4)), "😀");  // a surrogate pair
    EXPECT_EQ(InstanceNameText(std::string("\x3d\xd8" "A\0", 4)), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(InstanceNameText(std::string("A\0B", 3)), "A");  // an odd byte at the end
}

}  // namespace
