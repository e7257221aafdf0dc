// Parsing and checking the headless runner's three options.
#include "headless_options.h"

#include <charconv>

namespace {

constexpr int kMaxSeconds = 365 * 86400;

}  // namespace

const char* HeadlessUsage() {
    return "usage: gather-headless --seconds N [--program-dir DIR] [--data-dir DIR]\n";
}

std::optional<CHeadlessOptions> ParseHeadlessOptions(const std::vector<std::string>& arrArgs,
                                                     std::string& strError) {
    CHeadlessOptions options;
    bool bProgramDir = false;
    bool bSeconds = false;
    for (std::size_t i = 0; i < arrArgs.size(); ++i) {
        const std::string& strOption = arrArgs[i];
        if (strOption != "--program-dir" && strOption != "--data-dir" && strOption != "--seconds") {
            strError = "unknown argument: " + strOption;
            return std::nullopt;
        }
        if (i + 1 >= arrArgs.size()) {
            strError = strOption + " needs a value";
            return std::nullopt;
        }
        const std::string& strValue = arrArgs[++i];
        const bool bTwice = (strOption == "--program-dir" && bProgramDir) ||
                            (strOption == "--data-dir" && options.m_strDataDir) ||
                            (strOption == "--seconds" && bSeconds);
        if (bTwice) {
            strError = strOption + " is given twice";
            return std::nullopt;
        }
        if (strOption == "--seconds") {
            int nSeconds = -1;
            const char* pEnd = strValue.data() + strValue.size();
            const auto [pStop, eError] = std::from_chars(strValue.data(), pEnd, nSeconds);
            if (eError != std::errc() || pStop != pEnd || nSeconds < 0 || nSeconds > kMaxSeconds) {
                strError = "--seconds needs a whole number from 0 to " +
                           std::to_string(kMaxSeconds) + ": " + strValue;
                return std::nullopt;
            }
            options.m_nSeconds = nSeconds;
            bSeconds = true;
        } else if (strValue.empty()) {
            strError = strOption + " needs a directory";
            return std::nullopt;
        } else if (strOption == "--program-dir") {
            options.m_strProgramDir = strValue;
            bProgramDir = true;
        } else {
            options.m_strDataDir = strValue;
        }
    }
    if (!bSeconds) {
        strError = "--seconds is required";
        return std::nullopt;
    }
    return options;
}
