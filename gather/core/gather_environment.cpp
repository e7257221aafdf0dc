// The machine's own collaborators of Gather's controller.
#include "gather_environment.h"

#include "logs/error_log.h"
#include "logs/execution_ids.h"

bool CGatherEnvironment::IsComplete() const {
    return m_pNetwork != nullptr && m_pWaitClock != nullptr && m_pErrorLog != nullptr &&
           m_pFileOps != nullptr && m_pExecIdStore != nullptr;
}

CGatherEnvironment SystemGatherEnvironment(platform::HostAccess& network) {
    CGatherEnvironment environment;
    environment.m_pNetwork = &network;
    environment.m_pWaitClock = &SystemWaitClock();
    environment.m_pErrorLog = &ProcessErrorLog();
    environment.m_pFileOps = &PlatformFileOps();
    environment.m_pExecIdStore = &ConfigExecutionIdStore();
    return environment;
}
