// The command line of the headless runner: --program-dir DIR, --data-dir DIR, --seconds N.
#pragma once
#include <optional>
#include <string>
#include <vector>

class CHeadlessOptions {
public:
    std::string m_strProgramDir;              // empty: the runner's own directory
    std::optional<std::string> m_strDataDir;  // overrides DataDirectory when given
    int m_nSeconds = 0;                       // how long to run before the exit
};

// Reads the arguments after the program name. Every option takes one value and may be given
// once; --seconds is required and is a whole number from 0 to 31,536,000 (a year). On a
// mistake, returns nothing and strError says what is wrong.
std::optional<CHeadlessOptions> ParseHeadlessOptions(const std::vector<std::string>& arrArgs,
                                                     std::string& strError);

// The usage text printed with a mistake.
const char* HeadlessUsage();
