// Which network the process talks to: the simulated one when VARNOLE_SIMULATION names a
// description file, otherwise the real Windows network (on Linux, an empty simulated network).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/host_access.h"

namespace sim {

inline constexpr char kSimulationVariable[] = "VARNOLE_SIMULATION";

struct CHostAccessChoice {
    std::unique_ptr<platform::HostAccess> m_pAccess;  // never null
    bool m_bSimulated = false;
    // Why the named description could not be used; the choice is then an empty simulated
    // network, never the real one (the user asked for a simulation).
    std::string m_strError;
};

// The choice for a description path (empty: none given). On Windows without a path, the real
// network; on Linux without a path, an empty simulated network whose hosts are all unreachable
// (53) and whose browsing lists nothing, so that the programs run without any network.
// A simulated network's scripted delays go to fnSleep when one is given (tools that step a
// manual clock skip them), otherwise they really wait.
CHostAccessChoice ChooseHostAccess(const std::string& strDescriptionPath,
                                   const platform::IClock& clock,
                                   std::function<void(std::uint32_t nMilliseconds)> fnSleep = {});

// The value of VARNOLE_SIMULATION (UTF-8), empty when it is not set.
std::string SimulationDescriptionPath();

// The process's network, chosen once from VARNOLE_SIMULATION on first use, with the system
// clock. Safe to call from any thread.
platform::HostAccess& ProcessHostAccess();
// Why the process's description could not be used; empty when all is well. A program shows it
// at start-up.
const std::string& ProcessHostAccessError();

}  // namespace sim
