// The counter-name table: its two reads and the walk over its strings, including broken data.
#include <gtest/gtest.h>

#include "hosts/counter_name_reader.h"
#include "hosts/recording_host_access.h"

namespace {

using hosts_test::CRecordingHostAccess;
using hosts_test::MultiString;

struct SParseCase {
    const char* pszName;
    std::vector<std::uint8_t> vecData;
    CCounterNameMap expected;
};

TEST(ParseCounterNames, PairsUntilAnEmptyIndexTextOrTheEnd) {
    std::vector<std::uint8_t> vecCut = MultiString({u"1", u"1847", u"2", u"Sys"}, false);
    vecCut.resize(vecCut.size() - 2);  // "Sys" loses its NUL
    std::vector<std::uint8_t> vecOdd = MultiString({u"4", u"Memory"});
    vecOdd.push_back(0x41);
    const SParseCase kCases[] = {
        {"first string empty", MultiString({u"", u"2", u"System"}), {}},
        {"no data", {}, {}},
        {"one lone NUL", {0}, {}},
        {"count pair is an ordinary pair",
         MultiString({u"1", u"1847", u"2", u"System", u"4", u"Memory"}),
         {{"1", "1847"}, {"2", "System"}, {"4", "Memory"}}},
        {"later pair replaces earlier",
         MultiString({u"6", u"% Processor Time", u"6", u"Idle"}),
         {{"6", "Idle"}}},
        {"index without name is dropped", MultiString({u"2", u"System", u"4"}), {{"2", "System"}}},
        // A damaged table: the pairs end only at an empty index text.
        {"empty name is left out, later pairs kept",
         MultiString({u"2", u"", u"4", u"Memory", u"6", u"", u"", u"Lost"}),
         {{"4", "Memory"}}},
        {"empty name in the last pair",
         MultiString({u"2", u"System", u"4", u""}),
         {{"2", "System"}}},
        {"string cut by the end of the data", vecCut, {{"1", "1847"}, {"2", "Sys"}}},
        {"odd last byte ignored", vecOdd, {{"4", "Memory"}}},
        {"UTF-16 to UTF-8, surrogate pair and lone surrogate",
         MultiString({u"7", u"プロセッサ", u"8", u"\U0001F600", u"9", std::u16string(1, 0xD800)}),
         {{"7", "プロセッサ"}, {"8", "\xF0\x9F\x98\x80"}, {"9", "\xEF\xBF\xBD"}}},
    };
    for (const SParseCase& c : kCases) {
        CCounterNameMap names = {{"stale", "entry"}};
        names.clear();
        ParseCounterNames(c.vecData, names);
        EXPECT_EQ(names, c.expected) << c.pszName;
    }
}

TEST(ReadCounterNames, AsksForTheSizeThenReadsExactlyThatMuch) {
    CRecordingHostAccess access;
    access.m_mapValues["Counter"] = MultiString({u"1", u"1856", u"238", u"Processor"});
    CCounterNameMap names = {{"old", "gone"}};
    ASSERT_EQ(ReadCounterNames(access, platform::HostKey{200}, names), 0u);
    EXPECT_EQ(names, (CCounterNameMap{{"1", "1856"}, {"238", "Processor"}}));

    const std::vector<hosts_test::SCall> vecQueries = access.CallsOf("query");
    ASSERT_EQ(vecQueries.size(), 2u);
    EXPECT_FALSE(vecQueries[0].bBuffer);
    EXPECT_TRUE(vecQueries[1].bBuffer);
    EXPECT_EQ(vecQueries[1].nBytes, access.m_mapValues["Counter"].size());
    for (const hosts_test::SCall& call : vecQueries) {
        EXPECT_EQ(call.strArg, "Counter");
        EXPECT_EQ(call.hKey, platform::HostKey{200});
    }
}

TEST(ReadCounterNames, EitherFailingReadGivesItsCodeAndAnEmptyMap) {
    CRecordingHostAccess access;
    access.m_mapValues["Counter"] = MultiString({u"2", u"System"});
    CCounterNameMap names;

    access.m_dequeQuery = {platform::kErrorAccessDenied};
    EXPECT_EQ(ReadCounterNames(access, platform::HostKey{200}, names),
              platform::kErrorAccessDenied);
    EXPECT_EQ(access.CallsOf("query").size(), 1u);

    // The value grew between the two reads: the second read's 234 is the result.
    access.m_dequeQuery = {0, platform::kErrorMoreData};
    EXPECT_EQ(ReadCounterNames(access, platform::HostKey{200}, names), platform::kErrorMoreData);
    EXPECT_TRUE(names.empty());

    // A missing value.
    CRecordingHostAccess empty;
    EXPECT_EQ(ReadCounterNames(empty, platform::HostKey{200}, names), platform::kErrorFileNotFound);
}

TEST(ReadCounterNames, AbsurdSizeIsRefusedWithoutAllocatingIt) {
    CRecordingHostAccess access;
    access.m_mapValues["Counter"] = MultiString({u"2", u"System"});
    access.m_nClaimedSize = 0xFFFFFFF0u;
    CCounterNameMap names;
    EXPECT_EQ(ReadCounterNames(access, platform::HostKey{200}, names),
              platform::kErrorNotEnoughMemory);
    EXPECT_EQ(access.CallsOf("query").size(), 1u);

    // A read that reports more bytes than it was given is cut to the buffer.
    CRecordingHostAccess liar;
    liar.m_mapValues["Counter"] = MultiString({u"2", u"System"}, false);
    liar.m_nClaimedCount = 0x7FFFFFFF;
    ASSERT_EQ(ReadCounterNames(liar, platform::HostKey{200}, names), 0u);
    EXPECT_EQ(names, (CCounterNameMap{{"2", "System"}}));
}

}  // namespace
