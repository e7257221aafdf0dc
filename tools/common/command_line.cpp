// Option splitting and the number and time formats the native tools accept.
#include "command_line.h"

#include <charconv>
#include <cstdio>

#include "platform/local_time.h"

namespace tools {

const std::string* CCommandLine::Value(std::string_view strName) const {
    const auto it = m_mapValues.find(std::string(strName));
    return it != m_mapValues.end() ? &it->second : nullptr;
}

bool ParseCommandLine(const std::vector<std::string>& vecArgs, std::span<const COptionRule> rules,
                      CCommandLine& line, std::string& strError) {
    line = CCommandLine();
    bool bOptions = true;
    for (std::size_t i = 0; i < vecArgs.size(); ++i) {
        const std::string& strArg = vecArgs[i];
        if (bOptions && strArg == "--") {
            bOptions = false;
            continue;
        }
        if (!bOptions || strArg.size() < 2 || strArg[0] != '-') {
            line.m_vecOperands.push_back(strArg);
            continue;
        }
        const COptionRule* pRule = nullptr;
        for (const COptionRule& rule : rules) {
            if (rule.m_strName == strArg) pRule = &rule;
        }
        if (pRule == nullptr) {
            strError = "unknown option: " + strArg;
            return false;
        }
        if (line.m_mapValues.count(strArg) != 0 || line.m_setFlags.count(strArg) != 0) {
            strError = strArg + " is given twice";
            return false;
        }
        if (!pRule->m_bTakesValue) {
            line.m_setFlags.insert(strArg);
            continue;
        }
        if (i + 1 >= vecArgs.size()) {
            strError = strArg + " needs a value";
            return false;
        }
        line.m_mapValues[strArg] = vecArgs[++i];
    }
    return true;
}

std::optional<int> ParseWholeNumber(std::string_view strText, int nMin, int nMax) {
    int nValue = 0;
    const char* pEnd = strText.data() + strText.size();
    const auto [pStop, eError] = std::from_chars(strText.data(), pEnd, nValue);
    if (strText.empty() || eError != std::errc() || pStop != pEnd || nValue < nMin ||
        nValue > nMax) {
        return std::nullopt;
    }
    return nValue;
}

std::optional<platform::Time> ParseLocalTime(std::string_view strText) {
    int nYear = 0, nMonth = 0, nDay = 0, nHour = 0, nMinute = 0, nSecond = 0;
    char chEnd = 0;
    const std::string strCopy(strText);
    const int nFields = std::sscanf(strCopy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &nYear, &nMonth,
                                    &nDay, &nHour, &nMinute, &nSecond, &chEnd);
    if (nFields != 5 && nFields != 6) return std::nullopt;
    if (nFields == 5 && strCopy.size() != 16) return std::nullopt;
    if (nYear < 1970 || nYear > 2037 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 ||
        nHour > 23 || nMinute > 59 || nSecond > 59 || nHour < 0 || nMinute < 0 || nSecond < 0) {
        return std::nullopt;
    }
    const platform::Time t = platform::MakeLocalTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
    if (t < 0) return std::nullopt;
    return t;
}

}  // namespace tools
