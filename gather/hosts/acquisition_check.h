// The data acquisition check of one host: whether it answers, what it is, how long a performance
// data request takes, how many bytes a sample adds to a data file, which of the watched objects
// it delivers, and which of its counter providers its registry switches off.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "logs/error_log.h"
#include "platform/clock.h"
#include "platform/host_access.h"

// The three texts of the check dialog.
struct SAcquisitionTexts {
    std::string m_strHost;         // host information (control 1141)
    std::string m_strAcquisition;  // timings, data amount, objects (control 1139)
    std::string m_strWarnings;     // switched-off counters (control 1150)

    bool operator==(const SAcquisitionTexts&) const = default;
};

// The number of timed requests.
inline constexpr int kTimedRequests = 5;

// The key below HKEY_LOCAL_MACHINE of each counter provider whose "Disable Performance Counters"
// value the check reads.
inline constexpr std::string_view kPerfOsKey =
    "SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performance";
inline constexpr std::string_view kPerfDiskKey =
    "SYSTEM\\CurrentControlSet\\Services\\PerfDisk\\Performance";
inline constexpr std::string_view kPerfProcKey =
    "SYSTEM\\CurrentControlSet\\Services\\PerfProc\\Performance";
inline constexpr std::string_view kDisableCountersValue = "Disable Performance Counters";

// "\t%d 回目: %5.1f 秒\n" for request i that took nMilliseconds.
std::string TimingLine(int i, std::uint64_t nMilliseconds);
// "\t------------\n", then the largest and the average of the five requests.
std::string TimingSummary(std::uint64_t nLargestMs, std::uint64_t nSumMs);
// "\nデータ量:\n", then a tab, the thousands, a comma, three digits and " バイト/回\n\n":
// 12,034 bytes give "\t12,034 バイト/回".
std::string DataAmountText(std::uint64_t nBytes);
// "稼動データ:\n" and one line per watched object, "○" when the block has it, "×" when not.
std::string ObjectLinesText(const std::set<std::uint32_t>& setPresent);
// The warning of one provider key (kPerfOsKey, kPerfDiskKey, kPerfProcKey) whose value is "1";
// empty for any other key.
std::string DisabledCountersWarning(std::string_view strKey);

// Runs the check. The error log gets every failure under the labels stored logs know
// ("RegConnentRegistry", "RegOpenKeyEx", "RegQueryValueEx", "RegCloseKey"); the clock's tick
// count times the requests.
class CAcquisitionCheck {
public:
    // Everything given must outlive the object. strLocalName is the local computer's name.
    CAcquisitionCheck(platform::HostAccess& access, CErrorLog& errorLog,
                      const platform::IClock& clock, std::string strLocalName);

    // The check of strHost, as the dialog shows it on opening and on "更新".
    SAcquisitionTexts Run(const std::string& strHost);

    // The warning text alone: each provider key read through its own connection.
    std::string WarningText(const std::string& strHost);

private:
    // One "Disable Performance Counters" value as text, or the system message of the first
    // failing call (which is never "1").
    std::string DisableCountersValue(const std::string& strHost, std::string_view strKey);

    platform::HostAccess& m_access;
    CErrorLog& m_errorLog;
    const platform::IClock& m_clock;
    std::string m_strLocalName;
};
