// The execution-ID counter's two values kept in memory; opening the key or chosen writes fail
// with a given code.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "logs/execution_ids.h"

namespace gather_test {

class CMemoryIdStore final : public IExecutionIdStore {
public:
    std::map<std::string, std::uint32_t> m_mapValues;
    std::map<std::string, platform::ErrorCode> m_mapFailures;
    platform::ErrorCode m_nOpenError = platform::kSuccess;
    bool m_bOpen = false;

    platform::ErrorCode ReadDword(const std::string& strName, std::uint32_t& nValue) override {
        const auto it = m_mapValues.find(strName);
        if (it == m_mapValues.end()) return platform::kErrorFileNotFound;
        nValue = it->second;
        return platform::kSuccess;
    }
    platform::ErrorCode OpenForWriting() override {
        m_bOpen = m_nOpenError == platform::kSuccess;
        return m_nOpenError;
    }
    platform::ErrorCode WriteDword(const std::string& strName, std::uint32_t nValue) override {
        if (!m_bOpen) return platform::kErrorInvalidHandle;
        const auto it = m_mapFailures.find(strName);
        if (it != m_mapFailures.end()) return it->second;
        m_mapValues[strName] = nValue;
        return platform::kSuccess;
    }
    void CloseForWriting() override { m_bOpen = false; }
};

}  // namespace gather_test
