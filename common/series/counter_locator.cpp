// Finds a counter's title indices by name in the counter-name table of a data file.
#include "series/counter_locator.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace series {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The index text as a number; false for anything but plain decimal digits that fit.
bool ParseIndex(std::string_view strText, std::uint32_t& nIndex) {
    if (strText.empty()) return false;
    const char* pEnd = strText.data() + strText.size();
    const auto [pStop, eError] = std::from_chars(strText.data(), pEnd, nIndex);
    return eError == std::errc() && pStop == pEnd;
}

void Finish(std::vector<std::uint32_t>& vecIndices, std::uint32_t nStandard) {
    if (vecIndices.empty()) vecIndices.push_back(nStandard);
    std::sort(vecIndices.begin(), vecIndices.end());
    vecIndices.erase(std::unique(vecIndices.begin(), vecIndices.end()), vecIndices.end());
}

}  // namespace

bool CCounterIndices::HasObject(std::uint32_t nIndex) const {
    return std::binary_search(m_vecObjects.begin(), m_vecObjects.end(), nIndex);
}

bool CCounterIndices::HasCounter(std::uint32_t nIndex) const {
    return std::binary_search(m_vecCounters.begin(), m_vecCounters.end(), nIndex);
}

CCounterIndices LocateCounter(const CCounterNameMap& names, const CCounterChoice& choice) {
    CCounterIndices indices;
    for (const auto& [strIndex, strName] : names) {
        const bool bObject = EqualsIgnoringAsciiCase(strName, choice.m_strObject);
        const bool bCounter = EqualsIgnoringAsciiCase(strName, choice.m_strCounter);
        std::uint32_t nIndex = 0;
        if ((!bObject && !bCounter) || !ParseIndex(strIndex, nIndex)) continue;
        if (bObject) indices.m_vecObjects.push_back(nIndex);
        if (bCounter) indices.m_vecCounters.push_back(nIndex);
    }
    Finish(indices.m_vecObjects, choice.m_nObjectIndex);
    Finish(indices.m_vecCounters, choice.m_nCounterIndex);
    return indices;
}

}  // namespace series
