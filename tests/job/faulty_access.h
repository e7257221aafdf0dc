// A network for job tests that passes everything to an inner one and adds scripted faults: one
// failing OpenKey call, counter keys that do not close, and replies changed on their way back.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "perf/perf_layout.h"
#include "platform/host_access.h"

namespace job_test {

class CFaultyAccess final : public platform::HostAccess {
public:
    explicit CFaultyAccess(platform::HostAccess& inner) : m_inner(inner) {}

    int m_nFailOpenCall = 0;  // the OpenKey call (1 = the first) that fails
    platform::ErrorCode m_nOpenCode = platform::kErrorAccessDenied;
    bool m_bFailCounterClose = false;  // closing a counter key reports 5 (it closes all the same)
    // Called with every performance data reply the inner network delivered: the request's
    // number (1 = the first delivered), the request's buffer and the byte count, which it may
    // change.
    std::function<void(std::uint64_t nReply, std::span<std::uint8_t> buffer, std::uint32_t& nBytes)>
        m_fnReply;

    std::uint64_t Replies() const { return m_nReplies.load(); }
    // Every CloseKey call, in order.
    const std::vector<platform::HostKey>& Closed() const { return m_vecClosed; }

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override {
        return m_inner.ConnectRegistry(strHost, hMachine);
    }
    platform::ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                      const std::string& strPassword) override {
        return m_inner.AddConnection(strRemoteName, strUser, strPassword);
    }
    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override {
        if (++m_nOpenCalls == m_nFailOpenCall) return m_nOpenCode;
        const platform::ErrorCode nCode = m_inner.OpenKey(hKey, strSubKey, nAccess, hResult);
        if (nCode == platform::kSuccess) m_setCounterKeys.insert(hResult);
        return nCode;
    }
    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override {
        const std::uint32_t nCapacity = nBytes;
        const platform::ErrorCode nCode = m_inner.QueryValue(hKey, strValue, pType, pData, nBytes);
        if (nCode == platform::kSuccess && pData != nullptr && strValue == perf::kPerfObjectList) {
            const std::uint64_t nReply = ++m_nReplies;
            if (m_fnReply) {
                m_fnReply(nReply, std::span(static_cast<std::uint8_t*>(pData), nCapacity), nBytes);
            }
        }
        return nCode;
    }
    platform::ErrorCode CloseKey(platform::HostKey hKey) override {
        m_vecClosed.push_back(hKey);
        const platform::ErrorCode nCode = m_inner.CloseKey(hKey);
        if (m_bFailCounterClose && m_setCounterKeys.count(hKey) != 0) {
            return platform::kErrorAccessDenied;
        }
        return nCode;
    }
    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        return m_inner.EnumerateDomains(vecDomains);
    }
    platform::ErrorCode EnumerateHosts(const std::string& strDomain,
                                       std::vector<std::string>& vecHosts) override {
        return m_inner.EnumerateHosts(strDomain, vecHosts);
    }

private:
    platform::HostAccess& m_inner;
    int m_nOpenCalls = 0;
    std::atomic<std::uint64_t> m_nReplies{0};  // read by the test while the worker runs
    std::set<platform::HostKey> m_setCounterKeys;
    std::vector<platform::HostKey> m_vecClosed;
};

}  // namespace job_test
