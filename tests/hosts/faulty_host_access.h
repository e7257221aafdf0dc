// A HostAccess that passes every call on to another one (usually a simulated network) and fails
// the calls a test names, with the codes it names: a key that will not open, a value whose size
// or content cannot be read, a key that will not close, a browse that breaks off half-way.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/host_access.h"

namespace hosts_test {

class CFaultyHostAccess final : public platform::HostAccess {
public:
    explicit CFaultyHostAccess(platform::HostAccess& inner) : m_inner(inner) {}

    // Sub key path (as passed to OpenKey) -> the code its opening fails with.
    std::map<std::string, platform::ErrorCode> m_mapOpenFails;
    // Value name -> the code of its size query (no buffer) or of its read (with a buffer).
    std::map<std::string, platform::ErrorCode> m_mapSizeFails;
    std::map<std::string, platform::ErrorCode> m_mapReadFails;
    // Sub key path -> the code closing a key opened with that path returns (it is closed all
    // the same).
    std::map<std::string, platform::ErrorCode> m_mapCloseFails;
    // Connections fail with this code from the nth call on (1 = the first); 0 = never.
    int m_nConnectFailsFrom = 0;
    platform::ErrorCode m_nConnectCode = platform::kErrorBadNetPath;
    // Browsing delivers at most this many names, then fails with m_nBrowseCode.
    std::optional<std::size_t> m_nBrowseLimit;
    platform::ErrorCode m_nBrowseCode = platform::kErrorNoNetwork;

    int m_nConnects = 0;
    std::vector<std::string> m_vecOpened;  // every sub key opened, in order

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override {
        ++m_nConnects;
        if (m_nConnectFailsFrom != 0 && m_nConnects >= m_nConnectFailsFrom) {
            hMachine = platform::kNoHostKey;
            return m_nConnectCode;
        }
        return m_inner.ConnectRegistry(strHost, hMachine);
    }
    platform::ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                      const std::string& strPassword) override {
        return m_inner.AddConnection(strRemoteName, strUser, strPassword);
    }
    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override {
        m_vecOpened.push_back(strSubKey);
        if (const auto it = m_mapOpenFails.find(strSubKey); it != m_mapOpenFails.end()) {
            hResult = platform::kNoHostKey;
            return it->second;
        }
        const platform::ErrorCode nCode = m_inner.OpenKey(hKey, strSubKey, nAccess, hResult);
        if (nCode == platform::kSuccess) m_mapPaths[hResult] = strSubKey;
        return nCode;
    }
    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override {
        const auto& fails = pData == nullptr ? m_mapSizeFails : m_mapReadFails;
        if (const auto it = fails.find(strValue); it != fails.end()) return it->second;
        return m_inner.QueryValue(hKey, strValue, pType, pData, nBytes);
    }
    platform::ErrorCode CloseKey(platform::HostKey hKey) override {
        const platform::ErrorCode nCode = m_inner.CloseKey(hKey);
        const auto itPath = m_mapPaths.find(hKey);
        if (itPath == m_mapPaths.end()) return nCode;
        const std::string strPath = itPath->second;
        m_mapPaths.erase(itPath);
        const auto itFail = m_mapCloseFails.find(strPath);
        return itFail != m_mapCloseFails.end() ? itFail->second : nCode;
    }
    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        return Limit(m_inner.EnumerateDomains(vecDomains), vecDomains);
    }
    platform::ErrorCode EnumerateHosts(const std::string& strDomain,
                                       std::vector<std::string>& vecHosts) override {
        return Limit(m_inner.EnumerateHosts(strDomain, vecHosts), vecHosts);
    }

private:
    platform::ErrorCode Limit(platform::ErrorCode nCode, std::vector<std::string>& vecNames) const {
        if (!m_nBrowseLimit || vecNames.size() <= *m_nBrowseLimit) return nCode;
        vecNames.resize(*m_nBrowseLimit);
        return m_nBrowseCode;
    }

    platform::HostAccess& m_inner;
    std::map<platform::HostKey, std::string> m_mapPaths;
};

}  // namespace hosts_test
