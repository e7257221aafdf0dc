// Words, integers, numbers and hexadecimal bytes of description lines.
#include "description_tokens.h"

#include <charconv>
#include <cmath>

namespace sim {

bool SplitDescriptionLine(std::string_view strLine, std::vector<std::string>& vecWords,
                          std::string& strError) {
    vecWords.clear();
    std::size_t i = 0;
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (i < strLine.size()) {
        if (isSpace(strLine[i])) {
            ++i;
            continue;
        }
        if (strLine[i] == '#') break;
        std::string strWord;
        if (strLine[i] == '"') {
            ++i;
            bool bClosed = false;
            while (i < strLine.size()) {
                if (strLine[i] == '"') {
                    if (i + 1 < strLine.size() && strLine[i + 1] == '"') {
                        strWord.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    bClosed = true;
                    break;
                }
                strWord.push_back(strLine[i++]);
            }
            if (!bClosed) {
                strError = "a quoted word is not closed";
                return false;
            }
            if (i < strLine.size() && !isSpace(strLine[i]) && strLine[i] != '#') {
                strError = "a quoted word must be followed by a space";
                return false;
            }
        } else {
            while (i < strLine.size() && !isSpace(strLine[i])) {
                if (strLine[i] == '"') {
                    strError = "a quote inside a word; quote the whole word";
                    return false;
                }
                strWord.push_back(strLine[i++]);
            }
        }
        vecWords.push_back(std::move(strWord));
    }
    return true;
}

std::optional<std::uint64_t> ParseUnsigned(std::string_view strWord, std::uint64_t nMin,
                                           std::uint64_t nMax) {
    int nBase = 10;
    if (strWord.size() > 2 && strWord[0] == '0' && (strWord[1] == 'x' || strWord[1] == 'X')) {
        strWord.remove_prefix(2);
        nBase = 16;
    }
    if (strWord.empty()) return std::nullopt;
    std::uint64_t nValue = 0;
    const char* pEnd = strWord.data() + strWord.size();
    const auto [ptr, ec] = std::from_chars(strWord.data(), pEnd, nValue, nBase);
    if (ec != std::errc() || ptr != pEnd || nValue < nMin || nValue > nMax) return std::nullopt;
    return nValue;
}

std::optional<double> ParseNumber(std::string_view strWord, double dMin, double dMax) {
    if (strWord.empty()) return std::nullopt;
    double dValue = 0;
    const char* pEnd = strWord.data() + strWord.size();
    const auto [ptr, ec] = std::from_chars(strWord.data(), pEnd, dValue, std::chars_format::fixed);
    if (ec != std::errc() || ptr != pEnd || !std::isfinite(dValue) || dValue < dMin ||
        dValue > dMax) {
        return std::nullopt;
    }
    return dValue;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view strHex) {
    if (strHex.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> vecBytes;
    vecBytes.reserve(strHex.size() / 2);
    for (std::size_t i = 0; i < strHex.size(); i += 2) {
        std::uint8_t nByte = 0;
        const auto [ptr, ec] = std::from_chars(strHex.data() + i, strHex.data() + i + 2, nByte, 16);
        if (ec != std::errc() || ptr != strHex.data() + i + 2) return std::nullopt;
        vecBytes.push_back(nByte);
    }
    return vecBytes;
}

}  // namespace sim
