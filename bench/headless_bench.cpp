// The headless runner with 500 simulated hosts sampled every second for a minute, blocks of about
// 60 KB: CPU time per sample, how many samples fall in the first 100 ms of their second, whether
// one host answering 2 s late moves the other hosts' samples, and peak memory.
//
// The run length is VARNOLE_HEADLESS_BENCH_SECONDS (default 60). The session is the runner's own
// (RunHeadless, on the real clock); only the network is wrapped, to note when each block arrives
// and how much processor time the simulated hosts themselves spend building blocks.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <shared_mutex>
#include <sstream>
#include <string>
#include <vector>

#include "headless_runner.h"
#include "platform/files.h"
#include "settings_format.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace {

constexpr int kHosts = 500;
constexpr int kGroupSize = 50;
constexpr int kBlockBytes = 60000;
constexpr int kLateHost = 0;
constexpr int kLateMs = 2000;

std::string HostName(int n) {
    char sz[16];
    std::snprintf(sz, sizeof sz, "H%03d", n);
    return sz;
}

std::int64_t ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The network as the jobs see it, noting for every delivered block which host sent it and the
// moment (UTC milliseconds) it arrived, which is when the job stamps its sample.
//
// The notes must cost the jobs next to nothing, or the bench would charge its own bookkeeping to
// the collector: all 500 jobs ask in the same millisecond, so a plain mutex around the notes
// would put them to sleep on each other. Keys are looked up under a shared lock (written only
// when a job connects) and arrivals go into slots claimed with one atomic increment.
class CWatchedAccess final : public platform::HostAccess {
public:
    struct SArrival {
        int nHost;
        std::int64_t nUtcMs;
    };

    CWatchedAccess(platform::HostAccess& inner, std::size_t nMaxArrivals)
        : m_pInner(&inner),
          m_arrArrivals(std::make_unique<SArrival[]>(nMaxArrivals)),
          m_nMaxArrivals(nMaxArrivals) {}

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override {
        const platform::ErrorCode nCode = m_pInner->ConnectRegistry(strHost, hMachine);
        if (nCode == 0) Remember(hMachine, std::atoi(strHost.c_str() + 1));
        return nCode;
    }
    platform::ErrorCode AddConnection(const std::string& strRemote, const std::string& strUser,
                                      const std::string& strPassword) override {
        return m_pInner->AddConnection(strRemote, strUser, strPassword);
    }
    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override {
        const platform::ErrorCode nCode = m_pInner->OpenKey(hKey, strSubKey, nAccess, hResult);
        if (nCode == 0) Remember(hResult, HostOf(hKey));
        return nCode;
    }
    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override {
        const bool bPerf =
            pData != nullptr && !strValue.empty() && strValue[0] >= '0' && strValue[0] <= '9';
        const std::int64_t nCpu0 = ThreadCpuNs();
        const platform::ErrorCode nCode =
            m_pInner->QueryValue(hKey, strValue, pType, pData, nBytes);
        m_nSimCpuNs.fetch_add(ThreadCpuNs() - nCpu0, std::memory_order_relaxed);
        if (bPerf && nCode == 0) {
            const std::int64_t nMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::system_clock::now().time_since_epoch())
                                         .count();
            const std::size_t nSlot = m_nArrivals.fetch_add(1, std::memory_order_relaxed);
            if (nSlot < m_nMaxArrivals) m_arrArrivals[nSlot] = {HostOf(hKey), nMs};
        }
        return nCode;
    }
    platform::ErrorCode CloseKey(platform::HostKey hKey) override {
        return m_pInner->CloseKey(hKey);
    }
    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        return m_pInner->EnumerateDomains(vecDomains);
    }
    platform::ErrorCode EnumerateHosts(const std::string& strDomain,
                                       std::vector<std::string>& vecHosts) override {
        return m_pInner->EnumerateHosts(strDomain, vecHosts);
    }

    // Read once every job has ended.
    std::vector<SArrival> Arrivals() const {
        const std::size_t nCount = std::min(m_nArrivals.load(), m_nMaxArrivals);
        return std::vector<SArrival>(m_arrArrivals.get(), m_arrArrivals.get() + nCount);
    }
    bool ArrivalsOverflowed() const { return m_nArrivals.load() > m_nMaxArrivals; }
    double SimCpuSeconds() const { return m_nSimCpuNs.load() / 1e9; }

private:
    void Remember(platform::HostKey hKey, int nHost) {
        std::unique_lock<std::shared_mutex> lock(m_lock);
        m_mapHostOfKey[hKey] = nHost;
    }
    int HostOf(platform::HostKey hKey) const {
        std::shared_lock<std::shared_mutex> lock(m_lock);
        const auto it = m_mapHostOfKey.find(hKey);
        return it == m_mapHostOfKey.end() ? -1 : it->second;
    }

    platform::HostAccess* m_pInner;
    mutable std::shared_mutex m_lock;  // guards the map
    std::map<platform::HostKey, int> m_mapHostOfKey;
    std::unique_ptr<SArrival[]> m_arrArrivals;
    const std::size_t m_nMaxArrivals;
    std::atomic<std::size_t> m_nArrivals{0};
    std::atomic<std::int64_t> m_nSimCpuNs{0};
};

std::string Description(bool bLateHost) {
    std::ostringstream text;
    text << "workgroup BENCH\n";
    for (int n = 0; n < kHosts; ++n) {
        text << "host " << HostName(n) << "\n    block-size " << kBlockBytes << "\n";
        if (bLateHost && n == kLateHost) text << "    delay " << kLateMs << "\n";
    }
    return text.str();
}

// Ten group schedules of 50 hosts each, starting in two seconds, every second for nSeconds.
void WriteSettings(const std::string& strPath, platform::Time tStart, int nSeconds) {
    auto pHosts = std::make_unique<CHostTable>();
    auto pGroups = std::make_unique<CGroupTable>();
    auto pSchedules = std::make_unique<CScheduleTable>();
    for (int n = 0; n < kHosts; ++n) {
        (*pHosts)[static_cast<std::size_t>(n)].m_strHost = HostName(n);
        CHostGroup& group = (*pGroups)[static_cast<std::size_t>(n / kGroupSize)];
        group.m_strName = "G" + std::to_string(n / kGroupSize);
        group.m_strMember[static_cast<std::size_t>(n % kGroupSize)] = HostName(n);
    }
    for (int g = 0; g < kHosts / kGroupSize; ++g) {
        CSchedule& schedule = (*pSchedules)[static_cast<std::size_t>(g + 1)];
        schedule = CSchedule::Blank(tStart);
        schedule.m_nState = kStateWaiting;
        schedule.m_nTargetType = kTargetGroup;
        schedule.m_strTarget = "G" + std::to_string(g);
        schedule.m_nInterval = 1000;
        schedule.m_nRepeat = kRepeatAtOnce;
        schedule.m_tsDuration = nSeconds;
        schedule.m_tNextStart = tStart;
        schedule.m_tNextEnd = tStart + nSeconds;
    }
    std::ofstream(strPath, std::ios::binary) << EncodeSettings(1, *pHosts, *pGroups, *pSchedules);
}

struct SRunFigures {
    double dSamples = 0;            // blocks delivered to the jobs, all hosts
    double dCpuMsPerSample = 0;     // the collector's own processor time per sample
    double dSimCpuMsPerSample = 0;  // the simulated hosts' time to build a block
    double dFirst100Share = 0;      // samples of the punctual hosts in the first 100 ms
    double dFirst100Later = 0;      // the same without each job's first sample (taken at the tick)
    double dWorstMs = 0;            // latest millisecond part among the punctual hosts' samples
    double dFirstMedianMs = 0;      // millisecond part of the punctual hosts' first samples:
    double dFirstWorstMs = 0;       // the median and the latest
    double dMissedSeconds = 0;      // seconds without a sample, punctual hosts, inner seconds
    double dDoubleSeconds = 0;      // seconds with two samples, punctual hosts
    double dLateHostSamples = 0;    // samples of the late host
    double dFinishedFiles = 0;      // .var files left
    double dOpenFiles = 0;          // .va_ files left
    double dPeakRssMb = 0;
};

SRunFigures RunOnce(bool bLateHost, int nSeconds) {
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("varnole-headless-bench-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "prog");
    fs::create_directories(root / "data");

    sim::CSimNetworkDescription description;
    std::string strError;
    if (!sim::ParseNetworkDescription(Description(bLateHost), description, strError)) {
        std::fprintf(stderr, "description: %s\n", strError.c_str());
        std::abort();
    }
    sim::CSimNetwork network(std::move(description), platform::SystemClock());
    // Room for two arrivals per host and second, run and margin included.
    CWatchedAccess access(network, static_cast<std::size_t>(kHosts) * (nSeconds + 10) * 2);

    const platform::Time tStart = platform::SystemClock().Now() + 2;
    WriteSettings((root / "prog" / "VARNOLE.dat").string(), tStart, nSeconds);
    CHeadlessOptions options;
    options.m_strProgramDir = (root / "prog").string();
    options.m_strDataDir = (root / "data").string();
    options.m_nSeconds = nSeconds + 4;

    std::ostringstream out;
    std::ostringstream err;
    const double dCpu0 = ProcessCpuSeconds();
    const int nExit = RunHeadless(options, out, err, &access);
    const double dCpu = ProcessCpuSeconds() - dCpu0;
    // A run that could not start (another session holds the lock, say) has no figures to give.
    if (nExit != 0 || access.Arrivals().empty()) {
        std::fprintf(stderr, "the headless run ended with %d and %zu samples:\n%s\n", nExit,
                     access.Arrivals().size(), err.str().c_str());
        std::abort();
    }

    SRunFigures figures;
    if (access.ArrivalsOverflowed()) {
        std::fprintf(stderr, "more arrivals than the bench has room for\n");
        std::abort();
    }
    const auto arrArrivals = access.Arrivals();
    figures.dSamples = static_cast<double>(arrArrivals.size());
    figures.dSimCpuMsPerSample = access.SimCpuSeconds() * 1000 / figures.dSamples;
    figures.dCpuMsPerSample = (dCpu - access.SimCpuSeconds()) * 1000 / figures.dSamples;

    std::map<int, std::map<std::int64_t, int>> mapPerSecond;  // host -> second -> samples
    double dPunctual = 0;
    double dFirst100 = 0;
    for (const auto& arrival : arrArrivals) {
        if (bLateHost && arrival.nHost == kLateHost) {
            ++figures.dLateHostSamples;
            continue;
        }
        const std::int64_t nMs = arrival.nUtcMs % 1000;
        ++dPunctual;
        dFirst100 += nMs < 100;
        figures.dWorstMs = std::max(figures.dWorstMs, static_cast<double>(nMs));
        ++mapPerSecond[arrival.nHost][arrival.nUtcMs / 1000];
    }
    figures.dFirst100Share = dFirst100 / dPunctual;
    std::map<int, std::vector<std::int64_t>> mapTimes;  // host -> arrival times
    for (const auto& arrival : arrArrivals) {
        if (!(bLateHost && arrival.nHost == kLateHost))
            mapTimes[arrival.nHost].push_back(arrival.nUtcMs);
    }
    double dLater = 0;
    double dLater100 = 0;
    std::vector<std::int64_t> arrFirstMs;
    for (auto& [nHost, arrTimes] : mapTimes) {
        std::sort(arrTimes.begin(), arrTimes.end());
        arrFirstMs.push_back(arrTimes.front() % 1000);
        for (std::size_t n = 1; n < arrTimes.size(); ++n) {
            ++dLater;
            dLater100 += arrTimes[n] % 1000 < 100;
        }
    }
    figures.dFirst100Later = dLater100 / dLater;
    if (!arrFirstMs.empty()) {
        std::sort(arrFirstMs.begin(), arrFirstMs.end());
        figures.dFirstMedianMs = static_cast<double>(arrFirstMs[arrFirstMs.size() / 2]);
        figures.dFirstWorstMs = static_cast<double>(arrFirstMs.back());
    }
    for (const auto& [nHost, mapSeconds] : mapPerSecond) {
        // The first and last second of a run depend on when its tick came; the seconds between
        // must each hold one sample.
        const std::int64_t nFirst = mapSeconds.begin()->first;
        const std::int64_t nLast = mapSeconds.rbegin()->first;
        for (std::int64_t s = nFirst + 1; s < nLast; ++s) {
            const auto it = mapSeconds.find(s);
            if (it == mapSeconds.end())
                ++figures.dMissedSeconds;
            else if (it->second > 1)
                ++figures.dDoubleSeconds;
        }
    }
    for (const auto& entry : fs::directory_iterator(root / "data")) {
        const std::string strExt = entry.path().extension().string();
        figures.dFinishedFiles += strExt == ".var";
        figures.dOpenFiles += strExt == ".va_";
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    figures.dPeakRssMb = usage.ru_maxrss / 1024.0;
    fs::remove_all(root);
    return figures;
}

int RunSeconds() {
    const char* psz = std::getenv("VARNOLE_HEADLESS_BENCH_SECONDS");
    const int n = psz != nullptr ? std::atoi(psz) : 0;
    return n > 0 ? n : 60;
}

// Arg 0: every host answers at once; arg 1: host H000 answers every request 2 s late.
void BM_Headless500HostsEverySecond(benchmark::State& state) {
    SRunFigures figures;
    for (auto _ : state) figures = RunOnce(state.range(0) != 0, RunSeconds());
    state.counters["samples"] = figures.dSamples;
    state.counters["cpu_ms_per_sample"] = figures.dCpuMsPerSample;
    state.counters["sim_cpu_ms_per_sample"] = figures.dSimCpuMsPerSample;
    state.counters["first_100ms_share"] = figures.dFirst100Share;
    state.counters["first_100ms_share_after_1st"] = figures.dFirst100Later;
    state.counters["worst_ms_in_second"] = figures.dWorstMs;
    state.counters["first_sample_median_ms"] = figures.dFirstMedianMs;
    state.counters["first_sample_worst_ms"] = figures.dFirstWorstMs;
    state.counters["missed_seconds"] = figures.dMissedSeconds;
    state.counters["double_seconds"] = figures.dDoubleSeconds;
    state.counters["late_host_samples"] = figures.dLateHostSamples;
    state.counters["var_files"] = figures.dFinishedFiles;
    state.counters["va__files"] = figures.dOpenFiles;
    state.counters["peak_rss_mb"] = figures.dPeakRssMb;
}
BENCHMARK(BM_Headless500HostsEverySecond)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
