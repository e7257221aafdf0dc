// The simulated Windows network: the HostAccess of the hosts a description file names.
//
// Hosts are found by name or address ignoring ASCII case, with or without two leading
// backslashes; an unknown name (and the empty name of the local computer) is refused with 53,
// like a computer that is not there. IPC$ logons last for the life of the network object, like
// the connections of a Windows session. Performance data requests are answered from the host's
// load models at the time of the injected clock; a request's scripted delay is served by the
// injected sleeper, outside every lock, so slow hosts do not hold up the others.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "network_description.h"
#include "platform/clock.h"
#include "platform/host_access.h"
#include "sim_host.h"

namespace sim {

class CSimNetwork final : public platform::HostAccess {
public:
    using Sleeper = std::function<void(std::uint32_t nMilliseconds)>;

    // The clock must outlive the network. Without a sleeper, delays really wait; a sleeper is
    // called from whichever threads make requests, possibly several at once.
    CSimNetwork(CSimNetworkDescription description, const platform::IClock& clock,
                Sleeper sleeper = {});
    ~CSimNetwork() override;

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override;
    platform::ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                      const std::string& strPassword) override;
    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override;
    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override;
    platform::ErrorCode CloseKey(platform::HostKey hKey) override;
    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override;
    platform::ErrorCode EnumerateHosts(const std::string& strDomain,
                                       std::vector<std::string>& vecHosts) override;

    // ---- for tests and diagnostics ----
    // Keys open right now (every handle handed out and not yet closed).
    std::size_t OpenKeyCount() const;
    // Performance data blocks the host has delivered; 0 for an unknown host.
    std::uint64_t RequestCount(const std::string& strHost) const;
    // The user name of the host's IPC$ logon, empty when there is none.
    std::string LoggedOnUser(const std::string& strHost) const;

private:
    struct SOpenKey {
        std::size_t nHost = 0;
        std::string strPath;  // comparison form
    };

    // The host of that name or address, or none.
    CSimHost* FindHost(const std::string& strName) const;
    std::size_t IndexOf(const CSimHost* pHost) const;
    platform::HostKey NewKey(std::size_t nHost, std::string strPath);  // under m_lock

    CSimNetworkDescription m_description;  // workgroups; hosts moved into m_vecHosts
    std::vector<std::unique_ptr<CSimHost>> m_vecHosts;
    const platform::IClock* m_pClock;
    Sleeper m_sleeper;

    mutable std::mutex m_lock;  // guards the keys and the logons
    std::map<std::uintptr_t, SOpenKey> m_mapKeys;
    std::uintptr_t m_nNextKey = 0x1000;
    std::map<std::size_t, std::string> m_mapLogons;  // host index -> user name
};

}  // namespace sim
