// The terminal demo's booking set: written by Gather's settings writer, it reads back as Gather
// loads it, and it books the demo network's hosts for what it means to show.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_bookings.h"
#include "file_ops.h"
#include "gather_settings.h"
#include "platform/temp_dir.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace {

constexpr platform::Time kStart = 1796680000;

struct SExpected {
    int nSchedule;
    std::int32_t nTargetType;
    const char* pszTarget;
    std::int32_t nInterval;
    std::int32_t nCpuThreshold;
};

const SExpected kExpected[] = {
    {1, kTargetHost, "PC01", 1000, kThresholdUnused},
    {2, kTargetGroup, "OFFICE", 2000, kThresholdUnused},
    {3, kTargetHost, "PC02", 1000, 10},
    {4, kTargetHost, "DOWN01", 1000, kThresholdUnused},
};

TEST(DemoBookings, ReadBackAsGatherLoadsThem) {
    platform_test::CTempDir dir;
    platform::ManualClock clock(kStart - 5);
    {
        CGatherTables tables(clock);
        const std::vector<std::string> vecLines = FillDemoBookings(tables, kStart, 60);
        EXPECT_EQ(vecLines.size(), 4u);
        CGatherSettings settings(tables, PlatformFileOps());
        settings.SetProgramDirectory(dir.Path() + platform::kPathSeparator);
        ASSERT_EQ(settings.Save(), "");
    }

    CGatherTables loaded(clock);
    CGatherSettings settings(loaded, PlatformFileOps());
    settings.SetProgramDirectory(dir.Path() + platform::kPathSeparator);
    ASSERT_TRUE(settings.Load());
    ASSERT_EQ(settings.LoadProblem(), "");

    for (const SExpected& expected : kExpected) {
        SCOPED_TRACE(expected.pszTarget);
        const CSchedule& schedule = loaded.Schedule(expected.nSchedule);
        EXPECT_EQ(schedule.m_nState, kStateWaiting);
        EXPECT_EQ(schedule.m_nTargetType, expected.nTargetType);
        EXPECT_EQ(schedule.m_strTarget, expected.pszTarget);
        EXPECT_EQ(schedule.m_nInterval, expected.nInterval);
        EXPECT_EQ(schedule.m_nCpuThreshold, expected.nCpuThreshold);
        EXPECT_EQ(schedule.m_nMemThreshold, kThresholdUnused);
        EXPECT_EQ(schedule.m_nDiskThreshold, kThresholdUnused);
        EXPECT_EQ(schedule.m_nRepeat, kRepeatAtOnce);
        EXPECT_EQ(schedule.m_nSplitUnit, kSplitNone);
        // The run is fixed: it starts together with the others and lasts the minute.
        EXPECT_EQ(schedule.m_tNextStart, kStart);
        EXPECT_EQ(schedule.m_tNextEnd, kStart + 60);
        EXPECT_EQ(RunEnd(schedule, kStart), kStart + 60);
    }
    int nUsed = 0;
    for (const CSchedule& schedule : loaded.Schedules()) nUsed += schedule.IsFree() ? 0 : 1;
    EXPECT_EQ(nUsed, 4);
    // New bookings made in Gather afterwards take the numbers after the demo's.
    EXPECT_EQ(loaded.LastSchedule(), 4);

    EXPECT_EQ(ScheduleHosts(loaded.Schedule(2), loaded.Groups()),
              (std::vector<std::string>{"PC03", "PC04"}));
    for (const char* pszHost : {"PC01", "PC02", "PC03", "PC04", "DOWN01"})
        EXPECT_TRUE(FindHost(loaded.Hosts(), pszHost).has_value()) << pszHost;
}

TEST(DemoBookings, BookTheDemoNetworkForWhatTheyShow) {
    sim::CSimNetworkDescription description;
    std::string strError;
    ASSERT_TRUE(sim::LoadNetworkDescription("demo-network.txt", description, strError)) << strError;
    platform::ManualClock clock(kStart);
    sim::CSimNetwork network(std::move(description), clock, [](std::uint32_t) {});

    CGatherTables tables(clock);
    FillDemoBookings(tables, kStart, 60);
    // Every booked host answers without a logon, except DOWN01, which refuses the connection.
    for (int n = 1; n <= 4; ++n) {
        for (const std::string& strHost : ScheduleHosts(tables.Schedule(n), tables.Groups())) {
            SCOPED_TRACE(strHost);
            platform::HostKey hMachine{};
            const platform::ErrorCode nError = network.ConnectRegistry(strHost, hMachine);
            if (strHost == "DOWN01") {
                EXPECT_EQ(nError, platform::kErrorBadNetPath);
            } else {
                ASSERT_EQ(nError, platform::kSuccess);
                network.CloseKey(hMachine);
            }
        }
    }
}

}  // namespace
