// The counter choice list: texts, the object and counter names behind them, their units.
#include "series/counter_choice.h"

#include <array>

#include "perf/perf_layout.h"

namespace series {
namespace {

constexpr std::uint32_t kCounterUserTime = 142;
constexpr std::uint32_t kCounterPrivilegedTime = 144;
constexpr std::uint32_t kCounterAvailableKBytes = 1380;
constexpr std::uint32_t kCounterBytesTotalPerSec = 388;

constexpr std::array<CCounterChoice, 8> kChoices = {{
    {"CPU-CPU Time", "Processor", "% Processor Time", perf::kObjectProcessor,
     perf::kCounterProcessorTime, EInstanceRule::kTotal, EUnit::kPercent},
    {"CPU-CPU Privileged Time", "Processor", "% Privileged Time", perf::kObjectProcessor,
     kCounterPrivilegedTime, EInstanceRule::kTotal, EUnit::kPercent},
    {"CPU-CPU User Time", "Processor", "% User Time", perf::kObjectProcessor, kCounterUserTime,
     EInstanceRule::kTotal, EUnit::kPercent},
    {"Memory-Available Memory [MB]", "Memory", "Available MBytes", perf::kObjectMemory,
     perf::kCounterAvailableMBytes, EInstanceRule::kTotal, EUnit::kMegabytes},
    {"Memory-Available Memory [KB]", "Memory", "Available KBytes", perf::kObjectMemory,
     kCounterAvailableKBytes, EInstanceRule::kTotal, EUnit::kKilobytes},
    {"Physical Disk-Disk Time", "PhysicalDisk", "% Disk Time", perf::kObjectPhysicalDisk,
     perf::kCounterDiskTime, EInstanceRule::kTotal, EUnit::kPercent},
    {"Logical Disk-Disk Time", "LogicalDisk", "% Disk Time", perf::kObjectLogicalDisk,
     perf::kCounterDiskTime, EInstanceRule::kTotal, EUnit::kPercent},
    {"Network I/F-Data Transfer Size", "Network Interface", "Bytes Total/sec",
     perf::kObjectNetworkInterface, kCounterBytesTotalPerSec, EInstanceRule::kSumAll,
     EUnit::kBytesPerSecond},
}};

}  // namespace

std::span<const CCounterChoice> CounterChoices() {
    return kChoices;
}

const CCounterChoice* CounterChoice(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(kChoices.size())) return nullptr;
    return &kChoices[static_cast<std::size_t>(nIndex)];
}

std::string_view UnitText(EUnit eUnit) {
    switch (eUnit) {
        case EUnit::kPercent:
            return "%";
        case EUnit::kMegabytes:
            return "MB";
        case EUnit::kKilobytes:
            return "KB";
        case EUnit::kBytesPerSecond:
            return "B/s";
    }
    return {};
}

}  // namespace series
