// The command lines of the native tools: "--name value" options, "--flag" switches, operands.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace tools {

struct COptionRule {
    std::string_view m_strName;  // "--counter", or "-o"
    bool m_bTakesValue = true;
};

struct CCommandLine {
    std::map<std::string, std::string> m_mapValues;
    std::set<std::string> m_setFlags;
    std::vector<std::string> m_vecOperands;  // everything that is not an option, in order

    const std::string* Value(std::string_view strName) const;
    bool Flag(std::string_view strName) const { return m_setFlags.count(std::string(strName)); }
};

// Splits the arguments after the program name. "--" ends the options. False with strError for
// an unknown option, an option without its value, or one given twice.
bool ParseCommandLine(const std::vector<std::string>& vecArgs, std::span<const COptionRule> rules,
                      CCommandLine& line, std::string& strError);

// A whole decimal number from nMin to nMax, or nothing.
std::optional<int> ParseWholeNumber(std::string_view strText, int nMin, int nMax);

// "YYYY-MM-DD HH:MM[:SS]" in local time, or nothing.
std::optional<platform::Time> ParseLocalTime(std::string_view strText);

}  // namespace tools
