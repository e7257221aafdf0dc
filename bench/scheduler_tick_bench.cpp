// One tick of the scheduler on the window's thread with a full schedule table: 500 bookings, of
// which 50 are running, one run starting and one finishing in every tick, so that the tick walks
// every row, rewrites two rows, starts a job, and collects the messages of every job.
//
// The bookings are daily host schedules on 51 hosts, each lasting 50 seconds: booking k is booked
// to run today k seconds after the first, and daily at k minutes after midnight, so that no two
// runs on one host touch (the table passes the overlap check, as every booked table does). The
// clock is a manual one that the benchmark sets second by second; the jobs connect to hosts that
// never answer while the benchmark runs (so they stay running without taking processor time), and
// fail when it is over. The argument is the minute of the hour the measured ticks fall in: 30 for
// ordinary ticks, 10 for the ticks that also run the overlap check over the 500 bookings.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "fixed_zone.h"
#include "gather/fake_gather_view.h"
#include "gather/memory_id_store.h"
#include "gather_dlg.h"
#include "job/wait_clock.h"
#include "logs/error_log.h"
#include "platform/local_time.h"
#include "platform/temp_dir.h"

namespace {

constexpr int kBookings = kScheduleSlots;
constexpr int kHosts = 51;
constexpr int kRunSeconds = 50;

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Hosts whose registry connection waits until the network is opened, then fails.
class CClosedNetwork final : public platform::HostAccess {
public:
    void Open() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_bOpen = true;
        m_cv.notify_all();
    }
    platform::ErrorCode ConnectRegistry(const std::string&, platform::HostKey&) override {
        std::unique_lock<std::mutex> lock(m_lock);
        m_cv.wait(lock, [this] { return m_bOpen; });
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode AddConnection(const std::string&, const std::string&,
                                      const std::string&) override {
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode OpenKey(platform::HostKey, const std::string&, std::uint32_t,
                                platform::HostKey&) override {
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode QueryValue(platform::HostKey, const std::string&, std::uint32_t*, void*,
                                   std::uint32_t&) override {
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode CloseKey(platform::HostKey) override { return platform::kSuccess; }
    platform::ErrorCode EnumerateDomains(std::vector<std::string>&) override {
        return platform::kErrorNoNetwork;
    }
    platform::ErrorCode EnumerateHosts(const std::string&, std::vector<std::string>&) override {
        return platform::kErrorNoNetwork;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_bOpen = false;
};

// Counts the boxes the controller shows (a clash found by the check would show one).
class CCountedBoxes final : public IMessageBoxView {
public:
    EMessageResult ShowMessage(const CMessageBox&) override {
        ++m_nShown;
        return EMessageResult::kOk;
    }
    int m_nShown = 0;
};

class CNoWizard final : public IScheduleWizard {
public:
    bool RunWizard(CScheduleWizardData&) override { return false; }
};

// Gather's controller over the bookings, ticked second by second from the first booking's start;
// the measured ticks start at the given minute of the hour and stay within it.
class CTickedGather {
public:
    explicit CTickedGather(int nMinute)
        : m_tFirst(platform::MakeLocalTime(2026, 12, 7, 9, nMinute, 0) - kRunSeconds),
          m_clock(m_tFirst - 1),
          m_waitClock(m_clock),
          m_errorLog(m_clock, m_dir.Path(),
                     "VarnoleTickBench_" + std::to_string(reinterpret_cast<std::uintptr_t>(this))) {
        CGatherEnvironment environment;
        environment.m_pNetwork = &m_network;
        environment.m_pWaitClock = &m_waitClock;
        environment.m_pErrorLog = &m_errorLog;
        environment.m_pFileOps = &PlatformFileOps();
        environment.m_pExecIdStore = &m_store;
        m_pDlg = std::make_unique<CGatherDlg>(m_view, m_boxes, m_wizard, environment);
        m_pDlg->SetProgramDirectory(m_dir.Path());
        m_pDlg->SetDataDirectory(m_dir.Path());
        m_pDlg->EditTables().ResetAllSchedules();
        m_pDlg->CreateListColumns();
        const platform::Time tMidnight = platform::MakeLocalTime(2026, 12, 7, 0, 0, 0);
        for (int k = 0; k < kBookings; ++k) {
            CSchedule schedule = CSchedule::Blank(m_clock.Now());
            schedule.m_nState = kStateWaiting;
            schedule.m_nTargetType = kTargetHost;
            schedule.m_strTarget = "H" + std::to_string(k % kHosts);
            schedule.m_nRepeat = kRepeatDaily;
            schedule.m_nInterval = 1000;
            // The daily time (whole minutes) is k minutes after midnight; the booked next run
            // is today's second k from the first.
            schedule.m_tStart = tMidnight + 60 * k;
            schedule.m_tsDuration = kRunSeconds;
            schedule.m_tNextStart = m_tFirst + k;
            schedule.m_tNextEnd = m_tFirst + k + kRunSeconds;
            schedule.m_strComment = "bench booking " + std::to_string(k);
            m_pDlg->EditTables().Schedule(k) = schedule;
            m_pDlg->RefreshScheduleRow(k, -1, true);
        }
        // Until 50 runs are going: then each further tick starts one and finishes one.
        for (int s = 0; s < kRunSeconds; ++s) Tick();
    }
    ~CTickedGather() {
        m_network.Open();
        m_pDlg->OnDestroyGather();
    }

    // Whether a further tick still falls in the minute (and before the last booking's start).
    bool CanTick() const { return m_nSecond < kRunSeconds + 60 && m_nSecond < kBookings; }
    // Moves the clock to the next second (waking no job) and ticks.
    void Tick() {
        m_waitClock.Set(m_tFirst + m_nSecond++);
        m_pDlg->OnSchedulerTick();
    }
    int BoxesShown() const { return m_boxes.m_nShown; }
    int Running() const {
        int nRunning = 0;
        for (const CSchedule& schedule : m_pDlg->Schedules())
            nRunning += schedule.m_nState == kStateRunning;
        return nRunning;
    }

private:
    platform_test::CTempDir m_dir;
    const platform::Time m_tFirst;
    platform::ManualClock m_clock;
    CManualWaitClock m_waitClock;
    CClosedNetwork m_network;
    CErrorLog m_errorLog;
    gather_test::CMemoryIdStore m_store;
    gather_test::CFakeGatherView m_view;
    CCountedBoxes m_boxes;
    CNoWizard m_wizard;
    std::unique_ptr<CGatherDlg> m_pDlg;
    int m_nSecond = 0;
};

// Argument: the minute of the hour the ticks fall in (30: an ordinary tick; 10: with the check).
// Besides the mean, the slowest tick in processor time of the window's thread (the first tick of
// a minute 10 checks every schedule afresh) and the boxes shown (0: no clash was reported).
void BM_SchedulerTick(benchmark::State& state) {
    auto pGather = std::make_unique<CTickedGather>(static_cast<int>(state.range(0)));
    double dSlowestMs = 0;
    int nBoxes = 0;
    for (auto _ : state) {
        if (!pGather->CanTick()) {
            state.PauseTiming();
            nBoxes += pGather->BoxesShown();
            pGather = std::make_unique<CTickedGather>(static_cast<int>(state.range(0)));
            state.ResumeTiming();
        }
        const double dBefore = ThreadCpuMs();
        pGather->Tick();
        dSlowestMs = std::max(dSlowestMs, ThreadCpuMs() - dBefore);
    }
    state.counters["running_schedules"] = pGather->Running();
    state.counters["boxes_shown"] = nBoxes + pGather->BoxesShown();
    state.counters["slowest_tick_cpu_ms"] = dSlowestMs;
}
BENCHMARK(BM_SchedulerTick)->Arg(30)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksInFixedZone(argc, argv);
}
