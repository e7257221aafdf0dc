// The execution-ID counter's two values kept in memory; chosen writes fail with a given code.
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

    platform::ErrorCode ReadDword(const std::string& strName, std::uint32_t& nValue) override {
        const auto it = m_mapValues.find(strName);
        if (it == m_mapValues.end()) return platform::kErrorFileNotFound;
        nValue = it->second;
        return platform::kSuccess;
    }
    platform::ErrorCode WriteDword(const std::string& strName, std::uint32_t nValue) override {
        const auto it = m_mapFailures.find(strName);
        if (it != m_mapFailures.end()) return it->second;
        m_mapValues[strName] = nValue;
        return platform::kSuccess;
    }
};

}  // namespace gather_test
