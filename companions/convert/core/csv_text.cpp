// CSV fields, numbers and times, written straight into the line being built.
#include "csv_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/text_codec.h"

namespace csv {

void AppendCsvField(std::string& strLine, std::string_view strField) {
    const bool bQuote =
        strField.find_first_of(",\"\r\n") != std::string_view::npos ||
        (!strField.empty() && (strField.front() == ' ' || strField.back() == ' '));
    if (!bQuote) {
        strLine += strField;
        return;
    }
    strLine += '"';
    for (const char c : strField) {
        if (c == '"') strLine += '"';
        strLine += c;
    }
    strLine += '"';
}

void AppendCsvNumber(std::string& strLine, double dValue, int nDecimals) {
    if (!std::isfinite(dValue)) return;
    if (nDecimals < 0) nDecimals = 0;
    if (nDecimals > 6) nDecimals = 6;
    char szText[64];
    const auto [pEnd, eError] =
        std::to_chars(szText, szText + sizeof szText, dValue, std::chars_format::fixed, nDecimals);
    if (eError != std::errc()) return;  // beyond 10^57: no count of this program gets there
    std::string_view strText(szText, static_cast<std::size_t>(pEnd - szText));
    // A value that rounds to zero from below is 0, not "-0.00".
    if (strText.front() == '-' && strText.find_first_not_of("-0.") == std::string_view::npos) {
        strText.remove_prefix(1);
    }
    strLine += strText;
}

std::string EncodeCsvText(std::string_view strUtf8, ECsvEncoding eEncoding) {
    if (eEncoding == ECsvEncoding::kUtf8Bom) return std::string(strUtf8);
    return platform::Utf8ToCp932(strUtf8);
}

void CCsvTimeText::Append(std::string& strLine, platform::Time tTime) {
    if (!m_bMinuteKnown || tTime < m_tMinute || tTime - m_tMinute >= 60) {
        // Local minutes start where UTC minutes do: every zone's offset is whole minutes.
        const platform::Time tSeconds = ((tTime % 60) + 60) % 60;
        platform::LocalFields fields;
        m_bMinuteKnown = platform::SplitLocalTime(tTime - tSeconds, fields);
        if (!m_bMinuteKnown) return;
        m_tMinute = tTime - tSeconds;
        std::snprintf(m_szMinute, sizeof m_szMinute, "%04d/%02d/%02d %02d:%02d", fields.nYear % 10000,
                      fields.nMonth, fields.nDay, fields.nHour, fields.nMinute);
    }
    const auto nSecond = static_cast<int>(tTime - m_tMinute);
    strLine.append(m_szMinute, 16);
    strLine += ':';
    strLine += static_cast<char>('0' + nSecond / 10);
    strLine += static_cast<char>('0' + nSecond % 10);
}

}  // namespace csv
