// The registry values a simulated host has unless its description changes them.
#include <string>

#include "counter_names.h"
#include "network_description.h"

namespace sim {

void FillDefaultRegistry(CSimHostDefinition& host) {
    CSimRegistry& registry = host.m_registry;
    const bool bMulti = host.m_shape.m_nProcessors > 1;

    registry.SetString(kCurrentVersionKey, "ProductName", "Microsoft Windows XP");
    registry.SetString(kCurrentVersionKey, "CurrentVersion", "5.1");
    registry.SetString(kCurrentVersionKey, "CurrentBuildNumber", "2600");
    registry.SetString(kCurrentVersionKey, "CSDVersion", "Service Pack 3");
    registry.SetString(kCurrentVersionKey, "CurrentType",
                       bMulti ? "Multiprocessor Free" : "Uniprocessor Free");
    registry.SetString(kCurrentVersionKey, "RegisteredOwner", "Administrator");
    registry.SetString(kCurrentVersionKey, "RegisteredOrganization", "");
    registry.SetString(kCurrentVersionKey, "ProductId", "76487-OEM-0011903-00102");
    registry.SetString(kCurrentVersionKey, "SystemRoot", "C:\\WINDOWS");

    registry.SetString(kCentralProcessorKey, "VendorIdentifier", "GenuineIntel");
    registry.SetString(kCentralProcessorKey, "Identifier", "x86 Family 6 Model 15 Stepping 11");
    registry.SetDword(kCentralProcessorKey, "~MHz", 2394);

    for (const char* pszService : {"PerfOS", "PerfDisk", "PerfProc"}) {
        const std::string strKey = std::string(kServicesKey) + "\\" + pszService + "\\Performance";
        registry.SetDword(strKey, kDisableCountersValue, 0);
    }

    registry.SetDword(kPerflibKey, "Last Counter", LastCounterIndex());
    registry.SetDword(kPerflibKey, "Last Help", LastCounterIndex() + 1);
    registry.SetDword(kPerflibKey, "Version", 1);
    registry.SetValue(kCounterKey, "Counter", 7, CounterTableData());
}

}  // namespace sim
