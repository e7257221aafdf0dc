// Integer edits: parsing and the two standard refusals.
#include "integer_field.h"

#include <climits>
#include <cstdint>

#include "wizard_texts.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::optional<int> ParseIntegerText(const std::string& strText) {
    std::size_t i = 0;
    const std::size_t n = strText.size();
    while (i < n && IsBlank(strText[i])) ++i;
    bool bNegative = false;
    if (i < n && (strText[i] == '-' || strText[i] == '+')) {
        bNegative = strText[i] == '-';
        ++i;
    }
    const std::size_t nDigitsFrom = i;
    std::int64_t nValue = 0;
    while (i < n && strText[i] >= '0' && strText[i] <= '9') {
        nValue = nValue * 10 + (strText[i] - '0');
        if (nValue > static_cast<std::int64_t>(INT_MAX) + 1) return std::nullopt;
        ++i;
    }
    if (i == nDigitsFrom) return std::nullopt;
    while (i < n && IsBlank(strText[i])) ++i;
    if (i != n) return std::nullopt;
    if (bNegative) nValue = -nValue;
    if (nValue < INT_MIN || nValue > INT_MAX) return std::nullopt;
    return static_cast<int>(nValue);
}

std::string CheckIntegerText(const std::string& strText, const std::optional<int>& nMin,
                             const std::optional<int>& nMax, int& nValue) {
    const std::optional<int> parsed = ParseIntegerText(strText);
    if (!parsed) return wizard_text::kNotInteger;
    if ((nMin && *parsed < *nMin) || (nMax && *parsed > *nMax))
        return wizard_text::IntegerRange(nMin.value_or(INT_MIN), nMax.value_or(INT_MAX));
    nValue = *parsed;
    return {};
}
