// A HostAccess for tests: scripted answers, and a record of every call it was given.
#pragma once
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/host_access.h"

namespace hosts_test {

struct SCall {
    std::string strWhat;  // "connect", "logon", "open", "query", "close"
    std::string strArg;   // host, remote name, sub key or value name
    std::string strUser;
    std::string strPassword;
    platform::HostKey hKey = platform::kNoHostKey;
    std::uint32_t nBytes = 0;  // the byte count a query was given, or the access of an open
    bool bBuffer = false;      // a query passed a buffer
};

class CRecordingHostAccess final : public platform::HostAccess {
public:
    // Codes of the next ConnectRegistry calls (then 0), of AddConnection, of OpenKey.
    std::deque<platform::ErrorCode> m_dequeConnect;
    platform::ErrorCode m_nLogon = 0;
    platform::ErrorCode m_nOpen = 0;
    // Codes of CloseKey by key (0 when absent).
    std::map<platform::HostKey, platform::ErrorCode> m_mapClose;

    // Values by name: data and type. A value not listed answers 2.
    std::map<std::string, std::vector<std::uint8_t>> m_mapValues;
    // Codes forced on the next queries of any value (then the normal answer).
    std::deque<platform::ErrorCode> m_dequeQuery;
    // A size to report for size queries instead of the data's (0: the data's).
    std::uint32_t m_nClaimedSize = 0;
    // A count to report on success instead of the bytes copied (0: the bytes copied).
    std::uint32_t m_nClaimedCount = 0;
    // Performance data: ERROR_MORE_DATA answers, with nBytes unchanged, while the buffer is
    // smaller than the block.
    std::vector<std::uint8_t> m_vecBlock;
    bool m_bAlwaysMoreData = false;

    std::vector<SCall> m_vecCalls;

    SCall& Record(const std::string& strWhat, const std::string& strArg) {
        SCall& call = m_vecCalls.emplace_back();
        call.strWhat = strWhat;
        call.strArg = strArg;
        return call;
    }

    std::vector<SCall> CallsOf(const std::string& strWhat) const {
        std::vector<SCall> vecFound;
        for (const SCall& call : m_vecCalls) {
            if (call.strWhat == strWhat) vecFound.push_back(call);
        }
        return vecFound;
    }

    platform::ErrorCode ConnectRegistry(const std::string& strHost,
                                        platform::HostKey& hMachine) override {
        Record("connect", strHost);
        platform::ErrorCode nCode = 0;
        if (!m_dequeConnect.empty()) {
            nCode = m_dequeConnect.front();
            m_dequeConnect.pop_front();
        }
        hMachine = nCode == 0 ? platform::HostKey{100} : platform::kNoHostKey;
        return nCode;
    }

    platform::ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                      const std::string& strPassword) override {
        SCall& call = Record("logon", strRemoteName);
        call.strUser = strUser;
        call.strPassword = strPassword;
        return m_nLogon;
    }

    platform::ErrorCode OpenKey(platform::HostKey hKey, const std::string& strSubKey,
                                std::uint32_t nAccess, platform::HostKey& hResult) override {
        SCall& call = Record("open", strSubKey);
        call.hKey = hKey;
        call.nBytes = nAccess;
        hResult = m_nOpen == 0 ? platform::HostKey{200} : platform::kNoHostKey;
        return m_nOpen;
    }

    platform::ErrorCode QueryValue(platform::HostKey hKey, const std::string& strValue,
                                   std::uint32_t* pType, void* pData,
                                   std::uint32_t& nBytes) override {
        SCall& call = Record("query", strValue);
        call.hKey = hKey;
        call.nBytes = nBytes;
        call.bBuffer = pData != nullptr;
        if (!m_dequeQuery.empty()) {
            const platform::ErrorCode nCode = m_dequeQuery.front();
            m_dequeQuery.pop_front();
            if (nCode != 0) return nCode;
        }
        if (pType != nullptr) *pType = platform::kRegMultiSz;
        const auto it = m_mapValues.find(strValue);
        if (it == m_mapValues.end()) return QueryBlock(pData, nBytes);
        const auto nSize = static_cast<std::uint32_t>(it->second.size());
        if (pData == nullptr) {
            nBytes = m_nClaimedSize != 0 ? m_nClaimedSize : nSize;
            return 0;
        }
        if (nBytes < nSize) {
            nBytes = nSize;
            return platform::kErrorMoreData;
        }
        std::memcpy(pData, it->second.data(), nSize);
        nBytes = m_nClaimedCount != 0 ? m_nClaimedCount : nSize;
        return 0;
    }

    platform::ErrorCode CloseKey(platform::HostKey hKey) override {
        Record("close", {}).hKey = hKey;
        const auto it = m_mapClose.find(hKey);
        return it == m_mapClose.end() ? 0 : it->second;
    }

    platform::ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) override {
        vecDomains.clear();
        return platform::kErrorNoNetwork;
    }

    platform::ErrorCode EnumerateHosts(const std::string&,
                                       std::vector<std::string>& vecHosts) override {
        vecHosts.clear();
        return platform::kErrorNoNetwork;
    }

private:
    platform::ErrorCode QueryBlock(void* pData, std::uint32_t& nBytes) {
        if (m_vecBlock.empty() && !m_bAlwaysMoreData) return platform::kErrorFileNotFound;
        if (m_bAlwaysMoreData || pData == nullptr || nBytes < m_vecBlock.size()) {
            return platform::kErrorMoreData;
        }
        std::memcpy(pData, m_vecBlock.data(), m_vecBlock.size());
        nBytes =
            m_nClaimedCount != 0 ? m_nClaimedCount : static_cast<std::uint32_t>(m_vecBlock.size());
        return 0;
    }
};

// UTF-16LE strings, each with its NUL, then the NUL of the list's end.
inline std::vector<std::uint8_t> MultiString(const std::vector<std::u16string>& vecStrings,
                                             bool bEndNul = true) {
    std::vector<std::uint8_t> vecData;
    for (const std::u16string& str : vecStrings) {
        for (const char16_t c : str) {
            vecData.push_back(static_cast<std::uint8_t>(c & 0xFF));
            vecData.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        vecData.push_back(0);
        vecData.push_back(0);
    }
    if (bEndNul) {
        vecData.push_back(0);
        vecData.push_back(0);
    }
    return vecData;
}

}  // namespace hosts_test
