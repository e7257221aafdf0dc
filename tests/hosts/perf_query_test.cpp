// QueryPerfData and a job's CPerfQuery: the growth steps of the request buffer, its cap, the
// reported byte count, and where a job's next request starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "hosts/perf_query.h"
#include "hosts/recording_host_access.h"

namespace {

using hosts_test::CRecordingHostAccess;

std::vector<std::uint32_t> BufferSizes(const CRecordingHostAccess& access) {
    std::vector<std::uint32_t> vecSizes;
    for (const hosts_test::SCall& call : access.CallsOf("query")) {
        EXPECT_EQ(call.strArg, "238 4 234 236 510 502 638 230 1850");
        EXPECT_EQ(call.hKey, platform::HostKey{200});
        EXPECT_TRUE(call.bBuffer);
        vecSizes.push_back(call.nBytes);
    }
    return vecSizes;
}

std::vector<std::uint8_t> Pattern(std::size_t nSize) {
    std::vector<std::uint8_t> vecBytes(nSize);
    for (std::size_t i = 0; i < nSize; ++i) vecBytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return vecBytes;
}

TEST(QueryPerfData, BlockOf60000BytesTakesExactlyOneGrowthStep) {
    CRecordingHostAccess access;
    access.m_vecBlock = Pattern(60'000);
    CPerfData data;
    ASSERT_EQ(QueryPerfData(access, platform::HostKey{200}, data), 0u);
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{51'200, 76'800}));
    EXPECT_EQ(data.m_nBytes, 60'000u);
    EXPECT_EQ(data.m_vecBuffer.size(), 76'800u);
    const perf::PerfBytes block = data.Block();
    EXPECT_TRUE(
        std::equal(block.begin(), block.end(), access.m_vecBlock.begin(), access.m_vecBlock.end()));
    // The rest of the buffer is the zero fill of the new allocation.
    EXPECT_EQ(data.m_vecBuffer[60'000], 0);
    EXPECT_EQ(data.m_vecBuffer.back(), 0);
}

TEST(QueryPerfData, BlocksUpToTheFirstBufferNeedOneRequest) {
    for (const std::size_t nSize : {std::size_t{1'000}, std::size_t{51'200}}) {
        CRecordingHostAccess access;
        access.m_vecBlock = Pattern(nSize);
        CPerfData data;
        ASSERT_EQ(QueryPerfData(access, platform::HostKey{200}, data), 0u);
        EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{51'200}));
        EXPECT_EQ(data.Block().size(), nSize);
    }
    // 51,201 bytes: one step.
    CRecordingHostAccess access;
    access.m_vecBlock = Pattern(51'201);
    CPerfData data;
    ASSERT_EQ(QueryPerfData(access, platform::HostKey{200}, data), 0u);
    EXPECT_EQ(BufferSizes(access).size(), 2u);
}

TEST(QueryPerfData, OtherCodesEndTheRequestAndLeaveNoData) {
    CRecordingHostAccess access;
    access.m_vecBlock = Pattern(60'000);
    access.m_dequeQuery = {platform::kErrorMoreData, platform::kErrorBadNetPath};
    CPerfData data;
    data.m_vecBuffer = Pattern(10);
    data.m_nBytes = 10;
    EXPECT_EQ(QueryPerfData(access, platform::HostKey{200}, data), platform::kErrorBadNetPath);
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{51'200, 76'800}));
    EXPECT_TRUE(data.m_vecBuffer.empty());
    EXPECT_EQ(data.m_nBytes, 0u);
    EXPECT_TRUE(data.Block().empty());
}

TEST(QueryPerfData, EndlessMoreDataStopsAtTheCap) {
    CRecordingHostAccess access;
    access.m_bAlwaysMoreData = true;
    CPerfData data;
    EXPECT_EQ(QueryPerfData(access, platform::HostKey{200}, data, 128'000),
              platform::kErrorNotEnoughMemory);
    // 128,000 is itself allowed; the step after it is not.
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{51'200, 76'800, 102'400, 128'000}));
    EXPECT_TRUE(data.m_vecBuffer.empty());

    CRecordingHostAccess small;
    small.m_bAlwaysMoreData = true;
    EXPECT_EQ(QueryPerfData(small, platform::HostKey{200}, data, 60'000),
              platform::kErrorNotEnoughMemory);
    EXPECT_EQ(BufferSizes(small), (std::vector<std::uint32_t>{51'200}));
    EXPECT_EQ(kPerfBufferCapBytes, 64u * 1024 * 1024);
}

TEST(QueryPerfData, ReportedCountBeyondTheBufferIsClampedByBlock) {
    CRecordingHostAccess access;
    access.m_vecBlock = Pattern(100);
    access.m_nClaimedCount = 4'000'000'000u;
    CPerfData data;
    ASSERT_EQ(QueryPerfData(access, platform::HostKey{200}, data), 0u);
    EXPECT_EQ(data.m_nBytes, 4'000'000'000u);  // as the platform reported it
    EXPECT_EQ(data.Block().size(), 51'200u);   // but never more than the buffer
}

TEST(PerfBufferBytesFor, GivesTheSmallestBufferOfTheGrowthSequence) {
    const std::pair<std::uint32_t, std::uint32_t> kCases[] = {
        {0, 51'200},
        {1, 51'200},
        {51'200, 51'200},
        {51'201, 76'800},
        {60'000, 76'800},
        {76'800, 76'800},
        {76'801, 102'400},
        {100'000, 102'400},
        {4'000'000'000u, 4'000'000'000u},
        {UINT32_MAX, UINT32_MAX}};  // beyond the last step of 32 bits: the largest count
    for (const auto& [nBytes, nBuffer] : kCases) {
        EXPECT_EQ(PerfBufferBytesFor(nBytes), nBuffer) << nBytes;
    }
}

// A job's requests ask exactly what QueryPerfData asks, through buffers of the same sequence; only
// the first size of each request follows the size the previous reply needed.
TEST(PerfQuery, EachRequestStartsWhereThePreviousReplyFitted) {
    CRecordingHostAccess access;
    CPerfQuery query;
    struct SStep {
        std::size_t nBlock;
        std::vector<std::uint32_t> vecSizes;  // the buffer sizes this request tries
    };
    const SStep kSteps[] = {
        {60'000, {51'200, 76'800}},             // a fresh job starts as QueryPerfData does
        {60'000, {76'800}},                     // and then asks once per sample
        {70'000, {76'800}},                     // a block that still fits
        {110'000, {76'800, 102'400, 128'000}},  // grows in the usual steps
        {1'000, {128'000}},                     // a shrunken block still arrives at once
        {1'000, {51'200}},                      // and the next request starts low again
    };
    for (const SStep& step : kSteps) {
        access.m_vecCalls.clear();
        access.m_vecBlock = Pattern(step.nBlock);
        ASSERT_EQ(query.Request(access, platform::HostKey{200}), 0u);
        EXPECT_EQ(BufferSizes(access), step.vecSizes) << step.nBlock;
        const perf::PerfBytes block = query.Block();
        EXPECT_TRUE(std::equal(block.begin(), block.end(), access.m_vecBlock.begin(),
                               access.m_vecBlock.end()))
            << step.nBlock;
        EXPECT_EQ(query.ReportedBytes(), step.nBlock);
    }
}

// The kept buffer is not cleared between requests: a reply that claims more bytes than the buffer
// holds offers bytes it did not write, which are this host's earlier bytes where they reached and
// zeros beyond (the allocation's), never anything else.
TEST(PerfQuery, AReplyClaimingTooMuchShowsOnlyThisHostsBytesOrZeros) {
    CRecordingHostAccess access;
    CPerfQuery query;
    access.m_vecBlock = Pattern(60'000);
    ASSERT_EQ(query.Request(access, platform::HostKey{200}), 0u);

    const std::vector<std::uint8_t> first = access.m_vecBlock;
    access.m_vecBlock = std::vector<std::uint8_t>(100, 0xAB);
    access.m_nClaimedCount = 4'000'000'000u;
    ASSERT_EQ(query.Request(access, platform::HostKey{200}), 0u);
    const perf::PerfBytes block = query.Block();
    ASSERT_EQ(block.size(), 76'800u);  // never more than the buffer
    EXPECT_TRUE(std::all_of(block.begin(), block.begin() + 100, [](auto b) { return b == 0xAB; }));
    EXPECT_TRUE(std::equal(block.begin() + 100, block.begin() + 60'000, first.begin() + 100));
    EXPECT_TRUE(std::all_of(block.begin() + 60'000, block.end(), [](auto b) { return b == 0; }));
}

TEST(PerfQuery, AFailedRequestLeavesNoReplyAndKeepsTheStart) {
    CRecordingHostAccess access;
    CPerfQuery query;
    access.m_vecBlock = Pattern(60'000);
    ASSERT_EQ(query.Request(access, platform::HostKey{200}), 0u);

    access.m_vecCalls.clear();
    access.m_dequeQuery = {platform::kErrorBadNetPath};
    EXPECT_EQ(query.Request(access, platform::HostKey{200}), platform::kErrorBadNetPath);
    EXPECT_TRUE(query.Block().empty());
    EXPECT_EQ(query.ReportedBytes(), 0u);
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{76'800}));

    access.m_vecCalls.clear();
    ASSERT_EQ(query.Request(access, platform::HostKey{200}), 0u);
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{76'800}));
    EXPECT_EQ(query.Block().size(), 60'000u);
}

TEST(PerfQuery, EndlessMoreDataStopsAtTheCap) {
    CRecordingHostAccess access;
    access.m_bAlwaysMoreData = true;
    CPerfQuery query(128'000);
    EXPECT_EQ(query.Request(access, platform::HostKey{200}), platform::kErrorNotEnoughMemory);
    EXPECT_EQ(BufferSizes(access), (std::vector<std::uint32_t>{51'200, 76'800, 102'400, 128'000}));
    EXPECT_TRUE(query.Block().empty());

    CRecordingHostAccess none;
    none.m_bAlwaysMoreData = true;
    CPerfQuery tiny(50'000);
    EXPECT_EQ(tiny.Request(none, platform::HostKey{200}), platform::kErrorNotEnoughMemory);
    EXPECT_TRUE(none.m_vecCalls.empty());
}

}  // namespace
