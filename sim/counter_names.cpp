// Index and name pairs of the English counter-name table of a simulated host.
#include "counter_names.h"

#include <string>

#include "sim_registry.h"

namespace sim {

const std::vector<std::pair<std::uint32_t, std::string_view>>& EnglishCounterNames() {
    static const std::vector<std::pair<std::uint32_t, std::string_view>> s_vecNames = {
        {2, "System"},
        {4, "Memory"},
        {6, "% Processor Time"},
        {24, "Available Bytes"},
        {26, "Committed Bytes"},
        {28, "Page Faults/sec"},
        {30, "Commit Limit"},
        {40, "Pages/sec"},
        {44, "Processor Queue Length"},
        {86, "Cache"},
        {142, "% User Time"},
        {144, "% Privileged Time"},
        {146, "Context Switches/sec"},
        {148, "Interrupts/sec"},
        {150, "System Calls/sec"},
        {172, "Virtual Bytes"},
        {180, "Working Set"},
        {198, "Current Disk Queue Length"},
        {200, "% Disk Time"},
        {214, "Disk Reads/sec"},
        {216, "Disk Writes/sec"},
        {220, "Disk Bytes/sec"},
        {230, "Process"},
        {232, "Thread"},
        {234, "PhysicalDisk"},
        {236, "LogicalDisk"},
        {238, "Processor"},
        {260, "Objects"},
        {264, "Bytes Received/sec"},
        {388, "Bytes Total/sec"},
        {400, "Packets/sec"},
        {408, "% Free Space"},
        {410, "Free Megabytes"},
        {502, "Server Work Queues"},
        {504, "Queue Length"},
        {506, "Bytes Sent/sec"},
        {508, "Active Threads"},
        {510, "Network Interface"},
        {520, "Current Bandwidth"},
        {638, "TCP"},
        {640, "Segments/sec"},
        {642, "Connections Established"},
        {644, "Connections Active"},
        {646, "Connections Passive"},
        {648, "Connection Failures"},
        {650, "Connections Reset"},
        {652, "Segments Received/sec"},
        {654, "Segments Sent/sec"},
        {656, "Segments Retransmitted/sec"},
        {680, "Thread Count"},
        {682, "Priority Base"},
        {684, "Elapsed Time"},
        {696, "% DPC Time"},
        {698, "% Interrupt Time"},
        {700, "Paging File"},
        {784, "ID Process"},
        {952, "Handle Count"},
        {1380, "Available KBytes"},
        {1382, "Available MBytes"},
        {1400, "Avg. Disk Queue Length"},
        {1406, "% Committed Bytes In Use"},
        {1410, "Creating Process ID"},
        {1850, "Terminal Services Session"},
        {1852, "Input Bytes"},
        {1854, "Output Bytes"},
        {1856, "Total Bytes"},
    };
    return s_vecNames;
}

std::uint32_t LastCounterIndex() {
    return EnglishCounterNames().back().first;
}

std::vector<std::uint8_t> CounterTableData() {
    std::vector<std::string> vecStrings = {"1", std::to_string(LastCounterIndex())};
    for (const auto& [nIndex, strName] : EnglishCounterNames()) {
        vecStrings.push_back(std::to_string(nIndex));
        vecStrings.emplace_back(strName);
    }
    return MultiStringData(vecStrings);
}

}  // namespace sim
