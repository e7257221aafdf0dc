// Message texts and error-log labels of the collection job.
#include "job/job_texts.h"

#include <cstdio>

#include "hosts/connection_check.h"

std::string JobErrorMessage(std::int32_t nSchedule, const std::string& strHost,
                            platform::ErrorCode nCode) {
    char szNumber[16];
    std::snprintf(szNumber, sizeof szNumber, "%02d", static_cast<int>(nSchedule));
    return "予約 " + std::string(szNumber) + " " + strHost + "/" + SystemMessage(nCode);
}

std::string TriggerMessage(std::int32_t nSchedule, const perf::CPerfSnapshot& figures) {
    // The figures are unsigned; %d shows them as the platform's signed conversion does.
    char szText[160];
    std::snprintf(szText, sizeof szText,
                  "予約 %02d でしきい値トリガーが働きました。(CPU%d MEM%d DSK%d)",
                  static_cast<int>(nSchedule), static_cast<int>(figures.m_nCpu),
                  static_cast<int>(figures.m_nMem), static_cast<int>(figures.m_nDisk));
    return szText;
}

std::string ConnectionLostMessage(const std::string& strHost) {
    return strHost + "とのネットワークの接続が切れています。";
}

std::string OpenKeyLabel(const std::string& strHost) {
    return strHost + ":RegOpenKeyEx";
}

std::string CounterNamesLabel(const std::string& strHost) {
    return strHost + ":RegQueryValueEx - Counter";
}

std::string QueryLabel(const std::string& strHost) {
    return strHost + ":RegQueryValueEx";
}

std::string CloseKeyLabel(const std::string& strHost) {
    return strHost + ":RegCloseKey";
}

std::string LimitCharacters(const std::string& strText, std::size_t nMaxChars) {
    std::size_t nChars = 0;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        // A UTF-8 character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(strText[i]) & 0xC0) != 0x80) {
            if (nChars == nMaxChars) {
                return strText.substr(0, i);
            }
            ++nChars;
        }
    }
    return strText;
}

std::string FileErrorText(const std::string& strPath, platform::ErrorCode nCode) {
    std::string strText = strPath + ": " + SystemMessage(nCode);
    return LimitCharacters(strText, kMaxFileErrorChars);
}
