// Connections, logons, keys, values and browsing of the simulated network.
#include "sim_network.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "ascii_names.h"

namespace sim {
namespace {

std::string_view WithoutLeadingBackslashes(std::string_view strName) {
    while (strName.starts_with('\\')) strName.remove_prefix(1);
    return strName;
}

// The key path below which performance data requests are answered.
const std::string& CounterKeyPath() {
    static const std::string s_strPath = NormalizeKeyPath(kCounterKey);
    return s_strPath;
}

}  // namespace

CSimNetwork::CSimNetwork(CSimNetworkDescription description, const platform::IClock& clock,
                         Sleeper sleeper)
    : m_description(std::move(description)), m_pClock(&clock), m_sleeper(std::move(sleeper)) {
    for (CSimHostDefinition& host : m_description.m_vecHosts) {
        m_vecHosts.push_back(std::make_unique<CSimHost>(std::move(host)));
    }
    m_description.m_vecHosts.clear();
    if (!m_sleeper) {
        m_sleeper = [](std::uint32_t nMs) {
            std::this_thread::sleep_for(std::chrono::milliseconds(nMs));
        };
    }
}

CSimNetwork::~CSimNetwork() = default;

CSimHost* CSimNetwork::FindHost(const std::string& strName) const {
    const std::string_view strBare = WithoutLeadingBackslashes(strName);
    if (strBare.empty()) return nullptr;
    for (const std::unique_ptr<CSimHost>& pHost : m_vecHosts) {
        if (EqualsIgnoringAsciiCase(pHost->Definition().m_strName, strBare)) return pHost.get();
        for (const std::string& strAddress : pHost->Definition().m_vecAddresses) {
            if (EqualsIgnoringAsciiCase(strAddress, strBare)) return pHost.get();
        }
    }
    return nullptr;
}

std::size_t CSimNetwork::IndexOf(const CSimHost* pHost) const {
    for (std::size_t i = 0; i < m_vecHosts.size(); ++i) {
        if (m_vecHosts[i].get() == pHost) return i;
    }
    return m_vecHosts.size();
}

platform::HostKey CSimNetwork::NewKey(std::size_t nHost, std::string strPath) {
    const std::uintptr_t nKey = m_nNextKey;
    m_nNextKey += 4;
    m_mapKeys[nKey] = SOpenKey{nHost, std::move(strPath)};
    return static_cast<platform::HostKey>(nKey);
}

platform::ErrorCode CSimNetwork::ConnectRegistry(const std::string& strHost,
                                                 platform::HostKey& hMachine) {
    hMachine = platform::kNoHostKey;
    const CSimHost* pHost = FindHost(strHost);
    if (pHost == nullptr) return platform::kErrorBadNetPath;
    const CSimHostDefinition& definition = pHost->Definition();
    if (definition.m_faults.m_nRefuseCode != 0) return definition.m_faults.m_nRefuseCode;

    const std::size_t nHost = IndexOf(pHost);
    std::lock_guard<std::mutex> guard(m_lock);
    if (!definition.m_strUser.empty() && m_mapLogons.count(nHost) == 0) {
        return platform::kErrorAccessDenied;
    }
    hMachine = NewKey(nHost, std::string());
    return platform::kSuccess;
}

platform::ErrorCode CSimNetwork::AddConnection(const std::string& strRemoteName,
                                               const std::string& strUser,
                                               const std::string& strPassword) {
    // "\\HOST\SHARE"
    if (!strRemoteName.starts_with("\\\\")) return platform::kErrorBadNetName;
    const std::string_view strRest = std::string_view(strRemoteName).substr(2);
    const std::size_t nSlash = strRest.find('\\');
    if (nSlash == std::string_view::npos) return platform::kErrorBadNetName;
    const CSimHost* pHost = FindHost(std::string(strRest.substr(0, nSlash)));
    if (pHost == nullptr) return platform::kErrorBadNetPath;
    const CSimHostDefinition& definition = pHost->Definition();
    if (definition.m_faults.m_nRefuseCode != 0) return definition.m_faults.m_nRefuseCode;
    if (!EqualsIgnoringAsciiCase(strRest.substr(nSlash + 1), "IPC$"))
        return platform::kErrorBadNetName;

    const std::size_t nHost = IndexOf(pHost);
    std::lock_guard<std::mutex> guard(m_lock);
    const auto itLogon = m_mapLogons.find(nHost);
    if (itLogon != m_mapLogons.end() && !EqualsIgnoringAsciiCase(itLogon->second, strUser)) {
        return platform::kErrorSessionCredentialConflict;
    }
    if (!definition.m_strUser.empty() && (!EqualsIgnoringAsciiCase(definition.m_strUser, strUser) ||
                                          definition.m_strPassword != strPassword)) {
        return platform::kErrorLogonFailure;
    }
    m_mapLogons[nHost] = strUser;
    return platform::kSuccess;
}

platform::ErrorCode CSimNetwork::OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                         std::uint32_t /*nAccess*/, platform::HostKey& hResult) {
    hResult = platform::kNoHostKey;
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_mapKeys.find(static_cast<std::uintptr_t>(hKey));
    if (it == m_mapKeys.end()) return platform::kErrorInvalidHandle;
    const std::size_t nHost = it->second.nHost;
    std::string strPath = JoinKeyPath(it->second.strPath, strSubKey);
    if (!m_vecHosts[nHost]->Definition().m_registry.KeyExists(strPath)) {
        return platform::kErrorFileNotFound;
    }
    hResult = NewKey(nHost, std::move(strPath));
    return platform::kSuccess;
}

platform::ErrorCode CSimNetwork::QueryValue(platform::HostKey hKey, const std::string& strValue,
                                            std::uint32_t* pType, void* pData,
                                            std::uint32_t& nBytes) {
    SOpenKey key;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const auto it = m_mapKeys.find(static_cast<std::uintptr_t>(hKey));
        if (it == m_mapKeys.end()) return platform::kErrorInvalidHandle;
        key = it->second;
    }
    CSimHost& host = *m_vecHosts[key.nHost];

    // Registry values are fixed after the description is read: no lock is needed for them.
    if (const CSimValue* pValue = host.Definition().m_registry.FindValue(key.strPath, strValue)) {
        const auto nSize = static_cast<std::uint32_t>(pValue->m_vecData.size());
        if (pType != nullptr) *pType = pValue->m_nType;
        if (pData == nullptr) {
            nBytes = nSize;
            return platform::kSuccess;
        }
        if (nBytes < nSize) {
            nBytes = nSize;
            return platform::kErrorMoreData;
        }
        if (nSize > 0) std::memcpy(pData, pValue->m_vecData.data(), nSize);
        nBytes = nSize;
        return platform::kSuccess;
    }

    std::vector<std::uint32_t> vecObjects;
    if (key.strPath != CounterKeyPath() || !CSimHost::ParseObjectList(strValue, vecObjects)) {
        return platform::kErrorFileNotFound;
    }
    if (host.Definition().m_faults.m_nDelayMs > 0) m_sleeper(host.Definition().m_faults.m_nDelayMs);
    const std::int64_t nNow = FileTimeFrom(m_pClock->Now(), m_pClock->UtcMillisecond());
    const std::span<std::uint8_t> buffer(static_cast<std::uint8_t*>(pData),
                                         pData == nullptr ? 0 : nBytes);
    if (pType != nullptr) *pType = platform::kRegBinary;
    // nBytes stays as it was given unless the block is delivered.
    return host.Request(nNow, vecObjects, buffer, nBytes);
}

platform::ErrorCode CSimNetwork::CloseKey(platform::HostKey hKey) {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_mapKeys.erase(static_cast<std::uintptr_t>(hKey)) == 1 ? platform::kSuccess
                                                                   : platform::kErrorInvalidHandle;
}

platform::ErrorCode CSimNetwork::EnumerateDomains(std::vector<std::string>& vecDomains) {
    vecDomains = m_description.m_vecWorkgroups;
    return platform::kSuccess;
}

platform::ErrorCode CSimNetwork::EnumerateHosts(const std::string& strDomain,
                                                std::vector<std::string>& vecHosts) {
    vecHosts.clear();
    bool bKnown = false;
    for (const std::string& strWorkgroup : m_description.m_vecWorkgroups) {
        bKnown = bKnown || EqualsIgnoringAsciiCase(strWorkgroup, strDomain);
    }
    if (!bKnown) return platform::kErrorBadNetPath;
    for (const std::unique_ptr<CSimHost>& pHost : m_vecHosts) {
        if (EqualsIgnoringAsciiCase(pHost->Definition().m_strWorkgroup, strDomain)) {
            vecHosts.push_back("\\\\" + pHost->Definition().m_strName);
        }
    }
    return platform::kSuccess;
}

std::size_t CSimNetwork::OpenKeyCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_mapKeys.size();
}

std::uint64_t CSimNetwork::RequestCount(const std::string& strHost) const {
    const CSimHost* pHost = FindHost(strHost);
    return pHost == nullptr ? 0 : pHost->RequestCount();
}

std::string CSimNetwork::LoggedOnUser(const std::string& strHost) const {
    const CSimHost* pHost = FindHost(strHost);
    if (pHost == nullptr) return std::string();
    std::lock_guard<std::mutex> guard(m_lock);
    const auto it = m_mapLogons.find(IndexOf(pHost));
    return it == m_mapLogons.end() ? std::string() : it->second;
}

}  // namespace sim
