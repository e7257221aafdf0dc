// Following one counter per instance: every processor and disk on its own, "_Total" left out,
// instances that come, go or restart.
#include "series/counter_tracker.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "series_test_blocks.h"

namespace {

using namespace series;
using seriestest::CHostBlocks;
using seriestest::kSecond;

// The instance names and values of the tracker's last sample: UTF-8 name (with "#n" for a
// repeated name) to value, nothing for an instance without one.
std::map<std::string, std::optional<double>> ByName(const CCounterTracker& tracker) {
    std::map<std::string, std::optional<double>> map;
    for (const CInstanceValue& value : tracker.InstanceValues()) {
        std::string strName;
        const std::string& strKey = value.m_pInstance->m_strKey;
        for (std::size_t i = 0; i + 1 < strKey.size(); i += 2) strName += strKey[i];  // ASCII
        if (value.m_pInstance->m_nOccurrence > 0) {
            strName += "#" + std::to_string(value.m_pInstance->m_nOccurrence);
        }
        map[strName] = value.HasValue() ? std::optional<double>(value.m_dValue) : std::nullopt;
    }
    return map;
}

// One second in which processor i was busy vecBusy[i] percent.
std::vector<std::uint8_t> Busy(CHostBlocks& host, const std::vector<double>& vecBusy) {
    std::int64_t nClock = host.Clock() + kSecond;
    host.SetClock(nClock);
    for (std::size_t i = 0; i < vecBusy.size(); ++i) {
        host.Builder().AddValue(perf::kObjectProcessor, std::to_string(i),
                                perf::kCounterProcessorTime,
                                std::llround(kSecond * (100 - vecBusy[i]) / 100));
    }
    host.Builder().AddValue(perf::kObjectProcessor, "_Total", perf::kCounterProcessorTime,
                            kSecond / 2);
    return host.Same();
}

TEST(CounterTracker, EachProcessorOnItsOwnWithoutTotal) {
    sim::CHostShape shape;
    shape.m_nProcessors = 3;
    CHostBlocks host(shape);
    CCounterTracker tracker(*CounterChoice(0), EInstanceRule::kEach);
    tracker.BeginFile("PC1", seriestest::EnglishNames());

    tracker.AddSample(Busy(host, {10, 20, 30}));
    using Values = std::map<std::string, std::optional<double>>;
    EXPECT_EQ(ByName(tracker), (Values{{"0", std::nullopt}, {"1", std::nullopt}, {"2", std::nullopt}}));
    EXPECT_FALSE(tracker.HasValue());

    tracker.AddSample(Busy(host, {10, 20, 30}));
    const Values values = ByName(tracker);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_NEAR(*values.at("0"), 10, 1e-9);
    EXPECT_NEAR(*values.at("1"), 20, 1e-9);
    EXPECT_NEAR(*values.at("2"), 30, 1e-9);
    EXPECT_TRUE(tracker.HasValue());
    EXPECT_NEAR(tracker.Value(), 60, 1e-9);

    // The same counter read as "_Total" follows only the total instance.
    CCounterTracker total(*CounterChoice(0));
    total.BeginFile("PC1", seriestest::EnglishNames());
    total.AddSample(Busy(host, {0, 0, 0}));
    total.AddSample(Busy(host, {0, 0, 0}));
    ASSERT_EQ(total.InstanceValues().size(), 1u);
    EXPECT_NEAR(total.Value(), 50, 1e-9);
}

TEST(CounterTracker, AnInstanceThatComesGoesOrRestartsAffectsOnlyItself) {
    sim::CHostShape shape;
    shape.m_vecPhysicalDisks = {"0 C:", "1 D:"};
    CHostBlocks host(shape);
    sim::CPerfObjectModel& disks = *host.Builder().Object(perf::kObjectPhysicalDisk);
    CCounterTracker tracker(*CounterChoice(5), EInstanceRule::kEach);
    tracker.BeginFile("PC1", seriestest::EnglishNames());
    const auto second = [&](std::int64_t nC, std::int64_t nD, bool bHasE) {
        host.SetClock(host.Clock() + kSecond);
        disks.AddValue("0 C:", perf::kCounterDiskTime, nC);
        disks.AddValue("1 D:", perf::kCounterDiskTime, nD);
        if (bHasE) disks.AddValue("2 E:", perf::kCounterDiskTime, kSecond / 4);
        tracker.AddSample(host.Same());
        return ByName(tracker);
    };
    second(0, 0, false);
    auto values = second(kSecond / 10, kSecond / 5, false);
    EXPECT_NEAR(*values.at("0 C:"), 10, 1e-9);
    EXPECT_NEAR(*values.at("1 D:"), 20, 1e-9);

    // A disk plugged in has no rate in its first sample; the others go on.
    disks.AddInstance("2 E:");
    values = second(kSecond / 10, kSecond / 5, true);
    EXPECT_FALSE(values.at("2 E:").has_value());
    EXPECT_NEAR(*values.at("0 C:"), 10, 1e-9);
    EXPECT_NEAR(tracker.Value(), 30, 1e-9);
    values = second(kSecond / 10, kSecond / 5, true);
    EXPECT_NEAR(*values.at("2 E:"), 25, 1e-9);

    // D: restarts (its counter goes back): D: alone has no value, and the sum is a gap.
    disks.SetValue("1 D:", perf::kCounterDiskTime, 0);
    values = second(kSecond / 10, 0, true);
    EXPECT_FALSE(values.at("1 D:").has_value());
    EXPECT_NEAR(*values.at("0 C:"), 10, 1e-9);
    EXPECT_NEAR(*values.at("2 E:"), 25, 1e-9);
    EXPECT_FALSE(tracker.HasValue());

    // E: unplugged: it is simply not there.
    disks.RemoveInstance("2 E:");
    values = second(kSecond / 10, kSecond / 5, false);
    EXPECT_EQ(values.count("2 E:"), 0u);
    EXPECT_NEAR(*values.at("1 D:"), 20, 1e-9);
}

TEST(CounterTracker, AMissingObjectBreaksTheChainAndANewHostStartsAfresh) {
    CHostBlocks host;
    CCounterTracker tracker(*CounterChoice(6), EInstanceRule::kEach);
    tracker.BeginFile("PC1", seriestest::EnglishNames());
    const auto logical = [&](std::int64_t nBusy) {
        host.SetClock(host.Clock() + kSecond);
        host.Builder().AddValue(perf::kObjectLogicalDisk, "C:", perf::kCounterDiskTime, nBusy);
        tracker.AddSample(host.Same());
    };
    logical(0);
    logical(kSecond / 2);
    ASSERT_EQ(tracker.InstanceValues().size(), 1u);
    EXPECT_NEAR(tracker.InstanceValues()[0].m_dValue, 50, 1e-9);

    sim::CPerfBlockBuilder empty;
    tracker.AddSample(empty.Build());
    EXPECT_EQ(tracker.LastReading(), EReading::kNoObject);
    EXPECT_TRUE(tracker.InstanceValues().empty());
    logical(kSecond / 2);
    EXPECT_EQ(tracker.InstanceValues()[0].m_eResult, EValueResult::kNeedsPrevious);
    logical(kSecond / 2);
    EXPECT_TRUE(tracker.InstanceValues()[0].HasValue());

    // The next file of the same host continues; another host's file does not.
    tracker.BeginFile("PC1", seriestest::EnglishNames());
    logical(kSecond / 2);
    EXPECT_TRUE(tracker.InstanceValues()[0].HasValue());
    tracker.BeginFile("PC2", seriestest::EnglishNames());
    logical(kSecond / 2);
    EXPECT_EQ(tracker.InstanceValues()[0].m_eResult, EValueResult::kNeedsPrevious);
    EXPECT_TRUE(tracker.CounterSeen());
}

}  // namespace
