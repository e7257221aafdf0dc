// Chooses between the simulated and the real network from the environment, once per process.
#include "host_access_choice.h"

#include <cstdlib>

#include "description_parser.h"
#include "sim_network.h"

namespace sim {
namespace {

const CHostAccessChoice& ProcessChoice() {
    static const CHostAccessChoice s_choice =
        ChooseHostAccess(SimulationDescriptionPath(), platform::SystemClock());
    return s_choice;
}

}  // namespace

CHostAccessChoice ChooseHostAccess(const std::string& strDescriptionPath,
                                   const platform::IClock& clock,
                                   std::function<void(std::uint32_t nMilliseconds)> fnSleep) {
    CHostAccessChoice choice;
    if (!strDescriptionPath.empty()) {
        CSimNetworkDescription description;
        if (!LoadNetworkDescription(strDescriptionPath, description, choice.m_strError)) {
            description = CSimNetworkDescription{};
        }
        choice.m_pAccess =
            std::make_unique<CSimNetwork>(std::move(description), clock, std::move(fnSleep));
        choice.m_bSimulated = true;
        return choice;
    }
#ifdef _WIN32
    choice.m_pAccess = platform::CreateNetworkHostAccess();
#else
    choice.m_pAccess = std::make_unique<CSimNetwork>(CSimNetworkDescription{}, clock);
    choice.m_bSimulated = true;
#endif
    return choice;
}

std::string SimulationDescriptionPath() {
#ifdef _WIN32
    return platform::EnvironmentVariable(kSimulationVariable);
#else
    const char* pszValue = std::getenv(kSimulationVariable);
    return pszValue != nullptr ? std::string(pszValue) : std::string();
#endif
}

platform::HostAccess& ProcessHostAccess() {
    return *ProcessChoice().m_pAccess;
}

const std::string& ProcessHostAccessError() {
    return ProcessChoice().m_strError;
}

}  // namespace sim
