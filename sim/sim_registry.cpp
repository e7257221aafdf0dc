// Keys, values and their typed data in a simulated host's registry.
#include "sim_registry.h"

#include <algorithm>

#include "ascii_names.h"
#include "block_builder.h"

namespace sim {
namespace {

void AppendUtf16(std::vector<std::uint8_t>& vecData, std::string_view strUtf8) {
    for (const char16_t c : Utf8ToUtf16(strUtf8)) {
        vecData.push_back(static_cast<std::uint8_t>(c & 0xFF));
        vecData.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    vecData.push_back(0);
    vecData.push_back(0);
}

}  // namespace

std::vector<std::uint8_t> StringData(std::string_view strUtf8) {
    std::vector<std::uint8_t> vecData;
    AppendUtf16(vecData, strUtf8);
    return vecData;
}

std::vector<std::uint8_t> DwordData(std::uint32_t nValue) {
    return {static_cast<std::uint8_t>(nValue), static_cast<std::uint8_t>(nValue >> 8),
            static_cast<std::uint8_t>(nValue >> 16), static_cast<std::uint8_t>(nValue >> 24)};
}

std::vector<std::uint8_t> MultiStringData(const std::vector<std::string>& vecStrings) {
    std::vector<std::uint8_t> vecData;
    for (const std::string& str : vecStrings) AppendUtf16(vecData, str);
    vecData.push_back(0);
    vecData.push_back(0);
    return vecData;
}

std::string NormalizeKeyPath(std::string_view strPath) {
    std::string strResult;
    std::size_t nPos = 0;
    while (nPos <= strPath.size()) {
        std::size_t nEnd = strPath.find('\\', nPos);
        if (nEnd == std::string_view::npos) nEnd = strPath.size();
        if (nEnd > nPos) {
            if (!strResult.empty()) strResult.push_back('\\');
            for (std::size_t i = nPos; i < nEnd; ++i) strResult.push_back(LowerAscii(strPath[i]));
        }
        nPos = nEnd + 1;
    }
    return strResult;
}

std::string JoinKeyPath(std::string_view strBase, std::string_view strSub) {
    std::string strJoined(strBase);
    strJoined.push_back('\\');
    strJoined.append(strSub);
    return NormalizeKeyPath(strJoined);
}

void CSimRegistry::SetValue(std::string_view strKey, std::string_view strName, std::uint32_t nType,
                            std::vector<std::uint8_t> vecData) {
    std::vector<CSimValue>& vecValues = m_mapKeys[NormalizeKeyPath(strKey)];
    for (CSimValue& value : vecValues) {
        if (EqualsIgnoringAsciiCase(value.m_strName, strName)) {
            value.m_nType = nType;
            value.m_vecData = std::move(vecData);
            return;
        }
    }
    vecValues.push_back(CSimValue{std::string(strName), nType, std::move(vecData)});
}

void CSimRegistry::SetString(std::string_view strKey, std::string_view strName,
                             std::string_view strUtf8) {
    SetValue(strKey, strName, 1, StringData(strUtf8));
}

void CSimRegistry::SetDword(std::string_view strKey, std::string_view strName,
                            std::uint32_t nValue) {
    SetValue(strKey, strName, 4, DwordData(nValue));
}

bool CSimRegistry::DeleteValue(std::string_view strKey, std::string_view strName) {
    const auto it = m_mapKeys.find(NormalizeKeyPath(strKey));
    if (it == m_mapKeys.end()) return false;
    std::vector<CSimValue>& vecValues = it->second;
    const auto itValue = std::find_if(vecValues.begin(), vecValues.end(), [&](const CSimValue& v) {
        return EqualsIgnoringAsciiCase(v.m_strName, strName);
    });
    if (itValue == vecValues.end()) return false;
    vecValues.erase(itValue);
    return true;  // the key itself stays, even without values
}

bool CSimRegistry::DeleteKey(std::string_view strKey) {
    const std::string strPath = NormalizeKeyPath(strKey);
    if (strPath.empty()) return false;  // the root cannot go
    const std::string strPrefix = strPath + '\\';
    bool bRemoved = false;
    for (auto it = m_mapKeys.begin(); it != m_mapKeys.end();) {
        if (it->first == strPath || it->first.starts_with(strPrefix)) {
            it = m_mapKeys.erase(it);
            bRemoved = true;
        } else {
            ++it;
        }
    }
    return bRemoved;
}

bool CSimRegistry::KeyExists(const std::string& strNormalized) const {
    if (strNormalized.empty()) return true;
    const auto it = m_mapKeys.lower_bound(strNormalized);
    if (it == m_mapKeys.end()) return false;
    if (it->first == strNormalized) return true;
    // Keys below it sort among the keys that start with its text (siblings such as "key 1"
    // may come first), so scan those.
    const std::string strPrefix = strNormalized + '\\';
    for (auto itScan = it; itScan != m_mapKeys.end(); ++itScan) {
        if (itScan->first.starts_with(strPrefix)) return true;
        if (itScan->first.compare(0, strNormalized.size(), strNormalized) != 0) break;
    }
    return false;
}

const CSimValue* CSimRegistry::FindValue(const std::string& strNormalized,
                                         std::string_view strName) const {
    const auto it = m_mapKeys.find(strNormalized);
    if (it == m_mapKeys.end()) return nullptr;
    for (const CSimValue& value : it->second) {
        if (EqualsIgnoringAsciiCase(value.m_strName, strName)) return &value;
    }
    return nullptr;
}

}  // namespace sim
