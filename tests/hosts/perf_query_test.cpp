// QueryPerfData: the growth steps of the request buffer, its cap and the reported byte count.
#include <gtest/gtest.h>

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

}  // namespace
