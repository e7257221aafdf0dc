// The schedule overlap check on full tables: 500 daily schedules on one host, and 500 schedules
// spread over 50 hosts, against the plain pair-by-pair comparison on the same tables.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "fixed_zone.h"
#include "platform/local_time.h"
#include "schedule/conflict_reference.h"
#include "schedule_conflict_check.h"

namespace {

// Sunday 2026-12-06 00:00 local time.
platform::Time Now() {
    return platform::MakeLocalTime(2026, 12, 6, 0, 0, 0);
}

// A daily schedule on strHost at nMinute minutes after midnight, lasting nSeconds.
void Daily(CSchedule& s, const std::string& strHost, int nMinute, int nSeconds) {
    s.m_nState = kStateWaiting;
    s.m_nTargetType = kTargetHost;
    s.m_strTarget = strHost;
    s.m_nRepeat = kRepeatDaily;
    s.m_tStart = platform::MakeLocalTime(2026, 12, 1, nMinute / 60, nMinute % 60, 0);
    s.m_tsDuration = nSeconds;
    const auto run = NextRun(s, Now());
    s.m_tNextStart = run->m_tStart;
    s.m_tNextEnd = run->m_tEnd;
}

struct CTables {
    std::unique_ptr<CScheduleTable> m_schedules = std::make_unique<CScheduleTable>();
    std::unique_ptr<CGroupTable> m_groups = std::make_unique<CGroupTable>();
};

// 500 daily schedules on PC1, two minutes apart; each lasts one minute (no clash) or three
// (each clashes with the next every day).
CTables OneHost(bool bClashing) {
    CTables tables;
    for (int i = 0; i < kScheduleSlots; ++i)
        Daily((*tables.m_schedules)[static_cast<std::size_t>(i)], "PC1", 2 * i,
              bClashing ? 180 : 60);
    return tables;
}

// 500 daily schedules, ten on each of 50 hosts, two hours apart on a host; each lasts 90
// minutes (no clash) or 150 (each clashes with the next on its host every day).
CTables FiftyHosts(bool bClashing) {
    CTables tables;
    for (int i = 0; i < kScheduleSlots; ++i)
        Daily((*tables.m_schedules)[static_cast<std::size_t>(i)], "PC" + std::to_string(i % 50),
              120 * (i / 50), bClashing ? 150 * 60 : 90 * 60);
    return tables;
}

template <CTables (*Build)(bool)>
void BM_OverlapCheck(benchmark::State& state) {
    const CTables tables = Build(state.range(0) != 0);
    std::size_t nBytes = 0;
    for (auto _ : state) {
        CScheduleConflictCheck check;
        benchmark::DoNotOptimize(check.Check(*tables.m_schedules, *tables.m_groups, Now()));
        nBytes = check.ResultText().size();
    }
    state.counters["text_bytes"] = static_cast<double>(nBytes);
}

template <CTables (*Build)(bool)>
void BM_OverlapPairByPair(benchmark::State& state) {
    const CTables tables = Build(state.range(0) != 0);
    std::size_t nBytes = 0;
    for (auto _ : state) {
        const std::string strText =
            reference::ConflictText(*tables.m_schedules, *tables.m_groups, Now());
        benchmark::DoNotOptimize(strText.data());
        nBytes = strText.size();
    }
    state.counters["text_bytes"] = static_cast<double>(nBytes);
}

// Argument 0: no clash; 1: neighbours clash.
BENCHMARK_TEMPLATE(BM_OverlapCheck, OneHost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OverlapPairByPair, OneHost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OverlapCheck, FiftyHosts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OverlapPairByPair, FiftyHosts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInFixedZone(argc, argv);
}
